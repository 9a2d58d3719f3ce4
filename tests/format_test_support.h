// Shared fixture for the formatter suites: every test starts and ends with the
// default format states, so a test that changes a sign cannot leak into the next.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tesk/format.h"

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
