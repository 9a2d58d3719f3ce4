#include "format_test_support.h"
#include "tesk/format_signs.h"

using namespace TeskUtility;

// Module ids: the prefix and at least four digits.
TEST_F(FormatDefaults, ModuleIdAndCommodityName) {
    EXPECT_EQ(ModuleIdFormat_GetPrefixSign(), '/');
    const std::pair<std::uint16_t, const char*> ids[] = {
        {0, "/0000"}, {7, "/0007"}, {12, "/0012"}, {9999, "/9999"}, {12345, "/12345"}, {65535, "/65535"}};
    for (const auto& [id, text] : ids) {
        std::string a = "old";
        std::u16string w = u"old";
        ModuleIdFormatA(id, a);
        ModuleIdFormatW(id, w);
        EXPECT_EQ(a, text);
        EXPECT_EQ(w, AnsiToWide(text));
    }
    // The narrow Big5 rule ignores the flag; the wide one needs it and two characters.
    const struct { const char* in; const char* out; } cases[] = {
        // 中華 -> 中　華, also before a letter; one wide and two narrow, three wide and a
        // dangling lead byte stay as they are.
        {"\xA4\xA4\xB5\xD8", "\xA4\xA4\xA1\x40\xB5\xD8"}, {"\xA4\xA4" "AB", "\xA4\xA4" "AB"}, {"", ""},
        {"\xA4\xA4\xB5\xD8" "A", "\xA4\xA4\xA1\x40\xB5\xD8" "A"}, {"AB\xA4\xA4", "AB\xA4\xA4"},
        {"\xA4\xA4\xB5\xD8\xA5\xC1", "\xA4\xA4\xB5\xD8\xA5\xC1"},
        {"\xA4\xA4\xB5\xD8\xA5", "\xA4\xA4\xB5\xD8\xA5"}, {"ABCD", "ABCD"},
    };
    for (int enable : {0, 1}) {
        CommodityNameFormat_EnablePending(enable);
        for (const auto& c : cases) {
            std::string name = c.in;
            CommodityNameFormatA(name);
            EXPECT_EQ(name, c.out) << "enable " << enable;
        }
    }
    const struct { int enable; const char16_t* in; const char16_t* out; } wideCases[] = {
        {1, u"AB", u"A  B"}, {1, u"\u4E2D\u83EF", u"\u4E2D  \u83EF"}, {1, u"ABC", u"ABC"}, {1, u"A", u"A"},
        {0, u"AB", u"AB"},   {5, u"AB", u"A  B"},
    };
    for (const auto& c : wideCases) {
        CommodityNameFormat_EnablePending(c.enable);
        std::u16string name = c.in;
        CommodityNameFormatW(name);
        EXPECT_EQ(name, c.out);
    }
}

TEST_F(FormatDefaults, VolumeOverIsAtLeastInBothWidths) {
    EXPECT_EQ(IsVolumeOver(std::int32_t{100}) + IsVolumeOver(std::int32_t{99}), 1);
    EXPECT_EQ(IsVolumeOver(std::int64_t{1} << 40), 1);
    VolumeOver_SetThreshold(-5);
    EXPECT_EQ(IsVolumeOver(std::int64_t{-5}) + IsVolumeOver(std::int64_t{-6}), 1);
    VolumeOver_SetThreshold(INT32_MIN);
    EXPECT_EQ(IsVolumeOver(std::int64_t{INT32_MIN} - 1), 0);  // the 64-bit copy is sign-extended

    VolumeOverAlarm_SetThreshold(500);
    VolumeOverAlarm_SetTickVolume(-1);
    EXPECT_EQ(IsAlarmVolumeOver(500) + IsAlarmVolumeOver(499), 1);
    EXPECT_EQ(IsAlarmTickVolumn(-1) + IsAlarmTickVolumn(-2), 1);

    VolumeOver_LoadDefault();  // restores the alarm settings too
    EXPECT_EQ(IsAlarmVolumeOver(100) + IsAlarmTickVolumn(10) + IsVolumeOver(std::int64_t{99}), 2);
}
