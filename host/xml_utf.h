// UTF-16 texts of the DOM interface to and from libxml2's UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "tesk/platform.h"

namespace TeskUtility::detail {

inline std::string ToUtf8(std::u16string_view text) { return WideToUtf8(text); }
inline std::u16string FromUtf8(const unsigned char* text) {
    return text == nullptr ? std::u16string() : Utf8ToWide(reinterpret_cast<const char*>(text));
}

}  // namespace TeskUtility::detail
