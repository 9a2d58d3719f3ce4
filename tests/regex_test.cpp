#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tesk/platform.h"
#include "tesk/util_regex.h"

using namespace TeskUtility;

struct NarrowCase { const char* pattern; const char* text; int caseSensitive, expected; unsigned cp = 950; };

TEST(RegexMatch, NarrowTable) {
    static const NarrowCase kCases[] = {
        // language elements
        {"\\d+", "ab12", 1, 1}, {"^\\d+$", "ab12", 1, 0}, {"ABC", "xabcx", 0, 1}, {"ABC", "xabcx", 1, 0},
        {"^\\d*$", "", 1, 1}, {"^\\d*$", "123", 1, 1}, {"^\\d*$", "12a", 1, 0}, {"^\\d*\\.\\d+$", "12.5", 1, 1},
        {"^\\d*\\.\\d+$", ".5", 1, 1}, {"^\\d*\\.\\d+$", "12.", 1, 0}, {"^\\d*\\.\\d+$", "1.2.3", 1, 0},
        {"a.c", "abc", 1, 1}, {"a.c", "ac", 1, 0}, {"a.c", "a\nc", 1, 1}, {"[a-c]+$", "xxabc", 1, 1},
        {"[^a-c]", "abc", 1, 0}, {"[^a-c]", "abcd", 1, 1}, {"^[-a]$", "-", 1, 1}, {"^[a-]$", "-", 1, 1},
        {"^[\\]]$", "]", 1, 1}, {"colou?r", "the color", 1, 1}, {"^a*?$", "aaa", 1, 1}, {"^a+?b", "aaab", 1, 1},
        {"^a??b$", "ab", 1, 1}, {"^(ab)+$", "ababab", 1, 1}, {"^(ab)+$", "ababa", 1, 0}, {"^{ab}+$", "abab", 1, 1},
        {"^{a|b}c$", "bc", 1, 1},
        {"x$y", "ax$yb", 1, 1},   // $ away from the end is a plain character
        {"a^", "a^", 1, 1},       // so is ^ away from the start
        {"$", "abc", 1, 1}, {"^$", "", 1, 1}, {"^$", "a", 1, 0},
        {"a$", "a\n", 1, 0},      // the end of the text, not before a final line feed
        {"()", "x", 1, 1}, {"\\.", "a.b", 1, 1}, {"\\.", "ab", 1, 0}, {"\\*\\+\\?", "a*+?", 1, 1},
        {"\\D", "D", 1, 1},       // not an abbreviation: the letter itself
        {"\\(\\)", "()", 1, 1},
        // anchors pin the whole alternation
        {"^cat|dog$", "dog", 1, 1}, {"^cat|dog$", "cat", 1, 1}, {"^cat|dog$", "hotdog", 1, 0},
        {"^cat|dog$", "cats", 1, 0}, {"cat|dog", "hotdog", 1, 1},
        // negation
        {"^!\\d\\c+$", "abc", 1, 1}, {"^!\\d\\c+$", "1bc", 1, 0}, {"^!(ab)..$", "ab", 1, 0},
        {"^!(ab)..$", "ac", 1, 1}, {"^!!a..$", "ab", 1, 1}, {"^!!a..$", "bb", 1, 0},
        {"^!a*b", "b", 1, 0},     // a* matches the empty text, so its negation never holds
        // abbreviations
        {"\\a", "!", 1, 0}, {"\\a", "x!", 1, 1}, {"^\\b$", " ", 1, 1}, {"^\\b$", "\t", 1, 1}, {"^\\b$", "x", 1, 0},
        {"^\\c$", "Z", 1, 1}, {"^\\c$", "5", 1, 0}, {"^\\d$", "7", 1, 1}, {"^\\h+$", "0aF9", 1, 1},
        {"^\\h+$", "0g", 1, 0}, {"^a\\nb$", "a\r\nb", 1, 1}, {"^a\\nb$", "a\nb", 1, 1}, {"^a\\nb$", "a\rb", 1, 1},
        {"^a\\nb$", "a\n\rb", 1, 0}, {"^\\q$", "\"hi\"", 1, 1}, {"^\\q$", "'x'", 1, 1}, {"^\\q$", "\"x'", 1, 0},
        {"^x\\qy$", "x'a'y", 1, 1},  // \q is one unit, its alternation stays inside
        {"^x\\qy$", "x", 1, 0}, {"^\\w$", "abc", 1, 1}, {"^\\w$", "ab1", 1, 0}, {"^\\z$", "0123", 1, 1},
        {"^\\z$", "", 1, 0}, {"^\\z+,\\z$", "12,34", 1, 1}, {"^\\w$", "ABC", 0, 1}, {"^\\d$", "x", 0, 0},
        // the case flag
        {"[a-c]", "B", 0, 1}, {"[a-c]", "B", 1, 0}, {"[^a]", "A", 0, 0}, {"[^a]", "A", 1, 1},
        {"^[X-b]+$", "xyZab", 0, 1},  // a range across both cases folds each part
        {"hello", "HeLLo", 0, 1}, {"hello", "HeLLo", 1, 0}, {"^[0-9]$", "5", 0, 1},
        // Big5 characters are whole
        {"^\xB3\x5C$", "\xB3\x5C", 1, 1},            // a trail byte 5C is not an escape
        {"^\xB3\x5C" "d$", "\xB3\x5C" "d", 1, 1}, {"^.$", "\xA4\x40", 1, 1}, {"^..$", "\xA4\x40", 1, 0},
        {"^.a$", "\xA4\x40" "a", 1, 1},
        {"@", "\xA4\x40", 1, 0},                      // no match may start on a trail byte
        {"@", "\xA4\x40@", 1, 1}, {"A", "\xA4\x41", 1, 0}, {"a", "\xA4\x41", 0, 0},
        {"\xA4\x41", "\xA4\x61", 0, 0},               // trail bytes never fold
        {"^[\xA4\x40\xA4\x47]$", "\xA4\x47", 1, 1}, {"^[\xA4\x40\xA4\x47]$", "\xA4\x54", 1, 0},
        {"^[^\xA4\x40]$", "\xA4\x47", 1, 1}, {"^[^\xA4\x40]$", "\xA4\x40", 1, 0}, {"^[^\xA4\x40]$", "a", 1, 1},
        {"^[^a]$", "\xA4\x61", 1, 1}, {"^[\xA4\x40-\xA4\x54]+$", "\xA4\x47\xA4\x40", 1, 1},
        {"^[\xA4\x40-\xA4\x54]+$", "\xA4\xAD", 1, 0}, {"^[\xA4\x40-\xA5\x7C]$", "\xA5\x40", 1, 1},
        {"^[\xA4\x40-\xA5\x7C]$", "\xA4\xFE", 1, 1}, {"^[\xA4\x40-\xA5\x7C]$", "\xA6\x40", 1, 0},
        {"^[\xA4\x40-\xA5\x7C]$", "\xA4\x3F", 1, 0}, {"^[a-z\xA4\x40]+$", "ab\xA4\x40z", 1, 1},
        {"^\xA4\x40+$", "\xA4\x40\xA4\x40", 1, 1}, {"^\xA4\x40+$", "\xA4\x40\x40", 1, 0},
        {"\xA5\x7C\\d", "x\xA5\x7C" "5", 1, 1},
        {"^.*$", "\xA4\x40\xA4", 1, 1},               // a lead byte at the end stands alone
        // the thread's code page decides what a character is
        {"^..$", "\xA4\x40", 1, 0}, {"^..$", "\xA4\x40", 1, 1, 1252}, {"^.$", "\xE4\xB8\x80", 1, 1, 65001},
        {"^[\xE4\xB8\x80-\xE5\x8D\x81]$", "\xE4\xBA\x8C", 1, 1, 65001},
        {"^\xE4$", "\xE4", 1, 0, 65001},             // not UTF-8: does not parse
        {"^..$", "\xA4\x40", 1, 0},                  // back on Big5: found in the cache behind the others
    };
    for (const NarrowCase& c : kCases) {
        SetThreadAnsiCodePage(c.cp);
        EXPECT_EQ(RegexMatchA(c.pattern, c.text, c.caseSensitive), c.expected)
            << "pattern \"" << c.pattern << "\" text \"" << c.text << "\" case " << c.caseSensitive << " cp "
            << c.cp;
    }
}

TEST(RegexMatch, MalformedExpressionsGiveZero) {
    static const char* const kPatterns[] = {
        "(", ")", "a)", "{a", "a}", "[", "[]", "[^]", "[a", "\\", "[a\\", "[z-a]", "*a", "+", "?", "a**", "a+*",
        "a???", "a*?+", "!", "a!", "(!)", "a|!", "^*", "(|*)",
    };
    for (const char* p : kPatterns) EXPECT_EQ(RegexMatchA(p, "a", 1), 0) << p;
    EXPECT_EQ(std::tuple(RegexMatchA(nullptr, "a", 1), RegexMatchA("a", nullptr, 1),
                         RegexMatchW(nullptr, u"a", 1), RegexMatchW(u"a", nullptr, 1)),
              std::tuple(0, 0, 0, 0));
    // The search tells the causes apart.
    EXPECT_EQ(std::tuple(RegexSearchA("a+", "xaa"), RegexSearchA("b", "xaa"), RegexSearchA("[z-a]", "x"),
                         RegexSearchW(u"(", u"x")),
              std::tuple(RegexMatched, RegexNoMatch, RegexBadPattern, RegexBadPattern));
}

TEST(RegexMatch, WideForm) {
    struct Case { const char16_t* pattern; const char16_t* text; int caseSensitive; int expected; };
    static const Case kCases[] = {
        {u"\\d+", u"ab12", 1, 1}, {u"^\\d+$", u"ab12", 1, 0}, {u"ABC", u"xabcx", 0, 1}, {u"ABC", u"xabcx", 1, 0},
        {u"(", u"x", 1, 0},
        {u"^.$", u"\U0001F600", 1, 1},            // a surrogate pair is one character
        {u"^..$", u"\U0001F600", 1, 0}, {u"\\d+", u"\u4E00 12", 1, 1}, {u"^[\u4E00-\u9FFF]+$", u"\u4E2D\u6587", 1, 1},
        {u"^[^\u4E00]$", u"\u4E01", 1, 1},
        {u"^\u00E9$", u"\u00C9", 0, 0},           // letters fold by ASCII case only
        {u"a", u"\xD800" u"a", 1, 1},             // an unpaired surrogate in the text is passed over
        {u"a\xD800", u"a", 1, 0},                 // and in the pattern does not parse
        {u"^{\\z}-\\z$", u"10-20", 1, 1}, {u"^\u3000*\\w$", u"\u3000\u3000ab", 1, 1},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(RegexMatchW(c.pattern, c.text, c.caseSensitive), c.expected)
            << WideToUtf8(c.pattern) << " / " << WideToUtf8(c.text);
}

TEST(RegexMatch, HostilePatternsEndQuickly) {
    const std::string as(20000, 'a');
    for (const char* p : {"(a*)*b", "(a|a)*b", "(a|aa)*c", "(.*.*)*!"})
        EXPECT_EQ(RegexMatchA(p, as.c_str(), 1), 0) << p;
    EXPECT_EQ(RegexMatchA("^(.*a){12}", std::string(3000, 'a').c_str(), 1), 0);  // {12} is a group: literal text
    EXPECT_EQ(RegexMatchA("(.*)*@", std::string(20000, '\xA4').c_str(), 1), 0);
    EXPECT_EQ(RegexMatchA((std::string(5000, '(') + "a" + std::string(5000, ')')).c_str(), "a", 1), 0);
    EXPECT_EQ(RegexMatchA((std::string(5000, '!') + "a").c_str(), "b", 1), 0);
    std::string nested;
    for (int i = 0; i < 60; ++i) nested = "(a*" + nested + ")*";
    EXPECT_EQ(RegexMatchA((nested + "b").c_str(), as.c_str(), 1), 0);
}

// 40 patterns in both case modes overflow the cache; the last check finds its entry behind another.
TEST(RegexMatch, CacheKeepsFlagsAndPatternsApart) {
    for (int i = 0; i < 40; ++i) {
        const std::string n = std::to_string(i), pattern = "^x" + n + "$";
        const std::string lower = "x" + n, upper = "X" + n;
        EXPECT_EQ(RegexMatchA(pattern.c_str(), lower.c_str(), 1), 1);
        EXPECT_EQ(RegexMatchA(pattern.c_str(), upper.c_str(), 0), 1);
        EXPECT_EQ(RegexMatchA(pattern.c_str(), upper.c_str(), 1), 0);
    }
}
