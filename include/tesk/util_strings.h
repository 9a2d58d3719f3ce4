// Cleaning, classifying, matching and splitting display strings. Narrow text is
// in the ANSI code page (Big5: a byte of 0x80 or more starts a two-byte
// character, A1 40 is the full-width space); wide text is UTF-16.
//
//   char name[] = "A \xA1\x40" "B";
//   TeskUtility::StripSpaceA(name, 0);                   // 2, name == "AB"
//   TeskUtility::WildcardMatchA("*.txt", "a.txt");       // 1
//   int broke; TeskUtility::GetAutoMultiString(s, broke); // long name in two lines
#pragma once

#include <deque>
#include <string>

#include "tesk/types.h"

namespace TeskUtility {

// Removes spaces and full-width spaces in place, within the first `length`
// units (0: measure it); bytes beyond them are cut off. Returns the new length.
unsigned StripSpaceA(char* text, unsigned length);
unsigned StripSpaceW(char16_t* text, unsigned length);

// 1 when any unit of the range lies outside printable ASCII 0x20..0x7E
// (a negative length measures up to the terminator).
int IsContainChineseA(const char* text, int length);
int IsContainChineseW(const char16_t* text, int length);

// Whole-text, case-sensitive match: * any run, ? exactly one unit.
int WildcardMatchA(const char* pattern, const char* text);
int WildcardMatchW(const char16_t* pattern, const char16_t* text);

// 1 for a single-byte character (0x00..0x7F).
int GetIsEngNumChar(char c);

// Appends one string per character of `text` (at most 255 bytes are read) and
// its kind: 1 single-byte, 0 two-byte. Neither sequence is cleared first.
void GetCutStringDQByIsChinese(CStringA text, std::deque<CStringA>& chars, std::deque<int>& kinds);

// Breaks a long name into two lines near its middle, never inside a run of
// single-byte characters; `broken` tells whether a line feed was inserted.
CStringA GetAutoMultiString(CStringA text, int& broken);

// Option sector names: "symbol<spacer>name", the spacer chosen by symbol length.
void GetOptionSectorNameAddUndlySymbol(CStringA symbol, CStringA& name);
void GetOptionSectorNameCutUndlySymbol(CStringA symbol, CStringA& name);

}  // namespace TeskUtility
