// The decimal reader used for integer texts from settings files and for time,
// date and price texts: an optional leading '-', then digits up to the first
// non-digit. A text that starts otherwise reads as 0. Values beyond the
// result's range saturate.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

namespace TeskUtility::detail {

template <class Int, class Char>
constexpr Int ReadLeadingInteger(std::basic_string_view<Char> text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == Char('-');
    if (negative) ++i;
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

inline std::int32_t ReadLeadingInt32(std::string_view text) { return ReadLeadingInteger<std::int32_t>(text); }

}  // namespace TeskUtility::detail
