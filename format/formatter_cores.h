// The formatter cores behind the public A/W and 32/64-bit overloads. Each core
// takes either string kind and, where the family has both, either value width
// (with a divisor of the same width), so that code inside the library and the
// tool call one name instead of choosing among the overloads by hand.
//
//   detail::FormatPrice(out, value, state, dot, divisor, showZeroSign);  // out: CStringA or CStringW
//
// Instantiated for char and char16_t with std::int32_t and std::int64_t in the
// family's own source file, next to its format state.
#pragma once

#include <cstdint>
#include <string>

// The family's local template is inlined into its public overloads so that they stay one
// call deep. A coverage build (TESK_COVERAGE) keeps one copy, so its branches count once.
#ifdef TESK_COVERAGE
#define TESK_FORMAT_CORE inline
#else
#define TESK_FORMAT_CORE [[gnu::always_inline]] inline
#endif

namespace TeskUtility::detail {

template <class Char, class Int>
void FormatPrice(std::basic_string<Char>& out, Int value, std::uint32_t state, std::int32_t dot, Int divisor,
                 int showZeroSign);
template <class Char, class Int>
void FormatVolume(std::basic_string<Char>& out, Int value, int showZeroSign);
template <class Char, class Int>
void FormatComma(std::basic_string<Char>& out, Int value, int showZeroSign);
template <class Char, class Int>
void FormatCommaWithDot(std::basic_string<Char>& out, Int value, std::int32_t dot, Int divisor, int showZeroSign);
template <class Char, class Int>
void FormatNumber(std::basic_string<Char>& out, Int value, std::int32_t dot, Int divisor, int showZeroSign);

// The difference and percent families have 32-bit forms only.
template <class Char>
void FormatDiffPrice(std::basic_string<Char>& out, std::int32_t value, std::uint32_t state, std::int32_t dot,
                     std::int32_t divisor, int showZeroSign);
template <class Char>
void FormatPercent(std::basic_string<Char>& out, std::int32_t value, std::int32_t dot, std::int32_t divisor,
                   int showZeroSign);
template <class Char>
void FormatPercentWithSign(std::basic_string<Char>& out, std::int32_t value, std::uint32_t state, std::int32_t dot,
                           std::int32_t divisor, int showZeroSign);

}  // namespace TeskUtility::detail
