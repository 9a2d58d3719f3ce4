#include "settings/setting_grammar.h"

namespace TeskUtility::detail {
namespace {

bool IsTrimSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsBracket(char c) { return c == '[' || c == ']'; }

// Callers reach names through C strings, which end at the first NUL: a name
// stored past it could be listed but never queried, so it is cut there.
std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

template <typename Pred>
std::string_view TrimBoth(std::string_view s, Pred pred) {
    while (!s.empty() && pred(s.front())) s.remove_prefix(1);
    while (!s.empty() && pred(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

SettingLine ParseSettingLine(std::string_view line, const SettingLineRule& rule) {
    SettingLine out;
    if (line.empty()) return out;
    const char first = line.front();
    if (first == '#' || (first == '/' && rule.slashComments)) return out;
    if (first == '[') {
        if (rule.trimHeaderSpace) line = TrimBoth(line, IsTrimSpace);
        out.kind = SettingLine::Header;
        out.name = UpToNul(TrimBoth(line, IsBracket));
        return out;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return out;
    out.key = UpToNul(line.substr(0, eq));
    if (out.key.empty()) return out;
    out.kind = SettingLine::Pair;
    out.value = line.substr(eq + 1);
    return out;
}

}  // namespace TeskUtility::detail
