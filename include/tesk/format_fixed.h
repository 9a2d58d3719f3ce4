// Fixed-point values: an integer with a dot count (decimal places).
//
//   std::int32_t v, dot;
//   TeskUtility::AnalyzeValue_Price("-12.5", v, dot);   // v = -125, dot = 1
//   TeskUtility::DotOffSet(1234, 4, 2);                  // 123400
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tesk/types.h"

namespace TeskUtility {

// Marks a text AnalyzeValue_Price could not parse.
constexpr std::int32_t kInvalidValue = static_cast<std::int32_t>(0x80000000u);

std::int32_t DotToDivisor(std::int32_t dot);
std::int64_t DotToDivisor64(std::int32_t dot);
std::int32_t StripDecimal(std::int32_t value, std::int32_t dot);
std::int64_t StripDecimal(std::int64_t value, std::int32_t dot);
std::int32_t AppendDecimal(std::int32_t value, std::int32_t dot);
std::int64_t AppendDecimal(std::int64_t value, std::int32_t dot);
std::int32_t DotOffSet(std::int32_t value, std::int32_t newDot, std::int32_t oldDot);
double Round(double value, std::uint32_t digits);
std::int32_t GetPercentValueWithRound(std::int32_t part, std::int32_t whole);
std::int32_t GetPercentValueWithRound(std::int64_t part, std::int64_t whole);

void AnalyzeValue_Normal(CStringA text, std::int32_t& value, std::int32_t& dot);
void AnalyzeValue_Price(CStringA text, std::int32_t& value, std::int32_t& dot);
void AnalyzeValue_PriceEx(CStringA text, double& result);
std::int32_t GetCommodity_PriceValue(CStringA text, std::int32_t divisor);
int TrimDecimalRightZero(CStringA& text, int minDecimals);

void FindFitScale(double value, std::vector<std::int32_t>& steps);
int GetFitScaleCount();

}  // namespace TeskUtility
