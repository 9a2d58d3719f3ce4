// Unit-scaled numbers: divide by the unit's power of ten (cutting, not rounding),
// write the quotient in one of four styles, append the unit's sign.
#include <limits>
#include <string>
#include <string_view>

#include "format/auto_unit.h"
#include "format/divisor_table.h"
#include "format/formatter_cores.h"
#include "format/text_buffer.h"
#include "tesk/format_units.h"

#pragma push_macro("None")
#undef None

namespace TeskUtility {
namespace {

constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();

struct UnitInfo {
    std::int32_t divisor;
    std::int64_t divisor64;
    std::int32_t digits;
};

// A unit that divides by 10^digits. The 32-bit divisor of a unit beyond 10^9
// is the largest long, since the power does not fit.
constexpr UnitInfo UnitOfDigits(std::int32_t digits) {
    const std::int64_t power = detail::kPowersOfTen[static_cast<std::size_t>(digits)];
    return {power <= kMax32 ? static_cast<std::int32_t>(power) : kMax32, power, digits};
}

// Indexed by ENumberConvert; slot 0 stands for every value outside 1..7.
constexpr UnitInfo kUnits[8] = {
    {kMax32, kMax64, 0},  // out of range
    UnitOfDigits(0),      // None
    UnitOfDigits(3),      // Kilo
    UnitOfDigits(6),      // Mega
    UnitOfDigits(8),      // HundredMega
    UnitOfDigits(9),      // Giga
    UnitOfDigits(12),     // Tera
    {kMax32, kMax64, 0},  // Auto (resolved before dividing)
};

constexpr const UnitInfo& InfoOf(ENumberConvert unit) {
    return (unit >= None && unit <= Auto) ? kUnits[unit] : kUnits[0];
}

constexpr bool HasCharSign(ENumberConvert unit) {
    return unit == None || unit == Kilo || unit == Mega || unit == Giga || unit == Tera;
}

constexpr bool IsAcceptedSign(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u == 0 || (u >= 0x20 && u <= 0x7E);
}

constexpr const char kHundredMegaDefault[] = "\xBB\xF5";  // 億

struct UnitSigns {
    char narrow[8];
    char16_t wide[8];  // the byte widened with sign extension
};

constexpr UnitSigns kDefaultSigns{{0, 0, 'K', 'M', 0, 'B', 'T', 0}, {0, 0, u'K', u'M', 0, u'B', u'T', 0}};
constinit UnitSigns g_signs = kDefaultSigns;
CStringA g_hundredMegaText = kHundredMegaDefault;

std::int32_t DivisorFor(std::int32_t, ENumberConvert unit) { return InfoOf(unit).divisor; }
std::int64_t DivisorFor(std::int64_t, ENumberConvert unit) { return InfoOf(unit).divisor64; }

template <class Char>
Char CharSign(ENumberConvert unit) {
    if (!HasCharSign(unit)) return 0;
    if constexpr (sizeof(Char) == 1)
        return g_signs.narrow[unit];
    else
        return g_signs.wide[unit];
}

std::string_view TextSign(ENumberConvert unit) {
    if (unit == HundredMega) return g_hundredMegaText;
    if (!HasCharSign(unit) || g_signs.narrow[unit] == 0) return {};
    return {&g_signs.narrow[unit], 1};
}

template <class Char, class Value>
void WritePlain(std::basic_string<Char>& out, Value q) {
    detail::TextBuffer<Char> buf;
    buf.AppendSigned(q);
    buf.AssignTo(out);
}

// A style outside 1..4 leaves `out` as it was.
template <class Char, class Value>
void WriteQuotient(std::basic_string<Char>& out, Value q, ENumberConvertFormatType style, std::int32_t dot,
                   Value divisor) {
    switch (style) {
        case Plain: WritePlain(out, q); break;
        case Comma: detail::FormatComma(out, q, 1); break;
        case Number: detail::FormatNumber(out, q, dot, divisor, 1); break;
        case Volume: detail::FormatVolume(out, q, 1); break;
    }
}

template <class Char>
void WriteLessThanOne(std::basic_string<Char>& out) {
    const Char text[2] = {Char('<'), Char('1')};
    out.assign(text, 2);
}

template <class Char, class Value>
int ConvertWithCharSign(Value value, std::basic_string<Char>& out, ENumberConvert unit,
                        ENumberConvertFormatType style, int lessThanOne) {
    if (value == 0) {
        WriteQuotient(out, value, style, 0, Value{0});
        return 1;
    }
    if (unit == Auto) unit = detail::AutoUnit(value);
    const Char sign = CharSign<Char>(unit);
    const Value q = value / DivisorFor(value, unit);
    if (q == 0 && lessThanOne)
        WriteLessThanOne(out);
    else
        WriteQuotient(out, q, style, 0, Value{0});
    if (sign != 0) out.push_back(sign);
    return 1;
}

// The text forms write every style in its 64-bit form, the Number style with decimals.
template <class Value>
int ConvertWithTextSign(Value value, std::int32_t dot, std::int64_t divisor, CStringA& out, ENumberConvert unit,
                        ENumberConvertFormatType style, int lessThanOne) {
    if (value == 0) {
        WriteQuotient(out, std::int64_t{0}, style, dot, divisor);
        return 1;
    }
    if (unit == Auto) unit = detail::AutoUnit(value);
    const std::int64_t q = value / DivisorFor(value, unit);
    if (q == 0 && lessThanOne)
        WriteLessThanOne(out);
    else
        WriteQuotient(out, q, style, dot, divisor);
    out.append(TextSign(unit));
    return 1;
}

}  // namespace

void NumberConvert_LoadDefault() {
    g_signs = kDefaultSigns;
    g_hundredMegaText = kHundredMegaDefault;
}

std::int32_t NumberConvert_GetFugures(ENumberConvert unit) { return InfoOf(unit).digits; }
std::int32_t NumberConvert_GetDivisor(ENumberConvert unit) { return InfoOf(unit).divisor; }
std::int64_t NumberConvert_GetDivisor64(ENumberConvert unit) { return InfoOf(unit).divisor64; }

char NumberConvert_GetSign(ENumberConvert unit) { return CharSign<char>(unit); }

CStringA NumberConvert_GetSignT(ENumberConvert unit) { return CStringA(TextSign(unit)); }

int NumberConvert_SetSign(ENumberConvert unit, char sign) {
    if (!HasCharSign(unit) || !IsAcceptedSign(sign)) return 0;
    g_signs.narrow[unit] = sign;
    g_signs.wide[unit] = static_cast<char16_t>(static_cast<signed char>(sign));
    return 1;
}

int NumberConvert_SetSignT(ENumberConvert unit, CStringA text) {
    if (unit != HundredMega) return 0;
    g_hundredMegaText = std::move(text);
    return 1;
}

int NumberConvertA(std::int32_t value, CStringA& out, ENumberConvert unit, ENumberConvertFormatType style,
                   int lessThanOne) {
    return ConvertWithCharSign(value, out, unit, style, lessThanOne);
}
int NumberConvertA(std::int64_t value, CStringA& out, ENumberConvert unit, ENumberConvertFormatType style,
                   int lessThanOne) {
    return ConvertWithCharSign(value, out, unit, style, lessThanOne);
}
int NumberConvertW(std::int32_t value, CStringW& out, ENumberConvert unit, ENumberConvertFormatType style,
                   int lessThanOne) {
    return ConvertWithCharSign(value, out, unit, style, lessThanOne);
}
int NumberConvertW(std::int64_t value, CStringW& out, ENumberConvert unit, ENumberConvertFormatType style,
                   int lessThanOne) {
    return ConvertWithCharSign(value, out, unit, style, lessThanOne);
}

int NumberConvertT(std::int32_t value, std::int32_t dot, std::int64_t divisor, CStringA& out, ENumberConvert unit,
                   ENumberConvertFormatType style, int lessThanOne) {
    return ConvertWithTextSign(value, dot, divisor, out, unit, style, lessThanOne);
}
int NumberConvertT(std::int64_t value, std::int32_t dot, std::int64_t divisor, CStringA& out, ENumberConvert unit,
                   ENumberConvertFormatType style, int lessThanOne) {
    return ConvertWithTextSign(value, dot, divisor, out, unit, style, lessThanOne);
}

}  // namespace TeskUtility

#pragma pop_macro("None")
