// Volumes, grouped amounts, plain numbers and grouped integers.
//
//   std::string s;
//   TeskUtility::VolumeFormatA(s, 1234567, 0);                 // "1,234,567"
//   TeskUtility::CommaFormatWithDotA(s, 123456789, 2, 0, 0);   // "1,234,567.89"
//   TeskUtility::NumberFormatA(s, -1234, 2, 0, 0);             // "- 12.34"
#pragma once

#include <cstdint>

#include "tesk/types.h"

namespace TeskUtility {

// ---- VolumeFormat (its EnableCommaSign is shared with CommaFormatWithDot)
void VolumeFormatA(CStringA& out, std::int32_t value, int showZeroSign);
void VolumeFormatW(CStringW& out, std::int32_t value, int showZeroSign);
void VolumeFormatA(CStringA& out, std::int64_t value, int showZeroSign);
void VolumeFormatW(CStringW& out, std::int64_t value, int showZeroSign);
void VolumeFormatWithUnit(CStringA& out, std::int32_t value, const CStringA& unit);
void VolumeFormatWithUnit(CStringA& out, std::int64_t value, const CStringA& unit);
void VolumeFormat_LoadDefault();
void VolumeFormat_SetZeroSign(char sign);
char VolumeFormat_GetZeroSign();
void VolumeFormat_SetCommaSign(char sign);
char VolumeFormat_GetCommaSign();
void VolumeFormat_EnableCommaSign(int enable);
int VolumeFormat_IsShowCommaSign();

// ---- CommaFormatWithDot
void CommaFormatWithDotA(CStringA& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign);
void CommaFormatWithDotW(CStringW& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign);
void CommaFormatWithDotA(CStringA& out, std::int64_t value, std::int32_t dot, std::int64_t divisor, int showZeroSign);
void CommaFormatWithDotW(CStringW& out, std::int64_t value, std::int32_t dot, std::int64_t divisor, int showZeroSign);
void CommaFormatWithDot_LoadDefault();
void CommaFormatWithDot_SetZeroSign(char sign);
char CommaFormatWithDot_GetZeroSign();
void CommaFormatWithDot_SetCommaSign(char sign);
char CommaFormatWithDot_GetCommaSign();  // the VolumeFormat comma sign
void CommaFormatWithDot_EnableCommaSign(int enable);
int CommaFormatWithDot_IsShowCommaSign();
void CommaFormatWithDot_SetPlusMinusSign(const char* plus, const char* minus);

// ---- NumberFormat
void NumberFormatA(CStringA& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign);
void NumberFormatW(CStringW& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign);
void NumberFormatA(CStringA& out, std::int64_t value, std::int32_t dot, std::int64_t divisor, int showZeroSign);
void NumberFormatW(CStringW& out, std::int64_t value, std::int32_t dot, std::int64_t divisor, int showZeroSign);
void NumberFormat_LoadDefault();
void NumberFormat_SetZeroSign(char sign);
char NumberFormat_GetZeroSign();

// ---- CommaFormat
void CommaFormatA(CStringA& out, std::int32_t value, int showZeroSign);
void CommaFormatW(CStringW& out, std::int32_t value, int showZeroSign);
void CommaFormatA(CStringA& out, std::int64_t value, int showZeroSign);
void CommaFormatW(CStringW& out, std::int64_t value, int showZeroSign);
void CommaFormat_LoadDefault();
void CommaFormat_SetZeroSign(char sign);
char CommaFormat_GetZeroSign();
void CommaFormat_SetCommaSign(char sign);
char CommaFormat_GetCommaSign();
void CommaFormat_EnableCommaSign(int enable);
int CommaFormat_IsShowCommaSign();
void CommaFormat_SetPlusMinusSign(const char* plus, const char* minus);

}  // namespace TeskUtility
