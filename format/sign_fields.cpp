#include "format/sign_fields.h"

#include <cstring>

#include "tesk/platform.h"

namespace TeskUtility::detail {

bool SignString::Assign(const char* text) {
    if (text == nullptr) return false;
    const std::size_t len = std::strlen(text);
    if (len >= 4) return false;
    narrowLen_ = static_cast<std::uint8_t>(len < 2 ? len : 2);
    std::memcpy(narrow_, text, narrowLen_);
    narrow_[narrowLen_] = '\0';
    const std::u16string wide = AnsiToWide(std::string_view(text, len));
    wideLen_ = wide.empty() ? 0 : 1;
    wide_[0] = wide.empty() ? u'\0' : wide[0];
    wide_[1] = u'\0';
    return true;
}

}  // namespace TeskUtility::detail
