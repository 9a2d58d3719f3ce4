#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tesk/platform.h"
#include "tesk/settings_charset.h"

namespace {

using namespace TeskUtility;
using Bytes = std::vector<unsigned char>;

// Each type's mark, length and unit (every mark probes as its own type), and its byte order swap.
TEST(Charset, MarksProbesAndByteOrder) {
    const struct { int type; Bytes bom; int unit; } marks[] = {
        {CT_UNKNOWN, {}, 0}, {CT_ANSI, {}, 0}, {CT_UTF8, {0xEF, 0xBB, 0xBF}, 0},
        {CT_UTF16LE, {0xFF, 0xFE}, 2}, {CT_UTF16BE, {0xFE, 0xFF}, 2}, {CT_UTF32LE, {0xFF, 0xFE, 0, 0}, 4},
        {CT_UTF32BE, {0, 0, 0xFE, 0xFF}, 4}, {7, {}, 0}, {-1, {}, 0},
    };
    for (const auto& c : marks) {
        SCOPED_TRACE(c.type);
        const auto type = static_cast<ECharsetType>(c.type);
        EXPECT_EQ(GetBOMLength(type), static_cast<int>(c.bom.size()));
        EXPECT_EQ(GetBytesPerChar(type), c.unit);
        const unsigned char* bom = GetBOM(type);
        ASSERT_EQ(bom == nullptr, c.bom.empty());
        if (bom) {
            EXPECT_EQ(Bytes(bom, bom + c.bom.size()), c.bom);
            EXPECT_EQ(ProbeCharset(bom, GetBOMLength(type)), type);
        }
    }
    // Data past a mark, marks cut short, no mark.
    const struct { Bytes data; ECharsetType want; } probes[] = {
        {{0xFF, 0xFE, 0x00, 0x00, 0x41}, CT_UTF32LE}, {{0xFF, 0xFE, 0x41, 0x00}, CT_UTF16LE},
        {{0xEF, 0xBB}, CT_ANSI},                      {{0x00, 0x00, 0xFE}, CT_ANSI}, {{0x41}, CT_ANSI},
    };
    for (const auto& c : probes) {
        EXPECT_EQ(ProbeCharset(c.data.data(), static_cast<int>(c.data.size())), c.want)
            << testing::PrintToString(c.data);
    }
    EXPECT_EQ(ProbeCharset("\xFF", 0), CT_UNKNOWN);
    EXPECT_EQ(ProbeCharset(nullptr, 4), CT_UNKNOWN);

    // Byte order swaps: whole units only.
    const struct { int type; Bytes in; int size, result; Bytes out; } swaps[] = {
        {CT_UTF16LE, {0x41, 0, 0x42, 0}, 4, 1, {0, 0x41, 0, 0x42}}, {CT_UTF16BE, {0, 0x41}, 2, 1, {0x41, 0}},
        {CT_UTF16LE, {0x41, 0, 0x42, 0}, 3, 0, {0x41, 0, 0x42, 0}},
        {CT_UTF32LE, {1, 2, 3, 4, 5, 6, 7, 8}, 8, 1, {4, 3, 2, 1, 8, 7, 6, 5}},
        {CT_UTF32BE, {1, 2, 3, 4, 5, 6}, 6, 0, {1, 2, 3, 4, 5, 6}}, {CT_UTF8, {0x41, 0}, 2, 0, {0x41, 0}},
        {CT_UTF16LE, {0x41, 0}, -2, 0, {0x41, 0}}, {CT_UTF16LE, {0x41, 0}, 0, 1, {0x41, 0}},
    };
    for (const auto& c : swaps) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " size " << c.size);
        Bytes data = c.in;
        EXPECT_EQ(ConvertLEBE(static_cast<ECharsetType>(c.type), data.data(), c.size), c.result);
        EXPECT_EQ(data, c.out);
    }
}

// UTF-8 to wide and to the ANSI code page; short texts that look like UTF-8 become ANSI.
TEST(Charset, Utf8Conversions) {
    EXPECT_EQ(UTF8toW("\xE4\xB8\xAD", 3), u"\u4E2D");
    EXPECT_EQ(UTF8toW("\xE4\xB8\xAD\xE6\x96\x87", -1), u"\u4E2D\u6587");
    EXPECT_EQ(UTF8toW("ab\0cd", 5), std::u16string(u"ab\0cd", 5));
    EXPECT_EQ(UTF8toW("abc", 0), u"");
    EXPECT_EQ(UTF8toW(nullptr, 3), u"");
    // U+4E2D is A4 A4 in Big5.
    EXPECT_EQ(UTF8toA("\xE4\xB8\xAD!", -1), "\xA4\xA4!");
    EXPECT_EQ(UTF8toA(nullptr, -1), "");

    std::string longUtf8;
    while (longUtf8.size() < 1024) longUtf8 += "\xE4\xB8\xAD";
    const struct { const char* name; std::string in, out; } cases[] = {
        {"ascii", "hello", "hello"}, {"one byte", "\xE4", "\xE4"},
        {"Big5 double-byte text", "\xA4\xA4\xA4\xE5", "\xA4\xA4\xA4\xE5"},
        {"UTF-8 text", "\xE4\xB8\xAD\xE6\x96\x87", "\xA4\xA4\xA4\xE5"},
        {"UTF-8 text with ASCII", "\xE4\xB8\xAD" "ab", "\xA4\xA4" "ab"},
        // Reads as two Big5 characters (E4 B8, AD 61), so it passes for ANSI.
        {"UTF-8 that pairs up as Big5", "\xE4\xB8\xAD" "a", "\xE4\xB8\xAD" "a"},
        {"second byte not a continuation", "\xE4\x41\x42", "\xE4\x41\x42"},
        {"1024 bytes or more", longUtf8, longUtf8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = c.in;
        ConvertStringByCheckCT(text);
        EXPECT_EQ(text, c.out);
    }
}

}  // namespace
