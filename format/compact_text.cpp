// Small conversions of number and date texts for grid cells.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <string_view>

#include "util/decimal_readers.h"
#include "tesk/format_compact.h"
#include "tesk/format_fixed.h"

namespace TeskUtility {
namespace {

// Splits at the first '.': the integer part and the fraction with its point.
struct PointSplit {
    std::string_view integer;
    std::string_view fraction;
};

PointSplit SplitAtPoint(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos) return {text, {}};
    return {text.substr(0, point), text.substr(point)};
}

constexpr std::size_t kGroupedCapacity = 19;

// Groups an optionally negative run of digits with ','. Empty when the text holds
// anything else or the grouped form would not fit in 19 characters, as the platform
// number formatter fails on either.
CStringA GroupIntegerText(std::string_view integer) {
    const bool negative = !integer.empty() && integer.front() == '-';
    std::string_view digits = negative ? integer.substr(1) : integer;
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    digits = firstNonZero == std::string_view::npos ? digits.substr(digits.size() - 1) : digits.substr(firstNonZero);
    const std::size_t groupedLength = (negative ? 1 : 0) + digits.size() + (digits.size() - 1) / 3;
    if (groupedLength > kGroupedCapacity) return {};

    CStringA grouped;
    if (negative) grouped.push_back('-');
    std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    grouped.append(digits.substr(0, lead));
    for (std::size_t at = lead; at < digits.size(); at += 3) grouped.append(1, ',').append(digits.substr(at, 3));
    return grouped;
}

}  // namespace

CSize ConvertStringToSize(const char* text, int length, char separator) {
    if (text == nullptr) return CSize();
    const std::size_t size = length < 1 ? std::strlen(text) : static_cast<std::size_t>(length);
    const std::string_view view(text, size);
    const std::size_t at = view.find(separator);
    if (at == std::string_view::npos || at == 0) return CSize();
    return CSize(detail::ReadMinusAndDigits32(view.substr(0, at)), detail::ReadMinusAndDigits32(view.substr(at + 1)));
}

CStringA AmouontFormatStrNumber(CStringA text, int trim) {
    try {
        const PointSplit parts = SplitAtPoint(text);
        CStringA result = GroupIntegerText(parts.integer);
        result.append(parts.fraction);
        if (!text.empty() && text.front() == '-' && (result.empty() || result.front() != '-')) result.insert(0, 1, '-');
        if (trim) TrimDecimalRightZero(result, 0);
        return result;
    } catch (...) {
        return text;
    }
}

int TrimStringToDotNum(CStringA& text, int decimals) {
    if (text.size() == 1) return 0;
    const PointSplit parts = SplitAtPoint(text);
    CStringA result(parts.integer);
    if (decimals > 0 && !parts.fraction.empty()) {
        const auto wanted = static_cast<std::size_t>(decimals) + 1;  // the point and the digits
        result.append(parts.fraction.substr(0, wanted));
        result.append(wanted - std::min(wanted, parts.fraction.size()), '0');
    } else if (decimals > 0) {
        return 1;  // no point: the text gets no decimals
    }
    text = std::move(result);
    return 1;
}

int GetYearMonthDayFormateByString(CStringA text, int& year, int& month, int& day) {
    if (text.size() != 8) return 0;
    // Each field as the C library reads it: leading blanks and a sign allowed.
    const std::string_view view(text);
    year = detail::ReadSpaceSignAndDigits<int>(view.substr(0, 4));
    month = detail::ReadSpaceSignAndDigits<int>(view.substr(4, 2));
    day = detail::ReadSpaceSignAndDigits<int>(view.substr(6, 2));
    return 1;
}

CStringA SpecificDotFloatStringFormat(unsigned int decimals) { return "%." + std::to_string(decimals) + "f"; }

// More decimals than this only add zeros: a double has no more than 1074 fractional digits.
constexpr unsigned kMaxPrintedDecimals = 1100;

CStringA SpecificDotFloatString(CStringA text, unsigned int decimals) {
    if (strcasecmp(text.c_str(), "0.00") == 0 || strcasecmp(text.c_str(), "0.0") == 0) return "-";
    const double value = std::atof(text.c_str());
    const int precision = static_cast<int>(std::min(decimals, kMaxPrintedDecimals));
    const int length = std::snprintf(nullptr, 0, "%.*f", precision, value);
    if (length < 0) return {};
    CStringA out(static_cast<std::size_t>(length), '\0');
    std::snprintf(out.data(), out.size() + 1, "%.*f", precision, value);
    return out;
}

}  // namespace TeskUtility
