// Writing a fixed-point magnitude as integer part, '.', and zero-padded fraction.
#pragma once

#include <cstdint>
#include <type_traits>

#include "format/divisor_table.h"
#include "format/text_buffer.h"

namespace TeskUtility::detail {

// Integer part and fraction of a magnitude, as the "%d.%0*d" texts print them.
struct FixedSplit {
    std::int64_t q;
    std::int64_t r;
};

// 32-bit forms: divisor 0 means 10^dot. A positive divisor (the normal case)
// divides without sign; a negative one divides with sign, as signed longs do.
inline FixedSplit SplitFixed(std::uint32_t magnitude, std::int32_t dot, std::int32_t divisor) {
    const std::int32_t d = divisor != 0 ? divisor : Divisor32(dot);
    if (d > 0) {
        const auto ud = static_cast<std::uint32_t>(d);
        return {static_cast<std::int64_t>(magnitude / ud), static_cast<std::int64_t>(magnitude % ud)};
    }
    const auto m = static_cast<std::int64_t>(magnitude);
    return {m / d, m % d};
}

// 64-bit forms divide as unsigned 64-bit numbers and print the results as
// signed ones, as "%I64d" does with the quotient's bits.
inline FixedSplit SplitFixed(std::uint64_t magnitude, std::int32_t dot, std::int64_t divisor) {
    const auto d = static_cast<std::uint64_t>(divisor != 0 ? divisor : Divisor64(dot));
    return {static_cast<std::int64_t>(magnitude / d), static_cast<std::int64_t>(magnitude % d)};
}

// q "." r, r left-padded with '0' to dot digits (more digits when r needs them).
template <class Char>
inline void AppendSplit(TextBuffer<Char>& buf, FixedSplit s, std::int32_t dot) {
    buf.AppendSigned(s.q);
    buf.Put(Char('.'));
    buf.AppendSignedPadded(s.r, dot);
}

template <class Int>
using MagnitudeOf = std::conditional_t<sizeof(Int) == 4, std::uint32_t, std::uint64_t>;

// |value| without overflow: the most negative value keeps its true magnitude.
template <class Int>
constexpr MagnitudeOf<Int> Magnitude(Int value) {
    using U = MagnitudeOf<Int>;
    return value < 0 ? U(0) - static_cast<U>(value) : static_cast<U>(value);
}

}  // namespace TeskUtility::detail
