#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tesk/platform.h"

using namespace TeskUtility;
using namespace std::string_literals;

TEST(CodePage, Conversions) {
    enum Way { Both, ToWide, ToNarrow };
    struct Case { unsigned page; std::string narrow; std::u16string wide; Way way; };
    const Case kCases[] = {
        {CP_ACP, "", u"", Both}, {CP_ACP, "abc 1.5", u"abc 1.5", Both}, {CP_ACP, "\xA1\xB6", u"\u25B2", Both},
        {CP_ACP, "\xA1\x40", u"\u3000", Both}, {CP_ACP, "A\xA4\xA4" "B", u"A\u4E2DB", Both},
        // What the page lacks is one '?': a letter, a whole surrogate pair, a lone surrogate, a cut-off pair.
        {CP_ACP, "a?b", u"a\u00E9b", ToNarrow}, {CP_ACP, "x?y", u"x\U0001F600y", ToNarrow},
        {CP_ACP, "?z", u"\xD800z", ToNarrow}, {CP_ACP, "\xA1", u"?", ToWide},
        {CP_UTF8, "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80", u"\u00E9\u4E2D\U0001F600", Both},
        {CP_UTF8, "?", u"\xD800", ToNarrow}, {54936, "\xD6\xD0\xD6\xD0", u"\u4E2D\u4E2D", Both},
        {12001, "\0\0\0A\0\0\0B\0\0\0C\0\0\0D\0\0\0E\0\0\0F"s, u"ABCDEF", Both},  // outgrows the first buffer
        // A page iconv does not know passes ASCII through and turns the rest into '?'.
        {12345, "a\xA4\xA4", u"a??", ToWide}, {12345, "a?", u"a\u4E2D", ToNarrow},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.page << " " << WideToUtf8(c.wide));
        if (c.way != ToNarrow) {
            EXPECT_EQ(MultiByteToWide(c.narrow, c.page), c.wide);
        }
        if (c.way != ToWide) {
            EXPECT_EQ(WideToMultiByte(c.wide, c.page), c.narrow);
        }
    }
    EXPECT_EQ(AnsiToUtf8("\xA1\xB6+1"), "\xE2\x96\xB2+1");
    EXPECT_EQ(Utf8ToAnsi("\xE2\x96\xB2"), "\xA1\xB6");
}

TEST(CodePage, PerThreadBig5DefaultNamesAndLeadBytes) {
    EXPECT_EQ(GetThreadAnsiCodePage(), 950u);
    SetThreadAnsiCodePage(65001);
    unsigned other = 0;
    std::thread([&] { other = GetThreadAnsiCodePage(); }).join();
    EXPECT_EQ(other, 950u);
    EXPECT_EQ(AnsiToWide("\xE2\x96\xB2"), u"\u25B2");
    SetThreadAnsiCodePage(950);

    const std::pair<unsigned, const char*> names[] = {
        {65001, "UTF-8"}, {1200, "UTF-16LE"}, {1201, "UTF-16BE"}, {12000, "UTF-32LE"}, {12001, "UTF-32BE"},
        {20127, "ASCII"}, {28591, "ISO-8859-1"}, {936, "CP936"}, {54936, "GB18030"}, {CP_ACP, "CP950"},
        {12345, "CP12345"},
    };
    for (const auto& [page, name] : names) EXPECT_EQ(CodePageToCharsetName(page), name);
    const struct { unsigned page; unsigned char lead, notLead; } dbcs[] = {  // lead 0: the page has none
        {932, 0x81, 0xA0}, {932, 0xE0, 0xFD}, {936, 0x81, 0x80}, {949, 0xFE, 0xFF}, {54936, 0x81, 0x7F},
        {1252, 0, 0x81},
    };
    for (const auto& c : dbcs) {
        SetThreadAnsiCodePage(c.page);
        EXPECT_EQ(IsDBCSLeadByte(c.lead), c.lead != 0) << c.page;
        EXPECT_FALSE(IsDBCSLeadByte(c.notLead)) << c.page;
    }
    SetThreadAnsiCodePage(CP_BIG5);
}

TEST(MessageBox, HandlerIsReplaceable) {
    std::string seen;
    SetMessageBoxHandler([&](const std::string& text, const std::string&, unsigned) {
        seen = text;
        return IDCANCEL;
    });
    EXPECT_EQ(MessageBox("hello", "", MB_ICONSTOP), IDCANCEL);
    EXPECT_EQ(seen, "hello");
    SetMessageBoxHandler(nullptr);
    // The default writes "caption: text" (or the text alone) to stderr in UTF-8 and answers OK.
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox("\xA1\xB6", "t", MB_OK), IDOK);
    EXPECT_EQ(MessageBox("x"), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "t: \xE2\x96\xB2\nx\n");
}
