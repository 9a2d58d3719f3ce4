// Squeezing values into narrow grid cells, and small number-text conversions.
//
//   TeskUtility::MakeFlowString(1536);                   // "    1.50 KB"
//   std::string digits, unit; unsigned decimals;
//   TeskUtility::ShortenVolume(1234567, digits, unit, decimals);   // "123", "M", 2: 1.23M
//   CDC dc; CFont font; font.CreatePointFont(90, "DejaVu Sans"); dc.SelectObject(&font);
//   CRect tail;
//   TeskUtility::GetShortVolumeFormateString(&dc, CRect(0, 0, 100, 20), 1234567, text, tail, 2);
//   // text "123M"; draw it right-aligned and the "23" inside `tail` in a smaller style
#pragma once

#include <cstdint>

#include "tesk/types.h"

class CDC;

namespace TeskUtility {

// Tail rectangle alignment of GetShort...FormateString.
enum ECompactAlign : unsigned int {
    CompactAlign_Left = 0,
    CompactAlign_Center = 1,
    CompactAlign_Right = 2,
};

// "1024x768" with 'x' -> (1024, 768); (0, 0) without a separator or a first part.
// length < 1 reads up to the NUL.
CSize ConvertStringToSize(const char* text, int length, char separator);

// A byte count as "%8s B ", "%8s KB" or "%8s MB"; the fractions are cut, not rounded.
CStringA MakeFlowString(std::int64_t bytes);

// CommaFormatWithDotA, then with `shorten` set a grouped text is cut before its
// last grouping character and "K" appended: "12,345.67" -> "12K", "1,234,567" -> "1,234K".
void CommaAutoShortenFormatWithDot(CStringA& out, std::int64_t value, std::int32_t dot, std::int64_t divisor,
                                   int showZeroSign, int shorten);

// Digits with `decimals` trailing decimal digits and a unit: 1234567 -> "123", "M", 2.
void ShortenVolume(std::int64_t value, CStringA& digits, CStringA& unit, unsigned int& decimals);
// A price text without its points: "12.34" -> "1234", 2. Prefix signs stay.
void ShortenPrice(const CStringA& price, CStringA& digits, unsigned int& decimals);

// The shortened text and the rectangle its decimal tail occupies in `cell`, measured
// in dc's selected font. 0 when there is nothing to split off (or dc is null).
int GetShortVolumeFormateString(CDC* dc, CRect cell, std::int64_t value, CStringA& text, CRect& tail,
                                unsigned int align);
int GetShortPriceFormateString(CDC* dc, CRect cell, std::int32_t value, unsigned int state, std::int32_t dot,
                               std::int32_t divisor, CStringA& text, CRect& tail, unsigned int align);

// "1234567.890" -> "1,234,567.890"; trim != 0 drops trailing decimal zeros.
CStringA AmouontFormatStrNumber(CStringA text, int trim);
// Cuts (never rounds) or zero-pads the decimals to `decimals`; 0 for one-character texts.
int TrimStringToDotNum(CStringA& text, int decimals);
// "20210726" -> 2021, 7, 26; only eight-character texts, nothing validated.
int GetYearMonthDayFormateByString(CStringA text, int& year, int& month, int& day);
// "3.14159", 3 -> "3.142"; "0.00" and "0.0" -> "-".
CStringA SpecificDotFloatString(CStringA text, unsigned int decimals);
CStringA SpecificDotFloatStringFormat(unsigned int decimals);  // 2 -> "%.2f"

}  // namespace TeskUtility
