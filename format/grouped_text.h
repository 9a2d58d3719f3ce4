// Pieces shared by the families that group digits and choose a plus or minus sign.
#pragma once

#include "format/sign_fields.h"
#include "format/text_buffer.h"

namespace TeskUtility::detail {

// The minus sign before a negative value, the plus sign before any other;
// an empty sign writes nothing.
template <class Char>
inline void AppendSelectedSign(TextBuffer<Char>& buf, bool negative, const SignString& plus,
                               const SignString& minus) {
    const SignString& sign = negative ? minus : plus;
    buf.Append(sign.Text<Char>(), sign.Length<Char>());
}

}  // namespace TeskUtility::detail
