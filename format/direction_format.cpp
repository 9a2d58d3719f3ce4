#include "format/direction_format.h"

namespace TeskUtility::detail {

void SetDirectionSigns(DirectionSigns& s, const char* rises, const char* flat, const char* fall) {
    s.sign[kDirRises].Assign(rises);
    s.sign[kDirFlat].Assign(flat);
    s.sign[kDirFall].Assign(fall);
    RebuildDirection(s);
}

void EnableDirectionPrefix(DirectionSigns& s, int enable) {
    if (s.enablePrefix == enable) return;
    s.enablePrefix = enable;
    RebuildDirection(s);
}

}  // namespace TeskUtility::detail
