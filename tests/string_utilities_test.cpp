#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "tesk/util_strings.h"

using namespace TeskUtility;

TEST(StripSpace, Table) {
    struct Case { std::string text; unsigned length; std::string expected; };
    const Case kCases[] = {
        {"\x41\x20\x42\xA1\x40\x43", 0, "ABC"}, {std::string(40, ' '), 0, ""}, {"", 0, ""},
        {"A BCD", 3, "AB"},                                // bytes past the length are cut off
        {"\xA1\x41 x", 0, "\xA1\x41x"},                    // other A1 pairs are kept whole
        {"ab\xA1", 0, "ab\xA1"},                           // a last A1 stands alone
        {"a\xA1\x40", 2, "a\xA1"},                         // the pair must lie within the length
        {"\xA4\xA1\x40z", 0, "\xA4z"},                     // A1 is seen even as a trail byte
        {"\xA4\x40 \xA4\x40", 0, "\xA4\x40\xA4\x40"},      // other lead bytes go one byte at a time
        {std::string(31, 'x') + " " + std::string(31, 'y'), 0, std::string(31, 'x') + std::string(31, 'y')},
        {"\tA\t", 0, "\tA\t"},
    };
    for (const Case& c : kCases) {
        std::string buffer = c.text + '\0';
        const unsigned kept = StripSpaceA(buffer.data(), c.length);
        EXPECT_EQ(std::string(buffer.c_str()), c.expected) << c.text;
        EXPECT_EQ(kept, c.expected.size()) << c.text;
    }
    const struct { std::u16string text; unsigned length; std::u16string expected; } wideCases[] = {
        {u"\u3000A B\tC\u3000", 0, u"AB\tC"}, {std::u16string(40, u' ') + u"x" + std::u16string(40, u'\u3000'), 0, u"x"},
        {u"a b c d", 3, u"ab"},
    };
    for (const auto& c : wideCases) {
        std::u16string buffer = c.text;
        EXPECT_EQ(StripSpaceW(buffer.data(), c.length), c.expected.size());
        EXPECT_EQ(std::u16string(buffer.c_str()), c.expected);
    }
}

TEST(IsContainChinese, Ranges) {
    // Anything outside printable ASCII counts; an explicit length reads past a zero.
    const struct { const char* text; int length; int expected; } cases[] = {
        {"ABC", -1, 0}, {"AB\t", -1, 1}, {"", -1, 0}, {"AB\xA4\x40", -1, 1}, {"AB\xA4\x40", 2, 0},
        {"AB\0C", 4, 1}, {"~ ", -1, 0}, {"\x7F", -1, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(IsContainChineseA(c.text, c.length), c.expected) << c.text;
    EXPECT_EQ(std::tuple(IsContainChineseW(u"abc", -1), IsContainChineseW(u"ab\u4E00", -1),
                         IsContainChineseW(u"ab\u4E00", 2)),
              std::tuple(0, 1, 0));
}

TEST(WildcardMatch, Table) {
    struct Case { const char* pattern; const char* text; int expected; };
    static const Case kCases[] = {
        {"*.txt", "a.txt", 1}, {"a?c", "abc", 1}, {"a?c", "ac", 0}, {"*", "", 1}, {"", "", 1}, {"A*", "abc", 0},
        {"", "a", 0}, {"a", "", 0}, {"?", "", 0}, {"**", "abc", 1}, {"a*b*c", "aXbYc", 1}, {"a*b*c", "aXbY", 0},
        {"*a", "bbba", 1},
        {"*ab", "aab", 1},             // the backtrack point moves one character on
        {"*aab", "aaab", 1}, {"a*", "a", 1}, {"*?", "", 0}, {"*?", "x", 1}, {"?*?", "x", 0}, {"*.*", "noext", 0},
        {"data_??.csv", "data_01.csv", 1}, {"data_??.csv", "data_1.csv", 0},
        {"\xA4*", "\xA4\x40\xA4\x47", 1},  // bytes, not characters
        {"??", "\xA4\x40", 1},
    };
    const auto wide = [](const char* s) { return std::u16string(s, s + std::strlen(s)); };
    for (const Case& c : kCases) {
        EXPECT_EQ(WildcardMatchA(c.pattern, c.text), c.expected) << c.pattern << " / " << c.text;
        EXPECT_EQ(WildcardMatchW(wide(c.pattern).c_str(), wide(c.text).c_str()), c.expected) << c.pattern;
    }
    EXPECT_EQ(WildcardMatchW(u"?", u"\u4E00"), 1);
    EXPECT_EQ(WildcardMatchA(nullptr, "a"), 0);
}

TEST(GetCutStringDQByIsChinese, SplitsBig5) {
    std::deque<CStringA> chars{"old"};
    std::deque<int> kinds{9};
    GetCutStringDQByIsChinese("A\xA4\x40" "b\xA5\x7C\xA4", chars, kinds);
    EXPECT_EQ(chars, (std::deque<CStringA>{"old", "A", "\xA4\x40", "b", "\xA5\x7C", "\xA4"}));
    EXPECT_EQ(kinds, (std::deque<int>{9, 1, 0, 1, 0, 0}));
}

TEST(GetAutoMultiString, Table) {
    struct Case { std::string text; std::string expected; int broken; };
    const std::string one = "\xA4\x40", two = "\xA4\x47", three = "\xA4\x54", four = "\xA5\x7C", five = "\xA4\xAD";
    const Case kCases[] = {
        {one + two + three + four + five, one + two + "\n" + three + four + five, 1}, {"ABCDEFGH", "ABCDEFGH", 0},
        {one + two + three, one + two + three, 0}, {"", "", 0}, {"A", "A", 0},
        {one + two + "AB" + three + four, one + two + "\n" + "AB" + three + four, 1},   // k walks back over AB
        {one + "ABCD" + two, one + "ABCD" + two, 0}, {"X" + one + two + "ABCDE", "X" + one + two + "\n" + "ABCDE", 1},
    };
    for (const Case& c : kCases) {
        int broken = -1;
        EXPECT_EQ(GetAutoMultiString(c.text, broken), c.expected) << c.text;
        EXPECT_EQ(broken, c.broken) << c.text;
    }
}

TEST(OptionSectorName, AddAndCut) {
    // What the name "N" becomes with the symbol added, and then cut again.
    struct Case { std::string symbol, added, cut; };
    const Case kCases[] = {
        {"TXO001", "TXO001 N", " N"}, {"TXO01", "TXO01  N", " N"}, {"TXO1", "TXO1\xA1\x40 N", " N"},
        {"", "\xA1\x40 N", " N"},
    };
    for (const Case& c : kCases) {
        std::string name = "N";
        GetOptionSectorNameAddUndlySymbol(c.symbol, name);
        EXPECT_EQ(name, c.added);
        GetOptionSectorNameCutUndlySymbol(c.symbol, name);
        EXPECT_EQ(name, c.cut);
    }
    std::string repeated = "CDE \xA1\x40" "CDE \xA1\x40" "X CDE";
    GetOptionSectorNameCutUndlySymbol("CDE ", repeated);  // 4 bytes: separator A1 40
    EXPECT_EQ(repeated, "X CDE");
    EXPECT_EQ(std::pair(GetIsEngNumChar('\x7F'), GetIsEngNumChar('\x80')), std::pair(1, 0));
}
