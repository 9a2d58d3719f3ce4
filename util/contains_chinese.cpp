#include "tesk/util_strings.h"

namespace TeskUtility {
namespace {

// Scans the whole given range, terminators included, as the callers pass
// explicit lengths of fixed-width fields.
template <class Unit>
int HasNonPrintableAscii(const Unit* text, int length) {
    if (!text) return 0;
    if (length < 0) {
        length = 0;
        while (text[length]) ++length;
    }
    for (int i = 0; i < length; ++i)
        if (text[i] < 0x20 || text[i] > 0x7E) return 1;
    return 0;
}

}  // namespace

int IsContainChineseA(const char* text, int length) {
    return HasNonPrintableAscii(reinterpret_cast<const unsigned char*>(text), length);
}

int IsContainChineseW(const char16_t* text, int length) { return HasNonPrintableAscii(text, length); }

}  // namespace TeskUtility
