#include "format/direction_format.h"
#include "format/formatter_cores.h"
#include "tesk/format_diff.h"

namespace TeskUtility {
namespace {

using detail::kDirFall;
using detail::kDirFlat;
using detail::kDirRises;

struct DiffPriceState {
    detail::SignChar zero{'-'};
    detail::DirectionSigns signs;
};

constexpr DiffPriceState MakeDefaultState() {
    DiffPriceState s;
    s.signs.sign[kDirRises] = detail::SignString("\xA1\xB6", u'\u25B2');  // ▲
    s.signs.sign[kDirFlat] = detail::SignString(" ", u' ');
    s.signs.sign[kDirFall] = detail::SignString("x", u'x');
    detail::RebuildDirection(s.signs);
    return s;
}

constinit DiffPriceState g_diff = MakeDefaultState();

template <class Char>
TESK_FORMAT_CORE
void FormatDiffPrice(std::basic_string<Char>& out, std::int32_t value, std::uint32_t state, std::int32_t dot,
                     std::int32_t divisor, int showZeroSign) {
    if (value == 0 && showZeroSign != 0) return g_diff.zero.AssignTo(out);
    detail::TextBuffer<Char> buf;
    if (detail::AppendDirectionText(buf, g_diff.signs, value, state, dot, divisor)) buf.AssignTo(out);
}

}  // namespace

void DiffPriceFormatA(CStringA& out, std::int32_t value, std::uint32_t state, std::int32_t dot, std::int32_t divisor,
                      int showZeroSign) {
    FormatDiffPrice(out, value, state, dot, divisor, showZeroSign);
}
void DiffPriceFormatW(CStringW& out, std::int32_t value, std::uint32_t state, std::int32_t dot, std::int32_t divisor,
                      int showZeroSign) {
    FormatDiffPrice(out, value, state, dot, divisor, showZeroSign);
}

void DiffPriceFormat_LoadDefault() { g_diff = MakeDefaultState(); }
void DiffPriceFormat_SetZeroSign(char sign) { g_diff.zero.Set(sign); }
char DiffPriceFormat_GetZeroSign() { return g_diff.zero.Get(); }
void DiffPriceFormat_EnablePrefixSign(int enable) { detail::EnableDirectionPrefix(g_diff.signs, enable); }
int DiffPriceFormat_IsShowPrefixSign() { return g_diff.signs.enablePrefix; }
void DiffPriceFormat_SetPrefixSign(const char* rises, const char* flat, const char* fall) {
    detail::SetDirectionSigns(g_diff.signs, rises, flat, fall);
}
const char* DiffPriceFormat_GetRisesSign() { return g_diff.signs.sign[kDirRises].Narrow(); }
const char* DiffPriceFormat_GetFlatSign() { return g_diff.signs.sign[kDirFlat].Narrow(); }
const char* DiffPriceFormat_GetFallSign() { return g_diff.signs.sign[kDirFall].Narrow(); }

// The core for the rest of the library and the tool (format/formatter_cores.h).
// The local template is inlined here and into this file's own overloads, so
// that they stay one call deep.
namespace detail {

template <class Char>
void FormatDiffPrice(std::basic_string<Char>& out, std::int32_t value, std::uint32_t state, std::int32_t dot,
                     std::int32_t divisor, int showZeroSign) {
    TeskUtility::FormatDiffPrice(out, value, state, dot, divisor, showZeroSign);
}
template void FormatDiffPrice(CStringA&, std::int32_t, std::uint32_t, std::int32_t, std::int32_t, int);
template void FormatDiffPrice(CStringW&, std::int32_t, std::uint32_t, std::int32_t, std::int32_t, int);

}  // namespace detail

}  // namespace TeskUtility
