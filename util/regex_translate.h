// Translation of the host's regular-expression language into a PCRE2 pattern.
// Internal to util/.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace TeskUtility::regex_detail {

// How pattern and text characters map onto PCRE2 code units.
enum class CharMode {
    Bytes,    // one byte is one character (single-byte code pages)
    Dbcs,     // lead byte + next byte is one character; PCRE2 still sees bytes
    Unicode,  // PCRE2 in UTF mode (UTF-16 for the wide form, UTF-8 for code page 65001)
};

struct Dialect {
    CharMode mode = CharMode::Bytes;
    std::array<bool, 256> leadByte{};  // Dbcs only
};

// A pattern decoded into characters: Bytes mode holds bytes, Dbcs mode holds
// single bytes and (lead << 8 | trail) pairs, Unicode mode holds code points.
using PatternChars = std::vector<char32_t>;

// The PCRE2 pattern (ASCII; every literal written as \x{..}), or nothing when
// the expression does not parse.
std::optional<std::string> TranslateRegex(const PatternChars& pattern, bool caseSensitive, const Dialect& dialect);

}  // namespace TeskUtility::regex_detail
