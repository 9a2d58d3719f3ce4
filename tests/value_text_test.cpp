#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "settings/value_text.h"

using namespace TeskUtility::detail;

TEST(ValueText, DoubleForms) {
    const struct { double value; const char* text; } cases[] = {
        {100.0, "100."}, {1.0, "1."}, {0.5, "0.5"}, {-2.5, "-2.5"}, {0.05, "5.e-002"}, {1e12, "1.e+012"},
        {123456789012.0, "123456789012"}, {1234567890123.0, "1.23456789012e+012"}, {0.1, "0.1"},
        {0.123456789012345, "0.123456789012"}, {1.0 / 3.0, "0.333333333333"}, {-0.001, "-1.e-003"},
        {1e-300, "1.e-300"}, {1.7976931348623157e308, "1.79769313486e+308"}, {5e-324, "4.94065645841e-324"},
        {0.0, "0."},
        // The notation is chosen by the exponent before rounding: this value is
        // below 0.1 though it rounds to 0.100000000000.
        {0.09999999999999995, "1.e-001"}, {999999999999.7, "1000000000000"}, {99999999999.96, "100000000000."},
        {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto& c : cases) EXPECT_STREQ(FormatDouble(c.value).text, c.text) << c.value;
}

// Each text through the three readers: leading space and sign, digits up to the first other character.
TEST(ValueText, Readers) {
    const struct { const char* text; std::int64_t as32, as64; double asDouble; } cases[] = {
        {" -42abc", -42, -42, -42.0}, {"abc", 0, 0, 0.0}, {"", 0, 0, 0.0}, {"-", 0, 0, 0.0},
        {"+17", 17, 17, 17.0}, {"\t\n 8", 8, 8, 8.0}, {"007", 7, 7, 7.0}, {"- 5", 0, 0, 0.0},
        {"12.9", 12, 12, 12.9}, {"5.e-002", 5, 5, 0.05}, {"  +1.5", 1, 1, 1.5}, {"-2.5x", -2, -2, -2.5},
        {".5", 0, 0, 0.5}, {"1e400", 1, 1, HUGE_VAL},
        {"2147483648", INT32_MAX, 2147483648LL, 2147483648.0},
        {"-2147483649", INT32_MIN, -2147483649LL, -2147483649.0},
        {"-9223372036854775808", INT32_MIN, INT64_MIN, -9223372036854775808.0},
        {"99999999999999999999", INT32_MAX, INT64_MAX, 1e20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadInteger(c.text), c.as32) << c.text;
        EXPECT_EQ(ReadInteger64(c.text), c.as64) << c.text;
        EXPECT_EQ(ReadDouble(c.text), c.asDouble) << c.text;
    }
    for (const std::int64_t v : {std::int64_t{-5}, std::int64_t{0}, INT64_MIN})
        EXPECT_EQ(FormatInteger(v).text, std::to_string(v));
}
