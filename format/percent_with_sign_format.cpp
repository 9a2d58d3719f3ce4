#include "format/direction_format.h"
#include "format/formatter_cores.h"
#include "format/percent_sign.h"
#include "tesk/format_diff.h"

namespace TeskUtility {
namespace {

using detail::kDirFall;
using detail::kDirFlat;
using detail::kDirRises;

struct PercentWithSignState {
    detail::SignChar zero{'-'};
    detail::DirectionSigns signs;
    detail::PercentSuffix percent;
};

// At load the flat sign is a blank and the prefixes are the plain ones (no
// sign, no space); the first rebuild replaces them with what the signs say.
constexpr PercentWithSignState MakeLoadState() {
    PercentWithSignState s;
    s.signs.sign[kDirFlat] = detail::SignString(" ", u' ');
    return s;
}

// What LoadDefault restores: empty signs, each shown as a separating space.
constexpr PercentWithSignState MakeDefaultState() {
    PercentWithSignState s;
    detail::RebuildDirection(s.signs);
    return s;
}

constinit PercentWithSignState g_percentSign = MakeLoadState();

template <class Char>
TESK_FORMAT_CORE
void FormatPercentWithSign(std::basic_string<Char>& out, std::int32_t value, std::uint32_t state, std::int32_t dot,
                           std::int32_t divisor, int showZeroSign) {
    const PercentWithSignState& s = g_percentSign;
    if (value == 0 && showZeroSign != 0) return s.zero.AssignTo(out);
    detail::TextBuffer<Char> buf;
    if (!detail::AppendDirectionText(buf, s.signs, value, state, dot, divisor)) return;
    s.percent.AppendTo(buf);
    buf.AssignTo(out);
}

}  // namespace

void PercentFormatWithSignA(CStringA& out, std::int32_t value, std::uint32_t state, std::int32_t dot,
                            std::int32_t divisor, int showZeroSign) {
    FormatPercentWithSign(out, value, state, dot, divisor, showZeroSign);
}
void PercentFormatWithSignW(CStringW& out, std::int32_t value, std::uint32_t state, std::int32_t dot,
                            std::int32_t divisor, int showZeroSign) {
    FormatPercentWithSign(out, value, state, dot, divisor, showZeroSign);
}

void PercentFormatWithSign_LoadDefault() { g_percentSign = MakeDefaultState(); }
void PercentFormatWithSign_SetZeroSign(char sign) { g_percentSign.zero.Set(sign); }
char PercentFormatWithSign_GetZeroSign() { return g_percentSign.zero.Get(); }
void PercentFormatWithSign_EnablePrefixSign(int enable) { detail::EnableDirectionPrefix(g_percentSign.signs, enable); }
int PercentFormatWithSign_IsShowPrefixSign() { return g_percentSign.signs.enablePrefix; }
void PercentFormatWithSign_SetPrefixSign(const char* rises, const char* flat, const char* fall) {
    detail::SetDirectionSigns(g_percentSign.signs, rises, flat, fall);
}
const char* PercentFormatWithSign_GetRisesSign() { return g_percentSign.signs.sign[kDirRises].Narrow(); }
const char* PercentFormatWithSign_GetFlatSign() { return g_percentSign.signs.sign[kDirFlat].Narrow(); }
const char* PercentFormatWithSign_GetFallSign() { return g_percentSign.signs.sign[kDirFall].Narrow(); }
void PercentFormatWithSign_EnablePercentSign(int enable) { g_percentSign.percent.enable = enable; }
int PercentFormatWithSign_IsShowPercentSign() { return g_percentSign.percent.enable; }
void PercentFormatWithSign_SetPercentSign(char sign) { g_percentSign.percent.sign.Set(sign); }
char PercentFormatWithSign_GetPercentSign() { return g_percentSign.percent.sign.Get(); }

// The core for the rest of the library and the tool (format/formatter_cores.h).
// The local template is inlined here and into this file's own overloads, so
// that they stay one call deep.
namespace detail {

template <class Char>
void FormatPercentWithSign(std::basic_string<Char>& out, std::int32_t value, std::uint32_t state, std::int32_t dot,
                           std::int32_t divisor, int showZeroSign) {
    TeskUtility::FormatPercentWithSign(out, value, state, dot, divisor, showZeroSign);
}
template void FormatPercentWithSign(CStringA&, std::int32_t, std::uint32_t, std::int32_t, std::int32_t, int);
template void FormatPercentWithSign(CStringW&, std::int32_t, std::uint32_t, std::int32_t, std::int32_t, int);

}  // namespace detail

}  // namespace TeskUtility
