#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "util/decimal_readers.h"

using namespace TeskUtility::detail;

TEST(DecimalReaders, TheTwoRulesDifferOnlyOnBlanksAndPlus) {
    struct Case { std::string_view text; std::int32_t minusAndDigits, spaceSignAndDigits; };
    const Case cases[] = {
        {"45", 45, 45},           {" 45", 0, 45},           {"\t\n-45", 0, -45},    {"+45", 0, 45},
        {"-45x", -45, -45},       {"", 0, 0},               {"-", 0, 0},            {"x1", 0, 0},
        {"--1", 0, 0},            {"+-1", 0, 0},            {"2147483647", 2147483647, 2147483647},
        {"2147483648", INT32_MAX, INT32_MAX},               {"-2147483648", INT32_MIN, INT32_MIN},
        {"-99999999999", INT32_MIN, INT32_MIN},             {std::string_view("1\0" "2", 3), 1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadMinusAndDigits<std::int32_t>(c.text), c.minusAndDigits) << c.text;
        EXPECT_EQ(ReadSpaceSignAndDigits<std::int32_t>(c.text), c.spaceSignAndDigits) << c.text;
    }
    // Wide text and 64 bits.
    EXPECT_EQ(ReadMinusAndDigits<long>(std::u16string_view(u"-0930")), -930);
    EXPECT_EQ(ReadMinusAndDigits<long>(std::u16string_view(u"\uFF11")), 0);  // a full-width digit is no digit
    EXPECT_EQ(ReadSpaceSignAndDigits<std::int64_t>(std::string_view(" -9223372036854775808")), INT64_MIN);
    EXPECT_EQ(ReadSpaceSignAndDigits<std::int64_t>(std::string_view("99999999999999999999")), INT64_MAX);
}
