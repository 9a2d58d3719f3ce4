#include "format_test_support.h"

using namespace TeskUtility;

namespace {

// `expected` is Big5; the wide form is its conversion. `widths` limits a row to the
// 32- or 64-bit forms where their state and dot tables differ.
struct PriceCase {
    std::int64_t value; std::uint32_t state; std::int32_t dot; std::int64_t divisor; int showZero;
    std::string expected; unsigned widths = k32 | k64;
};

void ExpectPrices(std::initializer_list<PriceCase> cases) {
    for (const auto& c : cases)
        ExpectAllForms(c.expected, c.value, FORMS(PriceFormat, c.state, c.dot, W(c.divisor), c.showZero), "",
                       c.widths);
}

}  // namespace

// Rows: rises, fall, ceiling and floor both ways, zero sign (even for a non-deal),
// non-deal, negative dot as integer, state 6 flat, state 8 rejected, divisors, texts cut at 31.
TEST_F(FormatDefaults, PriceWithDefaults) {
    ExpectPrices({
        {1234, 2, 2, 0, 0, "12.34"}, {-1234, 4, 2, 0, 0, "-12.34"}, {1234, 1, 2, 0, 0, "+ 12.34"},
        {-1234, 1, 2, 0, 0, "+-12.34"}, {1234, 5, 2, 0, 0, "- 12.34"}, {-1234, 5, 2, 0, 0, "--12.34"},
        {5, 3, 2, 0, 0, "0.05"}, {0, 3, 2, 0, 1, "-"}, {0, 0, 2, 0, 1, "-"}, {0, 3, 2, 0, 0, "0.00"},
        {1234, 0, 2, 0, 0, ""}, {1234, 3, 0, 0, 0, "1234"}, {-77, 2, -3, 0, 0, "-77"},
        {1234, 6, 2, 0, 0, "12.34"}, {1234, 8, 2, 0, 0, ""}, {12345, 2, 2, 1000, 0, "12.345"},
        {12345, 2, 3, 100, 0, "123.045"}, {123456789012345LL, 2, 4, 0, 0, "12345678901.2345"},
        {1234, 7, 2, 0, 0, "12.34", k32}, {1234, 7, 2, 0, 0, "", k64},
        {1234, 3, 12, 0, 0, "1234.000000000000", k32}, {1, 3, 60, 0, 0, "1." + std::string(29, '0'), k32},
        {1, 2, 18, 0, 0, "0.000000000000000001", k64}, {1, 2, 18, 0, 0, "1.000000000000000000", k32},
        {-9000000000000000000LL, 1, 18, 10, 0, "+-900000000000000000." + std::string(10, '0'), k64},
    });
}

TEST_F(FormatDefaults, PriceWidthsCountBytesNarrowAndUnitsWide) {
    PriceFormat_SetPrefixSign(nullptr, kTriangleBig5.c_str(), nullptr, nullptr, nullptr);
    PriceFormat_SetPlusMinusSign("+", nullptr);
    ASSERT_EQ(PriceFormat_SetPrefixSignWidth(3), 1);
    // Narrow " ▲" and wide "  ▲" both lose their leading spaces.
    ExpectPrices({{1234, 2, 2, 0, 0, kTriangleBig5 + "+12.34"}});
    ASSERT_EQ(PriceFormat_SetPlusMinusSignWidth(3), 1);
    ExpectPrices({{1234, 2, 2, 0, 0, kTriangleBig5 + "  +12.34"}});
    // With a narrow-width-1 ASCII sign the narrow and wide paddings agree.
    PriceFormat_SetPrefixSign(nullptr, "R", nullptr, nullptr, nullptr);
    PriceFormat_SetPrefixSignWidth(1);
    ExpectPrices({{1234, 2, 2, 0, 0, "R  +12.34"}});

    // A Big5 sign fills width 2 narrow but one unit wide: the wide text keeps a space.
    PriceFormat_SetPlusMinusSign(kTriangleBig5.c_str(), nullptr);
    PriceFormat_SetPlusMinusSignWidth(2);
    std::string narrow;
    std::u16string wide;
    PriceFormatA(narrow, std::int32_t{1234}, 2, 2, 0, 0);
    PriceFormatW(wide, std::int32_t{1234}, 2, 2, 0, 0);
    EXPECT_EQ(narrow, "R" + kTriangleBig5 + "12.34");
    EXPECT_EQ(wide, u"R \u25B2" u"12.34");
}

// A blank sign (space, ideographic space) hides; an empty one pads and is trimmed;
// two spaces are not blank.
TEST_F(FormatDefaults, PriceBlankSignsHideEmptySignsPadAndPlusMinusFollow) {
    for (const std::string& ceiling : {std::string(" "), kIdeoSpaceBig5, std::string(), std::string("  ")}) {
        PriceFormat_SetPrefixSign(ceiling.c_str(), nullptr, nullptr, nullptr, nullptr);
        ExpectPrices({{1234, 1, 2, 0, 0, "12.34"}});
    }
    PriceFormat_SetPrefixSign("C", nullptr, nullptr, nullptr, nullptr);
    ExpectPrices({{1234, 1, 2, 0, 0, "C 12.34"}});
    // A blank plus sign is not shown, so nothing pads before the digits.
    PriceFormat_SetPlusMinusSign(kIdeoSpaceBig5.c_str(), nullptr);
    ExpectPrices({{1234, 1, 2, 0, 0, "C12.34"}});
    // A rises sign before an explicit plus or minus.
    PriceFormat_SetPrefixSign("+", kTriangleBig5.c_str(), "", "", "-");
    PriceFormat_SetPlusMinusSign("+", "-");
    ExpectPrices({{1234, 2, 2, 0, 0, kTriangleBig5 + "+12.34"},
                  {-1234, 2, 2, 0, 0, kTriangleBig5 + "-12.34"}});
    PriceFormat_EnablePlusMinusSign(0);  // the minus goes too
    ExpectPrices({{1234, 2, 2, 0, 0, kTriangleBig5 + "12.34"}, {-1234, 2, 2, 0, 0, kTriangleBig5 + "12.34"}});
}

TEST_F(FormatDefaults, PriceSettersRejectBadValuesAndLoadDefaultRestores) {
    PriceFormat_SetPrefixSign("abc", "abcd", nullptr, "", "\xA1\xB6x");
    EXPECT_STREQ(PriceFormat_GetCeilingSign(), "ab");  // 3 bytes: kept as 2
    EXPECT_STREQ(PriceFormat_GetRisesSign(), "");      // 4 bytes: ignored
    EXPECT_STREQ(PriceFormat_GetFallSign(), "");
    EXPECT_STREQ(PriceFormat_GetFloorSign(), "\xA1\xB6");
    std::u16string wide;
    PriceFormatW(wide, std::int32_t{1234}, 1, 2, 0, 0);
    EXPECT_EQ(wide, u"a 12.34");  // the wide sign is the first unit of the whole text

    const char* floor = PriceFormat_GetFloorSign();
    PriceFormat_SetPrefixSign(nullptr, nullptr, nullptr, nullptr, "v");
    EXPECT_STREQ(floor, "v");  // getters hand out the live field

    PriceFormat_SetNonDealSign('*');
    ExpectPrices({{1234, 0, 2, 0, 0, "*"}});
    for (char bad : {' ', '\t', '\x7F', '\xA1'}) {
        PriceFormat_SetZeroSign(bad);
        EXPECT_EQ(PriceFormat_GetZeroSign(), ' ');
        ExpectPrices({{0, 3, 2, 0, 1, ""}});
    }
    EXPECT_EQ(PriceFormat_SetPrefixSignWidth(0) + PriceFormat_SetPrefixSignWidth(4), 0);
    EXPECT_EQ(PriceFormat_GetPrefixSignWidth(), 1);
    PriceFormat_SetPrefixSign("1", "2", "3", "4", "5");
    PriceFormat_SetPlusMinusSign("p", "m");
    PriceFormat_SetZeroSign('z');
    PriceFormat_EnablePrefixSign(0);
    PriceFormat_SetPrefixSignWidth(3);
    PriceFormat_SetPlusMinusSignWidth(3);
    PriceFormat_LoadDefault();
    ExpectPrices({{1234, 1, 2, 0, 0, "+ 12.34"}, {-1234, 5, 2, 0, 0, "--12.34"}, {0, 3, 2, 0, 1, "-"},
                  {1, 0, 2, 0, 0, ""}});
}
