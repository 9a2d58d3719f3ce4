#include "format/fixed_point_text.h"
#include "format/formatter_cores.h"
#include "format/sign_fields.h"
#include "tesk/format_price.h"

namespace TeskUtility {
namespace {

using detail::Prefix;
using detail::PrefixPair;
using detail::SignChar;
using detail::SignString;

enum SignGroup { kCeiling, kRises, kFlat, kFall, kFloor, kGroupCount };

struct PriceState {
    SignChar zero{'-'};
    SignChar nonDeal{};
    int enablePrefix = 1;
    int prefixWidth = 1;
    int enablePlusMinus = 1;
    int plusMinusWidth = 1;
    SignString group[kGroupCount] = {{"+", u'+'}, {}, {}, {}, {"-", u'-'}};
    SignString plus{};
    SignString minus{"-", u'-'};
    // Sign prefixes of the templates, by group, for values >= 0 and < 0. The
    // number part is written by the formatter, so the same prefix serves the
    // dotted and the integer form and both value widths.
    PrefixPair positive[kGroupCount];
    PrefixPair negative[kGroupCount];
};

template <class Char>
constexpr void BuildPrefix(Prefix<Char>& out, const PriceState& s, const SignString& groupSign,
                           const SignString& plusMinus) {
    const bool showPrefix = s.enablePrefix != 0 && !groupSign.IsBlank();
    const bool showPlusMinus = s.enablePlusMinus != 0 && !plusMinus.IsBlank();
    out.Clear();
    if (showPrefix) out.AppendPadded(groupSign, s.prefixWidth);
    if (showPlusMinus) out.AppendPadded(plusMinus, s.plusMinusWidth);
    out.TrimLeadingSpaces();
}

constexpr void Rebuild(PriceState& s) {
    for (int g = 0; g < kGroupCount; ++g) {
        BuildPrefix(s.positive[g].narrow, s, s.group[g], s.plus);
        BuildPrefix(s.positive[g].wide, s, s.group[g], s.plus);
        BuildPrefix(s.negative[g].narrow, s, s.group[g], s.minus);
        BuildPrefix(s.negative[g].wide, s, s.group[g], s.minus);
    }
}

constexpr PriceState MakeDefaultState() {
    PriceState s;
    Rebuild(s);
    return s;
}

constinit PriceState g_price = MakeDefaultState();

// The sign group of a price state, or -1 when the state is not accepted.
// State 7 formats as flat only in the 32-bit forms.
constexpr int GroupOfState(std::uint32_t state, bool is64) {
    switch (state) {
        case 1: return kCeiling;
        case 2: return kRises;
        case 3: return kFlat;
        case 4: return kFall;
        case 5: return kFloor;
        case 6: return kFlat;
        case 7: return is64 ? -1 : kFlat;
        default: return -1;
    }
}

template <class Char, class Int>
TESK_FORMAT_CORE
void FormatPrice(std::basic_string<Char>& out, Int value, std::uint32_t state, std::int32_t dot, Int divisor,
                 int showZeroSign) {
    const PriceState& s = g_price;
    if (value == 0 && showZeroSign != 0) return s.zero.AssignTo(out);
    if (state == 0) return s.nonDeal.AssignTo(out);
    const int group = GroupOfState(state, sizeof(Int) == 8);
    if (group < 0) return out.clear();

    const Prefix<Char>& prefix = (value < 0 ? s.negative[group] : s.positive[group]).template Get<Char>();
    detail::TextBuffer<Char> buf;
    buf.Append(prefix.text, prefix.len);
    const auto magnitude = detail::Magnitude(value);
    if (dot > 0)
        detail::AppendSplit(buf, detail::SplitFixed(magnitude, dot, divisor), dot);
    else
        buf.AppendUnsigned(magnitude);
    buf.AssignTo(out);
}

void SetFlag(int& field, int value) {
    if (field == value) return;
    field = value;
    Rebuild(g_price);
}

int SetWidth(int& field, int width) {
    if (!detail::IsValidSignWidth(width)) return 0;
    if (field != width) {
        field = width;
        Rebuild(g_price);
    }
    return 1;
}

}  // namespace

void PriceFormatA(CStringA& out, std::int32_t value, std::uint32_t state, std::int32_t dot, std::int32_t divisor,
                  int showZeroSign) {
    FormatPrice(out, value, state, dot, divisor, showZeroSign);
}
void PriceFormatW(CStringW& out, std::int32_t value, std::uint32_t state, std::int32_t dot, std::int32_t divisor,
                  int showZeroSign) {
    FormatPrice(out, value, state, dot, divisor, showZeroSign);
}
void PriceFormatA(CStringA& out, std::int64_t value, std::uint32_t state, std::int32_t dot, std::int64_t divisor,
                  int showZeroSign) {
    FormatPrice(out, value, state, dot, divisor, showZeroSign);
}
void PriceFormatW(CStringW& out, std::int64_t value, std::uint32_t state, std::int32_t dot, std::int64_t divisor,
                  int showZeroSign) {
    FormatPrice(out, value, state, dot, divisor, showZeroSign);
}

void PriceFormat_LoadDefault() { g_price = MakeDefaultState(); }

void PriceFormat_SetZeroSign(char sign) { g_price.zero.Set(sign); }
char PriceFormat_GetZeroSign() { return g_price.zero.Get(); }
void PriceFormat_SetNonDealSign(char sign) { g_price.nonDeal.Set(sign); }
char PriceFormat_GetNonDealSign() { return g_price.nonDeal.Get(); }

void PriceFormat_EnablePrefixSign(int enable) { SetFlag(g_price.enablePrefix, enable); }
int PriceFormat_IsShowPrefixSign() { return g_price.enablePrefix; }
void PriceFormat_EnablePlusMinusSign(int enable) { SetFlag(g_price.enablePlusMinus, enable); }
int PriceFormat_IsShowPlusMinusSign() { return g_price.enablePlusMinus; }
int PriceFormat_SetPrefixSignWidth(int width) { return SetWidth(g_price.prefixWidth, width); }
int PriceFormat_GetPrefixSignWidth() { return g_price.prefixWidth; }
int PriceFormat_SetPlusMinusSignWidth(int width) { return SetWidth(g_price.plusMinusWidth, width); }
int PriceFormat_GetPlusMinusSignWidth() { return g_price.plusMinusWidth; }

void PriceFormat_SetPrefixSign(const char* ceiling, const char* rises, const char* flat, const char* fall,
                               const char* floor) {
    const char* args[kGroupCount] = {ceiling, rises, flat, fall, floor};
    for (int g = 0; g < kGroupCount; ++g) g_price.group[g].Assign(args[g]);
    Rebuild(g_price);
}

void PriceFormat_SetPlusMinusSign(const char* plus, const char* minus) {
    g_price.plus.Assign(plus);
    g_price.minus.Assign(minus);
    Rebuild(g_price);
}

const char* PriceFormat_GetCeilingSign() { return g_price.group[kCeiling].Narrow(); }
const char* PriceFormat_GetRisesSign() { return g_price.group[kRises].Narrow(); }
const char* PriceFormat_GetFlatSign() { return g_price.group[kFlat].Narrow(); }
const char* PriceFormat_GetFallSign() { return g_price.group[kFall].Narrow(); }
const char* PriceFormat_GetFloorSign() { return g_price.group[kFloor].Narrow(); }
const char* PriceFormat_GetPlusSign() { return g_price.plus.Narrow(); }
const char* PriceFormat_GetMinusSign() { return g_price.minus.Narrow(); }

// The core for the rest of the library and the tool (format/formatter_cores.h).
// The local template is inlined here and into this file's own overloads, so
// that they stay one call deep.
namespace detail {

template <class Char, class Int>
void FormatPrice(std::basic_string<Char>& out, Int value, std::uint32_t state, std::int32_t dot, Int divisor,
                 int showZeroSign) {
    TeskUtility::FormatPrice(out, value, state, dot, divisor, showZeroSign);
}
template void FormatPrice(CStringA&, std::int32_t, std::uint32_t, std::int32_t, std::int32_t, int);
template void FormatPrice(CStringW&, std::int32_t, std::uint32_t, std::int32_t, std::int32_t, int);
template void FormatPrice(CStringA&, std::int64_t, std::uint32_t, std::int32_t, std::int64_t, int);
template void FormatPrice(CStringW&, std::int64_t, std::uint32_t, std::int32_t, std::int64_t, int);

}  // namespace detail

}  // namespace TeskUtility
