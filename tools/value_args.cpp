#include "value_args.h"

#include <cstdio>
#include <limits>

#include "tesk/format.h"
#include "tesk/util_calendar.h"

namespace teskutil {
namespace {

std::string Hex(std::int32_t packed) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(packed));
    return text;
}

bool DayExists(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 &&
           day <= TeskUtility::GetMonthDays(year, static_cast<unsigned char>(month));
}

}  // namespace

FixedPoint ParseFixedPoint(const std::string& text, const std::optional<std::string>& dotOption, int maxDot) {
    FixedPoint out;
    const std::size_t point = text.find('.');
    if (point == std::string::npos) {
        out.value = ParseInt(text, "VALUE");
    } else {
        const std::size_t decimals = text.size() - point - 1;
        if (decimals == 0 || text.find('.', point + 1) != std::string::npos || decimals > 18)
            throw UsageError("VALUE: not a decimal number: " + text);
        out.value = ParseInt(text.substr(0, point) + text.substr(point + 1), "VALUE");
        out.dot = static_cast<std::int32_t>(decimals);
    }
    if (!dotOption) {
        if (out.dot > maxDot) throw UsageError("VALUE: more than " + std::to_string(maxDot) + " decimals: " + text);
        return out;
    }
    const std::int64_t dot = ParseInt(*dotOption, "--dot");
    if (dot < 0 || dot > maxDot) throw UsageError("--dot: from 0 to " + std::to_string(maxDot));
    if (point != std::string::npos) {
        if (out.dot > dot)
            throw UsageError("VALUE " + text + " has more decimals than --dot " + std::to_string(dot) + " keeps");
        for (std::int64_t d = out.dot; d < dot; ++d) {
            if (out.value > std::numeric_limits<std::int64_t>::max() / 10 ||
                out.value < std::numeric_limits<std::int64_t>::min() / 10)
                throw UsageError("VALUE: out of range: " + text);
            out.value *= 10;
        }
    }
    out.dot = static_cast<std::int32_t>(dot);
    return out;
}

std::uint32_t ParsePriceState(const std::string& text) {
    const std::int64_t state = ParseInt(text, "--state");
    if (state < 0 || state > 5)
        throw UsageError("--state: 0 no deal, 1 ceiling, 2 rises, 3 flat, 4 falls or 5 floor");
    return static_cast<std::uint32_t>(state);
}

void RequireCalendarDate(int year, int month, int day) {
    if (year < 1900 || year > 9999 || !DayExists(year, month, day))
        throw UsageError("no such day: " + std::to_string(year) + "-" + std::to_string(month) + "-" +
                         std::to_string(day) + " (years 1900 to 9999)");
}

void RequirePackedDate(std::int32_t packed) {
    std::uint16_t year;
    unsigned char month, day;
    TeskUtility::DateToByte(packed, year, month, day);
    const bool ok = TeskUtility::IsValidDate(packed) && (month == 0 || day == 0 || DayExists(year, month, day));
    if (!ok) throw UsageError("not a date: " + Hex(packed));
}

void RequirePackedTime(std::int32_t packed) {
    if (!TeskUtility::IsValidTime(packed)) throw UsageError("not a time: " + Hex(packed));
}

}  // namespace teskutil
