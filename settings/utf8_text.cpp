#include <cstring>

#include "tesk/platform.h"
#include "tesk/settings_charset.h"

namespace TeskUtility {
namespace {
// Strings this long are taken as they are; the check is for short UI texts.
constexpr std::size_t kCheckLimit = 1024;
}  // namespace

void ConvertStringByCheckCT(CStringA& text) {
    if (text.size() >= kCheckLimit || text.size() < 2) return;
    const auto lead = static_cast<unsigned char>(text[0]);
    const auto next = static_cast<unsigned char>(text[1]);
    if (lead < 0x80 || next < 0x80 || next > 0xBF) return;
    // Whole double-byte characters: the text is already ANSI.
    const std::size_t units = AnsiToWide(text).size();
    if (text.size() == 2 * units) return;
    text = Utf8ToAnsi(text);
}

CStringW UTF8toW(const void* data, int length) {
    if (!data) return CStringW();
    const auto* bytes = static_cast<const char*>(data);
    const std::size_t n = length < 0 ? std::strlen(bytes) : static_cast<std::size_t>(length);
    return Utf8ToWide(std::string_view(bytes, n));
}

CStringA UTF8toA(const void* data, int length) { return WideToAnsi(UTF8toW(data, length)); }

}  // namespace TeskUtility
