#include <gtest/gtest.h>

#include "tesk/exceptions.h"
#include "tesk/util_calendar.h"

using namespace TeskUtility;

namespace {

// Weekday names in Big5, Sunday first.
const char* const kNames[7] = {"\xA4\xE9", "\xA4\x40", "\xA4\x47", "\xA4\x54", "\xA5\x7C", "\xA4\xAD", "\xA4\xBB"};

HRESULT ThrownCode(int y, int m, int d) {
    try {
        GetWeekDay(y, m, d);
    } catch (const COleException& e) {
        return e.m_sc;
    }
    return 0;
}

}  // namespace

TEST(Calendar, DatesMonthDaysAndWeeks) {
    struct Case { int y, m, d; int monthFirstDay, weekNo, weekday; };
    // Expected values computed independently from the civil calendar.
    static const Case kCases[] = {
        {2019, 12, 31, 0, 4, 2}, {2020, 1, 1, 3, 4, 3},  {2020, 2, 29, 6, 4, 6}, {2020, 3, 1, 0, 0, 0},
        {2021, 7, 1, 4, 4, 4},   {2021, 7, 4, 4, 1, 0},  {2022, 10, 2, 6, 1, 0}, {2023, 1, 1, 0, 0, 0},
        {2023, 4, 30, 6, 5, 0},  {2024, 2, 29, 4, 4, 4}, {2000, 2, 29, 2, 4, 2}, {1999, 12, 31, 3, 4, 5},
        {2021, 3, 1, 1, 4, 1},  // the month before is a February of 28 days
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        EXPECT_EQ(GetMonthFirstDay(c.y, c.m), c.monthFirstDay);
        EXPECT_EQ(GetWeekNo(c.y, c.m, c.d), c.weekNo);
        EXPECT_EQ(GetWeekDay(c.y, c.m, c.d), kNames[c.weekday]);
    }

    struct MonthCase { int year; unsigned char month; int days; };
    static const MonthCase kMonths[] = {
        {2000, 2, 29}, {1900, 2, 28}, {2024, 2, 29}, {2023, 2, 28}, {2100, 2, 28}, {2021, 13, 30}, {2021, 0, 30},
        {2021, 1, 31}, {2021, 4, 30}, {2021, 7, 31}, {2021, 8, 31}, {2021, 9, 30}, {2021, 12, 31},
    };
    for (const auto& c : kMonths)
        EXPECT_EQ(GetMonthDays(c.year, c.month), c.days) << c.year << "/" << int(c.month);

    struct WeekCase { int y1, m1, d1, y2, m2, d2; int same; };
    static const WeekCase kWeeks[] = {
        {2021, 12, 31, 2022, 1, 1, 1}, {2021, 7, 3, 2021, 7, 4, 0},   {2021, 7, 4, 2021, 7, 10, 1},
        {2024, 2, 25, 2024, 3, 2, 1},  {2024, 2, 24, 2024, 3, 2, 0},  {2023, 12, 31, 2024, 1, 6, 1},
        {2022, 12, 31, 2023, 1, 1, 0}, {2023, 1, 1, 2022, 12, 31, 0}, {2020, 12, 27, 2021, 1, 2, 1},
        {2020, 5, 1, 2021, 5, 1, 0},   {2021, 1, 1, 2021, 1, 2, 1},   {2021, 1, 2, 2021, 1, 3, 0},
        {2021, 2, 30, 2021, 3, 2, 1},  // February 30 carries into March
        {2019, 11, 30, 2021, 1, 1, 0},
    };
    for (const WeekCase& c : kWeeks)
        EXPECT_EQ(CheckTwoDayIsSameWeek(c.y1, c.m1, c.d1, c.y2, c.m2, c.d2), c.same)
            << c.y1 << "-" << c.m1 << "-" << c.d1 << " / " << c.y2 << "-" << c.m2 << "-" << c.d2;
}

// The year is checked first; February 30 carries into March; dates that cannot
// be built throw COleException with E_FAIL, years past 9999 with E_INVALIDARG.
TEST(Calendar, WeekDayEdgesAndDatesThatCannotBeBuilt) {
    const HRESULT fail = static_cast<HRESULT>(0x80004005), invalid = static_cast<HRESULT>(0x80070057);
    const struct { int y, m, d; const char* name; HRESULT thrown; } cases[] = {
        {2021, 7, 26, kNames[1], 0}, {1969, 12, 31, "", 0}, {1969, 13, 99, "", 0}, {2021, 2, 30, kNames[2], 0},
        {2021, 12, 31, kNames[5], 0}, {2021, 0, 1, "", fail}, {2021, 13, 1, "", fail}, {2021, 1, 0, "", fail},
        {2021, 1, 32, "", fail}, {9999, 12, 31, kNames[5], 0}, {9999, 11, 31, kNames[3], 0}, {10000, 1, 1, "", invalid},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ThrownCode(c.y, c.m, c.d), c.thrown) << c.y << "-" << c.m << "-" << c.d;
        if (!c.thrown) {
            EXPECT_EQ(GetWeekDay(c.y, c.m, c.d), c.name) << c.y << "-" << c.m << "-" << c.d;
        }
    }
    EXPECT_THROW(CheckTwoDayIsSameWeek(1899, 1, 1, 1899, 1, 2), COleException);
    EXPECT_THROW(CheckTwoDayIsSameWeek(2021, 1, 1, 2021, 2, 0), COleException);
    EXPECT_NO_THROW(CheckTwoDayIsSameWeek(2021, 12, 99, 2022, 1, 1));  // different years build no date
}

TEST(Calendar, BitCode) {
    struct Case { std::int32_t value, bit; int set; };
    static const Case kCases[] = {
        {5, 0, 1}, {5, 2, 1}, {5, 1, 0}, {5, 3, 0}, {0, 0, 0}, {8, 3, 1}, {8, 4, 0}, {-1, 0, 0},
        {-8, 3, 0}, {1, 0, 1}, {0x40000000, 30, 1}, {0x7FFFFFFF, 31, 0}, {5, -1, 0},
    };
    for (const Case& c : kCases) EXPECT_EQ(CheckTenToTwoBitCode(c.value, c.bit), c.set) << c.value << "," << c.bit;
}
