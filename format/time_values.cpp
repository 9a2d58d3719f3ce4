// Packed times and dates, and the tick counts derived from a packed time.
#include <string_view>

#include "format/packed_fields.h"
#include "tesk/format_time.h"
#include "util/decimal_readers.h"

namespace TeskUtility {
using detail::HighField;
using detail::LowField;
using detail::MidField;
using detail::PackFields;

int IsValidTime(std::int32_t packedTime) {
    return HighField(packedTime) <= 24 && MidField(packedTime) < 60 && LowField(packedTime) < 60;
}

int IsValidTime(unsigned char hour, unsigned char minute, unsigned char second) {
    if (hour == 24) return minute == 0 && second == 0;
    return hour < 24 && minute < 60 && second < 60;
}

void ByteToTime(std::int32_t& packedTime, unsigned char hour, unsigned char minute, unsigned char second) {
    packedTime = IsValidTime(hour, minute, second) ? PackFields(hour, minute, second) : 0;
}

void TimeToByte(std::int32_t packedTime, unsigned char& hour, unsigned char& minute, unsigned char& second) {
    hour = static_cast<unsigned char>(HighField(packedTime));
    minute = static_cast<unsigned char>(MidField(packedTime));
    second = static_cast<unsigned char>(LowField(packedTime));
}

int IsValidDate(std::int32_t packedDate) { return MidField(packedDate) <= 12 && LowField(packedDate) <= 31; }

int IsValidDate(std::uint16_t /*year*/, unsigned char month, unsigned char day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

void ByteToDate(std::int32_t& packedDate, std::uint16_t year, unsigned char month, unsigned char day) {
    packedDate = PackFields(year, month, day);
}

void DateToByte(std::int32_t packedDate, std::uint16_t& year, unsigned char& month, unsigned char& day) {
    year = static_cast<std::uint16_t>(detail::YearField(packedDate));
    month = static_cast<unsigned char>(MidField(packedDate));
    day = static_cast<unsigned char>(LowField(packedDate));
}

void TimeToSecTick(std::int32_t packedTime, std::int32_t& secTick) {
    secTick = static_cast<std::int32_t>(HighField(packedTime) * 3600 + MidField(packedTime) * 60 + LowField(packedTime));
}

void TimeToMinTick(std::int32_t packedTime, std::int32_t& minTick) {
    minTick = static_cast<std::int32_t>(HighField(packedTime) * 60 + MidField(packedTime));
}

// No range check: 86400 seconds is 24:00:00 and 90000 is hour 25, as callers rely on.
void SecTickToTime(std::int32_t& packedTime, std::int32_t secTick) {
    packedTime = PackFields(static_cast<std::uint32_t>(secTick / 3600), static_cast<std::uint32_t>((secTick / 60) % 60),
                      static_cast<std::uint32_t>(secTick % 60));
}

void MinTickToTime(std::int32_t& packedTime, std::int32_t minTick) {
    packedTime = PackFields(static_cast<std::uint32_t>(minTick / 60), static_cast<std::uint32_t>(minTick % 60), 0);
}

std::int32_t SecTickDiff(std::int32_t packedA, std::int32_t packedB) {
    const int hours = static_cast<int>(HighField(packedA)) - static_cast<int>(HighField(packedB));
    const int minutes = static_cast<int>(MidField(packedA)) - static_cast<int>(MidField(packedB));
    const int seconds = static_cast<int>(LowField(packedA)) - static_cast<int>(LowField(packedB));
    return hours * 3600 + minutes * 60 + seconds;
}

std::int32_t MinTickDiff(std::int32_t packedA, std::int32_t packedB) {
    const int hours = static_cast<int>(HighField(packedA)) - static_cast<int>(HighField(packedB));
    const int minutes = static_cast<int>(MidField(packedA)) - static_cast<int>(MidField(packedB));
    return hours * 60 + minutes;
}

// Each two-character piece as the C library reads it: leading blanks and a sign
// are allowed, nothing is validated.
void TimeStringToMinTick(CStringA text, std::int32_t& minTick) {
    minTick = 0;
    if (text.size() < 4) return;
    const std::string_view view(text);
    minTick = detail::ReadSpaceSignAndDigits<std::int32_t>(view.substr(0, 2)) * 60 +
              detail::ReadSpaceSignAndDigits<std::int32_t>(view.substr(2, 2));
}

}  // namespace TeskUtility
