// Parsing decimal text into fixed-point values, and trimming decimal zeros.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

#include "util/decimal_readers.h"
#include "format/divisor_table.h"
#include "format/volume_state.h"
#include "tesk/format_fixed.h"

namespace TeskUtility {
namespace {

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

void TrimWhite(std::string& s) {
    std::size_t end = s.size();
    while (end > 0 && IsWhite(s[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && IsWhite(s[begin])) ++begin;
    s.assign(s, begin, end - begin);
}

void RemoveAll(std::string& s, char c) { s.erase(std::remove(s.begin(), s.end(), c), s.end()); }

bool AllDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits only (none at all included), or digits, one '.' and at least one digit.
bool IsUnsignedDecimal(std::string_view s) {
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos) return AllDigits(s);
    return point + 1 < s.size() && AllDigits(s.substr(0, point)) && AllDigits(s.substr(point + 1));
}

// A double to a long, truncating toward zero; out-of-range values saturate
// instead of being undefined.
std::int32_t TruncateToInt32(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

}  // namespace

void AnalyzeValue_Normal(CStringA text, std::int32_t& value, std::int32_t& dot) {
    TrimWhite(text);
    const auto& comma = detail::g_volume.comma;
    RemoveAll(text, comma.IsSet() ? comma.Raw() : ' ');

    const std::size_t first = text.find_first_of("0123456789.-");
    if (first != 0) {  // none at all, or not at the start
        value = 0;
        dot = 0;
        return;
    }
    const std::size_t point = text.find('.');
    if (point == std::string::npos) {
        value = detail::ReadMinusAndDigits32(text);
        dot = 0;
    } else if (point == 0) {
        if (text.size() == 1) {
            value = 0;
            dot = 0;
            return;
        }
        RemoveAll(text, '.');
        value = detail::ReadMinusAndDigits32(text);
        dot = static_cast<std::int32_t>(text.size());
    } else {
        dot = static_cast<std::int32_t>(text.size() - point - 1);
        RemoveAll(text, '.');
        value = detail::ReadMinusAndDigits32(text);
    }
}

void AnalyzeValue_Price(CStringA text, std::int32_t& value, std::int32_t& dot) {
    TrimWhite(text);
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) RemoveAll(text, '-');

    // Up to the first NUL, as C-string callers have always seen the text.
    if (!IsUnsignedDecimal(text.c_str())) {
        value = kInvalidValue;
        dot = kInvalidValue;
        return;
    }
    const std::size_t len = text.size();
    const std::size_t point = text.find('.');
    if (point == std::string::npos) {
        if (len > 5) {
            value = kInvalidValue;
            dot = 0;
            return;
        }
        value = detail::ReadMinusAndDigits32(text);
        dot = 0;
    } else if (point == 0) {
        std::string_view digits = std::string_view(text).substr(1);
        if (digits.size() > 4) digits = digits.substr(0, 4);  // cut, not rounded
        value = detail::ReadMinusAndDigits32(digits);
        dot = static_cast<std::int32_t>(digits.size());
    } else {
        if (point > 6) {
            value = kInvalidValue;
            dot = 0;
            return;
        }
        dot = static_cast<std::int32_t>(len - point - 1);
        RemoveAll(text, '.');
        value = detail::ReadMinusAndDigits32(text);
    }
    if (negative) value = static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value));
}

void AnalyzeValue_PriceEx(CStringA text, double& result) {
    const std::size_t nonZero = text.find_first_not_of('0');
    text.erase(0, nonZero == std::string::npos ? text.size() : nonZero);
    std::int32_t value = 0;
    std::int32_t dot = 0;
    AnalyzeValue_Normal(text, value, dot);
    if (dot < 1) {
        result = value;
        return;
    }
    // 0.1 to the power dot by repeated squaring, so results match the host's
    // doubles bit for bit.
    double scale = 1.0;
    double base = 0.1;
    for (std::uint32_t n = static_cast<std::uint32_t>(dot); n != 0; n >>= 1) {
        if (n & 1u) scale *= base;
        base *= base;
    }
    result = scale * value;
}

std::int32_t GetCommodity_PriceValue(CStringA text, std::int32_t divisor) {
    std::int32_t value = 0;
    std::int32_t dot = 0;
    AnalyzeValue_Normal(text, value, dot);
    if (detail::Divisor32(dot) == divisor) return value;
    return TruncateToInt32((std::atof(text.c_str()) + 0.00001) * divisor);
}

int TrimDecimalRightZero(CStringA& text, int minDecimals) {
    const auto& comma = detail::g_volume.comma;
    if (comma.IsSet() && comma.Raw() == '.') return 0;
    if (text.size() == 1) return 0;
    const std::size_t point = text.find('.');
    if (point == std::string::npos) return 0;
    if (point + 1 == text.size()) {
        RemoveAll(text, '.');
        return 1;
    }
    std::string head = text.substr(0, point);
    std::string tail = text.substr(point);
    while (tail.size() > 1 && tail.back() == '0') tail.pop_back();
    if (tail.size() > 1) {
        text = head + tail;
        const std::int64_t pad = static_cast<std::int64_t>(minDecimals) + 1 - static_cast<std::int64_t>(tail.size());
        if (minDecimals != 0 && pad >= 1) text.append(static_cast<std::size_t>(pad), '0');
        return 1;
    }
    text = head;
    if (minDecimals >= 1) {
        text += '.';
        text.append(static_cast<std::size_t>(minDecimals), '0');
    }
    return 1;
}

}  // namespace TeskUtility
