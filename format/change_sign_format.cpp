// Rows of six direction marks packed four bits a group into one integer.
#include <string>

#include "format/sign_fields.h"
#include "tesk/format_signs.h"

namespace TeskUtility {
namespace {

constexpr int kGroups = 6;
constexpr unsigned kFall = 1, kFlat = 2, kRise = 4;

struct ChangeSigns {
    char rises, flat, fall;
    char16_t wideRises, wideFlat, wideFall;
};

// Printable in the C locale; anything else, 0 included, shows as a space.
constexpr char SignOf(char c) { return detail::SignChar(c).Get(); }

// The wide copy is the byte widened with sign extension.
constexpr char16_t Widen(char c) { return static_cast<char16_t>(static_cast<signed char>(c)); }

constexpr ChangeSigns MakeSigns(char rises, char flat, char fall) {
    rises = SignOf(rises);
    flat = SignOf(flat);
    fall = SignOf(fall);
    return {rises, flat, fall, Widen(rises), Widen(flat), Widen(fall)};
}

constexpr ChangeSigns kDefaultSigns = MakeSigns('+', '=', 'x');
constinit ChangeSigns g_signs = kDefaultSigns;

template <class Char>
Char MarkOf(unsigned group, Char rises, Char flat, Char fall) {
    if (group & kFall) return fall;
    if (group & kFlat) return flat;
    if (group & kRise) return rises;
    return Char(' ');
}

template <class Char>
void FormatGroups(std::basic_string<Char>& out, const unsigned (&groups)[kGroups], Char rises, Char flat, Char fall) {
    Char row[kGroups];
    for (int i = 0; i < kGroups; ++i) row[i] = MarkOf(groups[i], rises, flat, fall);
    out.assign(row, kGroups);
}

void Unpack(std::int32_t packed, unsigned (&groups)[kGroups]) {
    for (int i = 0; i < kGroups; ++i) groups[i] = (static_cast<std::uint32_t>(packed) >> (4 * i)) & 0xF;
}

}  // namespace

void ChangeSignFormat_LoadDefault() { g_signs = kDefaultSigns; }
char ChangeSignFormat_GetRisesSign() { return g_signs.rises != 0 ? g_signs.rises : ' '; }
char ChangeSignFormat_GetFlatSign() { return g_signs.flat != 0 ? g_signs.flat : ' '; }
char ChangeSignFormat_GetFallSign() { return g_signs.fall != 0 ? g_signs.fall : ' '; }
void ChangeSignFormat_SetSign(char rises, char flat, char fall) { g_signs = MakeSigns(rises, flat, fall); }

void ByteToChangeSign(char g0, char g1, char g2, char g3, char g4, char g5, std::int32_t& packed) {
    const char groups[kGroups] = {g0, g1, g2, g3, g4, g5};
    std::uint32_t value = 0;
    for (int i = 0; i < kGroups; ++i) value |= (static_cast<std::uint32_t>(groups[i]) & 0xF) << (4 * i);
    packed = static_cast<std::int32_t>(value);
}

void ChangeSignToByte(std::int32_t packed, char& g0, char& g1, char& g2, char& g3, char& g4, char& g5) {
    unsigned groups[kGroups];
    Unpack(packed, groups);
    char* out[kGroups] = {&g0, &g1, &g2, &g3, &g4, &g5};
    for (int i = 0; i < kGroups; ++i) *out[i] = static_cast<char>(groups[i]);
}

void ChangeSignFormatA(CStringA& out, char g0, char g1, char g2, char g3, char g4, char g5) {
    std::int32_t packed;
    ByteToChangeSign(g0, g1, g2, g3, g4, g5, packed);
    ChangeSignFormatA(out, packed);
}

void ChangeSignFormatA(CStringA& out, std::int32_t packed) {
    unsigned groups[kGroups];
    Unpack(packed, groups);
    FormatGroups(out, groups, g_signs.rises, g_signs.flat, g_signs.fall);
}

void ChangeSignFormatW(CStringW& out, char g0, char g1, char g2, char g3, char g4, char g5) {
    std::int32_t packed;
    ByteToChangeSign(g0, g1, g2, g3, g4, g5, packed);
    ChangeSignFormatW(out, packed);
}

void ChangeSignFormatW(CStringW& out, std::int32_t packed) {
    unsigned groups[kGroups];
    Unpack(packed, groups);
    FormatGroups(out, groups, g_signs.wideRises, g_signs.wideFlat, g_signs.wideFall);
}

}  // namespace TeskUtility
