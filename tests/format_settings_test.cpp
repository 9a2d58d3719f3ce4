#include <gtest/gtest.h>

#include "format_test_support.h"
#include "io_test_support.h"
#include "tesk/settings_store.h"

using namespace TeskUtility;

class FormatSettingsFile : public FormatDefaults {
protected:
    TempDir dir;
};

TEST_F(FormatSettingsFile, SavesTheDefaultsAsCodesAndTexts) {
    const std::string path = dir.File("format.ini");
    ASSERT_EQ(SaveFormatSetting(path.c_str()), 1);
    const std::string bytes = dir.Read("format.ini");
    const char* expected[] = {
        "[Time]\r\nSplitSign=58\r\n", "[Date]\r\nSplitSign=47\r\n",
        "RisesSign=43\r\n", "FlatSign=61\r\n", "FallSign=120\r\n",
        "[CommodityName]\r\nEnablePending=1\r\n", "Threshold=100\r\n", "AlarmTickVolume=10\r\n",
        "KiloSign=75\r\n", "NoneSign=0\r\n", "HundredMegaSign=\xBB\xF5\r\n",
        "CeilingSign=+\r\n", "RisesSign=\xA1\xB6\r\n",  // the difference family's rises sign
        "NonDealSign=32\r\n",                           // unset, written as a space
        "PercentSign=37\r\n",
    };
    for (const char* piece : expected) EXPECT_NE(bytes.find(piece), std::string::npos) << piece;
    for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1))
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
}

TEST_F(FormatSettingsFile, LoadAppliesOnlyThePresentSectionsAfterAPriceReset) {
    PriceFormat_SetPrefixSign("C", nullptr, nullptr, nullptr, nullptr);
    VolumeFormat_SetCommaSign('\'');
    struct Case { const char* file; char timeSign; };
    const Case cases[] = {
        {"[Time]\r\nSplitSign=45\r\n", '-'},
        {"[Time]\r\nSplitSign=-\r\n", ' '},   // not a number: 0, no separator
        {"[Time]\r\nSplitSign=32\r\n", ' '},
        {"[Time]\r\nSplitSign= 45\r\n", ' '},  // no blanks before the digits either
        {"[Time]\r\nSplitSign=45\r\nSplitSign=46\r\n", '-'},  // first value wins
    };
    for (const auto& c : cases) {
        const std::string path = dir.Write("t.ini", c.file);
        EXPECT_EQ(LoadFormatSetting(path.c_str()), 1);
        EXPECT_EQ(TimeFormat_GetSplitSign(), c.timeSign) << c.file;
        EXPECT_STREQ(PriceFormat_GetCeilingSign(), "+") << "price reset";
        EXPECT_EQ(VolumeFormat_GetCommaSign(), '\'') << "absent section untouched";
    }
}

// The file's integers follow the strict reader; the store's own typed query
// reads the same text by the C library's rule.
TEST_F(FormatSettingsFile, IntegersReadStrictlyUnlikeTheStoreQuery) {
    const std::string path = dir.Write("r.ini", "[Date]\r\nSplitSign= 46\r\n[VolumeOver]\r\nThreshold=+7\r\n");
    ASSERT_EQ(LoadFormatSetting(path.c_str()), 1);
    EXPECT_EQ(DateFormat_GetSplitSign(), ' ');
    EXPECT_EQ(VolumeOver_GetThreshold(), 0);
    CTeskSetting store;
    ASSERT_EQ(store.LoadFile(path.c_str()), 1);
    EXPECT_EQ(store.QueryInteger("Date", "SplitSign"), 46);
    EXPECT_EQ(store.QueryInteger("VolumeOver", "Threshold"), 7);
}

TEST_F(FormatSettingsFile, OutOfRangeWidthKeepsTheResetWidth) {
    PriceFormat_SetPrefixSignWidth(3);
    const std::string path = dir.Write("w.ini", "[Price]\r\nPrefixSignWidth=7\r\nFloorSign=v\r\n");
    EXPECT_EQ(LoadFormatSetting(path.c_str()), 1);
    EXPECT_EQ(PriceFormat_GetPrefixSignWidth(), 1);
    EXPECT_STREQ(PriceFormat_GetFloorSign(), "v");
    EXPECT_STREQ(PriceFormat_GetCeilingSign(), "+");  // missing text: no change
}

TEST_F(FormatSettingsFile, FailuresStillResetPrices) {
    PriceFormat_SetPrefixSign("C", nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(LoadFormatSetting(dir.File("missing.ini").c_str()), 0);
    EXPECT_STREQ(PriceFormat_GetCeilingSign(), "+");
    PriceFormat_SetPrefixSign("C", nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(LoadFormatSetting(nullptr), 0);
    EXPECT_STREQ(PriceFormat_GetCeilingSign(), "+");
    EXPECT_EQ(SaveFormatSetting(nullptr), 0);
    EXPECT_EQ(SaveFormatSetting(dir.File("no/such/dir/f.ini").c_str()), 0);
}

TEST_F(FormatSettingsFile, RoundTripRestoresWhatTheLoaderReads) {
    PriceFormat_SetPrefixSign("^", kTriangleBig5.c_str(), "=", "\xA1\xBF", "v");
    PriceFormat_SetPlusMinusSign("+", "");
    PriceFormat_SetPlusMinusSignWidth(2);
    PriceFormat_SetNonDealSign('*');
    VolumeFormat_SetCommaSign('.');
    CommaFormatWithDot_SetCommaSign(';');  // comes back as the volume sign
    CommaFormatWithDot_SetPlusMinusSign("p", "m");
    CommaFormat_SetPlusMinusSign("P", "M");
    DiffPriceFormat_EnablePrefixSign(0);
    PercentFormatWithSign_SetPercentSign(' ');
    PercentFormat_SetZeroSign('0');
    TimeFormat_SetSplitSign('.');
    ChangeSignFormat_SetSign('u', 'e', 'd');
    VolumeOver_SetThreshold(250);
    NumberConvert_SetSign(Kilo, 'k');
    const std::string path = dir.File("round.ini");
    ASSERT_EQ(SaveFormatSetting(path.c_str()), 1);

    RestoreAllFormatDefaults();
    ASSERT_EQ(LoadFormatSetting(path.c_str()), 1);
    EXPECT_STREQ(PriceFormat_GetRisesSign(), kTriangleBig5.c_str());
    EXPECT_STREQ(PriceFormat_GetFallSign(), "\xA1\xBF");
    EXPECT_STREQ(PriceFormat_GetMinusSign(), "");
    EXPECT_EQ(PriceFormat_GetPlusMinusSignWidth(), 2);
    EXPECT_EQ(PriceFormat_GetNonDealSign(), '*');
    EXPECT_EQ(VolumeFormat_GetCommaSign(), '.');
    EXPECT_EQ(DiffPriceFormat_IsShowPrefixSign(), 0);
    EXPECT_EQ(PercentFormatWithSign_GetPercentSign(), ' ');
    EXPECT_EQ(PercentFormat_GetZeroSign(), '0');
    EXPECT_EQ(TimeFormat_GetSplitSign(), '.');
    EXPECT_EQ(ChangeSignFormat_GetFlatSign(), 'e');
    EXPECT_EQ(VolumeOver_GetThreshold(), 250);
    EXPECT_EQ(NumberConvert_GetSign(Kilo), 'k');

    std::string out;
    CommaFormatWithDotA(out, -123456, 2, 0, 0);
    EXPECT_EQ(out, "m1.234.56");  // grouped with the volume sign; its own plus/minus survived
    CommaFormatA(out, 1234, 0);
    EXPECT_EQ(out, "P1,234");
}
