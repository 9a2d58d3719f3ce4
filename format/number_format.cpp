#include "format/fixed_point_text.h"
#include "format/formatter_cores.h"
#include "format/sign_fields.h"
#include "tesk/format_comma.h"

namespace TeskUtility {
namespace {

constexpr detail::SignChar kDefaultZero{'-'};
constinit detail::SignChar g_numberZero = kDefaultZero;

template <class Char, class Int>
TESK_FORMAT_CORE
void FormatNumber(std::basic_string<Char>& out, Int value, std::int32_t dot, Int divisor, int showZeroSign) {
    if (value == 0 && showZeroSign != 0) return g_numberZero.AssignTo(out);
    detail::TextBuffer<Char> buf;
    if (value < 0) {
        // The minus prefix of plain numbers is the fixed "- ".
        buf.Put(Char('-'));
        buf.Put(Char(' '));
    }
    const auto magnitude = detail::Magnitude(value);
    if (dot >= 1)
        detail::AppendSplit(buf, detail::SplitFixed(magnitude, dot, divisor), dot);
    else
        buf.AppendUnsigned(magnitude);
    buf.AssignTo(out);
}

}  // namespace

void NumberFormatA(CStringA& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign) {
    FormatNumber(out, value, dot, divisor, showZeroSign);
}
void NumberFormatW(CStringW& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign) {
    FormatNumber(out, value, dot, divisor, showZeroSign);
}
void NumberFormatA(CStringA& out, std::int64_t value, std::int32_t dot, std::int64_t divisor, int showZeroSign) {
    FormatNumber(out, value, dot, divisor, showZeroSign);
}
void NumberFormatW(CStringW& out, std::int64_t value, std::int32_t dot, std::int64_t divisor, int showZeroSign) {
    FormatNumber(out, value, dot, divisor, showZeroSign);
}

void NumberFormat_LoadDefault() { g_numberZero = kDefaultZero; }
void NumberFormat_SetZeroSign(char sign) { g_numberZero.Set(sign); }
char NumberFormat_GetZeroSign() { return g_numberZero.Get(); }

// The core for the rest of the library and the tool (format/formatter_cores.h).
// The local template is inlined here and into this file's own overloads, so
// that they stay one call deep.
namespace detail {

template <class Char, class Int>
void FormatNumber(std::basic_string<Char>& out, Int value, std::int32_t dot, Int divisor, int showZeroSign) {
    TeskUtility::FormatNumber(out, value, dot, divisor, showZeroSign);
}
template void FormatNumber(CStringA&, std::int32_t, std::int32_t, std::int32_t, int);
template void FormatNumber(CStringW&, std::int32_t, std::int32_t, std::int32_t, int);
template void FormatNumber(CStringA&, std::int64_t, std::int32_t, std::int64_t, int);
template void FormatNumber(CStringW&, std::int64_t, std::int32_t, std::int64_t, int);

}  // namespace detail

}  // namespace TeskUtility
