#include <gtest/gtest.h>

#include <tuple>

#include "tesk/format_time.h"
#include "tesk/platform.h"

using namespace TeskUtility;

namespace {

// a, b, c: hour, minute, second or year, month, day
struct ParseCase { const char* text; int length; int digitsOnly; int ok; unsigned a, b, c; };

// Runs each case through the pointer and string forms of both twins; outputs stay
// untouched on failure.
template <class First, class ParseA, class ParseW>
void ExpectParses(std::initializer_list<ParseCase> cases, ParseA parseA, ParseW parseW) {
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" " << c.length << " " << c.digitsOnly);
        const std::string narrow = c.length < 0 ? std::string(c.text) : std::string(c.text, c.length);
        const std::u16string wide = AnsiToWide(narrow), wideFull = AnsiToWide(c.text);
        First a[4] = {77, 77, 77, 77};
        unsigned char b[4] = {77, 77, 77, 77}, d[4] = {77, 77, 77, 77};
        const int results[4] = {parseA(c.text, c.length, a[0], b[0], d[0], c.digitsOnly),
                                parseA(narrow, a[1], b[1], d[1], c.digitsOnly),
                                parseW(wideFull.c_str(), c.length, a[2], b[2], d[2], c.digitsOnly),
                                parseW(wide, a[3], b[3], d[3], c.digitsOnly)};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(results[i], c.ok) << "form " << i;
            EXPECT_EQ(std::tuple(unsigned{a[i]}, unsigned{b[i]}, unsigned{d[i]}),
                      c.ok ? std::tuple(c.a, c.b, c.c) : std::tuple(77u, 77u, 77u)) << "form " << i;
        }
    }
}

#define PARSER(fn) [](auto&&... args) { return fn(args...); }

}  // namespace

// Pieces without digits read as 0; "-1" wraps to 255.
TEST(TimeParse, AllForms) {
    ExpectParses<unsigned char>(
        {{"093015", -1, 0, 1, 9, 30, 15}, {"09:30:15", -1, 0, 1, 9, 0, 0}, {"09:30:15", -1, 1, 1, 9, 30, 15},
         {"09.30.15 99", -1, 1, 1, 9, 30, 15}, {"0930159999", -1, 0, 1, 9, 30, 15},
         {"09:30", -1, 0, 0, 0, 0, 0}, {"9:30:1x5", -1, 1, 0, 0, 0, 0}, {"093015", 5, 0, 0, 0, 0, 0},
         {"ab:cd:", -1, 0, 1, 0, 0, 0}, {"-13015", -1, 0, 0, 0, 0, 0}},
        PARSER(TimeStringToByteA), PARSER(TimeStringToByteW));
    // A null text fails in either mode and leaves the outputs alone.
    unsigned char h = 1, m = 2, s = 3;
    EXPECT_EQ(TimeStringToByteA(nullptr, -1, h, m, s, 0), 0);
    EXPECT_EQ(TimeStringToByteW(nullptr, 10, h, m, s, 1), 0);
    std::uint16_t y = 4;
    EXPECT_EQ(DateStringToByteA(nullptr, -1, y, m, s, 1), 0);
    EXPECT_EQ(DateStringToByteW(nullptr, -1, y, m, s, 0), 0);
    EXPECT_EQ(h + m + s + y, 10);
}

// Fixed positions see "/0" as the month.
TEST(DateParse, AllForms) {
    ExpectParses<std::uint16_t>(
        {{"20210726", 8, 0, 1, 2021, 7, 26}, {"2021/07/26", -1, 1, 1, 2021, 7, 26},
         {"20210231", -1, 0, 1, 2021, 2, 31}, {"00001231", -1, 0, 1, 0, 12, 31},
         {"2021-7-26", -1, 1, 0, 0, 0, 0}, {"20211300", -1, 0, 0, 0, 0, 0}, {"20210001", -1, 0, 0, 0, 0, 0},
         {"20210132", -1, 0, 0, 0, 0, 0}, {"20210726", 7, 0, 0, 0, 0, 0}, {"2021/07/26", -1, 0, 0, 0, 0, 0}},
        PARSER(DateStringToByteA), PARSER(DateStringToByteW));
}
