// Gregorian calendar helpers for grouping trading days into weeks (Sunday to
// Saturday). Weekday names are Big5.
//
//   TeskUtility::GetWeekNo(2021, 7, 4);                          // 1
//   TeskUtility::CheckTwoDayIsSameWeek(2021, 12, 31, 2022, 1, 1); // 1
//   TeskUtility::GetWeekDay(2021, 7, 26);                        // "\xA4\x40" (Monday)
#pragma once

#include <cstdint>

#include "tesk/types.h"

namespace TeskUtility {

// Weekday of day 1 of the month: 0 Sunday .. 6 Saturday.
int GetMonthFirstDay(int year, int month);
// Days in the month; a month outside 1..12 gives 30.
int GetMonthDays(int year, unsigned char month);
// Week index of the day in its month; the first week keeps the index it had
// in the previous month unless that month ended on a Saturday.
int GetWeekNo(int year, int month, int day);

// Same-year dates compare by week of the year; a December date and a January
// date of the next year compare by GetWeekNo. Throws COleException
// (0x80004005 for a year below 1900, a month outside 1..12 or a day outside
// 1..31; 0x80070057 for a date past 9999-12-31) when a same-year date cannot be built.
int CheckTwoDayIsSameWeek(int year1, int month1, int day1, int year2, int month2, int day2);

// The weekday name; empty before 1970. Days past the month's end carry into
// the next month (February 30 names March 2 of a common year). Throws as above.
CStringA GetWeekDay(int year, int month, int day);

// 1 when bit `bit` (0 = least significant) of a positive value is set.
int CheckTenToTwoBitCode(std::int32_t value, std::int32_t bit);

}  // namespace TeskUtility
