// The automatic unit of a value, shared by the unit conversions and the
// shortened volumes.
#pragma once

#include <cstdint>

#include "format/fixed_point_text.h"
#include "tesk/format_units.h"

#pragma push_macro("None")
#undef None

namespace TeskUtility::detail {

// The 32-bit rule keeps the boundary value in the smaller unit (1000 stays "1000").
constexpr ENumberConvert AutoUnit(std::int32_t value) {
    const std::uint32_t m = Magnitude(value);
    if (m <= 1000) return None;
    if (m <= 1000000) return Kilo;
    if (m <= 1000000000) return Mega;
    return Giga;
}

// The 64-bit rule moves the boundary value up (1000 is "1K") and knows Tera.
constexpr ENumberConvert AutoUnit(std::int64_t value) {
    const std::uint64_t m = Magnitude(value);
    if (m < 1000) return None;
    if (m < 1000000) return Kilo;
    if (m < 1000000000) return Mega;
    if (m < 1000000000000) return Giga;
    return Tera;
}

}  // namespace TeskUtility::detail

#pragma pop_macro("None")
