// One line of a settings file, classified by the loaders' grammar.
#pragma once

#include <string_view>

namespace TeskUtility::detail {

// What differs between the loaders.
struct SettingLineRule {
    bool slashComments;     // "/" starts a comment as well as "#"
    bool trimHeaderSpace;   // white space around a "[...]" line is not part of the name
};

struct SettingLine {
    enum Kind { Skip, Header, Pair } kind = Skip;
    std::string_view name;   // Header: the section name
    std::string_view key;    // Pair
    std::string_view value;  // Pair
};

// Classifies a line (without its line end). Views point into `line`.
SettingLine ParseSettingLine(std::string_view line, const SettingLineRule& rule);

}  // namespace TeskUtility::detail
