#include <gtest/gtest.h>

#include "format_test_support.h"
#include "tesk/platform.h"

using namespace TeskUtility;

namespace {

struct PriceCase {
    const char* name;
    std::int64_t value;
    std::uint32_t state;
    std::int32_t dot;
    std::int64_t divisor;
    int showZero;
    std::string expected;  // Big5 bytes; the wide form is its conversion
};

void ExpectPrice(const PriceCase& c) {
    ::ExpectAllForms(c.expected, c.value, FORMS(PriceFormat, c.state, c.dot, W(c.divisor), c.showZero), c.name);
}

}  // namespace

TEST_F(FormatDefaults, PriceWithDefaults) {
    const PriceCase cases[] = {
        {"rises", 1234, 2, 2, 0, 0, "12.34"}, {"fall negative", -1234, 4, 2, 0, 0, "-12.34"},
        {"ceiling", 1234, 1, 2, 0, 0, "+ 12.34"}, {"ceiling negative", -1234, 1, 2, 0, 0, "+-12.34"},
        {"floor", 1234, 5, 2, 0, 0, "- 12.34"}, {"floor negative", -1234, 5, 2, 0, 0, "--12.34"},
        {"small fraction", 5, 3, 2, 0, 0, "0.05"}, {"zero sign", 0, 3, 2, 0, 1, "-"},
        {"zero sign beats non-deal", 0, 0, 2, 0, 1, "-"}, {"zero without sign", 0, 3, 2, 0, 0, "0.00"},
        {"no deal", 1234, 0, 2, 0, 0, ""}, {"integer", 1234, 3, 0, 0, 0, "1234"},
        {"negative dot is integer", -77, 2, -3, 0, 0, "-77"}, {"state 6 is flat", 1234, 6, 2, 0, 0, "12.34"},
        {"state 8 rejected", 1234, 8, 2, 0, 0, ""}, {"divisor wider than dot", 12345, 2, 2, 1000, 0, "12.345"},
        {"explicit divisor", 12345, 2, 3, 100, 0, "123.045"},
        {"64-bit magnitude", 123456789012345LL, 2, 4, 0, 0, "12345678901.2345"},
    };
    for (const auto& c : cases) ExpectPrice(c);
}

// The 32- and 64-bit forms keep different state and dot tables; texts stop at 31 characters.
TEST_F(FormatDefaults, PriceWidthSpecificCases) {
    struct Case { bool wide64; std::int64_t value; std::uint32_t state; std::int32_t dot, divisor; std::string expected; };
    const Case cases[] = {
        {false, 1234, 7, 2, 0, "12.34"}, {true, 1234, 7, 2, 0, ""}, {true, 1, 2, 18, 0, "0.000000000000000001"},
        {false, 1, 2, 18, 0, "1.000000000000000000"}, {false, 1234, 3, 12, 0, "1234.000000000000"},
        {true, -9000000000000000000LL, 1, 18, 10, ("+-900000000000000000." + std::string(18, '0')).substr(0, 31)},
        {false, 1, 3, 60, 0, "1." + std::string(29, '0')},
    };
    for (const auto& c : cases)
        ExpectAllForms(c.expected, c.value, FORMS(PriceFormat, c.state, c.dot, W(c.divisor), 0), "", c.wide64 ? k64 : k32);
}

TEST_F(FormatDefaults, PriceRisesSignWithPlusMinus) {
    PriceFormat_SetPrefixSign("+", kTriangleBig5.c_str(), "", "", "-");
    PriceFormat_SetPlusMinusSign("+", "-");
    const PriceCase cases[] = {{"rises plus", 1234, 2, 2, 0, 0, kTriangleBig5 + "+12.34"},
                               {"rises minus", -1234, 2, 2, 0, 0, kTriangleBig5 + "-12.34"}};
    for (const auto& c : cases) ExpectPrice(c);
    PriceFormat_EnablePlusMinusSign(0);
    ExpectPrice({"plus off", 1234, 2, 2, 0, 0, kTriangleBig5 + "12.34"});
    ExpectPrice({"minus off hides the minus", -1234, 2, 2, 0, 0, kTriangleBig5 + "12.34"});
}

TEST_F(FormatDefaults, PriceWidthsCountBytesNarrowAndUnitsWide) {
    PriceFormat_SetPrefixSign(nullptr, kTriangleBig5.c_str(), nullptr, nullptr, nullptr);
    PriceFormat_SetPlusMinusSign("+", nullptr);
    ASSERT_EQ(PriceFormat_SetPrefixSignWidth(3), 1);
    // Narrow " ▲" and wide "  ▲" both lose their leading spaces.
    ExpectPrice({"width 3", 1234, 2, 2, 0, 0, kTriangleBig5 + "+12.34"});
    ASSERT_EQ(PriceFormat_SetPlusMinusSignWidth(3), 1);
    ExpectPrice({"inner padding stays", 1234, 2, 2, 0, 0, kTriangleBig5 + "  +12.34"});

    // With a narrow-width-1 ASCII sign the narrow and wide paddings agree.
    PriceFormat_SetPrefixSign(nullptr, "R", nullptr, nullptr, nullptr);
    PriceFormat_SetPrefixSignWidth(1);
    ExpectPrice({"ascii", 1234, 2, 2, 0, 0, "R  +12.34"});
}

TEST_F(FormatDefaults, PriceWideSignPaddingDiffersFromNarrow) {
    // A Big5 sign fills width 2 narrow but one unit wide: the wide text keeps a space.
    PriceFormat_SetPrefixSign(nullptr, "R", nullptr, nullptr, nullptr);
    PriceFormat_SetPlusMinusSign(kTriangleBig5.c_str(), nullptr);
    PriceFormat_SetPlusMinusSignWidth(2);
    std::string narrow;
    std::u16string wide;
    PriceFormatA(narrow, std::int32_t{1234}, 2, 2, 0, 0);
    PriceFormatW(wide, std::int32_t{1234}, 2, 2, 0, 0);
    EXPECT_EQ(narrow, "R" + kTriangleBig5 + "12.34");
    EXPECT_EQ(wide, u"R \u25B2" u"12.34");
}

TEST_F(FormatDefaults, PriceBlankSignsHideButEmptySignsPad) {
    struct Case { const char* name; std::string ceiling; std::string expected; };
    const Case cases[] = {
        {"space hides", " ", "12.34"}, {"ideographic space hides", kIdeoSpaceBig5, "12.34"},
        {"empty pads then trims", "", "12.34"}, {"two spaces are not blank", "  ", "12.34"},
        {"visible", "C", "C 12.34"},
    };
    for (const auto& c : cases) {
        PriceFormat_SetPrefixSign(c.ceiling.c_str(), nullptr, nullptr, nullptr, nullptr);
        std::string out;
        PriceFormatA(out, std::int32_t{1234}, 1, 2, 0, 0);
        EXPECT_EQ(out, c.expected) << c.name;
    }
    // A blank plus sign is not shown, so nothing pads before the digits.
    PriceFormat_SetPrefixSign("C", nullptr, nullptr, nullptr, nullptr);
    PriceFormat_SetPlusMinusSign(kIdeoSpaceBig5.c_str(), nullptr);
    std::string out;
    PriceFormatA(out, std::int32_t{1234}, 1, 2, 0, 0);
    EXPECT_EQ(out, "C12.34");
}

TEST_F(FormatDefaults, PriceSignSetterRules) {
    PriceFormat_SetPrefixSign("abc", "abcd", nullptr, "", "\xA1\xB6x");
    EXPECT_STREQ(PriceFormat_GetCeilingSign(), "ab");   // 3 bytes: kept as 2
    EXPECT_STREQ(PriceFormat_GetRisesSign(), "");       // 4 bytes: ignored
    EXPECT_STREQ(PriceFormat_GetFallSign(), "");
    EXPECT_STREQ(PriceFormat_GetFloorSign(), "\xA1\xB6");
    std::u16string wide;
    PriceFormatW(wide, std::int32_t{1234}, 1, 2, 0, 0);
    EXPECT_EQ(wide, u"a 12.34");  // the wide sign is the first unit of the whole text

    const char* floor = PriceFormat_GetFloorSign();
    PriceFormat_SetPrefixSign(nullptr, nullptr, nullptr, nullptr, "v");
    EXPECT_STREQ(floor, "v");  // getters hand out the live field
}

TEST_F(FormatDefaults, PriceZeroAndNonDealSigns) {
    PriceFormat_SetNonDealSign('*');
    std::string out;
    PriceFormatA(out, std::int32_t{1234}, 0, 2, 0, 0);
    EXPECT_EQ(out, "*");
    for (char bad : {' ', '\t', '\x7F', '\xA1'}) {
        PriceFormat_SetZeroSign(bad);
        EXPECT_EQ(PriceFormat_GetZeroSign(), ' ');
        PriceFormatA(out, std::int32_t{0}, 3, 2, 0, 1);
        EXPECT_EQ(out, "");
    }
    std::u16string wide = u"x";
    PriceFormatW(wide, std::int64_t{0}, 3, 2, std::int64_t{0}, 1);
    EXPECT_EQ(wide, u"");
}

TEST_F(FormatDefaults, PriceWidthSettersRejectOutOfRangeAndLoadDefaultRestores) {
    EXPECT_EQ(PriceFormat_SetPrefixSignWidth(0) + PriceFormat_SetPrefixSignWidth(4), 0);
    EXPECT_EQ(PriceFormat_GetPrefixSignWidth(), 1);
    PriceFormat_SetPrefixSign("1", "2", "3", "4", "5");
    PriceFormat_SetPlusMinusSign("p", "m");
    PriceFormat_SetZeroSign('z');
    PriceFormat_SetNonDealSign('n');
    PriceFormat_EnablePrefixSign(0);
    PriceFormat_SetPrefixSignWidth(3);
    PriceFormat_SetPlusMinusSignWidth(3);
    PriceFormat_LoadDefault();
    const PriceCase cases[] = {{"ceiling", 1234, 1, 2, 0, 0, "+ 12.34"}, {"floor", -1234, 5, 2, 0, 0, "--12.34"},
                               {"zero", 0, 3, 2, 0, 1, "-"}, {"non-deal", 1, 0, 2, 0, 0, ""}};
    for (const auto& c : cases) ExpectPrice(c);
}
