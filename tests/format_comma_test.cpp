#include <gtest/gtest.h>

#include <climits>

#include "format_test_support.h"
#include "tesk/platform.h"

using namespace TeskUtility;

namespace {

// One family call in every form: narrow/wide x 32/64-bit.
struct Forms {
    std::string n32, n64;
    std::u16string w32, w64;
};

template <class F32N, class F32W, class F64N, class F64W>
Forms AllForms(std::int64_t v, F32N n32, F32W w32, F64N n64, F64W w64) {
    Forms f;
    n32(f.n32, static_cast<std::int32_t>(v));
    w32(f.w32, static_cast<std::int32_t>(v));
    n64(f.n64, v);
    w64(f.w64, v);
    return f;
}

void ExpectForms(const Forms& f, const std::string& expected, const char* what) {
    const std::u16string wide = AnsiToWide(expected);
    EXPECT_EQ(f.n32, expected) << what;
    EXPECT_EQ(f.n64, expected) << what;
    EXPECT_EQ(f.w32, wide) << what;
    EXPECT_EQ(f.w64, wide) << what;
}

Forms VolumeForms(std::int64_t v, int showZero) {
    return AllForms(
        v, [&](std::string& o, std::int32_t x) { VolumeFormatA(o, x, showZero); },
        [&](std::u16string& o, std::int32_t x) { VolumeFormatW(o, x, showZero); },
        [&](std::string& o, std::int64_t x) { VolumeFormatA(o, x, showZero); },
        [&](std::u16string& o, std::int64_t x) { VolumeFormatW(o, x, showZero); });
}

Forms CommaDot(std::int64_t v, std::int32_t dot, std::int32_t divisor, int showZero) {
    return AllForms(
        v, [&](std::string& o, std::int32_t x) { CommaFormatWithDotA(o, x, dot, divisor, showZero); },
        [&](std::u16string& o, std::int32_t x) { CommaFormatWithDotW(o, x, dot, divisor, showZero); },
        [&](std::string& o, std::int64_t x) { CommaFormatWithDotA(o, x, dot, std::int64_t{divisor}, showZero); },
        [&](std::u16string& o, std::int64_t x) { CommaFormatWithDotW(o, x, dot, std::int64_t{divisor}, showZero); });
}

Forms NumberForms(std::int64_t v, std::int32_t dot, std::int32_t divisor, int showZero) {
    return AllForms(
        v, [&](std::string& o, std::int32_t x) { NumberFormatA(o, x, dot, divisor, showZero); },
        [&](std::u16string& o, std::int32_t x) { NumberFormatW(o, x, dot, divisor, showZero); },
        [&](std::string& o, std::int64_t x) { NumberFormatA(o, x, dot, std::int64_t{divisor}, showZero); },
        [&](std::u16string& o, std::int64_t x) { NumberFormatW(o, x, dot, std::int64_t{divisor}, showZero); });
}

Forms CommaForms(std::int64_t v, int showZero) {
    return AllForms(
        v, [&](std::string& o, std::int32_t x) { CommaFormatA(o, x, showZero); },
        [&](std::u16string& o, std::int32_t x) { CommaFormatW(o, x, showZero); },
        [&](std::string& o, std::int64_t x) { CommaFormatA(o, x, showZero); },
        [&](std::u16string& o, std::int64_t x) { CommaFormatW(o, x, showZero); });
}

}  // namespace

TEST_F(FormatDefaults, VolumeGrouping) {
    struct Case { std::int64_t v; int showZero; const char* expected; };
    const Case cases[] = {{1234567, 0, "1,234,567"}, {-1234, 0, "-1,234"}, {0, 1, "-"}, {0, 0, "0"},
                          {999, 0, "999"}, {1000, 0, "1,000"}, {-1000000, 0, "-1,000,000"}, {7, 0, "7"},
                          {INT32_MIN, 0, "-2,147,483,648"}};
    for (const auto& c : cases) ExpectForms(VolumeForms(c.v, c.showZero), c.expected, c.expected);

    std::string out;
    VolumeFormatA(out, std::int64_t{9223372036854775807LL}, 0);
    EXPECT_EQ(out, "9,223,372,036,854,775,807");
    VolumeFormatA(out, std::int64_t{INT64_MIN}, 0);
    EXPECT_EQ(out, "-9,223,372,036,854,775,808");
}

TEST_F(FormatDefaults, VolumeCommaSignOffOrNone) {
    VolumeFormat_SetCommaSign(' ');
    EXPECT_EQ(VolumeFormat_GetCommaSign(), ' ');
    ExpectForms(VolumeForms(-1234567, 0), "-1234567", "no comma sign");
    VolumeFormat_SetCommaSign('.');
    ExpectForms(VolumeForms(1234567, 0), "1.234.567", "dot comma");
    VolumeFormat_EnableCommaSign(0);
    ExpectForms(VolumeForms(1234567, 0), "1234567", "disabled");
}

TEST_F(FormatDefaults, VolumeWithUnit) {
    std::string out;
    VolumeFormatWithUnit(out, std::int32_t{1234}, "\xB1\x69");  // Big5 "張"
    EXPECT_EQ(out, "1,234 \xB1\x69");
    VolumeFormatWithUnit(out, std::int64_t{0}, "lots");
    EXPECT_EQ(out, "0 lots");
}

TEST_F(FormatDefaults, CommaWithDotCases) {
    struct Case { std::int64_t v; std::int32_t dot, divisor; int showZero; const char* expected; };
    const Case cases[] = {{123456789, 2, 0, 0, "1,234,567.89"}, {-5, 2, 0, 0, "-0.05"}, {0, 2, 0, 1, "-"},
                          {0, 2, 0, 0, "0.00"}, {123456, 0, 100, 0, "1,234"}, {123456, 0, 0, 0, "123,456"},
                          {-1234567, 3, 0, 0, "-1,234.567"}, {5, 1, 1000, 0, "0.5"}};
    for (const auto& c : cases) ExpectForms(CommaDot(c.v, c.dot, c.divisor, c.showZero), c.expected, c.expected);
}

TEST_F(FormatDefaults, CommaWithDotSharesTheVolumeComma) {
    // Its own comma character only switches grouping; the volume sign is written.
    CommaFormatWithDot_SetCommaSign('.');
    EXPECT_EQ(CommaFormatWithDot_GetCommaSign(), ',');
    ExpectForms(CommaDot(123456789, 2, 0, 0), "1,234,567.89", "own sign ignored");
    VolumeFormat_SetCommaSign('\'');
    EXPECT_EQ(CommaFormatWithDot_GetCommaSign(), '\'');
    ExpectForms(CommaDot(123456789, 2, 0, 0), "1'234'567.89", "volume sign written");
    VolumeFormat_SetCommaSign(',');

    CommaFormatWithDot_SetCommaSign(' ');
    ExpectForms(CommaDot(123456789, 2, 0, 0), "1234567.89", "amounts ungrouped");
    ExpectForms(CommaDot(123456, 0, 100, 0), "123456", "no-grouping path ignores the divisor");
    ExpectForms(VolumeForms(1234567, 0), "1,234,567", "volumes still grouped");

    CommaFormatWithDot_LoadDefault();
    CommaFormatWithDot_EnableCommaSign(0);
    EXPECT_EQ(VolumeFormat_IsShowCommaSign(), 0);
    ExpectForms(VolumeForms(1234567, 0), "1234567", "shared flag turns volumes off too");
    VolumeFormat_LoadDefault();
    EXPECT_EQ(CommaFormatWithDot_IsShowCommaSign(), 1);
}

TEST_F(FormatDefaults, CommaWithDotSigns) {
    CommaFormatWithDot_SetPlusMinusSign("+", "");
    ExpectForms(CommaDot(1234, 2, 0, 0), "+12.34", "plus");
    ExpectForms(CommaDot(-1234, 2, 0, 0), "12.34", "empty minus");
    ExpectForms(CommaDot(0, 2, 0, 0), "+0.00", "zero is not negative");
    CommaFormatWithDot_SetPlusMinusSign(nullptr, "\xA1\xBF");  // Big5 "▼"
    ExpectForms(CommaDot(-1234567, 2, 0, 0), "\xA1\xBF" "12,345.67", "double-byte minus");
}

TEST_F(FormatDefaults, NumberCases) {
    struct Case { std::int64_t v; std::int32_t dot, divisor; int showZero; const char* expected; };
    const Case cases[] = {{1234, 2, 0, 0, "12.34"}, {-1234, 2, 0, 0, "- 12.34"}, {-7, 0, 0, 0, "- 7"},
                          {0, 2, 0, 0, "0.00"},     {0, 0, 0, 0, "0"},          {0, 2, 0, 1, "-"},
                          {1234567, 0, 0, 0, "1234567"}, {-5, 3, 0, 0, "- 0.005"}};
    for (const auto& c : cases) ExpectForms(NumberForms(c.v, c.dot, c.divisor, c.showZero), c.expected, c.expected);
    NumberFormat_SetZeroSign('~');
    ExpectForms(NumberForms(0, 2, 0, 1), "~", "zero sign");
}

TEST_F(FormatDefaults, CommaCases) {
    ExpectForms(CommaForms(1234567, 0), "1,234,567", "grouped");
    ExpectForms(CommaForms(-1234567, 0), "-1,234,567", "negative");
    ExpectForms(CommaForms(0, 1), "-", "zero sign");
    CommaFormat_SetPlusMinusSign("+", nullptr);
    ExpectForms(CommaForms(1234, 0), "+1,234", "plus");
    ExpectForms(CommaForms(0, 0), "0", "grouped zero has no sign");
    CommaFormat_EnableCommaSign(0);
    ExpectForms(CommaForms(0, 0), "+0", "ungrouped zero has the plus sign");
    ExpectForms(CommaForms(-1234, 0), "-1234", "ungrouped");
    CommaFormat_EnableCommaSign(1);
    CommaFormat_SetCommaSign('\t');
    EXPECT_EQ(CommaFormat_GetCommaSign(), ' ');
    ExpectForms(CommaForms(1234, 0), "+1234", "no comma sign");
    // CommaFormat's state is its own: the volume family is untouched.
    ExpectForms(VolumeForms(1234, 0), "1,234", "volume unaffected");
}
