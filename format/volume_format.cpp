#include "format/fixed_point_text.h"
#include "format/formatter_cores.h"
#include "format/volume_state.h"
#include "tesk/format_comma.h"

namespace TeskUtility {

namespace detail {
constinit VolumeState g_volume{};
}  // namespace detail

namespace {

using detail::g_volume;

template <class Char, class Int>
TESK_FORMAT_CORE
void FormatVolume(std::basic_string<Char>& out, Int value, int showZeroSign) {
    if (value == 0) {
        if (showZeroSign != 0) return g_volume.zero.AssignTo(out);
        out.assign(1, Char('0'));
        return;
    }
    detail::TextBuffer<Char> buf;
    if (value < 0) buf.Put(Char('-'));
    const auto magnitude = detail::Magnitude(value);
    if (g_volume.enableComma != 0 && g_volume.comma.IsSet())
        buf.AppendGrouped(magnitude, static_cast<Char>(g_volume.comma.Raw()));
    else
        buf.AppendUnsigned(magnitude);
    buf.AssignTo(out);
}

template <class Int>
void FormatVolumeWithUnit(CStringA& out, Int value, const CStringA& unit) {
    FormatVolume(out, value, 0);
    out += ' ';
    out += unit;
}

}  // namespace

void VolumeFormatA(CStringA& out, std::int32_t value, int showZeroSign) { FormatVolume(out, value, showZeroSign); }
void VolumeFormatW(CStringW& out, std::int32_t value, int showZeroSign) { FormatVolume(out, value, showZeroSign); }
void VolumeFormatA(CStringA& out, std::int64_t value, int showZeroSign) { FormatVolume(out, value, showZeroSign); }
void VolumeFormatW(CStringW& out, std::int64_t value, int showZeroSign) { FormatVolume(out, value, showZeroSign); }
void VolumeFormatWithUnit(CStringA& out, std::int32_t value, const CStringA& unit) {
    FormatVolumeWithUnit(out, value, unit);
}
void VolumeFormatWithUnit(CStringA& out, std::int64_t value, const CStringA& unit) {
    FormatVolumeWithUnit(out, value, unit);
}

void VolumeFormat_LoadDefault() { g_volume = detail::VolumeState{}; }
void VolumeFormat_SetZeroSign(char sign) { g_volume.zero.Set(sign); }
char VolumeFormat_GetZeroSign() { return g_volume.zero.Get(); }
void VolumeFormat_SetCommaSign(char sign) { g_volume.comma.Set(sign); }
char VolumeFormat_GetCommaSign() { return g_volume.comma.Get(); }
void VolumeFormat_EnableCommaSign(int enable) { g_volume.enableComma = enable; }
int VolumeFormat_IsShowCommaSign() { return g_volume.enableComma; }

// The core for the rest of the library and the tool (format/formatter_cores.h).
// The local template is inlined here and into this file's own overloads, so
// that they stay one call deep.
namespace detail {

template <class Char, class Int>
void FormatVolume(std::basic_string<Char>& out, Int value, int showZeroSign) {
    TeskUtility::FormatVolume(out, value, showZeroSign);
}
template void FormatVolume(CStringA&, std::int32_t, int);
template void FormatVolume(CStringW&, std::int32_t, int);
template void FormatVolume(CStringA&, std::int64_t, int);
template void FormatVolume(CStringW&, std::int64_t, int);

}  // namespace detail

}  // namespace TeskUtility
