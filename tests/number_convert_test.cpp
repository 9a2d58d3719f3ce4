#include "format_test_support.h"

using namespace TeskUtility;

// NumberConvertA or NumberConvertW by the output's type; each must answer 1.
static auto Converts(ENumberConvert unit, ENumberConvertFormatType style, int lessThanOne) {
    return [=](auto& o, auto x) {
        if constexpr (std::is_same_v<std::decay_t<decltype(o)>, std::string>)
            EXPECT_EQ(NumberConvertA(x, o, unit, style, lessThanOne), 1);
        else
            EXPECT_EQ(NumberConvertW(x, o, unit, style, lessThanOne), 1);
    };
}

// text32 nullptr: the value is only tried in the 64-bit forms. The automatic unit keeps
// a boundary value in the smaller unit for 32-bit values and moves it up for 64-bit ones.
TEST_F(FormatDefaults, NumberConvertNarrowAndWideInBothWidths) {
    const struct {
        std::int64_t value; ENumberConvert unit; ENumberConvertFormatType style; int lessThanOne;
        const char *text32, *text64;
    } cases[] = {
        {1234567, Auto, Plain, 0, "1M", "1M"}, {999, Auto, Plain, 0, "999", "999"},
        {1000, Auto, Plain, 0, "1000", "1K"}, {1001, Auto, Plain, 0, "1K", "1K"},
        {-25000, Auto, Plain, 0, "-25K", "-25K"}, {1000000, Auto, Plain, 0, "1000K", "1M"},
        {1000000000, Auto, Plain, 0, "1000M", "1B"}, {1000000001, Auto, Plain, 0, "1B", "1B"},
        {INT32_MIN, Auto, Plain, 0, "-2B", "-2B"}, {999999999999, Auto, Plain, 0, nullptr, "999B"},
        {5000000000000, Auto, Plain, 0, nullptr, "5T"}, {INT64_MIN, Auto, Plain, 0, nullptr, "-9223372T"},
        {500, Kilo, Plain, 1, "<1K", "<1K"}, {500, Kilo, Plain, 0, "0K", "0K"},
        {0, Kilo, Plain, 1, "0", "0"}, {0, Mega, Comma, 0, "-", "-"}, {0, Auto, Number, 0, "-", "-"},
        {300000000, HundredMega, Plain, 0, "3", "3"},
        {1999999999, Giga, Plain, 0, "1B", "1B"},  // cut, not rounded
        {1234567890, Kilo, Comma, 0, "1,234,567K", "1,234,567K"},
        {-1234567890, Kilo, Volume, 0, "-1,234,567K", "-1,234,567K"},
        {-25000, Kilo, Number, 0, "- 25K", "- 25K"}, {2000000000, Tera, Plain, 0, "0T", "0T"},
        {2147483647, Tera, Plain, 0, "1T", "0T"},  // 32-bit Tera divides by LONG_MAX
        {123, None, Plain, 0, "123", "123"}, {123456, static_cast<ENumberConvert>(9), Plain, 0, "0", "0"},
        {-2147483647, static_cast<ENumberConvert>(0), Plain, 0, "-1", "0"},
    };
    for (const auto& c : cases) {
        const auto convert = Converts(c.unit, c.style, c.lessThanOne);
        SCOPED_TRACE(testing::Message() << "unit " << c.unit << " style " << c.style << " " << c.lessThanOne);
        if (c.text32) ExpectAllForms(c.text32, c.value, convert, "", k32);
        ExpectAllForms(c.text64, c.value, convert, "", k64);
    }
}

TEST_F(FormatDefaults, NumberConvertStyleOutOfRangeKeepsOutputAndAppendsSign) {
    std::string a = "old", b = "old", t = "old";
    NumberConvertA(std::int32_t{5000}, a, Kilo, static_cast<ENumberConvertFormatType>(0), 0);
    NumberConvertA(std::int32_t{0}, b, Kilo, static_cast<ENumberConvertFormatType>(7), 0);
    NumberConvertT(std::int64_t{5000}, 0, 0, t, Kilo, static_cast<ENumberConvertFormatType>(5), 0);
    EXPECT_EQ(a + "|" + b + "|" + t, "oldK|old|oldK");
}

TEST_F(FormatDefaults, NumberConvertSignState) {
    EXPECT_EQ(NumberConvert_SetSign(None, '#'), 1);
    ExpectAllForms("12#", 12, Converts(None, Plain, 0));
    for (auto [unit, sign] : {std::pair{HundredMega, 'E'}, {Auto, 'A'}, {Kilo, '\t'}, {Kilo, '\xA4'}})
        EXPECT_EQ(NumberConvert_SetSign(unit, sign), 0);
    EXPECT_EQ(NumberConvert_GetSign(Kilo), 'K');
    EXPECT_EQ(NumberConvert_SetSign(Mega, '\0'), 1);
    std::string a;
    NumberConvertA(std::int32_t{5000000}, a, Mega, Plain, 0);
    EXPECT_EQ(a, "5");
    EXPECT_EQ(NumberConvert_GetSignT(Mega), "");
    // 10^12 does not fit a long: the 32-bit Tera divides by the largest one.
    EXPECT_EQ(NumberConvert_GetDivisor(Tera), INT32_MAX);
    EXPECT_EQ(NumberConvert_GetDivisor64(Tera), 1000000000000);

    EXPECT_EQ(NumberConvert_SetSignT(Kilo, "k") * 10 + NumberConvert_SetSignT(HundredMega, "E8"), 1);
    EXPECT_EQ(NumberConvert_GetSignT(HundredMega), "E8");
    NumberConvert_LoadDefault();
    EXPECT_EQ(NumberConvert_GetSignT(HundredMega), "\xBB\xF5");
    for (auto [unit, sign] : {std::pair{None, '\0'}, {Kilo, 'K'}, {Mega, 'M'}})
        EXPECT_EQ(NumberConvert_GetSign(unit), sign);
}

// The text-sign form in both widths; `wide64` picks the 64-bit overload.
TEST_F(FormatDefaults, NumberConvertTextSignWithDecimals) {
    const struct {
        bool wide64; std::int64_t value; std::int32_t dot; std::int64_t divisor; ENumberConvert unit;
        ENumberConvertFormatType style; int lessThanOne; const char* text;
    } cases[] = {
        {0, 123456789, 2, 0, Kilo, Number, 0, "1234.56K"},  // cut, not rounded
        {0, -123456789, 2, 0, Kilo, Number, 0, "- 1234.56K"}, {0, 2000000000, 0, 0, Tera, Plain, 0, "0T"},
        {0, 300000000, 0, 0, HundredMega, Plain, 0, "3\xBB\xF5"},
        {0, -5000, 2, 0, None, Number, 0, "- 50.00"}, {0, 5, 2, 0, None, Number, 0, "0.05"},
        {0, 123456, 2, 1000, None, Number, 0, "123.456"}, {0, 0, 2, 0, Kilo, Number, 0, "-"},
        {0, 0, 2, 0, Kilo, Plain, 1, "0"}, {0, 999, 2, 0, Kilo, Number, 1, "<1K"},
        {0, 123456789, 2, 0, Kilo, Comma, 0, "123,456K"}, {0, 123456789, 2, 0, Auto, Volume, 0, "123M"},
        // Each width keeps its own automatic rule.
        {0, 1000, 0, 0, Auto, Plain, 0, "1000"}, {1, 1000, 0, 0, Auto, Plain, 0, "1K"},
        {1, 5000000000000, 0, 0, Auto, Plain, 0, "5T"}, {1, 1200000000000, 2, 0, Tera, Number, 0, "0.01T"},
    };
    for (const auto& c : cases) {
        std::string a;
        const auto v32 = static_cast<std::int32_t>(c.value);
        EXPECT_EQ(c.wide64 ? NumberConvertT(c.value, c.dot, c.divisor, a, c.unit, c.style, c.lessThanOne)
                           : NumberConvertT(v32, c.dot, c.divisor, a, c.unit, c.style, c.lessThanOne), 1);
        EXPECT_EQ(a, c.text) << c.value;
    }
}
