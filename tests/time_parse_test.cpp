#include <gtest/gtest.h>

#include "tesk/format_time.h"
#include "tesk/platform.h"

using namespace TeskUtility;

// a, b, c: hour, minute, second or year, month, day
struct ParseCase { const char* text; int length; int digitsOnly; int ok; unsigned a, b, c; };

std::ostream& operator<<(std::ostream& os, const ParseCase& c) {
    return os << '"' << c.text << "\" len " << c.length << " digitsOnly " << c.digitsOnly;
}

// Runs a case through the pointer and string forms of both twins; outputs stay
// untouched on failure.
template <class First, class ParseA, class ParseW>
void ExpectAllForms(const ParseCase& c, ParseA parseA, ParseW parseW) {
    const std::string narrow = c.length < 0 ? std::string(c.text) : std::string(c.text, c.length);
    const std::u16string wide = AnsiToWide(narrow), wideFull = AnsiToWide(c.text);
    First a[4];
    unsigned char b[4], d[4];
    for (int i = 0; i < 4; ++i) a[i] = b[i] = d[i] = 77;
    const int results[4] = {parseA(c.text, c.length, a[0], b[0], d[0], c.digitsOnly),
                            parseA(narrow, a[1], b[1], d[1], c.digitsOnly),
                            parseW(wideFull.c_str(), c.length, a[2], b[2], d[2], c.digitsOnly),
                            parseW(wide, a[3], b[3], d[3], c.digitsOnly)};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(results[i], c.ok) << "form " << i;
        EXPECT_EQ(a[i], c.ok ? c.a : 77u) << "form " << i;
        EXPECT_EQ(b[i], c.ok ? c.b : 77u) << "form " << i;
        EXPECT_EQ(d[i], c.ok ? c.c : 77u) << "form " << i;
    }
}

#define PARSER(fn) [](auto&&... args) { return fn(args...); }

class TimeParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(TimeParse, AllForms) {
    ExpectAllForms<unsigned char>(GetParam(), PARSER(TimeStringToByteA), PARSER(TimeStringToByteW));
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, TimeParse,
    ::testing::Values(ParseCase{"093015", -1, 0, 1, 9, 30, 15}, ParseCase{"09:30:15", -1, 0, 1, 9, 0, 0},
                      ParseCase{"09:30:15", -1, 1, 1, 9, 30, 15}, ParseCase{"09.30.15 extra", -1, 1, 1, 9, 30, 15},
                      ParseCase{"0930159999", -1, 0, 1, 9, 30, 15}, ParseCase{"09:30", -1, 0, 0, 0, 0, 0},
                      ParseCase{"09:30", -1, 1, 0, 0, 0, 0}, ParseCase{"9:30:1x5", -1, 1, 0, 0, 0, 0},
                      ParseCase{"240000", -1, 0, 1, 24, 0, 0}, ParseCase{"240001", -1, 0, 0, 0, 0, 0},
                      ParseCase{"236000", -1, 0, 0, 0, 0, 0}, ParseCase{"235959", -1, 0, 1, 23, 59, 59},
                      ParseCase{"093015", 5, 0, 0, 0, 0, 0},   // length cuts below six
                      ParseCase{"09301", 6, 1, 0, 0, 0, 0},    // explicit length past the digits
                      ParseCase{"ab:cd:", -1, 0, 1, 0, 0, 0},  // pieces without digits read as 0
                      ParseCase{"-13015", -1, 0, 0, 0, 0, 0},  // "-1" wraps to 255
                      ParseCase{"", -1, 1, 0, 0, 0, 0}));

TEST(TimeParseNull, NullTextFails) {
    unsigned char h = 1, m = 2, s = 3;
    EXPECT_EQ(TimeStringToByteA(nullptr, -1, h, m, s, 0), 0);
    EXPECT_EQ(TimeStringToByteW(nullptr, 10, h, m, s, 1), 0);
    std::uint16_t y = 4;
    EXPECT_EQ(DateStringToByteA(nullptr, -1, y, m, s, 1), 0);
    EXPECT_EQ(DateStringToByteW(nullptr, -1, y, m, s, 0), 0);
    EXPECT_EQ(h + m + s + y, 10);
}

class DateParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(DateParse, AllForms) {
    ExpectAllForms<std::uint16_t>(GetParam(), PARSER(DateStringToByteA), PARSER(DateStringToByteW));
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, DateParse,
    ::testing::Values(ParseCase{"20210726", 8, 0, 1, 2021, 7, 26}, ParseCase{"2021/07/26", -1, 1, 1, 2021, 7, 26},
                      ParseCase{"2021-7-26", -1, 1, 0, 0, 0, 0}, ParseCase{"20211300", -1, 0, 0, 0, 0, 0},
                      ParseCase{"20210231", -1, 0, 1, 2021, 2, 31}, ParseCase{"20210001", -1, 0, 0, 0, 0, 0},
                      ParseCase{"20210132", -1, 0, 0, 0, 0, 0}, ParseCase{"2021072", -1, 0, 0, 0, 0, 0},
                      ParseCase{"20210726", 7, 0, 0, 0, 0, 0}, ParseCase{"99999999", -1, 0, 0, 0, 0, 0},
                      ParseCase{"00001231", -1, 0, 1, 0, 12, 31},
                      ParseCase{"2021/07/26", -1, 0, 0, 0, 0, 0}));  // fixed positions see "/0" as month
