// printf-style formatting into a narrow string, for the system-information sentences.
#pragma once

#include <cstdio>
#include <string>

namespace TeskUtility::detail {

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(n));
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

}  // namespace TeskUtility::detail
