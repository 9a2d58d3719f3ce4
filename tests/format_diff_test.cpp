#include "format_test_support.h"

using namespace TeskUtility;

namespace {

struct DirCase { std::int32_t value; std::uint32_t state; std::int32_t dot; int showZero; std::string text; };

void ExpectDiffs(std::initializer_list<DirCase> cases) {
    for (const auto& c : cases)
        ExpectAllForms(c.text, c.value, FORMS(DiffPriceFormat, c.state, c.dot, 0, c.showZero), "", k32);
}
void ExpectPercentsWithSign(std::initializer_list<DirCase> cases) {
    for (const auto& c : cases)
        ExpectAllForms(c.text, c.value, FORMS(PercentFormatWithSign, c.state, c.dot, 0, c.showZero), "", k32);
}

}  // namespace

// The state, not the value, gives the direction; the flat sign is blank; states 0
// and 7 are flat, unmapped states leave the output alone.
TEST_F(FormatDefaults, DiffPrice) {
    ExpectDiffs({
        {150, 2, 2, 0, kTriangleBig5 + " 1.50"}, {-150, 1, 2, 0, kTriangleBig5 + " 1.50"},
        {-150, 4, 2, 0, "x 1.50"}, {-150, 5, 2, 0, "x 1.50"}, {0, 3, 2, 0, "0.00"}, {0, 3, 2, 1, "-"},
        {12, 0, 0, 0, "12"}, {12, 7, 0, 0, "12"},
        {150, 6, 2, 0, kUntouched}, {150, 8, 2, 0, kUntouched}, {150, 100, 2, 0, kUntouched},
    });
    DiffPriceFormat_SetPrefixSign(nullptr, "=", nullptr);
    EXPECT_STREQ(DiffPriceFormat_GetRisesSign(), kTriangleBig5.c_str());
    EXPECT_STREQ(DiffPriceFormat_GetFallSign(), "x");
    ExpectDiffs({{0, 3, 2, 0, "= 0.00"}});
    DiffPriceFormat_SetPrefixSign(nullptr, "", nullptr);
    ExpectDiffs({{0, 3, 2, 0, " 0.00"}});  // empty is shown: nothing, then the space
    DiffPriceFormat_EnablePrefixSign(0);
    ExpectDiffs({{150, 2, 2, 0, "1.50"}, {-150, 4, 2, 0, "1.50"}});
    DiffPriceFormat_EnablePrefixSign(1);
    ExpectDiffs({{150, 2, 2, 0, kTriangleBig5 + " 1.50"}});
}

TEST_F(FormatDefaults, PercentWithSignAndPlain) {
    // The zero sign stands alone.
    ExpectPercentsWithSign({{1234, 2, 2, 0, " 12.34%"}, {-1234, 4, 2, 0, " 12.34%"}, {0, 3, 2, 1, "-"},
                            {5, 3, 0, 0, " 5%"}});
    PercentFormatWithSign_SetPrefixSign(" ", " ", " ");
    ExpectPercentsWithSign({{1234, 2, 2, 0, "12.34%"}});
    PercentFormatWithSign_SetPrefixSign("+", nullptr, "-");
    ExpectPercentsWithSign({{1234, 2, 2, 0, "+ 12.34%"}, {1234, 4, 2, 0, "- 12.34%"}});
    PercentFormatWithSign_EnablePercentSign(0);
    ExpectPercentsWithSign({{1234, 4, 2, 0, "- 12.34"}});
    PercentFormatWithSign_EnablePercentSign(1);
    PercentFormatWithSign_SetPercentSign(' ');
    ExpectPercentsWithSign({{1234, 4, 2, 0, "- 12.34"}});

    const struct { std::int32_t v, dot; int showZero; const char* text; } cases[] = {
        {1234, 2, 0, "12.34%"}, {-1234, 2, 0, "- 12.34%"}, {-12, 0, 0, "-12%"}, {0, 2, 1, "-"},
        {0, 2, 0, "0.00%"}, {7, 1, 0, "0.7%"}};
    for (const auto& c : cases)
        ExpectAllForms(c.text, c.v, FORMS(PercentFormat, c.dot, 0, c.showZero), "", k32);
    PercentFormat_EnablePercentSign(0);
    ExpectAllForms("12.34", 1234, FORMS(PercentFormat, 2, 0, 0), "sign off", k32);
    PercentFormat_EnablePercentSign(1);
    PercentFormat_SetPercentSign(' ');
    ExpectAllForms("12.34", 1234, FORMS(PercentFormat, 2, 0, 0), "blank sign", k32);
}
