// Byte counts, thousands and unit-scaled volumes cut down for narrow cells.
#include <string_view>

#include "format/auto_unit.h"
#include "tesk/format_comma.h"
#include "tesk/format_compact.h"

#pragma push_macro("None")
#undef None

namespace TeskUtility {
namespace {

// As "%8s" followed by the unit: right-aligned in 8 columns, never cut.
CStringA PadLeft8(const CStringA& text, std::string_view unit) {
    CStringA out;
    if (text.size() < 8) out.assign(8 - text.size(), ' ');
    out.append(text).append(unit);
    return out;
}

// floor(bytes * 100 / 2^shift) for non-negative bytes, without overflowing the product.
std::int64_t HundredthsOf(std::int64_t bytes, int shift) {
    const std::int64_t mask = (std::int64_t{1} << shift) - 1;
    return (bytes >> shift) * 100 + (((bytes & mask) * 100) >> shift);
}

}  // namespace

CStringA MakeFlowString(std::int64_t bytes) {
    CStringA text;
    if (bytes < 1024) {
        CommaFormatWithDotA(text, bytes, 0, std::int64_t{1}, 1);
        return PadLeft8(text, " B ");  // the trailing space keeps the three forms equally wide
    }
    if (bytes < 1048576) {
        CommaFormatWithDotA(text, HundredthsOf(bytes, 10), 2, std::int64_t{100}, 1);
        return PadLeft8(text, " KB");
    }
    CommaFormatWithDotA(text, HundredthsOf(bytes, 20), 2, std::int64_t{100}, 1);
    return PadLeft8(text, " MB");
}

void CommaAutoShortenFormatWithDot(CStringA& out, std::int64_t value, std::int32_t dot, std::int64_t divisor,
                                   int showZeroSign, int shorten) {
    CommaFormatWithDotA(out, value, dot, divisor, showZeroSign);
    const char comma = VolumeFormat_GetCommaSign();  // ' ' when grouping has no character
    if (!shorten || out.empty() || comma == ' ') return;
    // The last grouping character leaves the thousands: "1,234,567.89" -> "1,234K".
    const std::size_t at = out.rfind(comma);
    if (at == CStringA::npos) return;
    out.resize(at);
    out.push_back('K');
}

void ShortenVolume(std::int64_t value, CStringA& digits, CStringA& unit, unsigned int& decimals) {
    const ENumberConvert chosen = detail::AutoUnit(value);
    unit = chosen == None ? CStringA() : NumberConvert_GetSignT(chosen);
    if (unit.empty()) {
        digits = std::to_string(value);
        decimals = 0;
        return;
    }
    // value * 100 / divisor, truncated toward zero, split so the product cannot overflow.
    const std::int64_t divisor = NumberConvert_GetDivisor64(chosen);
    const std::int64_t hundredths = value / divisor * 100 + value % divisor * 100 / divisor;
    digits = std::to_string(hundredths);
    decimals = 2;
}

void ShortenPrice(const CStringA& price, CStringA& digits, unsigned int& decimals) {
    const std::size_t point = price.find('.');
    if (point == CStringA::npos) {
        digits = price;
        decimals = 0;
        return;
    }
    decimals = static_cast<unsigned int>(price.size() - point - 1);
    CStringA kept;
    kept.reserve(price.size());
    for (char c : price)
        if (c != '.') kept.push_back(c);
    digits = std::move(kept);
}

}  // namespace TeskUtility

#pragma pop_macro("None")
