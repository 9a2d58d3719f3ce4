#include "format/fixed_point_text.h"
#include "format/formatter_cores.h"
#include "format/grouped_text.h"
#include "tesk/format_comma.h"

namespace TeskUtility {
namespace {

using detail::SignChar;
using detail::SignString;

struct CommaState {
    SignChar zero{'-'};
    SignChar comma{','};
    int enableComma = 1;
    SignString plus{};
    SignString minus{"-", u'-'};
};

constinit CommaState g_comma{};

template <class Char, class Int>
TESK_FORMAT_CORE
void FormatComma(std::basic_string<Char>& out, Int value, int showZeroSign) {
    const CommaState& s = g_comma;
    if (value == 0 && showZeroSign != 0) return s.zero.AssignTo(out);
    const bool negative = value < 0;
    const auto magnitude = detail::Magnitude(value);
    detail::TextBuffer<Char> buf;
    if (s.enableComma == 0 || !s.comma.IsSet()) {
        detail::AppendSelectedSign(buf, negative, s.plus, s.minus);
        buf.AppendUnsigned(magnitude);
    } else if (magnitude == 0) {
        buf.Put(Char('0'));  // a grouped zero carries no sign at all
    } else {
        detail::AppendSelectedSign(buf, negative, s.plus, s.minus);
        buf.AppendGrouped(magnitude, static_cast<Char>(s.comma.Raw()));
    }
    buf.AssignTo(out);
}

}  // namespace

void CommaFormatA(CStringA& out, std::int32_t value, int showZeroSign) { FormatComma(out, value, showZeroSign); }
void CommaFormatW(CStringW& out, std::int32_t value, int showZeroSign) { FormatComma(out, value, showZeroSign); }
void CommaFormatA(CStringA& out, std::int64_t value, int showZeroSign) { FormatComma(out, value, showZeroSign); }
void CommaFormatW(CStringW& out, std::int64_t value, int showZeroSign) { FormatComma(out, value, showZeroSign); }

void CommaFormat_LoadDefault() { g_comma = CommaState{}; }
void CommaFormat_SetZeroSign(char sign) { g_comma.zero.Set(sign); }
char CommaFormat_GetZeroSign() { return g_comma.zero.Get(); }
void CommaFormat_SetCommaSign(char sign) { g_comma.comma.Set(sign); }
char CommaFormat_GetCommaSign() { return g_comma.comma.Get(); }
void CommaFormat_EnableCommaSign(int enable) { g_comma.enableComma = enable; }
int CommaFormat_IsShowCommaSign() { return g_comma.enableComma; }
void CommaFormat_SetPlusMinusSign(const char* plus, const char* minus) {
    g_comma.plus.Assign(plus);
    g_comma.minus.Assign(minus);
}

// The core for the rest of the library and the tool (format/formatter_cores.h).
// The local template is inlined here and into this file's own overloads, so
// that they stay one call deep.
namespace detail {

template <class Char, class Int>
void FormatComma(std::basic_string<Char>& out, Int value, int showZeroSign) {
    TeskUtility::FormatComma(out, value, showZeroSign);
}
template void FormatComma(CStringA&, std::int32_t, int);
template void FormatComma(CStringW&, std::int32_t, int);
template void FormatComma(CStringA&, std::int64_t, int);
template void FormatComma(CStringW&, std::int64_t, int);

}  // namespace detail

}  // namespace TeskUtility

namespace TeskUtility::detail {
const char* CommaFormatPlusSign() { return g_comma.plus.Narrow(); }
const char* CommaFormatMinusSign() { return g_comma.minus.Narrow(); }
}  // namespace TeskUtility::detail
