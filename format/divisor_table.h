// Powers of ten for dot counts, inline so the formatters avoid a call per value.
#pragma once

#include <cstdint>

namespace TeskUtility::detail {

inline constexpr std::int64_t kPowersOfTen[19] = {
    1LL,
    10LL,
    100LL,
    1000LL,
    10000LL,
    100000LL,
    1000000LL,
    10000000LL,
    100000000LL,
    1000000000LL,
    10000000000LL,
    100000000000LL,
    1000000000000LL,
    10000000000000LL,
    100000000000000LL,
    1000000000000000LL,
    10000000000000000LL,
    100000000000000000LL,
    1000000000000000000LL,
};

// 10^dot for dot 1..9, else 1 (no decimals).
constexpr std::int32_t Divisor32(std::int32_t dot) {
    return (dot >= 1 && dot <= 9) ? static_cast<std::int32_t>(kPowersOfTen[dot]) : 1;
}
// 10^dot for dot 1..18, else 1.
constexpr std::int64_t Divisor64(std::int32_t dot) { return (dot >= 1 && dot <= 18) ? kPowersOfTen[dot] : 1; }

}  // namespace TeskUtility::detail
