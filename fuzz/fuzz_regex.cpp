// RegexMatchA and RegexMatchW on arbitrary patterns and texts: the input is
// "flag byte, pattern, 0 byte, text". Must end quickly without a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tesk/platform.h"
#include "tesk/util_regex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned flags = data[0];
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = rest.find('\0');
    const std::string pattern = rest.substr(0, split);
    const std::string text = split == std::string::npos ? std::string() : rest.substr(split + 1);

    static const unsigned kCodePages[] = {950, 1252, 65001, 932};
    TeskUtility::SetThreadAnsiCodePage(kCodePages[(flags >> 1) & 3]);
    TeskUtility::RegexMatchA(pattern.c_str(), text.c_str(), flags & 1);

    // The same bytes read as UTF-16 units exercise the wide form and surrogates.
    std::u16string widePattern, wideText;
    for (std::size_t i = 0; i + 1 < pattern.size(); i += 2)
        widePattern.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(pattern[i]) |
                                                    static_cast<std::uint8_t>(pattern[i + 1]) << 8));
    for (unsigned char c : text) wideText.push_back(c);
    if (flags & 8) TeskUtility::RegexMatchW(widePattern.c_str(), wideText.c_str(), flags & 1);
    TeskUtility::RegexMatchW(TeskUtility::AnsiToWide(pattern).c_str(), TeskUtility::AnsiToWide(text).c_str(),
                             flags & 1);
    return 0;
}
