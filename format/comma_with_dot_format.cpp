#include "format/fixed_point_text.h"
#include "format/formatter_cores.h"
#include "format/grouped_text.h"
#include "format/volume_state.h"
#include "tesk/format_comma.h"

namespace TeskUtility {
namespace {

using detail::g_volume;
using detail::SignChar;
using detail::SignString;

struct CommaWithDotState {
    SignChar zero{'-'};
    SignChar groupSwitch{','};  // only says whether to group; the volume comma is written
    SignString plus{};
    SignString minus{"-", u'-'};
};

constinit CommaWithDotState g_commaDot{};

template <class Char, class Int>
TESK_FORMAT_CORE
void FormatCommaWithDot(std::basic_string<Char>& out, Int value, std::int32_t dot, Int divisor, int showZeroSign) {
    const CommaWithDotState& s = g_commaDot;
    if (value == 0 && showZeroSign != 0) return s.zero.AssignTo(out);
    const bool negative = value < 0;
    const auto magnitude = detail::Magnitude(value);
    detail::TextBuffer<Char> buf;
    detail::AppendSelectedSign(buf, negative, s.plus, s.minus);

    if (g_volume.enableComma != 0 && s.groupSwitch.IsSet()) {
        const detail::FixedSplit split = detail::SplitFixed(magnitude, dot, divisor);
        if (split.q < 0) buf.Put(Char('-'));  // only a negative divisor gets here
        buf.AppendGrouped(detail::Magnitude(split.q), static_cast<Char>(g_volume.comma.Raw()));
        if (dot != 0) {
            buf.Put(Char('.'));
            buf.AppendSignedPadded(split.r, dot);
        }
    } else if (dot > 0) {
        detail::AppendSplit(buf, detail::SplitFixed(magnitude, dot, divisor), dot);
    } else {
        buf.AppendUnsigned(magnitude);
    }
    buf.AssignTo(out);
}

}  // namespace

void CommaFormatWithDotA(CStringA& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign) {
    FormatCommaWithDot(out, value, dot, divisor, showZeroSign);
}
void CommaFormatWithDotW(CStringW& out, std::int32_t value, std::int32_t dot, std::int32_t divisor, int showZeroSign) {
    FormatCommaWithDot(out, value, dot, divisor, showZeroSign);
}
void CommaFormatWithDotA(CStringA& out, std::int64_t value, std::int32_t dot, std::int64_t divisor, int showZeroSign) {
    FormatCommaWithDot(out, value, dot, divisor, showZeroSign);
}
void CommaFormatWithDotW(CStringW& out, std::int64_t value, std::int32_t dot, std::int64_t divisor, int showZeroSign) {
    FormatCommaWithDot(out, value, dot, divisor, showZeroSign);
}

void CommaFormatWithDot_LoadDefault() {
    g_commaDot = CommaWithDotState{};
    g_volume.enableComma = detail::VolumeState{}.enableComma;  // the flag this family shares
}
void CommaFormatWithDot_SetZeroSign(char sign) { g_commaDot.zero.Set(sign); }
char CommaFormatWithDot_GetZeroSign() { return g_commaDot.zero.Get(); }
void CommaFormatWithDot_SetCommaSign(char sign) { g_commaDot.groupSwitch.Set(sign); }
char CommaFormatWithDot_GetCommaSign() { return VolumeFormat_GetCommaSign(); }
void CommaFormatWithDot_EnableCommaSign(int enable) { VolumeFormat_EnableCommaSign(enable); }
int CommaFormatWithDot_IsShowCommaSign() { return VolumeFormat_IsShowCommaSign(); }
void CommaFormatWithDot_SetPlusMinusSign(const char* plus, const char* minus) {
    g_commaDot.plus.Assign(plus);
    g_commaDot.minus.Assign(minus);
}

// The core for the rest of the library and the tool (format/formatter_cores.h).
// The local template is inlined here and into this file's own overloads, so
// that they stay one call deep.
namespace detail {

template <class Char, class Int>
void FormatCommaWithDot(std::basic_string<Char>& out, Int value, std::int32_t dot, Int divisor,
                        int showZeroSign) {
    TeskUtility::FormatCommaWithDot(out, value, dot, divisor, showZeroSign);
}
template void FormatCommaWithDot(CStringA&, std::int32_t, std::int32_t, std::int32_t, int);
template void FormatCommaWithDot(CStringW&, std::int32_t, std::int32_t, std::int32_t, int);
template void FormatCommaWithDot(CStringA&, std::int64_t, std::int32_t, std::int64_t, int);
template void FormatCommaWithDot(CStringW&, std::int64_t, std::int32_t, std::int64_t, int);

}  // namespace detail

}  // namespace TeskUtility

namespace TeskUtility::detail {
const char* CommaFormatWithDotPlusSign() { return g_commaDot.plus.Narrow(); }
const char* CommaFormatWithDotMinusSign() { return g_commaDot.minus.Narrow(); }
}  // namespace TeskUtility::detail
