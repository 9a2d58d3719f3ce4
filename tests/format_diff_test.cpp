#include <gtest/gtest.h>

#include "format_test_support.h"
#include "tesk/platform.h"

using namespace TeskUtility;

namespace {

struct DirCase { std::int32_t value; std::uint32_t state; std::int32_t dot; int showZero; std::string expected; };

void ExpectDiff(const DirCase& c) {
    ExpectAllForms(c.expected, c.value, FORMS(DiffPriceFormat, c.state, c.dot, 0, c.showZero), "", k32);
}
void ExpectPercentWithSign(const DirCase& c) {
    ExpectAllForms(c.expected, c.value, FORMS(PercentFormatWithSign, c.state, c.dot, 0, c.showZero), "", k32);
}

}  // namespace

TEST_F(FormatDefaults, DiffPriceDefaults) {
    const DirCase cases[] = {
        {150, 2, 2, 0, kTriangleBig5 + " 1.50"},
        {-150, 1, 2, 0, kTriangleBig5 + " 1.50"},  // the state, not the value, gives the direction
        {-150, 4, 2, 0, "x 1.50"}, {-150, 5, 2, 0, "x 1.50"},
        {0, 3, 2, 0, "0.00"},                       // blank flat sign
        {0, 3, 2, 1, "-"},
        {12, 0, 0, 0, "12"},                        // state 0 is flat
        {12, 7, 0, 0, "12"},
    };
    for (const auto& c : cases) ExpectDiff(c);
}

TEST_F(FormatDefaults, DiffPriceUnmappedStatesKeepOutput) {
    for (std::uint32_t state : {6u, 8u, 100u}) {
        std::string narrow = "previous";
        std::u16string wide = u"previous";
        DiffPriceFormatA(narrow, 150, state, 2, 0, 0);
        DiffPriceFormatW(wide, 150, state, 2, 0, 0);
        EXPECT_EQ(narrow, "previous");
        EXPECT_EQ(wide, u"previous");
    }
}

TEST_F(FormatDefaults, DiffPriceSetters) {
    DiffPriceFormat_SetPrefixSign(nullptr, "=", nullptr);
    EXPECT_STREQ(DiffPriceFormat_GetRisesSign(), kTriangleBig5.c_str());
    EXPECT_STREQ(DiffPriceFormat_GetFallSign(), "x");
    ExpectDiff({0, 3, 2, 0, "= 0.00"});
    DiffPriceFormat_SetPrefixSign(nullptr, "", nullptr);
    ExpectDiff({0, 3, 2, 0, " 0.00"});  // empty is shown: nothing, then the space
    DiffPriceFormat_EnablePrefixSign(0);
    ExpectDiff({150, 2, 2, 0, "1.50"});
    ExpectDiff({-150, 4, 2, 0, "1.50"});
    DiffPriceFormat_EnablePrefixSign(1);
    ExpectDiff({150, 2, 2, 0, kTriangleBig5 + " 1.50"});
}

TEST_F(FormatDefaults, PercentWithSignDefaults) {
    const DirCase cases[] = {
        {1234, 2, 2, 0, " 12.34%"}, {-1234, 4, 2, 0, " 12.34%"},
        {0, 3, 2, 1, "-"},  // the zero sign stands alone
        {5, 3, 0, 0, " 5%"},
    };
    for (const auto& c : cases) ExpectPercentWithSign(c);
    PercentFormatWithSign_SetPrefixSign(" ", " ", " ");
    ExpectPercentWithSign({1234, 2, 2, 0, "12.34%"});
    PercentFormatWithSign_SetPrefixSign("+", nullptr, "-");
    ExpectPercentWithSign({1234, 2, 2, 0, "+ 12.34%"});
    ExpectPercentWithSign({1234, 4, 2, 0, "- 12.34%"});
    PercentFormatWithSign_EnablePercentSign(0);
    ExpectPercentWithSign({1234, 4, 2, 0, "- 12.34"});
    PercentFormatWithSign_EnablePercentSign(1);
    PercentFormatWithSign_SetPercentSign(' ');
    ExpectPercentWithSign({1234, 4, 2, 0, "- 12.34"});
}

TEST_F(FormatDefaults, PercentCases) {
    struct Case { std::int32_t v, dot; int showZero; const char* expected; };
    const Case cases[] = {{1234, 2, 0, "12.34%"}, {-1234, 2, 0, "- 12.34%"}, {-12, 0, 0, "-12%"},
                          {0, 2, 1, "-"},         {0, 2, 0, "0.00%"},        {7, 1, 0, "0.7%"}};
    for (const auto& c : cases) ExpectAllForms(c.expected, c.v, FORMS(PercentFormat, c.dot, 0, c.showZero), "", k32);
    PercentFormat_EnablePercentSign(0);
    ExpectAllForms("12.34", 1234, FORMS(PercentFormat, 2, 0, 0), "sign off", k32);
    PercentFormat_EnablePercentSign(1);
    PercentFormat_SetPercentSign(' ');
    ExpectAllForms("12.34", 1234, FORMS(PercentFormat, 2, 0, 0), "blank sign", k32);
}
