// Price differences and percentages: a direction sign chosen by price state.
//
//   std::string s;
//   TeskUtility::DiffPriceFormatA(s, 150, 2 /*rises*/, 2, 0, 0);   // "\xA1\xB6 1.50" (▲ 1.50)
//   TeskUtility::PercentFormatA(s, -1234, 2, 0, 0);                 // "- 12.34%"
#pragma once

#include <cstdint>

#include "tesk/types.h"

namespace TeskUtility {

// ---- DiffPriceFormat
void DiffPriceFormatA(CStringA& out, std::int32_t value, std::uint32_t state, std::int32_t dot, std::int32_t divisor,
                      int showZeroSign);
void DiffPriceFormatW(CStringW& out, std::int32_t value, std::uint32_t state, std::int32_t dot, std::int32_t divisor,
                      int showZeroSign);
void DiffPriceFormat_LoadDefault();
void DiffPriceFormat_SetZeroSign(char sign);
char DiffPriceFormat_GetZeroSign();
void DiffPriceFormat_EnablePrefixSign(int enable);
int DiffPriceFormat_IsShowPrefixSign();
void DiffPriceFormat_SetPrefixSign(const char* rises, const char* flat, const char* fall);
const char* DiffPriceFormat_GetRisesSign();
const char* DiffPriceFormat_GetFlatSign();
const char* DiffPriceFormat_GetFallSign();

// ---- PercentFormatWithSign
void PercentFormatWithSignA(CStringA& out, std::int32_t value, std::uint32_t state, std::int32_t dot,
                            std::int32_t divisor, int showZeroSign);
void PercentFormatWithSignW(CStringW& out, std::int32_t value, std::uint32_t state, std::int32_t dot,
                            std::int32_t divisor, int showZeroSign);
void PercentFormatWithSign_LoadDefault();
void PercentFormatWithSign_SetZeroSign(char sign);
char PercentFormatWithSign_GetZeroSign();
void PercentFormatWithSign_EnablePrefixSign(int enable);
int PercentFormatWithSign_IsShowPrefixSign();
void PercentFormatWithSign_SetPrefixSign(const char* rises, const char* flat, const char* fall);
const char* PercentFormatWithSign_GetRisesSign();
const char* PercentFormatWithSign_GetFlatSign();
const char* PercentFormatWithSign_GetFallSign();
void PercentFormatWithSign_EnablePercentSign(int enable);
int PercentFormatWithSign_IsShowPercentSign();
void PercentFormatWithSign_SetPercentSign(char sign);
char PercentFormatWithSign_GetPercentSign();

// ---- PercentFormat
void PercentFormatA(CStringA& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign);
void PercentFormatW(CStringW& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign);
void PercentFormat_LoadDefault();
void PercentFormat_SetZeroSign(char sign);
char PercentFormat_GetZeroSign();
void PercentFormat_EnablePercentSign(int enable);
int PercentFormat_IsShowPercentSign();
void PercentFormat_SetPercentSign(char sign);
char PercentFormat_GetPercentSign();

}  // namespace TeskUtility
