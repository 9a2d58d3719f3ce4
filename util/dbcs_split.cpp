#include <cstring>

#include "tesk/util_strings.h"

namespace TeskUtility {

int GetIsEngNumChar(char c) { return static_cast<unsigned char>(c) <= 0x7F ? 1 : 0; }

// The whole text is split (up to its first zero byte); longer names are not
// cut at 255 bytes, so nothing is lost.
void GetCutStringDQByIsChinese(CStringA text, std::deque<CStringA>& chars, std::deque<int>& kinds) {
    const std::size_t n = std::strlen(text.c_str());
    for (std::size_t i = 0; i < n;) {
        if (GetIsEngNumChar(text[i])) {
            chars.emplace_back(1, text[i]);
            kinds.push_back(1);
            ++i;
        } else {
            const std::size_t width = i + 1 < n ? 2 : 1;  // a lead byte at the end stands alone
            chars.emplace_back(text, i, width);
            kinds.push_back(0);
            i += width;
        }
    }
}

CStringA GetAutoMultiString(CStringA text, int& broken) {
    broken = 0;
    if (text.empty()) return text;
    std::deque<CStringA> chars;
    std::deque<int> kinds;
    GetCutStringDQByIsChinese(text, chars, kinds);
    const int n = static_cast<int>(chars.size());
    int k = n / 2 - 1;
    // Break after a two-byte character, so a run of letters or digits stays on one line.
    while (k >= 0 && kinds[k] == 1) --k;
    if (k < 1) return text;
    CStringA out;
    out.reserve(text.size() + 1);
    for (int i = 0; i < n; ++i) {
        out += chars[i];
        if (i == k) out += '\n';
    }
    broken = 1;
    return out;
}

}  // namespace TeskUtility
