// Times and dates, change signs and identifiers, unit numbers, compact helpers
// and the drawing context, through the installed headers and library.
#include <tesk/tesk.h>

#include <cstdio>
#include <string>

using namespace TeskUtility;

static int failures = 0;
static void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "consumer: %s\n", what);
        ++failures;
    }
}

static void CheckTimesAndDates() {
    std::string a;
    std::u16string w;
    std::int32_t t = 0, dt = 0, tick = 0;
    unsigned char h = 0, m = 0, s = 0;
    std::uint16_t y = 0;
    ByteToTime(t, 9, 30, 15);
    TimeToByte(t, h, m, s);
    Check(t == 0x091E0F && IsValidTime(t) && IsValidTime(h, m, s) && s == 15, "time packing");
    ByteToDate(dt, 2021, 7, 26);
    DateToByte(dt, y, h, m);
    Check(dt == 0x07E5071A && IsValidDate(dt) && IsValidDate(y, h, m) && y == 2021, "date packing");
    TimeToSecTick(t, tick);
    SecTickToTime(t, tick);
    TimeToMinTick(t, tick);
    MinTickToTime(t, tick);
    Check(t == 0x091E00 && SecTickDiff(0x091E0F, 0x091D3B) == 16 && MinTickDiff(0x091E0F, 0x091D3B) == 1, "ticks");
    TimeStringToMinTick("0930", tick);
    Check(tick == 570, "TimeStringToMinTick");
    Check(TimeStringToByteA("09:30:15", -1, h, m, s, 1) && TimeStringToByteA(std::string("093015"), h, m, s, 0) &&
              TimeStringToByteW(u"093015", 6, h, m, s, 0) && TimeStringToByteW(std::u16string(u"093015"), h, m, s, 0),
          "time parsers");
    Check(DateStringToByteA("2021/07/26", -1, y, h, m, 1) && DateStringToByteA(std::string("20210726"), y, h, m, 0) &&
              DateStringToByteW(u"20210726", -1, y, h, m, 0) &&
              DateStringToByteW(std::u16string(u"20210726"), y, h, m, 0),
          "date parsers");
    TimeFormat_SetSplitSign('.');
    DateFormat_SetSplitSign('-');
    Check(TimeFormat_GetSplitSign() == '.' && DateFormat_GetSplitSign() == '-', "separators");
    TimeFormat_LoadDefault();
    DateFormat_LoadDefault();
    TimeFormatA(a, 9, 30, 15);
    TimeFormatW(w, 9, 30, 15);
    Check(a == "09:30:15" && w == u"09:30:15", "TimeFormat hms");
    TimeFormatA(a, 9, 30);
    TimeFormatW(w, 9, 30);
    TimeFormatW(w, 0x091E0F, HourMinute);
    TimeFormatA(a, 0x091E0F, HourMinute);
    Check(a == "09:30" && w == u"09:30", "TimeFormat hm");
    DateFormatA(a, std::uint16_t{2021}, 7, 26);
    DateFormatW(w, std::uint16_t{2021}, 7, 26);
    DateFormatA(a, std::uint16_t{2021}, static_cast<unsigned char>(7));
    DateFormatW(w, std::uint16_t{2021}, static_cast<unsigned char>(7));
    DateFormatA(a, static_cast<unsigned char>(7), static_cast<unsigned char>(26));
    DateFormatW(w, static_cast<unsigned char>(7), static_cast<unsigned char>(26));
    DateFormatW(w, 0x07E5071A, YearMonth);
    DateFormatA(a, 0x07E5071A, MonthDay);
    Check(a == "07/26" && w == u"2021/07", "DateFormat");
}

static void CheckSignsAndUnits() {
    std::string a;
    std::u16string w;
    ModuleIdFormatA(7, a);
    ModuleIdFormatW(7, w);
    Check(a == "/0007" && w == u"/0007" && ModuleIdFormat_GetPrefixSign() == '/', "module id");
    CommodityNameFormat_EnablePending(1);
    a = "\xA4\xA4\xB5\xD8";
    w = u"AB";
    CommodityNameFormatA(a);
    CommodityNameFormatW(w);
    Check(a == "\xA4\xA4\xA1\x40\xB5\xD8" && w == u"A  B" && CommodityNameFormat_IsEnablePending(), "commodity");
    std::int32_t packed = 0;
    char g[6];
    ChangeSignFormat_SetSign('+', '=', 'x');
    ByteToChangeSign(1, 2, 4, 0, 3, 8, packed);
    ChangeSignToByte(packed, g[0], g[1], g[2], g[3], g[4], g[5]);
    ChangeSignFormatA(a, g[0], g[1], g[2], g[3], g[4], g[5]);
    ChangeSignFormatW(w, g[0], g[1], g[2], g[3], g[4], g[5]);
    ChangeSignFormatW(w, packed);
    ChangeSignFormatA(a, packed);
    ChangeSignFormat_LoadDefault();
    Check(a == "x=+ x " && w == u"x=+ x " && ChangeSignFormat_GetRisesSign() == '+' &&
              ChangeSignFormat_GetFlatSign() == '=' && ChangeSignFormat_GetFallSign() == 'x',
          "change signs");
    VolumeOver_SetThreshold(100);
    VolumeOverAlarm_SetThreshold(100);
    VolumeOverAlarm_SetTickVolume(10);
    VolumeOver_LoadDefault();
    Check(IsVolumeOver(100) && IsVolumeOver(std::int64_t{100}) && IsAlarmVolumeOver(100) && IsAlarmTickVolumn(10) &&
              VolumeOver_GetThreshold() == 100 && VolumeOverAlarm_GetThreshold() == 100 &&
              VolumeOverAlarm_GetTickVolume() == 10,
          "volume thresholds");
    AccountFormat_SetFormatType(AccountPart_All);
    AccountFormat_LoadDefault();
    Check(AccountFormatA(a, "9801", "1", "2", 'S') && a == "9801-1-2 [\xC3\xD2]" &&
              AccountFormatW(w, u"A", u"B", u"C", 'F') && AccountFormatA(a, "A", "", "B") &&
              AccountFormatW(w, u"A", u"", u"B") && AccountFormat_GetDelimitSign() == '-' &&
              AccountFormat_GetFormatType() == AccountPart_All,
          "accounts");
    GetAccountUserKey(a, "1234", "7654321", 'S');
    Check(a == "1234_7654321_S", "user key");

    NumberConvert_SetSign(Kilo, 'K');
    NumberConvert_SetSignT(HundredMega, "\xBB\xF5");
    NumberConvert_LoadDefault();
    Check(NumberConvert_GetFugures(Kilo) == 3 && NumberConvert_GetDivisor(Tera) == 2147483647 &&
              NumberConvert_GetDivisor64(Tera) == 1000000000000LL && NumberConvert_GetSign(Mega) == 'M' &&
              NumberConvert_GetSignT(HundredMega) == "\xBB\xF5",
          "unit state");
    NumberConvertA(std::int32_t{1234567}, a, Auto, Plain, 0);
    NumberConvertW(std::int64_t{1000}, w, Auto, Plain, 0);
    Check(a == "1M" && w == u"1K", "NumberConvertA/W");
    NumberConvertA(std::int64_t{1000}, a, Auto, Plain, 0);
    NumberConvertW(std::int32_t{1000}, w, Auto, Plain, 0);
    NumberConvertT(std::int64_t{300000000}, 0, 0, a, HundredMega, Plain, 0);
    NumberConvertT(std::int32_t{123456789}, 2, 0, a, Kilo, Number, 0);
    Check(a == "1234.56K" && w == u"1000", "NumberConvertT");
}

static void CheckCompact() {
    std::string a, unit;
    unsigned decimals = 0;
    int y = 0, m = 0, d = 0;
    Check(ConvertStringToSize("1024x768", -1, 'x') == CSize(1024, 768), "ConvertStringToSize");
    Check(MakeFlowString(1536) == "    1.50 KB", "MakeFlowString");
    CommaAutoShortenFormatWithDot(a, 1234567, 2, 0, 1, 1);
    Check(a == "12K", "CommaAutoShortenFormatWithDot");
    ShortenVolume(1234567, a, unit, decimals);
    Check(a == "123" && unit == "M" && decimals == 2, "ShortenVolume");
    ShortenPrice("12.34", a, decimals);
    Check(a == "1234" && decimals == 2, "ShortenPrice");
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont font;
    font.CreatePointFont(90, "DejaVu Sans");
    dc.SelectObject(&font);
    CRect tail;
    Check(GetShortVolumeFormateString(&dc, CRect(0, 0, 100, 20), 1234567, a, tail, 2) && a == "123M" &&
              tail.right < 100 && tail.left < tail.right,
          "GetShortVolumeFormateString");
    Check(GetShortPriceFormateString(&dc, CRect(0, 0, 100, 20), 1234, 2, 2, 0, a, tail, 0) && a == "1234",
          "GetShortPriceFormateString");
    Check(AmouontFormatStrNumber("1234567.890", 1) == "1,234,567.89", "AmouontFormatStrNumber");
    a = "12.3456";
    Check(TrimStringToDotNum(a, 2) && a == "12.34", "TrimStringToDotNum");
    Check(GetYearMonthDayFormateByString("20210726", y, m, d) && y == 2021 && d == 26, "GetYearMonthDay");
    Check(SpecificDotFloatString("3.14159", 3) == "3.142" && SpecificDotFloatStringFormat(2) == "%.2f",
          "SpecificDotFloatString");
}

int CheckDisplayHelpers() {
    CheckTimesAndDates();
    CheckSignsAndUnits();
    CheckCompact();
    return failures;
}
