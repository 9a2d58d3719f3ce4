// Packed times and dates: validate, pack, parse and display them.
//
//   long t;
//   TeskUtility::ByteToTime(t, 9, 30, 15);                      // t = 0x091E0F
//   std::string s;
//   TeskUtility::TimeFormatA(s, t, TeskUtility::HourMinute);    // "09:30"
//   unsigned char h, m, sec;
//   TeskUtility::TimeStringToByteA("09:30:15", -1, h, m, sec, 1);   // digits-only: 9, 30, 15
//   TeskUtility::DateFormat_SetSplitSign('-');                  // dates now read "2021-07-26"
//
// A packed time is hour << 16 | minute << 8 | second; a packed date is
// year << 16 | month << 8 | day, so both compare in time order as integers.
#pragma once

#include <cstdint>

#include "tesk/types.h"

namespace TeskUtility {

enum ETimeFormatType : int {
    HourMinuteSecond = 0,
    HourMinute = 1,
};

enum EDateFormatType : int {
    YearMonthDay = 0,
    YearMonth = 1,
    MonthDay = 2,
};

// ---- validation and packing
int IsValidTime(std::int32_t packedTime);  // hour <= 24, minute and second < 60
int IsValidTime(unsigned char hour, unsigned char minute, unsigned char second);  // 24 only as 24:00:00
void ByteToTime(std::int32_t& packedTime, unsigned char hour, unsigned char minute, unsigned char second);
void TimeToByte(std::int32_t packedTime, unsigned char& hour, unsigned char& minute, unsigned char& second);
int IsValidDate(std::int32_t packedDate);  // month <= 12 and day <= 31; zero fields pass
int IsValidDate(std::uint16_t year, unsigned char month, unsigned char day);
void ByteToDate(std::int32_t& packedDate, std::uint16_t year, unsigned char month, unsigned char day);
void DateToByte(std::int32_t packedDate, std::uint16_t& year, unsigned char& month, unsigned char& day);

// ---- ticks: seconds or minutes since midnight
void TimeToSecTick(std::int32_t packedTime, std::int32_t& secTick);
void TimeToMinTick(std::int32_t packedTime, std::int32_t& minTick);
void SecTickToTime(std::int32_t& packedTime, std::int32_t secTick);
void MinTickToTime(std::int32_t& packedTime, std::int32_t minTick);
std::int32_t SecTickDiff(std::int32_t packedA, std::int32_t packedB);
std::int32_t MinTickDiff(std::int32_t packedA, std::int32_t packedB);
void TimeStringToMinTick(CStringA text, std::int32_t& minTick);  // "0930" -> 570

// ---- parsing "hhmmss" / "yyyymmdd". A negative length reads up to the NUL.
// digitsOnly != 0 collects the first six (eight) digits and skips everything else,
// so "09:30:15" parses; otherwise the fields are taken at fixed positions.
// The outputs are written only when the result is 1.
int TimeStringToByteA(const char* text, int length, unsigned char& hour, unsigned char& minute,
                      unsigned char& second, int digitsOnly);
int TimeStringToByteA(const CStringA& text, unsigned char& hour, unsigned char& minute, unsigned char& second,
                      int digitsOnly);
int TimeStringToByteW(const char16_t* text, int length, unsigned char& hour, unsigned char& minute,
                      unsigned char& second, int digitsOnly);
int TimeStringToByteW(const CStringW& text, unsigned char& hour, unsigned char& minute, unsigned char& second,
                      int digitsOnly);
int DateStringToByteA(const char* text, int length, std::uint16_t& year, unsigned char& month, unsigned char& day,
                      int digitsOnly);
int DateStringToByteA(const CStringA& text, std::uint16_t& year, unsigned char& month, unsigned char& day,
                      int digitsOnly);
int DateStringToByteW(const char16_t* text, int length, std::uint16_t& year, unsigned char& month,
                      unsigned char& day, int digitsOnly);
int DateStringToByteW(const CStringW& text, std::uint16_t& year, unsigned char& month, unsigned char& day,
                      int digitsOnly);

// ---- format states: one separator each; a space or unprintable byte means none
void TimeFormat_LoadDefault();  // ':'
char TimeFormat_GetSplitSign();  // ' ' when there is no separator
void TimeFormat_SetSplitSign(char sign);
void DateFormat_LoadDefault();  // '/'
char DateFormat_GetSplitSign();
void DateFormat_SetSplitSign(char sign);

// ---- formatting; fields are zero-padded to 2 digits (year 4) and never cut
void TimeFormatA(CStringA& out, unsigned char hour, unsigned char minute, unsigned char second);
void TimeFormatA(CStringA& out, unsigned char hour, unsigned char minute);
void TimeFormatA(CStringA& out, std::int32_t packedTime, ETimeFormatType type);
void TimeFormatW(CStringW& out, unsigned char hour, unsigned char minute, unsigned char second);
void TimeFormatW(CStringW& out, unsigned char hour, unsigned char minute);
void TimeFormatW(CStringW& out, std::int32_t packedTime, ETimeFormatType type);
void DateFormatA(CStringA& out, std::uint16_t year, unsigned char month, unsigned char day);
void DateFormatA(CStringA& out, std::uint16_t year, unsigned char month);
void DateFormatA(CStringA& out, unsigned char month, unsigned char day);
void DateFormatA(CStringA& out, std::int32_t packedDate, EDateFormatType type);
void DateFormatW(CStringW& out, std::uint16_t year, unsigned char month, unsigned char day);
void DateFormatW(CStringW& out, std::uint16_t year, unsigned char month);
void DateFormatW(CStringW& out, unsigned char month, unsigned char day);
void DateFormatW(CStringW& out, std::int32_t packedDate, EDateFormatType type);

}  // namespace TeskUtility
