#include "compress/zip_entry_path.h"

#include "tesk/platform.h"

namespace TeskUtility::zipfs {

bool SplitEntryName(std::string_view name, bool utf8Name, EntryPath& out) {
    out.levels.clear();
    out.endsWithSeparator = false;
    const bool dbcs = !utf8Name && GetThreadAnsiCodePage() != CP_UTF8;
    std::size_t start = 0;
    bool separatorLast = false;
    auto closeLevel = [&](std::size_t end) {
        const std::string_view level = name.substr(start, end - start);
        if (level == "..") return false;
        if (!level.empty() && level != ".") out.levels.push_back(level);
        return true;
    };
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == '\0') return false;
        if (c == '/' || c == '\\') {
            if (i == 0) return false;  // rooted: "/etc/x", "\\server\share"
            if (!closeLevel(i)) return false;
            start = i + 1;
            separatorLast = true;
            continue;
        }
        separatorLast = false;
        // A trail byte is never '/' or NUL in any double-byte page; leave those to the checks above.
        if (dbcs && IsDBCSLeadByte(c) && i + 1 < name.size() && name[i + 1] != '/' && name[i + 1] != '\0') ++i;
    }
    if (!closeLevel(name.size())) return false;
    out.endsWithSeparator = separatorLast;
    return true;
}

}  // namespace TeskUtility::zipfs
