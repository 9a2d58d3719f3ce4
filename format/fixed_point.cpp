#include <cmath>

#include "format/divisor_table.h"
#include "tesk/format_fixed.h"

namespace TeskUtility {

std::int32_t DotToDivisor(std::int32_t dot) { return detail::Divisor32(dot); }
std::int64_t DotToDivisor64(std::int32_t dot) { return detail::Divisor64(dot); }

// Products wrap in the width of the operation; the arithmetic goes through
// unsigned types so that wrapping is defined.
std::int32_t StripDecimal(std::int32_t value, std::int32_t dot) { return value / detail::Divisor32(dot); }
std::int64_t StripDecimal(std::int64_t value, std::int32_t dot) { return value / detail::Divisor64(dot); }
std::int32_t AppendDecimal(std::int32_t value, std::int32_t dot) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) *
                                     static_cast<std::uint32_t>(detail::Divisor32(dot)));
}
std::int64_t AppendDecimal(std::int64_t value, std::int32_t dot) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(value) *
                                     static_cast<std::uint64_t>(detail::Divisor64(dot)));
}

std::int32_t DotOffSet(std::int32_t value, std::int32_t newDot, std::int32_t oldDot) {
    const std::int64_t d = static_cast<std::int64_t>(newDot) - oldDot;
    if (d > 0) return AppendDecimal(value, static_cast<std::int32_t>(d > 10 ? 10 : d));
    if (d < 0) return StripDecimal(value, static_cast<std::int32_t>(-d > 10 ? 10 : -d));
    return value;
}

double Round(double value, std::uint32_t digits) {
    if (digits > 18) return value;
    const double p = std::pow(10.0, static_cast<double>(digits));
    if (value >= 0) return std::floor((value + 0.5 / p) * p) / p;
    return std::ceil((value - 0.5 / p) * p) / p;
}

namespace {

std::int32_t RoundedRatio(std::int64_t times10000, std::int64_t times100000, std::int64_t whole) {
    const std::int64_t q = times10000 / whole;
    const std::int64_t t = times100000 / whole;
    const std::int32_t r = static_cast<std::int32_t>(t) % 10;  // low 32 bits, sign kept
    std::int64_t result = q;
    if (r >= 5) ++result;
    else if (r <= -5) --result;
    return static_cast<std::int32_t>(result);
}

}  // namespace

std::int32_t GetPercentValueWithRound(std::int32_t part, std::int32_t whole) {
    if (whole == 0) return 0;
    // The products are 32-bit, as the host's arithmetic has always formed them.
    const auto p10000 = static_cast<std::int32_t>(static_cast<std::uint32_t>(part) * 10000u);
    const auto p100000 = static_cast<std::int32_t>(static_cast<std::uint32_t>(part) * 100000u);
    return RoundedRatio(p10000, p100000, whole);
}

std::int32_t GetPercentValueWithRound(std::int64_t part, std::int64_t whole) {
    if (whole == 0) return 0;
    const auto p10000 = static_cast<std::int64_t>(static_cast<std::uint64_t>(part) * 10000u);
    const auto p100000 = static_cast<std::int64_t>(static_cast<std::uint64_t>(part) * 100000u);
    return RoundedRatio(p10000, p100000, whole);
}

namespace {

constexpr int kFitRows = 9;
constexpr int kFitColumns = 7;
constexpr std::int32_t kFitScales[kFitRows][kFitColumns] = {
    {15, 50, 100, 300, 1000, 2000, 4000},
    {15, 50, 100, 500, 1500, 3000, 5000},
    {50, 100, 500, 1000, 2000, 5000, 10000},
    {50, 100, 500, 1500, 3000, 10000, 30000},
    {100, 500, 1000, 2000, 5000, 15000, 50000},
    {100, 500, 1000, 3000, 10000, 30000, 90000},
    {1000, 2000, 5000, 15000, 50000, 80000, 100000},
    {5000, 10000, 50000, 100000, 150000, 200000, 500000},
    {10000, 30000, 50000, 300000, 500000, 800000, 1000000},
};

}  // namespace

void FindFitScale(double value, std::vector<std::int32_t>& steps) {
    steps.clear();
    for (int column = 4; column < kFitColumns; ++column) {
        for (int row = 0; row < kFitRows; ++row) {
            if (kFitScales[row][column] > value) {
                steps.assign(std::begin(kFitScales[row]), std::end(kFitScales[row]));
                return;
            }
        }
    }
}

int GetFitScaleCount() { return 5; }

}  // namespace TeskUtility
