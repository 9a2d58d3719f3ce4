#include "format/fixed_point_text.h"
#include "format/formatter_cores.h"
#include "format/percent_sign.h"
#include "tesk/format_diff.h"

namespace TeskUtility {
namespace {

struct PercentState {
    detail::SignChar zero{'-'};
    detail::PercentSuffix percent;
};

constinit PercentState g_percent{};

template <class Char>
TESK_FORMAT_CORE
void FormatPercent(std::basic_string<Char>& out, std::int32_t value, std::int32_t dot, std::int32_t divisor,
                   int showZeroSign) {
    if (value == 0 && showZeroSign != 0) return g_percent.zero.AssignTo(out);
    detail::TextBuffer<Char> buf;
    if (dot > 0) {
        if (value < 0) {
            buf.Put(Char('-'));
            buf.Put(Char(' '));
        }
        detail::AppendSplit(buf, detail::SplitFixed(detail::Magnitude(value), dot, divisor), dot);
    } else {
        buf.AppendSigned(value);  // no space between '-' and the digits here
    }
    g_percent.percent.AppendTo(buf);
    buf.AssignTo(out);
}

}  // namespace

void PercentFormatA(CStringA& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign) {
    FormatPercent(out, value, dot, divisor, showZeroSign);
}
void PercentFormatW(CStringW& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign) {
    FormatPercent(out, value, dot, divisor, showZeroSign);
}

void PercentFormat_LoadDefault() { g_percent = PercentState{}; }
void PercentFormat_SetZeroSign(char sign) { g_percent.zero.Set(sign); }
char PercentFormat_GetZeroSign() { return g_percent.zero.Get(); }
void PercentFormat_EnablePercentSign(int enable) { g_percent.percent.enable = enable; }
int PercentFormat_IsShowPercentSign() { return g_percent.percent.enable; }
void PercentFormat_SetPercentSign(char sign) { g_percent.percent.sign.Set(sign); }
char PercentFormat_GetPercentSign() { return g_percent.percent.sign.Get(); }

// The core for the rest of the library and the tool (format/formatter_cores.h).
// The local template is inlined here and into this file's own overloads, so
// that they stay one call deep.
namespace detail {

template <class Char>
void FormatPercent(std::basic_string<Char>& out, std::int32_t value, std::int32_t dot, std::int32_t divisor,
                   int showZeroSign) {
    TeskUtility::FormatPercent(out, value, dot, divisor, showZeroSign);
}
template void FormatPercent(CStringA&, std::int32_t, std::int32_t, std::int32_t, int);
template void FormatPercent(CStringW&, std::int32_t, std::int32_t, std::int32_t, int);

}  // namespace detail

}  // namespace TeskUtility
