#include <gtest/gtest.h>

#include <thread>

#include "tesk/platform.h"

using namespace TeskUtility;

struct CodePageCase {
    const char* name;
    std::string narrow;
    std::u16string wide;
};

class CodePageRoundTrip : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(CodePageRoundTrip, Big5BothWays) {
    const auto& c = GetParam();
    EXPECT_EQ(AnsiToWide(c.narrow), c.wide);
    EXPECT_EQ(WideToAnsi(c.wide), c.narrow);
}

INSTANTIATE_TEST_SUITE_P(Texts, CodePageRoundTrip,
                         ::testing::Values(CodePageCase{"empty", "", u""}, CodePageCase{"ascii", "abc 1.5", u"abc 1.5"},
                                           CodePageCase{"triangle", "\xA1\xB6", u"\u25B2"},
                                           CodePageCase{"ideographic_space", "\xA1\x40", u"\u3000"},
                                           CodePageCase{"mixed", "A\xA4\xA4" "B", u"A\u4E2DB"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodePage, UnrepresentableBecomesQuestionMark) {
    EXPECT_EQ(WideToAnsi(u"a\u00E9b"), "a?b");          // é has no Big5 form
    EXPECT_EQ(WideToAnsi(u"x\U0001F600y"), "x?y");      // one '?' for a whole surrogate pair
    EXPECT_EQ(WideToAnsi(std::u16string(1, char16_t(0xD800)) + u"z"), "?z");  // lone surrogate
    EXPECT_EQ(AnsiToWide("\xA1"), u"?");                // truncated double-byte character
}

TEST(CodePage, IsPerThreadWithBig5Default) {
    EXPECT_EQ(GetThreadAnsiCodePage(), 950u);
    SetThreadAnsiCodePage(65001);
    unsigned other = 0;
    std::thread([&] { other = GetThreadAnsiCodePage(); }).join();
    EXPECT_EQ(other, 950u);
    EXPECT_EQ(AnsiToWide("\xE2\x96\xB2"), u"\u25B2");
    SetThreadAnsiCodePage(950);
}

TEST(CodePage, Utf8Bridges) {
    EXPECT_EQ(AnsiToUtf8("\xA1\xB6+1"), "\xE2\x96\xB2+1");
    EXPECT_EQ(Utf8ToAnsi("\xE2\x96\xB2"), "\xA1\xB6");
    // Three UTF-8 bytes per unit outgrow the first buffer (two per unit) several times.
    std::string utf8;
    for (int i = 0; i < 200; ++i) utf8 += "\xE4\xB8\xAD";
    EXPECT_EQ(WideToUtf8(std::u16string(200, u'\u4E2D')), utf8);
    EXPECT_EQ(WideToMultiByte(u"\u4E2D\u4E2D", 54936).size(), 4u);
}

TEST(CodePage, NamesLeadBytesAndUnknownPages) {
    const std::pair<unsigned, const char*> names[] = {
        {65001, "UTF-8"},  {1200, "UTF-16LE"},     {1201, "UTF-16BE"}, {12000, "UTF-32LE"}, {12001, "UTF-32BE"},
        {20127, "ASCII"},  {28591, "ISO-8859-1"},  {936, "CP936"},     {54936, "GB18030"},  {CP_ACP, "CP950"},
        {12345, "CP12345"},
    };
    for (const auto& [page, name] : names) EXPECT_EQ(CodePageToCharsetName(page), name);

    const struct {
        unsigned page;
        unsigned char lead, notLead;
    } dbcs[] = {{932, 0x81, 0xA0}, {932, 0xE0, 0xFD}, {936, 0x81, 0x80}, {949, 0xFE, 0xFF}, {54936, 0x81, 0x7F}};
    for (const auto& c : dbcs) {
        SetThreadAnsiCodePage(c.page);
        EXPECT_TRUE(IsDBCSLeadByte(c.lead)) << c.page;
        EXPECT_FALSE(IsDBCSLeadByte(c.notLead)) << c.page;
    }
    SetThreadAnsiCodePage(1252);
    EXPECT_FALSE(IsDBCSLeadByte(0x81));
    SetThreadAnsiCodePage(CP_BIG5);

    // A page iconv does not know passes ASCII through and turns the rest into '?'.
    EXPECT_EQ(MultiByteToWide("a\xA4\xA4", 12345), u"a??");
    EXPECT_EQ(WideToMultiByte(u"a\u4E2D", 12345), "a?");
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
