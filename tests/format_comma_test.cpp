#include "format_test_support.h"

using namespace TeskUtility;

namespace {

auto VolumeForms(int showZero = 0) { return FORMS(VolumeFormat, showZero); }
auto CommaDot(std::int32_t dot, std::int32_t divisor = 0, int showZero = 0) {
    return FORMS(CommaFormatWithDot, dot, W(divisor), showZero);
}
auto CommaForms(int showZero = 0) { return FORMS(CommaFormat, showZero); }

}  // namespace

TEST_F(FormatDefaults, VolumeGroupingSignsAndUnit) {
    const struct { std::int64_t v; int showZero; const char* expected; } cases[] = {
        {1234567, 0, "1,234,567"}, {-1234, 0, "-1,234"}, {0, 1, "-"}, {0, 0, "0"}, {999, 0, "999"},
        {1000, 0, "1,000"}, {-1000000, 0, "-1,000,000"}, {7, 0, "7"}, {INT32_MIN, 0, "-2,147,483,648"},
        {INT64_MAX, 0, "9,223,372,036,854,775,807"}, {INT64_MIN, 0, "-9,223,372,036,854,775,808"}};
    for (const auto& c : cases) ExpectAllForms(c.expected, c.v, VolumeForms(c.showZero), c.expected);
    std::string out;
    VolumeFormatWithUnit(out, std::int32_t{1234}, "\xB1\x69");  // Big5 "張"
    EXPECT_EQ(out, "1,234 \xB1\x69");
    VolumeFormatWithUnit(out, std::int64_t{0}, "lots");
    EXPECT_EQ(out, "0 lots");
    VolumeFormat_SetCommaSign(' ');
    ExpectAllForms("-1234567", -1234567, VolumeForms(), "no comma sign");
    VolumeFormat_SetCommaSign('.');
    ExpectAllForms("1.234.567", 1234567, VolumeForms(), "dot comma");
    VolumeFormat_EnableCommaSign(0);
    ExpectAllForms("1234567", 1234567, VolumeForms(), "disabled");
}

// Its own comma character only switches grouping; the volume sign is written.
TEST_F(FormatDefaults, CommaWithDot) {
    const struct { std::int64_t v; std::int32_t dot, divisor; int showZero; const char* text; } cases[] = {
        {123456789, 2, 0, 0, "1,234,567.89"}, {-5, 2, 0, 0, "-0.05"}, {0, 2, 0, 1, "-"}, {0, 2, 0, 0, "0.00"},
        {123456, 0, 100, 0, "1,234"}, {123456, 0, 0, 0, "123,456"}, {-1234567, 3, 0, 0, "-1,234.567"},
        {5, 1, 1000, 0, "0.5"}};
    for (const auto& c : cases) ExpectAllForms(c.text, c.v, CommaDot(c.dot, c.divisor, c.showZero), c.text);

    CommaFormatWithDot_SetCommaSign('.');
    EXPECT_EQ(CommaFormatWithDot_GetCommaSign(), ',');
    ExpectAllForms("1,234,567.89", 123456789, CommaDot(2), "own sign ignored");
    VolumeFormat_SetCommaSign('\'');
    EXPECT_EQ(CommaFormatWithDot_GetCommaSign(), '\'');
    ExpectAllForms("1'234'567.89", 123456789, CommaDot(2), "volume sign written");
    VolumeFormat_SetCommaSign(',');

    CommaFormatWithDot_SetCommaSign(' ');
    ExpectAllForms("1234567.89", 123456789, CommaDot(2), "amounts ungrouped");
    ExpectAllForms("123456", 123456, CommaDot(0, 100), "no-grouping path ignores the divisor");
    ExpectAllForms("1,234,567", 1234567, VolumeForms(), "volumes still grouped");

    CommaFormatWithDot_LoadDefault();
    CommaFormatWithDot_EnableCommaSign(0);
    EXPECT_EQ(VolumeFormat_IsShowCommaSign(), 0);
    ExpectAllForms("1234567", 1234567, VolumeForms(), "shared flag turns volumes off too");
    VolumeFormat_LoadDefault();
    EXPECT_EQ(CommaFormatWithDot_IsShowCommaSign(), 1);

    CommaFormatWithDot_SetPlusMinusSign("+", "");
    ExpectAllForms("+12.34", 1234, CommaDot(2), "plus");
    ExpectAllForms("12.34", -1234, CommaDot(2), "empty minus");
    ExpectAllForms("+0.00", 0, CommaDot(2), "zero is not negative");
    CommaFormatWithDot_SetPlusMinusSign(nullptr, "\xA1\xBF");  // Big5 "▼"
    ExpectAllForms("\xA1\xBF" "12,345.67", -1234567, CommaDot(2), "double-byte minus");
}

TEST_F(FormatDefaults, NumberCases) {
    const struct { std::int64_t v; std::int32_t dot; int showZero; const char* expected; } cases[] = {
        {1234, 2, 0, "12.34"}, {-1234, 2, 0, "- 12.34"}, {-7, 0, 0, "- 7"}, {0, 2, 0, "0.00"}, {0, 0, 0, "0"},
        {0, 2, 1, "-"}, {1234567, 0, 0, "1234567"}, {-5, 3, 0, "- 0.005"}};
    for (const auto& c : cases) ExpectAllForms(c.expected, c.v, FORMS(NumberFormat, c.dot, W(0), c.showZero));
    NumberFormat_SetZeroSign('~');
    ExpectAllForms("~", 0, FORMS(NumberFormat, 2, W(0), 1), "zero sign");
}

TEST_F(FormatDefaults, CommaCases) {
    ExpectAllForms("1,234,567", 1234567, CommaForms(), "grouped");
    ExpectAllForms("-1,234,567", -1234567, CommaForms(), "negative");
    ExpectAllForms("-", 0, CommaForms(1), "zero sign");
    CommaFormat_SetPlusMinusSign("+", nullptr);
    ExpectAllForms("+1,234", 1234, CommaForms(), "plus");
    ExpectAllForms("0", 0, CommaForms(), "grouped zero has no sign");
    CommaFormat_EnableCommaSign(0);
    ExpectAllForms("+0", 0, CommaForms(), "ungrouped zero has the plus sign");
    ExpectAllForms("-1234", -1234, CommaForms(), "ungrouped");
    CommaFormat_EnableCommaSign(1);
    CommaFormat_SetCommaSign('\t');
    EXPECT_EQ(CommaFormat_GetCommaSign(), ' ');
    ExpectAllForms("+1234", 1234, CommaForms(), "no comma sign");
    // CommaFormat's state is its own: the volume family is untouched.
    ExpectAllForms("1,234", 1234, VolumeForms(), "volume unaffected");
}
