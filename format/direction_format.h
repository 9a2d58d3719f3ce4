// The shape DiffPriceFormat and PercentFormatWithSign share: a direction sign
// chosen by price state, one separating space, then the magnitude. The
// arithmetic sign of the value is never printed; the state tells the direction.
#pragma once

#include <cstdint>
#include <string>

#include "format/fixed_point_text.h"
#include "format/sign_fields.h"

namespace TeskUtility::detail {

enum DirectionGroup { kDirRises, kDirFlat, kDirFall, kDirCount };

struct DirectionSigns {
    int enablePrefix = 1;
    SignString sign[kDirCount];
    PrefixPair prefix[kDirCount];  // sign + " ", or nothing when not shown
};

// Rebuilds the prefixes from the signs and the enable flag.
constexpr void RebuildDirection(DirectionSigns& s) {
    for (int g = 0; g < kDirCount; ++g) {
        PrefixPair& p = s.prefix[g];
        p.narrow.Clear();
        p.wide.Clear();
        if (s.enablePrefix == 0 || s.sign[g].IsBlank()) continue;
        p.narrow.Append(s.sign[g].Narrow(), s.sign[g].NarrowLength());
        p.narrow.Put(' ');
        p.wide.Append(s.sign[g].Wide(), s.sign[g].WideLength());
        p.wide.Put(u' ');
    }
}

// Applies a setter's three arguments (null ones are kept) and rebuilds.
void SetDirectionSigns(DirectionSigns& s, const char* rises, const char* flat, const char* fall);
// Stores the flag and rebuilds, only when it changes.
void EnableDirectionPrefix(DirectionSigns& s, int enable);

// The group of a price state, or -1 for states that leave the output alone.
constexpr int DirectionGroupOfState(std::uint32_t state) {
    switch (state) {
        case 0: return kDirFlat;
        case 1:
        case 2: return kDirRises;
        case 3:
        case 7: return kDirFlat;
        case 4:
        case 5: return kDirFall;
        default: return -1;
    }
}

// Writes [sign " "] and the magnitude; false when the state is not mapped.
template <class Char>
bool AppendDirectionText(TextBuffer<Char>& buf, const DirectionSigns& s, std::int32_t value, std::uint32_t state,
                         std::int32_t dot, std::int32_t divisor) {
    const int group = DirectionGroupOfState(state);
    if (group < 0) return false;
    const Prefix<Char>& prefix = s.prefix[group].Get<Char>();
    buf.Append(prefix.text, prefix.len);
    const std::uint32_t magnitude = Magnitude(value);
    if (dot > 0)
        AppendSplit(buf, SplitFixed(magnitude, dot, divisor), dot);
    else
        buf.AppendUnsigned(magnitude);
    return true;
}

}  // namespace TeskUtility::detail
