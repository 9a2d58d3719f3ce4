// Spacing of short commodity names so they line up with three-character names.
#include "tesk/format_signs.h"

namespace TeskUtility {
namespace {

int g_enablePending = 1;

constexpr bool StartsDoubleByte(char c) { return static_cast<unsigned char>(c) > 0x7F; }

}  // namespace

void CommodityNameFormat_EnablePending(int enable) { g_enablePending = enable; }
int CommodityNameFormat_IsEnablePending() { return g_enablePending; }

// Two double-byte characters, with or without one trailing single-byte character,
// get the full-width space after the first character.
void CommodityNameFormatA(CStringA& name) {
    const bool twoWide = name.size() >= 4 && StartsDoubleByte(name[0]) && StartsDoubleByte(name[2]);
    const bool exactFit = twoWide && name.size() == 4;
    const bool withLetter = twoWide && name.size() == 5 && !StartsDoubleByte(name[4]);
    if (exactFit || withLetter) name.insert(2, "\xA1\x40");
}

void CommodityNameFormatW(CStringW& name) {
    if (g_enablePending != 0 && name.size() == 2) name.insert(1, u"  ");
}

}  // namespace TeskUtility
