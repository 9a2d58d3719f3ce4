// Powers of ten for dot counts, inline so the formatters avoid a call per value.
#pragma once

#include <array>
#include <cstdint>

namespace TeskUtility::detail {

// 10^0 .. 10^18, every power that fits a signed 64-bit value.
inline constexpr std::array<std::int64_t, 19> kPowersOfTen = [] {
    std::array<std::int64_t, 19> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

// 10^dot for dot 1..9, else 1 (no decimals).
constexpr std::int32_t Divisor32(std::int32_t dot) {
    return (dot >= 1 && dot <= 9) ? static_cast<std::int32_t>(kPowersOfTen[dot]) : 1;
}
// 10^dot for dot 1..18, else 1.
constexpr std::int64_t Divisor64(std::int32_t dot) { return (dot >= 1 && dot <= 18) ? kPowersOfTen[dot] : 1; }

}  // namespace TeskUtility::detail
