// Byte-order marks, byte-order swapping and UTF-8 text.
//
//   TeskUtility::ECharsetType ct = TeskUtility::ProbeCharset(data, size);   // by byte-order mark only
//   data += TeskUtility::GetBOMLength(ct);
//   TeskUtility::ConvertLEBE(TeskUtility::CT_UTF16BE, buf, n);            // swap 16-bit units in place
//   std::u16string w = TeskUtility::UTF8toW("\xE4\xB8\xAD", 3);            // u"\u4E2D"
//   TeskUtility::ConvertStringByCheckCT(text);   // a narrow string that is really UTF-8 becomes ANSI
#pragma once

#include <cstdint>

#include "tesk/types.h"

namespace TeskUtility {

enum ECharsetType : std::int32_t {
    CT_UNKNOWN = 0,
    CT_ANSI = 1,
    CT_UTF8 = 2,
    CT_UTF16LE = 3,
    CT_UTF16BE = 4,
    CT_UTF32LE = 5,
    CT_UTF32BE = 6,
};

// The mark's length: 3, 2, 2, 4, 4 for types 2..6; 0 otherwise.
int GetBOMLength(ECharsetType type);
// The library's constant mark bytes for types 2..6; null otherwise.
const unsigned char* GetBOM(ECharsetType type);
// 2 for the UTF-16 types, 4 for the UTF-32 types, 0 otherwise.
int GetBytesPerChar(ECharsetType type);
// CT_UNKNOWN for null or empty data; the type whose mark starts the data
// (UTF-32LE before UTF-16LE); CT_ANSI when no mark matches.
ECharsetType ProbeCharset(const void* data, int size);
// Reverses the bytes of every 2- or 4-byte unit in place. 0 for a type without
// units, a negative size or one that is not a multiple of the unit; else 1.
int ConvertLEBE(ECharsetType type, void* data, int size);

// A narrow string below 1024 bytes that starts like UTF-8 (lead byte, then a
// continuation byte) and does not read as whole double-byte ANSI characters is
// replaced by its conversion from UTF-8 to the thread's ANSI code page.
void ConvertStringByCheckCT(CStringA& text);
// Decodes `length` bytes of UTF-8 (negative: up to the NUL); empty on failure or null data.
CStringW UTF8toW(const void* data, int length);
// UTF8toW, then to the thread's ANSI code page.
CStringA UTF8toA(const void* data, int length);

}  // namespace TeskUtility
