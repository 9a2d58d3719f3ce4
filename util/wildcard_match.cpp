#include "tesk/util_strings.h"

namespace TeskUtility {
namespace {

// Greedy with a single backtrack point: a later * replaces the earlier one,
// so the work stays within pattern length times text length.
template <class Unit>
int Wildcard(const Unit* p, const Unit* t) {
    if (!p || !t) return 0;
    while (*t && *p != '*') {
        if (*p != *t && *p != '?') return 0;
        ++p;
        ++t;
    }
    const Unit* retryPattern = nullptr;
    const Unit* retryText = nullptr;
    while (*t) {
        if (*p == '*') {
            if (!*++p) return 1;
            retryPattern = p;
            retryText = t + 1;
        } else if (*p == *t || *p == '?') {
            ++p;
            ++t;
        } else {
            p = retryPattern;
            t = retryText++;
        }
    }
    while (*p == '*') ++p;
    return *p ? 0 : 1;
}

}  // namespace

int WildcardMatchA(const char* pattern, const char* text) { return Wildcard(pattern, text); }
int WildcardMatchW(const char16_t* pattern, const char16_t* text) { return Wildcard(pattern, text); }

}  // namespace TeskUtility
