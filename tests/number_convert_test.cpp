#include <gtest/gtest.h>

#include <climits>

#include "format_test_support.h"
#include "tesk/platform.h"

using namespace TeskUtility;

namespace {

// text32 nullptr: the value is only tried in the 64-bit forms.
struct UnitCase {
    std::int64_t value; ENumberConvert unit; ENumberConvertFormatType style; int lessThanOne; const char *text32, *text64;
};

std::ostream& operator<<(std::ostream& os, const UnitCase& c) {
    return os << c.value << " unit " << c.unit << " style " << c.style << " <1 " << c.lessThanOne;
}

class NumberConvertChar : public FormatDefaults, public ::testing::WithParamInterface<UnitCase> {};

TEST_P(NumberConvertChar, NarrowAndWideInBothWidths) {
    const auto& c = GetParam();
    std::string a;
    std::u16string w;
    if (c.text32) {
        EXPECT_EQ(NumberConvertA(static_cast<std::int32_t>(c.value), a, c.unit, c.style, c.lessThanOne), 1);
        EXPECT_EQ(NumberConvertW(static_cast<std::int32_t>(c.value), w, c.unit, c.style, c.lessThanOne), 1);
        EXPECT_EQ(a, c.text32) << "32-bit";
        EXPECT_EQ(w, AnsiToWide(c.text32)) << "32-bit";
    }
    EXPECT_EQ(NumberConvertA(c.value, a, c.unit, c.style, c.lessThanOne), 1);
    EXPECT_EQ(NumberConvertW(c.value, w, c.unit, c.style, c.lessThanOne), 1);
    EXPECT_EQ(a, c.text64) << "64-bit";
    EXPECT_EQ(w, AnsiToWide(c.text64)) << "64-bit";
}

// The automatic unit keeps a boundary value in the smaller unit for 32-bit values
// and moves it up for 64-bit ones.
INSTANTIATE_TEST_SUITE_P(
    AutoBoundaries, NumberConvertChar,
    ::testing::Values(UnitCase{1234567, Auto, Plain, 0, "1M", "1M"}, UnitCase{999, Auto, Plain, 0, "999", "999"},
                      UnitCase{1000, Auto, Plain, 0, "1000", "1K"}, UnitCase{1001, Auto, Plain, 0, "1K", "1K"},
                      UnitCase{-25000, Auto, Plain, 0, "-25K", "-25K"},
                      UnitCase{1000000, Auto, Plain, 0, "1000K", "1M"},
                      UnitCase{1000000000, Auto, Plain, 0, "1000M", "1B"},
                      UnitCase{1000000001, Auto, Plain, 0, "1B", "1B"},
                      UnitCase{INT32_MIN, Auto, Plain, 0, "-2B", "-2B"},
                      UnitCase{999999999999, Auto, Plain, 0, nullptr, "999B"},
                      UnitCase{5000000000000, Auto, Plain, 0, nullptr, "5T"},
                      UnitCase{INT64_MIN, Auto, Plain, 0, nullptr, "-9223372T"}));

INSTANTIATE_TEST_SUITE_P(
    StylesAndUnits, NumberConvertChar,
    ::testing::Values(UnitCase{500, Kilo, Plain, 1, "<1K", "<1K"}, UnitCase{500, Kilo, Plain, 0, "0K", "0K"},
                      UnitCase{-999, Kilo, Comma, 1, "<1K", "<1K"}, UnitCase{0, Kilo, Plain, 1, "0", "0"},
                      UnitCase{0, Mega, Comma, 0, "-", "-"}, UnitCase{0, Auto, Number, 0, "-", "-"},
                      UnitCase{300000000, HundredMega, Plain, 0, "3", "3"},
                      UnitCase{1999999999, Giga, Plain, 0, "1B", "1B"},  // cut, not rounded
                      UnitCase{1234567890, Kilo, Comma, 0, "1,234,567K", "1,234,567K"},
                      UnitCase{-1234567890, Kilo, Volume, 0, "-1,234,567K", "-1,234,567K"},
                      UnitCase{-25000, Kilo, Number, 0, "- 25K", "- 25K"},
                      UnitCase{2000000000, Tera, Plain, 0, "0T", "0T"},
                      UnitCase{2147483647, Tera, Plain, 0, "1T", "0T"},  // 32-bit Tera divides by LONG_MAX
                      UnitCase{123, None, Plain, 0, "123", "123"},
                      UnitCase{123456, static_cast<ENumberConvert>(9), Plain, 0, "0", "0"},
                      UnitCase{-2147483647, static_cast<ENumberConvert>(0), Plain, 0, "-1", "0"}));

}  // namespace

TEST_F(FormatDefaults, NumberConvertStyleOutOfRangeKeepsOutputAndAppendsSign) {
    std::string a = "old";
    NumberConvertA(std::int32_t{5000}, a, Kilo, static_cast<ENumberConvertFormatType>(0), 0);
    EXPECT_EQ(a, "oldK");
    a = "old";
    NumberConvertA(std::int32_t{0}, a, Kilo, static_cast<ENumberConvertFormatType>(7), 0);
    EXPECT_EQ(a, "old");
    a = "old";
    NumberConvertT(std::int64_t{5000}, 0, 0, a, Kilo, static_cast<ENumberConvertFormatType>(5), 0);
    EXPECT_EQ(a, "oldK");
}

TEST_F(FormatDefaults, NumberConvertSignState) {
    EXPECT_EQ(NumberConvert_SetSign(None, '#'), 1);
    std::string a;
    NumberConvertA(std::int32_t{12}, a, None, Plain, 0);
    EXPECT_EQ(a, "12#");
    std::u16string w;
    NumberConvertW(std::int64_t{12}, w, None, Plain, 0);
    EXPECT_EQ(w, u"12#");

    for (auto [unit, sign] : {std::pair{HundredMega, 'E'}, {Auto, 'A'}, {Kilo, '\t'}, {Kilo, '\xA4'}})
        EXPECT_EQ(NumberConvert_SetSign(unit, sign), 0);
    EXPECT_EQ(NumberConvert_GetSign(Kilo), 'K');
    EXPECT_EQ(NumberConvert_SetSign(Mega, '\0'), 1);
    NumberConvertA(std::int32_t{5000000}, a, Mega, Plain, 0);
    EXPECT_EQ(a, "5");
    EXPECT_EQ(NumberConvert_GetSignT(Mega), "");
    EXPECT_EQ(NumberConvert_GetSignT(HundredMega), "\xBB\xF5");
    // 10^12 does not fit a long: the 32-bit Tera divides by the largest one.
    EXPECT_EQ(NumberConvert_GetDivisor(Tera), INT32_MAX);
    EXPECT_EQ(NumberConvert_GetDivisor64(Tera), 1000000000000);

    EXPECT_EQ(NumberConvert_SetSignT(Kilo, "k"), 0);
    EXPECT_EQ(NumberConvert_SetSignT(HundredMega, "E8"), 1);
    EXPECT_EQ(NumberConvert_GetSignT(HundredMega), "E8");
    NumberConvert_LoadDefault();
    EXPECT_EQ(NumberConvert_GetSignT(HundredMega), "\xBB\xF5");
    EXPECT_EQ(NumberConvert_GetSign(None), 0);
    EXPECT_EQ(NumberConvert_GetSign(Kilo), 'K');
    EXPECT_EQ(NumberConvert_GetSign(Mega), 'M');
}

// The text-sign form in both widths; `wide64` picks the 64-bit overload.
TEST_F(FormatDefaults, NumberConvertTextSignWithDecimals) {
    const struct {
        bool wide64; std::int64_t value; std::int32_t dot; std::int64_t divisor; ENumberConvert unit;
        ENumberConvertFormatType style; int lessThanOne; const char* text;
    } cases[] = {
        {0, 123456789, 2, 0, Kilo, Number, 0, "1234.56K"},  // cut, not rounded
        {0, -123456789, 2, 0, Kilo, Number, 0, "- 1234.56K"}, {0, 300000000, 0, 0, HundredMega, Plain, 0, "3\xBB\xF5"},
        {0, -5000, 2, 0, None, Number, 0, "- 50.00"}, {0, 5, 2, 0, None, Number, 0, "0.05"},
        {0, 123456, 2, 1000, None, Number, 0, "123.456"}, {0, 0, 2, 0, Kilo, Number, 0, "-"},
        {0, 0, 2, 0, Kilo, Plain, 1, "0"}, {0, 999, 2, 0, Kilo, Number, 1, "<1K"},
        {0, 123456789, 2, 0, Kilo, Comma, 0, "123,456K"}, {0, 123456789, 2, 0, Auto, Volume, 0, "123M"},
        {0, 1000, 0, 0, Auto, Plain, 0, "1000"}, {1, 1000, 0, 0, Auto, Plain, 0, "1K"},  // the width's own rule
        {1, 5000000000000, 0, 0, Auto, Plain, 0, "5T"}, {1, 1200000000000, 2, 0, Tera, Number, 0, "0.01T"},
        {0, 2000000000, 0, 0, Tera, Plain, 0, "0T"},
    };
    for (const auto& c : cases) {
        std::string a;
        EXPECT_EQ(c.wide64 ? NumberConvertT(c.value, c.dot, c.divisor, a, c.unit, c.style, c.lessThanOne)
                           : NumberConvertT(static_cast<std::int32_t>(c.value), c.dot, c.divisor, a, c.unit, c.style,
                                            c.lessThanOne), 1) << c.value;
        EXPECT_EQ(a, c.text) << c.value;
    }
}
