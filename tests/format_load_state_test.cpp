// Runs before any fixture restores defaults: the states as the library loads them.
// gtest runs suites in definition order within a file and files in link
// order, so this checks only what no other test could have changed first:
// it restores nothing and asserts on values that LoadDefault would differ on.
#include <gtest/gtest.h>

#include "tesk/format.h"

using namespace TeskUtility;

TEST(FormatLoadState, PercentWithSignStartsWithPlainTemplates) {
    // Guard: if another test already ran PercentFormatWithSign_LoadDefault, the
    // load state is gone; the flat sign tells which.
    if (std::string(PercentFormatWithSign_GetFlatSign()) != " ") GTEST_SKIP() << "state already reloaded";
    std::string out;
    PercentFormatWithSignA(out, 1234, 2, 2, 0, 0);
    EXPECT_EQ(out, "12.34%");  // no sign and no separating space until the first rebuild
    PercentFormatWithSign_LoadDefault();
    EXPECT_STREQ(PercentFormatWithSign_GetFlatSign(), "");
    PercentFormatWithSignA(out, 1234, 2, 2, 0, 0);
    EXPECT_EQ(out, " 12.34%");
}
