// The optional percent character both percentage families end with.
#pragma once

#include "format/sign_fields.h"
#include "format/text_buffer.h"

namespace TeskUtility::detail {

struct PercentSuffix {
    int enable = 1;
    SignChar sign{'%'};

    template <class Char>
    void AppendTo(TextBuffer<Char>& buf) const {
        if (enable != 0 && sign.IsSet()) buf.Put(static_cast<Char>(sign.Raw()));
    }
};

}  // namespace TeskUtility::detail
