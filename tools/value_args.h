// Checking values from the command line against what the library can mean by
// them: fixed-point values and their dot counts, price states, calendar dates
// and packed times. Each failure is a UsageError (exit 2) that names the value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "args.h"

namespace teskutil {

struct FixedPoint {
    std::int64_t value = 0;
    std::int32_t dot = 0;
};

// "12.34" is 1234 with dot 2; "1234" is the fixed-point integer itself. With
// `dotOption` a decimal text is scaled to that many decimals ("12.3" --dot 2 is
// 1230), and one with more decimals than that is refused. Dot counts run from 0
// to `maxDot` (9 for 32-bit values, 18 for 64-bit ones).
FixedPoint ParseFixedPoint(const std::string& text, const std::optional<std::string>& dotOption, int maxDot);

// A price state code: 0 no deal, 1 ceiling, 2 rises, 3 flat, 4 falls, 5 floor.
std::uint32_t ParsePriceState(const std::string& text);

// A calendar day from 1900-01-01 to 9999-12-31 that exists (no February 30).
void RequireCalendarDate(int year, int month, int day);
// A packed date whose non-zero fields name an existing day.
void RequirePackedDate(std::int32_t packed);
// A packed time from 00:00:00 to 24:00:00.
void RequirePackedTime(std::int32_t packed);

}  // namespace teskutil
