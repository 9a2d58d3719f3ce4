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
    EXPECT_TRUE(static_cast<bool>(GetMessageBoxHandler()));
}
