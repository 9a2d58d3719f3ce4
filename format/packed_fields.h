// Field access of packed times and dates. Every reader takes a field as an unsigned
// byte (the year as 16 bits), so stray high bits never reach the hour.
#pragma once

#include <cstdint>

namespace TeskUtility::detail {

constexpr unsigned HighField(std::int32_t packed) { return (static_cast<std::uint32_t>(packed) >> 16) & 0xFF; }
constexpr unsigned MidField(std::int32_t packed) { return (static_cast<std::uint32_t>(packed) >> 8) & 0xFF; }
constexpr unsigned LowField(std::int32_t packed) { return static_cast<std::uint32_t>(packed) & 0xFF; }
constexpr unsigned YearField(std::int32_t packed) { return static_cast<std::uint32_t>(packed) >> 16; }

constexpr std::int32_t PackFields(std::uint32_t high, std::uint32_t mid, std::uint32_t low) {
    return static_cast<std::int32_t>((high << 16) | (mid << 8) | low);
}

}  // namespace TeskUtility::detail
