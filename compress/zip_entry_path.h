// Internal: turns a stored entry name into the path levels it names below the
// extraction folder, refusing names that would land outside it.
#pragma once

#include <string_view>
#include <vector>

namespace TeskUtility::zipfs {

struct EntryPath {
    std::vector<std::string_view> levels;  // views into the name; "" and "." levels dropped
    bool endsWithSeparator = false;
};

// '/' always separates levels. '\' does too, except as the second byte of a
// double-byte character of the thread's code page in a name not flagged UTF-8
// (Big5 has characters such as A5 5C). Returns false for an absolute name, a
// ".." level or an embedded NUL; `out` is reused so that a walk does not allocate.
bool SplitEntryName(std::string_view name, bool utf8Name, EntryPath& out);

}  // namespace TeskUtility::zipfs
