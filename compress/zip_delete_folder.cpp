// Removing a folder tree without leaving it through a symbolic link.
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "compress/zip_fd.h"
#include "tesk/compress_zip.h"

namespace TeskUtility {
namespace {

bool IsFolder(int parent, const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN) return entry.d_type == DT_DIR;
    struct stat st {};
    return ::fstatat(parent, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

// Empties the folder open at `folder` (taken over). Subfolders are opened
// relative to it with O_NOFOLLOW, so a link, or a folder swapped for a link
// meanwhile, is unlinked as a name and never entered.
void RemoveContents(zipfs::UniqueFd folder) {
    DIR* dir = ::fdopendir(folder.Get());
    if (!dir) return;
    const int at = folder.Release();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (IsFolder(at, *entry)) {
            zipfs::UniqueFd sub(::openat(at, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (sub.Valid()) RemoveContents(std::move(sub));
            ::unlinkat(at, entry->d_name, AT_REMOVEDIR);
        } else {
            ::unlinkat(at, entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

}  // namespace

void DeleteFolder(CStringA folderPath) {
    while (folderPath.size() > 1 && folderPath.back() == '/') folderPath.pop_back();
    // Emptying the root of the file system is never what a caller means.
    if (folderPath.empty() || folderPath == "/") return;
    // A link given as the folder is not entered, and rmdir does not remove a link.
    zipfs::UniqueFd folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder.Valid()) RemoveContents(std::move(folder));
    ::rmdir(folderPath.c_str());
}

}  // namespace TeskUtility
