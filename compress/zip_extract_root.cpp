#include "compress/zip_extract_root.h"

#include <cerrno>

namespace TeskUtility::zipfs {

ExtractionRoot::ExtractionRoot(const std::string& destination, bool makeParents)
    : root_(std::move(posix::Open(destination.c_str(), O_RDONLY | O_DIRECTORY).value)), makeParents_(makeParents) {}

bool ExtractionRoot::MakeFolder(const EntryPath& path) {
    if (path.levels.empty()) return false;
    const int parent = OpenParent(path);
    return parent >= 0 && posix::MakeDirAt(parent, LevelName(path.levels.back())).ok();
}

posix::Fd ExtractionRoot::CreateFile(const EntryPath& path) {
    if (path.levels.empty() || path.endsWithSeparator) return {};
    const int parent = OpenParent(path);
    if (parent < 0) return {};
    const char* level = LevelName(path.levels.back());
    constexpr int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY;
    posix::Result<posix::Fd> target = posix::OpenAt(parent, level, flags);
    if (!target.ok() && target.status.error == EEXIST && posix::RemoveAt(parent, level, false).ok())
        target = posix::OpenAt(parent, level, flags);
    return std::move(target.value);
}

// The folder holding the last level, opened level by level; -1 when a level is
// missing, not a folder, or a symbolic link. Consecutive entries of one folder
// reuse the descriptor.
int ExtractionRoot::OpenParent(const EntryPath& path) {
    if (!root_.Valid()) return -1;
    parentKey_.clear();
    for (std::size_t i = 0; i + 1 < path.levels.size(); ++i) {
        parentKey_.append(path.levels[i]);
        parentKey_.push_back('/');
    }
    if (parentKey_.empty()) return root_.Get();
    if (cachedParent_.Valid() && parentKey_ == cachedKey_) return cachedParent_.Get();
    cachedParent_.Reset();
    posix::Fd current;
    for (std::size_t i = 0; i + 1 < path.levels.size(); ++i) {
        const int at = current.Valid() ? current.Get() : root_.Get();
        const char* level = LevelName(path.levels[i]);
        constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW;
        posix::Result<posix::Fd> next = posix::OpenAt(at, level, kFlags);
        if (!next.ok() && next.status.error == ENOENT && makeParents_ && posix::MakeDirAt(at, level).ok())
            next = posix::OpenAt(at, level, kFlags);
        if (!next.ok()) return -1;
        current = std::move(next.value);
    }
    cachedKey_ = parentKey_;
    cachedParent_ = std::move(current);
    return cachedParent_.Get();
}

const char* ExtractionRoot::LevelName(std::string_view level) {
    level_.assign(level);
    return level_.c_str();
}

}  // namespace TeskUtility::zipfs
