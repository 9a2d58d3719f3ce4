// Numbers scaled to a unit with a suffix: 1234567 as "1M", 25000 as "25K".
// The quotient is cut, never rounded.
//
//   std::string s;
//   TeskUtility::NumberConvertA(std::int32_t{1234567}, s, TeskUtility::Auto, TeskUtility::Plain, 0);  // "1M"
//   TeskUtility::NumberConvertT(std::int32_t{123456789}, 2, 0, s, TeskUtility::Kilo,
//                               TeskUtility::Number, 0);                                            // "1234.56K"
//   TeskUtility::NumberConvert_SetSign(TeskUtility::Kilo, 'k');
#pragma once

#include <cstdint>

#include "tesk/types.h"

#pragma push_macro("None")
#undef None

namespace TeskUtility {

enum ENumberConvert : int {
    None = 1,
    Kilo = 2,
    Mega = 3,
    HundredMega = 4,  // shown with a text sign only ("億" by default)
    Giga = 5,
    Tera = 6,
    Auto = 7,  // chosen from the magnitude; the 32- and 64-bit rules differ at the boundaries
};

enum ENumberConvertFormatType : int {
    Plain = 1,   // digits with a leading '-'
    Comma = 2,   // CommaFormatA with showZeroSign 1
    Number = 3,  // NumberFormatA with showZeroSign 1: "- 5", the zero sign for 0
    Volume = 4,  // VolumeFormatA with showZeroSign 1
};

void NumberConvert_LoadDefault();
std::int32_t NumberConvert_GetFugures(ENumberConvert unit);  // decimal digits of the unit
std::int32_t NumberConvert_GetDivisor(ENumberConvert unit);
std::int64_t NumberConvert_GetDivisor64(ENumberConvert unit);
char NumberConvert_GetSign(ENumberConvert unit);  // 0: no sign
CStringA NumberConvert_GetSignT(ENumberConvert unit);
// 0 and printable ASCII (space included) are accepted for None, Kilo, Mega, Giga and Tera.
int NumberConvert_SetSign(ENumberConvert unit, char sign);
int NumberConvert_SetSignT(ENumberConvert unit, CStringA text);  // HundredMega only

// Character signs. lessThanOne != 0 shows a quotient of 0 as "<1". Always returns 1.
int NumberConvertA(std::int32_t value, CStringA& out, ENumberConvert unit, ENumberConvertFormatType style,
                   int lessThanOne);
int NumberConvertA(std::int64_t value, CStringA& out, ENumberConvert unit, ENumberConvertFormatType style,
                   int lessThanOne);
int NumberConvertW(std::int32_t value, CStringW& out, ENumberConvert unit, ENumberConvertFormatType style,
                   int lessThanOne);
int NumberConvertW(std::int64_t value, CStringW& out, ENumberConvert unit, ENumberConvertFormatType style,
                   int lessThanOne);
// Text signs (HundredMega included); the Number style reads the quotient as a
// fixed-point value with `dot` decimals (divisor 0: 10^dot).
int NumberConvertT(std::int32_t value, std::int32_t dot, std::int64_t divisor, CStringA& out, ENumberConvert unit,
                   ENumberConvertFormatType style, int lessThanOne);
int NumberConvertT(std::int64_t value, std::int32_t dot, std::int64_t divisor, CStringA& out, ENumberConvert unit,
                   ENumberConvertFormatType style, int lessThanOne);

}  // namespace TeskUtility

#pragma pop_macro("None")
