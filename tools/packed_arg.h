// Reading packed times and dates and one-character separators from the command line.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "args.h"

namespace teskutil {

// A packed value in decimal or, with a "0x" prefix, hexadecimal ("0x091E0F").
inline std::int32_t ParsePacked(const std::string& text, const char* what) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint32_t v = 0;
        const char* end = text.data() + text.size();
        auto [p, ec] = std::from_chars(text.data() + 2, end, v, 16);
        if (ec != std::errc() || p != end) throw UsageError(std::string(what) + ": not a hexadecimal value: " + text);
        return static_cast<std::int32_t>(v);
    }
    const std::int64_t v = ParseInt(text, what);
    if (v < INT32_MIN || v > UINT32_MAX) throw UsageError(std::string(what) + ": out of range");
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

// --sep C: one character, or "none" for no separator.
inline std::optional<char> SeparatorOption(Args& args) {
    auto sep = args.Option("--sep");
    if (!sep) return std::nullopt;
    if (*sep == "none") return '\0';
    if (sep->size() != 1) throw UsageError("--sep: one character or \"none\"");
    return (*sep)[0];
}

}  // namespace teskutil
