// The states as the library loads them, before any LoadDefault. Other tests of
// this binary change them, so the check runs in a freshly started copy of the
// binary (the threadsafe death-test style re-executes it with only this test).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tesk/format.h"

using namespace TeskUtility;

namespace {

// Exits 0 when the load state holds, 1 (with the mismatch on stderr) when not.
[[noreturn]] void CheckPercentWithSignLoadState() {
    std::string loaded, reloaded;
    PercentFormatWithSignA(loaded, 1234, 2, 2, 0, 0);
    PercentFormatWithSign_LoadDefault();
    PercentFormatWithSignA(reloaded, 1234, 2, 2, 0, 0);
    // No sign and no separating space until the first rebuild; the default's
    // empty flat sign then shows as the space.
    const bool ok = loaded == "12.34%" && reloaded == " 12.34%" && std::string(PercentFormatWithSign_GetFlatSign()).empty();
    if (!ok) std::fprintf(stderr, "loaded [%s], after LoadDefault [%s]\n", loaded.c_str(), reloaded.c_str());
    std::exit(ok ? 0 : 1);
}

}  // namespace

TEST(FormatLoadState, PercentWithSignStartsWithPlainTemplates) {
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(CheckPercentWithSignLoadState(), ::testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, style);
}
