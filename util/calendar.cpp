#include "tesk/exceptions.h"
#include "tesk/util_calendar.h"

namespace TeskUtility {
namespace {

constexpr HRESULT kFail = static_cast<HRESULT>(0x80004005);
constexpr HRESULT kInvalidArg = static_cast<HRESULT>(0x80070057);

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's
// days_from_civil); no time zone is involved, so midnight local time needs none.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct CivilDate {
    int year;
    int weekday;    // 0 Sunday
    int yearDay;    // 0 = January 1
};

// Builds a date as the platform calendar would: a day past the month's end
// carries into the next month. Throws COleException for what cannot be built.
CivilDate BuildDate(int year, int month, int day) {
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31) throw COleException(kFail);
    const std::int64_t days = DaysFromCivil(year, month, 1) + day - 1;
    int y = year;
    if (days >= DaysFromCivil(year + 1, 1, 1)) ++y;  // a day of 31 carries at most three days
    if (y > 9999) throw COleException(kInvalidArg);
    const int weekday = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    return {y, weekday, static_cast<int>(days - DaysFromCivil(y, 1, 1))};
}

// Week of the year with Sunday first; days before the first Sunday are week 0.
int SundayWeekOfYear(const CivilDate& d) { return (d.yearDay + 7 - d.weekday) / 7; }

}  // namespace

int GetMonthFirstDay(int year, int month) {
    const int a = (14 - month) / 12;
    const int y = year - a;
    const int m = month + 12 * a - 2;
    return (1 + y + y / 4 - y / 100 + y / 400 + (31 * m) / 12) % 7;
}

int GetMonthDays(int year, unsigned char month) {
    switch (month) {
        case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
        case 2: return (year % 400 == 0 || (year % 4 == 0 && year % 100 != 0)) ? 29 : 28;
        default: return 30;
    }
}

int GetWeekNo(int year, int month, int day) {
    const int w = (GetMonthFirstDay(year, month) + day - 1) / 7;
    if (w != 0) return w;
    const int prevYear = month == 1 ? year - 1 : year;
    const int prevMonth = month == 1 ? 12 : month - 1;
    const int n = GetMonthDays(prevYear, static_cast<unsigned char>(prevMonth)) + GetMonthFirstDay(prevYear, prevMonth) - 1;
    return n % 7 == 6 ? 0 : n / 7;
}

int CheckTwoDayIsSameWeek(int year1, int month1, int day1, int year2, int month2, int day2) {
    if (year1 == year2) {
        const CivilDate a = BuildDate(year1, month1, day1);
        const CivilDate b = BuildDate(year2, month2, day2);
        return SundayWeekOfYear(a) == SundayWeekOfYear(b) ? 1 : 0;
    }
    const bool adjacent = (year2 == year1 + 1 && month1 == 12 && month2 == 1) ||
                          (year1 == year2 + 1 && month2 == 12 && month1 == 1);
    if (!adjacent) return 0;
    return GetWeekNo(year1, month1, day1) == GetWeekNo(year2, month2, day2) ? 1 : 0;
}

CStringA GetWeekDay(int year, int month, int day) {
    static const char* const kNames[7] = {"\xA4\xE9", "\xA4\x40", "\xA4\x47", "\xA4\x54",
                                          "\xA5\x7C", "\xA4\xAD", "\xA4\xBB"};
    if (year < 1970) return CStringA();
    return kNames[BuildDate(year, month, day).weekday];
}

int CheckTenToTwoBitCode(std::int32_t value, std::int32_t bit) {
    // A value of 0 or less writes the single digit value % 2, which is never 1.
    if (bit < 0 || value <= 0) return 0;
    for (std::int32_t i = 0; value > 0; ++i, value /= 2)
        if (i == bit) return value % 2;
    return 0;
}

}  // namespace TeskUtility
