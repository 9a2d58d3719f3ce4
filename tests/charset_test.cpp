#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tesk/platform.h"
#include "tesk/settings_charset.h"

namespace {

using namespace TeskUtility;

std::vector<unsigned char> Bytes(std::initializer_list<int> list) {
    std::vector<unsigned char> v;
    for (int b : list) v.push_back(static_cast<unsigned char>(b));
    return v;
}

TEST(Charset, ProbeByByteOrderMark) {
    struct Case { std::vector<unsigned char> data; ECharsetType want; } cases[] = {
        {Bytes({0xFF, 0xFE, 0x00, 0x00}), CT_UTF32LE}, {Bytes({0xFF, 0xFE, 0x00, 0x00, 0x41}), CT_UTF32LE},
        {Bytes({0x00, 0x00, 0xFE, 0xFF}), CT_UTF32BE}, {Bytes({0xFF, 0xFE, 0x00}), CT_UTF16LE},
        {Bytes({0xFF, 0xFE, 0x41, 0x00}), CT_UTF16LE}, {Bytes({0xFE, 0xFF}), CT_UTF16BE},
        {Bytes({0xEF, 0xBB, 0xBF}), CT_UTF8},          {Bytes({0xEF, 0xBB}), CT_ANSI},
        {Bytes({0x00, 0x00, 0xFE}), CT_ANSI},          {Bytes({0x41}), CT_ANSI},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.data));
        EXPECT_EQ(ProbeCharset(c.data.data(), static_cast<int>(c.data.size())), c.want);
    }
    const unsigned char one = 0xFF;
    EXPECT_EQ(ProbeCharset(&one, 0), CT_UNKNOWN);
    EXPECT_EQ(ProbeCharset(nullptr, 4), CT_UNKNOWN);
}

TEST(Charset, MarksLengthsAndUnits) {
    struct Case { int type; std::vector<unsigned char> bom; int unit; } cases[] = {
        {CT_UNKNOWN, {}, 0},  {CT_ANSI, {}, 0},      {CT_UTF8, Bytes({0xEF, 0xBB, 0xBF}), 0},
        {CT_UTF16LE, Bytes({0xFF, 0xFE}), 2},         {CT_UTF16BE, Bytes({0xFE, 0xFF}), 2},
        {CT_UTF32LE, Bytes({0xFF, 0xFE, 0, 0}), 4},   {CT_UTF32BE, Bytes({0, 0, 0xFE, 0xFF}), 4},
        {7, {}, 0},           {-1, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const auto type = static_cast<ECharsetType>(c.type);
        EXPECT_EQ(GetBOMLength(type), static_cast<int>(c.bom.size()));
        EXPECT_EQ(GetBytesPerChar(type), c.unit);
        const unsigned char* bom = GetBOM(type);
        ASSERT_EQ(bom == nullptr, c.bom.empty());
        if (bom) {
            EXPECT_EQ(std::vector<unsigned char>(bom, bom + c.bom.size()), c.bom);
            EXPECT_EQ(ProbeCharset(bom, GetBOMLength(type)), type) << "each mark probes as its own type";
        }
    }
}

TEST(Charset, ConvertLEBE) {
    struct Case { int type; std::vector<unsigned char> in; int size, result; std::vector<unsigned char> out; };
    const Case cases[] = {
        {CT_UTF16LE, Bytes({0x41, 0, 0x42, 0}), 4, 1, Bytes({0, 0x41, 0, 0x42})},
        {CT_UTF16BE, Bytes({0, 0x41}), 2, 1, Bytes({0x41, 0})},
        {CT_UTF16LE, Bytes({0x41, 0, 0x42, 0}), 3, 0, Bytes({0x41, 0, 0x42, 0})},
        {CT_UTF32LE, Bytes({1, 2, 3, 4, 5, 6, 7, 8}), 8, 1, Bytes({4, 3, 2, 1, 8, 7, 6, 5})},
        {CT_UTF32BE, Bytes({1, 2, 3, 4, 5, 6}), 6, 0, Bytes({1, 2, 3, 4, 5, 6})},
        {CT_UTF8, Bytes({0x41, 0}), 2, 0, Bytes({0x41, 0})}, {CT_UTF16LE, Bytes({0x41, 0}), -2, 0, Bytes({0x41, 0})},
        {CT_UTF16LE, Bytes({0x41, 0}), 0, 1, Bytes({0x41, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " size " << c.size);
        std::vector<unsigned char> data = c.in;
        EXPECT_EQ(ConvertLEBE(static_cast<ECharsetType>(c.type), data.data(), c.size), c.result);
        EXPECT_EQ(data, c.out);
    }
}

TEST(Charset, UTF8Decoding) {
    EXPECT_EQ(UTF8toW("\xE4\xB8\xAD", 3), u"\u4E2D");
    EXPECT_EQ(UTF8toW("\xE4\xB8\xAD\xE6\x96\x87", -1), u"\u4E2D\u6587");
    EXPECT_EQ(UTF8toW("ab\0cd", 5), std::u16string(u"ab\0cd", 5));
    EXPECT_EQ(UTF8toW("abc", 0), u"");
    EXPECT_EQ(UTF8toW(nullptr, 3), u"");
    // U+4E2D is A4 A4 in Big5.
    EXPECT_EQ(UTF8toA("\xE4\xB8\xAD!", -1), "\xA4\xA4!");
    EXPECT_EQ(UTF8toA(nullptr, -1), "");
}

TEST(Charset, ConvertStringByCheckCT) {
    const std::string longUtf8 = [] {
        std::string s;
        while (s.size() < 1024) s += "\xE4\xB8\xAD";
        return s;
    }();
    struct Case { const char* name; std::string in; std::string out; } cases[] = {
        {"ascii", "hello", "hello"}, {"one byte", "\xE4", "\xE4"},
        {"Big5 double-byte text", "\xA4\xA4\xA4\xE5", "\xA4\xA4\xA4\xE5"},
        {"UTF-8 text", "\xE4\xB8\xAD\xE6\x96\x87", "\xA4\xA4\xA4\xE5"},
        {"UTF-8 text with ASCII", "\xE4\xB8\xAD" "ab", "\xA4\xA4" "ab"},
        // Reads as two Big5 characters (E4 B8, AD 61), so it passes for ANSI.
        {"UTF-8 that pairs up as Big5", "\xE4\xB8\xAD" "a", "\xE4\xB8\xAD" "a"},
        {"second byte not a continuation", "\xE4\x41\x42", "\xE4\x41\x42"},
        {"1024 bytes or more", longUtf8, longUtf8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = c.in;
        ConvertStringByCheckCT(text);
        EXPECT_EQ(text, c.out);
    }
}

}  // namespace
