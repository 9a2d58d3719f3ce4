// Shared fixture for the formatter suites: every test starts and ends with the
// default format states, so a test that changes a sign cannot leak into the next.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <type_traits>

#include "tesk/format.h"
#include "tesk/platform.h"

inline void RestoreAllFormatDefaults() {
    using namespace TeskUtility;
    PriceFormat_LoadDefault();
    VolumeFormat_LoadDefault();
    CommaFormatWithDot_LoadDefault();
    NumberFormat_LoadDefault();
    CommaFormat_LoadDefault();
    DiffPriceFormat_LoadDefault();
    PercentFormatWithSign_LoadDefault();
    PercentFormat_LoadDefault();
    TimeFormat_LoadDefault();
    DateFormat_LoadDefault();
    ChangeSignFormat_LoadDefault();
    VolumeOver_LoadDefault();
    AccountFormat_LoadDefault();
    CommodityNameFormat_EnablePending(1);
    NumberConvert_LoadDefault();
}

class FormatDefaults : public ::testing::Test {
protected:
    void SetUp() override { RestoreAllFormatDefaults(); }
    void TearDown() override { RestoreAllFormatDefaults(); }
};

// Big5 texts used across the suites.
inline const std::string kTriangleBig5 = "\xA1\xB6";      // ▲ U+25B2
inline const std::string kIdeoSpaceBig5 = "\xA1\x40";     // U+3000

// One family call as a generic lambda: FORMS(VolumeFormat, showZero) calls
// VolumeFormatA or VolumeFormatW by the output's type; `W` names the value's width
// so that a divisor can follow it (FORMS(NumberFormat, dot, W(divisor), showZero)).
#define FORMS(Family, ...)                                                    \
    [=](auto& o, auto x) {                                                    \
        using W [[maybe_unused]] = decltype(x);                               \
        if constexpr (std::is_same_v<std::decay_t<decltype(o)>, std::string>) \
            Family##A(o, x, __VA_ARGS__);                                     \
        else                                                                  \
            Family##W(o, x, __VA_ARGS__);                                     \
    }

// Which widths ExpectAllForms tries: a 32-bit value is tried only where it fits.
constexpr unsigned k32 = 1, k64 = 2;

// What ExpectAllForms leaves in the outputs before each call: a row expecting it
// checks that the call left its output alone.
inline const std::string kUntouched = "stale";

// Checks the narrow and wide texts of a family call in the given widths.
template <class Call>
void ExpectAllForms(const std::string& expected, std::int64_t v, Call call, const char* what = "",
                    unsigned widths = k32 | k64) {
    const std::u16string wide = TeskUtility::AnsiToWide(expected);
    auto check = [&](auto x, const char* width) {
        std::string n = kUntouched;
        std::u16string w = TeskUtility::AnsiToWide(kUntouched);
        call(n, x);
        call(w, x);
        EXPECT_EQ(n, expected) << what << width << v;
        EXPECT_EQ(w, wide) << what << width << v;
    };
    if (widths & k64) check(v, " 64-bit ");
    if ((widths & k32) && v >= INT32_MIN && v <= INT32_MAX) check(static_cast<std::int32_t>(v), " 32-bit ");
}
