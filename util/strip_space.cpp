#include <cstdlib>
#include <cstring>
#include <memory>

#include "tesk/util_strings.h"

namespace TeskUtility {
namespace {

constexpr unsigned kLocalUnits = 33;  // short strings stay off the heap

template <class Unit>
unsigned Length(const Unit* s) {
    unsigned n = 0;
    while (s[n]) ++n;
    return n;
}

template <class Unit, class CopyFn>
unsigned StripInto(Unit* text, unsigned length, CopyFn copy) {
    if (length == 0) length = Length(text);
    if (length == 0) return 0;
    Unit local[kLocalUnits] = {};
    std::unique_ptr<Unit, decltype(&std::free)> heap(nullptr, &std::free);
    Unit* work = local;
    if (length >= kLocalUnits - 1) {
        heap.reset(static_cast<Unit*>(std::calloc(length + 1, sizeof(Unit))));
        if (!heap) return 0;
        work = heap.get();
    }
    const unsigned kept = copy(text, length, work);
    work[kept] = 0;
    std::memcpy(text, work, (kept + 1) * sizeof(Unit));
    return kept;
}

}  // namespace

unsigned StripSpaceA(char* text, unsigned length) {
    if (!text) return 0;
    return StripInto(text, length, [](const char* s, unsigned n, char* out) {
        unsigned kept = 0;
        for (unsigned i = 0; i < n && s[i]; ++i) {
            const unsigned char b = s[i];
            if (b == 0x20) continue;
            // A1 is checked at every byte, also where it trails another lead byte.
            if (b == 0xA1 && i + 1 < n && s[i + 1] != 0) {
                if (static_cast<unsigned char>(s[i + 1]) != 0x40) {
                    out[kept++] = s[i];
                    out[kept++] = s[i + 1];
                }
                ++i;
                continue;
            }
            out[kept++] = s[i];
        }
        return kept;
    });
}

unsigned StripSpaceW(char16_t* text, unsigned length) {
    if (!text) return 0;
    return StripInto(text, length, [](const char16_t* s, unsigned n, char16_t* out) {
        unsigned kept = 0;
        for (unsigned i = 0; i < n && s[i]; ++i)
            if (s[i] != u' ' && s[i] != u'\u3000') out[kept++] = s[i];
        return kept;
    });
}

}  // namespace TeskUtility
