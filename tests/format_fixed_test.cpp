#include <array>
#include <tuple>

#include "format_test_support.h"

using namespace TeskUtility;

TEST(FixedPoint, DivisorsScalingRoundingAndPercents) {
    for (auto [dot, d32, d64] : {std::tuple{-1, 1, std::int64_t{1}}, {0, 1, 1}, {1, 10, 10},
                                 {9, 1000000000, 1000000000}, {10, 1, 10000000000LL},
                                 {18, 1, 1000000000000000000LL}, {19, 1, 1}})
        EXPECT_EQ(std::pair(DotToDivisor(dot), DotToDivisor64(dot)), std::pair(d32, d64)) << dot;
    EXPECT_EQ(StripDecimal(-1999, 3), -1);
    EXPECT_EQ(StripDecimal(std::int64_t{-1999}, 3), -1);
    EXPECT_EQ(AppendDecimal(12, 2), 1200);
    EXPECT_EQ(AppendDecimal(std::int64_t{12}, 12), 12000000000000LL);
    // A step of 10 or more has divisor 1.
    for (auto [v, newDot, oldDot, r] : {std::array{1234, 4, 2, 123400}, {1299, 0, 2, 12}, {-1299, 0, 2, -12},
                                        {5, 12, 1, 5}, {7, 3, 3, 7}})
        EXPECT_EQ(DotOffSet(v, newDot, oldDot), r) << v << " " << newDot << " " << oldDot;
    // Half away from zero; 19 digits and more leave the value alone.
    for (auto [v, digits, r] : {std::tuple{2.345, 2u, 2.35}, {-2.5, 0u, -3.0}, {2.5, 0u, 3.0},
                                {-1.234, 1u, -1.2}, {1.23456789, 19u, 1.23456789}})
        EXPECT_DOUBLE_EQ(Round(v, digits), r) << v << " " << digits;

    struct Case { std::int64_t part, whole; std::int32_t expected; };
    const Case cases[] = {{1, 3, 3333}, {2, 3, 6667}, {-2, 3, -6667}, {5, 0, 0}, {1, 8, 1250},
                          {-1, 3, -3333}, {3, 3, 10000}, {21474, 21474, 10000}};
    for (const auto& c : cases) {
        const auto part = static_cast<std::int32_t>(c.part), whole = static_cast<std::int32_t>(c.whole);
        EXPECT_EQ(GetPercentValueWithRound(part, whole), c.expected) << c.part << "/" << c.whole;
        EXPECT_EQ(GetPercentValueWithRound(c.part, c.whole), c.expected) << c.part << "/" << c.whole;
    }
    // The 64-bit form forms its products without wrapping.
    EXPECT_EQ(GetPercentValueWithRound(std::int64_t{3000000000LL}, std::int64_t{6000000000LL}), 5000);
}

// The price reader is strict (kInvalidValue on any stray character, at most 6
// integer digits); the normal reader takes what it can.
TEST_F(FormatDefaults, AnalyzePriceAndNormal) {
    constexpr std::int32_t kBad = kInvalidValue;
    const struct { bool price; const char* text; std::int32_t value, dot; } cases[] = {
        {1, "-12.5", -125, 1}, {1, ".123456", 1234, 4}, {1, ".12", 12, 2}, {1, "123456", kBad, 0},
        {1, "12345", 12345, 0}, {1, "123456.5", 1234565, 1}, {1, "1234567.5", kBad, 0}, {1, "", 0, 0},
        {1, "12a", kBad, kBad}, {1, "  7.25 ", 725, 2}, {1, "12.", kBad, kBad}, {1, "1.2.3", kBad, kBad},
        {1, "--5", -5, 0}, {1, "-", 0, 0}, {1, "+5", kBad, kBad}, {1, "0.0001", 1, 4},
        {1, "\xA2\xB0", kBad, kBad},
        {0, "1,234.50", 123450, 2}, {0, ".05", 5, 2}, {0, "-3", -3, 0}, {0, "abc", 0, 0}, {0, " 12", 12, 0},
        {0, "$12", 0, 0}, {0, ".", 0, 0}, {0, "-.5", -5, 1}, {0, "12.3.4", 1234, 3}, {0, "", 0, 0},
    };
    for (const auto& c : cases) {
        std::int32_t value = 99, dot = 99;
        (c.price ? AnalyzeValue_Price : AnalyzeValue_Normal)(c.text, value, dot);
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(dot, c.dot) << c.text;
    }
    // Without a comma sign, spaces are the grouping character.
    VolumeFormat_SetCommaSign(' ');
    std::int32_t value = 0, dot = 0;
    AnalyzeValue_Normal("1 234 567", value, dot);
    EXPECT_EQ(value, 1234567);
    AnalyzeValue_Normal("1,234", value, dot);
    EXPECT_EQ(value, 1);
}

TEST_F(FormatDefaults, AnalyzePriceExCommodityValueAndTrim) {
    for (auto [text, value] : {std::pair{"0012.5", 12.5}, {"0.05", 0.05}, {"1,234", 1234.0}}) {
        double d = 0;
        AnalyzeValue_PriceEx(text, d);
        EXPECT_DOUBLE_EQ(d, value) << text;
    }
    EXPECT_EQ(GetCommodity_PriceValue("12.34", 100), 1234);
    EXPECT_EQ(GetCommodity_PriceValue("12.3", 100), 1230);   // dot 1 != divisor 100: through atof
    EXPECT_EQ(GetCommodity_PriceValue("1,234.5", 100), 100); // atof stops at the comma

    struct Case { const char* in; int minDecimals; int result; const char* out; };
    const Case cases[] = {{"12.500", 0, 1, "12.5"}, {"12.000", 0, 1, "12"}, {"12.500", 2, 1, "12.50"},
                          {"12.000", 2, 1, "12.00"}, {"12.345", 2, 1, "12.345"}, {"7", 0, 0, "7"},
                          {"12", 0, 0, "12"}, {"12.", 0, 1, "12"}, {"0.10", 3, 1, "0.100"}};
    for (const auto& c : cases) {
        std::string text = c.in;
        EXPECT_EQ(TrimDecimalRightZero(text, c.minDecimals), c.result) << c.in;
        EXPECT_EQ(text, c.out) << c.in;
    }
    VolumeFormat_SetCommaSign('.');
    std::string text = "12.500";
    EXPECT_EQ(TrimDecimalRightZero(text, 0), 0);
    EXPECT_EQ(text, "12.500");
}

TEST(FixedPoint, FindFitScale) {
    std::vector<std::int32_t> steps{1, 2, 3};
    FindFitScale(1200, steps);
    EXPECT_EQ(steps, (std::vector<std::int32_t>{15, 50, 100, 500, 1500, 3000, 5000}));
    FindFitScale(600000, steps);
    EXPECT_EQ(steps, (std::vector<std::int32_t>{10000, 30000, 50000, 300000, 500000, 800000, 1000000}));
    FindFitScale(0, steps);
    EXPECT_EQ(steps.front(), 15);
    EXPECT_EQ(steps[4], 1000);
    FindFitScale(1000000, steps);
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(GetFitScaleCount(), 5);
}
