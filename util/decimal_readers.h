// The two rules by which integer texts are read. They differ on purpose:
//
//   ReadMinusAndDigits      "45" -> 45, " 45" -> 0,  "+45" -> 0,  "-45x" -> -45
//   ReadSpaceSignAndDigits  "45" -> 45, " 45" -> 45, "+45" -> 45, "-45x" -> -45
//
// The first is the platform's decimal reader, which the format settings file,
// time and date texts and price texts follow; the second is the C library's
// conversion, which the setting store's and the map's typed queries follow.
// Both stop at the first non-digit, read a text without digits as 0 and
// saturate at the limits of Int.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>
#include <type_traits>

namespace TeskUtility::detail {

// The digits from text[i] on, as a magnitude with the given sign.
template <class Int, class Char>
constexpr Int ReadDigitsFrom(std::basic_string_view<Char> text, std::size_t i, bool negative) {
    // Accumulate the magnitude as unsigned, stopping at the saturation bound.
    using U = std::make_unsigned_t<Int>;
    const U limit = negative ? U(std::numeric_limits<Int>::max()) + 1u : U(std::numeric_limits<Int>::max());
    U magnitude = 0;
    for (; i < text.size() && text[i] >= Char('0') && text[i] <= Char('9'); ++i) {
        const U digit = static_cast<U>(text[i] - Char('0'));
        if (magnitude > (limit - digit) / 10u) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10u + digit;
    }
    return negative ? static_cast<Int>(U(0) - magnitude) : static_cast<Int>(magnitude);
}

// An optional leading '-', then digits: no white space, no '+'.
template <class Int, class Char>
constexpr Int ReadMinusAndDigits(std::basic_string_view<Char> text) {
    const bool negative = !text.empty() && text[0] == Char('-');
    return ReadDigitsFrom<Int>(text, negative ? 1 : 0, negative);
}

// Leading white space (space, \t \n \v \f \r), an optional '+' or '-', then digits.
template <class Int, class Char>
constexpr Int ReadSpaceSignAndDigits(std::basic_string_view<Char> text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == Char(' ') || (text[i] >= Char('\t') && text[i] <= Char('\r')))) ++i;
    const bool negative = i < text.size() && text[i] == Char('-');
    if (i < text.size() && (text[i] == Char('-') || text[i] == Char('+'))) ++i;
    return ReadDigitsFrom<Int>(text, i, negative);
}

inline std::int32_t ReadMinusAndDigits32(std::string_view text) { return ReadMinusAndDigits<std::int32_t>(text); }

}  // namespace TeskUtility::detail
