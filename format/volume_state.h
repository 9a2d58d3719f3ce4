// The VolumeFormat state. Its comma sign and its EnableCommaSign flag are
// shared: CommaFormatWithDot groups with them, and the value parsers remove
// the comma sign from their input.
#pragma once

#include "format/sign_fields.h"

namespace TeskUtility::detail {

struct VolumeState {
    SignChar zero{'-'};
    SignChar comma{','};
    int enableComma = 1;  // also CommaFormatWithDot's flag
};

extern VolumeState g_volume;

}  // namespace TeskUtility::detail
