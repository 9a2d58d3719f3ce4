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
    // The second RisesSign is the difference family's; an unset non-deal sign is written as a space.
    const char* expected[] = {
        "[Time]\r\nSplitSign=58\r\n", "[Date]\r\nSplitSign=47\r\n", "RisesSign=43\r\n", "FlatSign=61\r\n",
        "FallSign=120\r\n", "[CommodityName]\r\nEnablePending=1\r\n", "Threshold=100\r\n",
        "AlarmTickVolume=10\r\n", "KiloSign=75\r\n", "NoneSign=0\r\n", "HundredMegaSign=\xBB\xF5\r\n",
        "CeilingSign=+\r\n", "RisesSign=\xA1\xB6\r\n", "NonDealSign=32\r\n", "PercentSign=37\r\n",
    };
    for (const char* piece : expected) EXPECT_NE(bytes.find(piece), std::string::npos) << piece;
    for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1))
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
}

// "-" is not a number (0: no separator), nor is " 45" (no blanks before the digits);
// the first of two values wins.
TEST_F(FormatSettingsFile, LoadResetsPricesThenAppliesOnlyThePresentSections) {
    PriceFormat_SetPrefixSign("C", nullptr, nullptr, nullptr, nullptr);
    VolumeFormat_SetCommaSign('\'');
    const struct { const char* file; char timeSign; } cases[] = {
        {"[Time]\r\nSplitSign=45\r\n", '-'}, {"[Time]\r\nSplitSign=-\r\n", ' '},
        {"[Time]\r\nSplitSign=32\r\n", ' '}, {"[Time]\r\nSplitSign= 45\r\n", ' '},
        {"[Time]\r\nSplitSign=45\r\nSplitSign=46\r\n", '-'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadFormatSetting(dir.Write("t.ini", c.file).c_str()), 1);
        EXPECT_EQ(TimeFormat_GetSplitSign(), c.timeSign) << c.file;
        EXPECT_STREQ(PriceFormat_GetCeilingSign(), "+") << "price reset";
        EXPECT_EQ(VolumeFormat_GetCommaSign(), '\'') << "absent section untouched";
    }
    // Failures still reset the price family.
    const std::string missing = dir.File("missing.ini");
    for (const char* path : {missing.c_str(), static_cast<const char*>(nullptr)}) {
        PriceFormat_SetPrefixSign("C", nullptr, nullptr, nullptr, nullptr);
        EXPECT_EQ(LoadFormatSetting(path), 0);
        EXPECT_STREQ(PriceFormat_GetCeilingSign(), "+");
    }
    EXPECT_EQ(SaveFormatSetting(nullptr), 0);
    EXPECT_EQ(SaveFormatSetting(dir.File("no/such/dir/f.ini").c_str()), 0);
}

// The file's integers follow the strict reader; the store's own typed query reads the
// same text by the C library's rule. An out-of-range width keeps the reset width, and a
// missing text changes nothing.
TEST_F(FormatSettingsFile, IntegersReadStrictlyUnlikeTheStoreQuery) {
    PriceFormat_SetPrefixSignWidth(3);
    const std::string path = dir.Write("r.ini", "[Date]\r\nSplitSign= 46\r\n[VolumeOver]\r\nThreshold=+7\r\n"
                                                "[Price]\r\nPrefixSignWidth=7\r\nFloorSign=v\r\n");
    ASSERT_EQ(LoadFormatSetting(path.c_str()), 1);
    EXPECT_EQ(DateFormat_GetSplitSign(), ' ');
    EXPECT_EQ(VolumeOver_GetThreshold(), 0);
    EXPECT_EQ(PriceFormat_GetPrefixSignWidth(), 1);
    EXPECT_STREQ(PriceFormat_GetFloorSign(), "v");
    EXPECT_STREQ(PriceFormat_GetCeilingSign(), "+");
    CTeskSetting store;
    ASSERT_EQ(store.LoadFile(path.c_str()), 1);
    EXPECT_EQ(store.QueryInteger("Date", "SplitSign"), 46);
    EXPECT_EQ(store.QueryInteger("VolumeOver", "Threshold"), 7);
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
    EXPECT_EQ(VolumeOver_GetThreshold(), 250);
    EXPECT_EQ(DiffPriceFormat_IsShowPrefixSign(), 0);
    // Non-deal, volume comma, percent, zero, time, flat and kilo signs.
    const std::string signs{PriceFormat_GetNonDealSign(), VolumeFormat_GetCommaSign(),
                            PercentFormatWithSign_GetPercentSign(), PercentFormat_GetZeroSign(),
                            TimeFormat_GetSplitSign(), ChangeSignFormat_GetFlatSign(),
                            NumberConvert_GetSign(Kilo)};
    EXPECT_EQ(signs, "*. 0.ek");

    std::string out;
    CommaFormatWithDotA(out, -123456, 2, 0, 0);
    EXPECT_EQ(out, "m1.234.56");  // grouped with the volume sign; its own plus/minus survived
    CommaFormatA(out, 1234, 0);
    EXPECT_EQ(out, "P1,234");
}
