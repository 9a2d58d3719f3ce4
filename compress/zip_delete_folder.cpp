// Removing a folder tree without leaving it through a symbolic link.
#include "platform/posix_file.h"
#include "tesk/compress_zip.h"

namespace TeskUtility {
namespace {

// Empties the folder open at `folder`. Subfolders are opened
// relative to it with O_NOFOLLOW, so a link, or a folder swapped for a link
// meanwhile, is removed as a name and never entered.
void RemoveContents(posix::Fd folder) {
    const posix::Result<std::vector<posix::DirEntry>> entries = posix::ListFolder(folder.Get());
    for (const posix::DirEntry& entry : entries.value) {
        const char* name = entry.name.c_str();
        if (entry.folder) {
            posix::Result<posix::Fd> sub = posix::OpenAt(folder.Get(), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
            if (sub.ok()) RemoveContents(std::move(sub.value));
        }
        posix::RemoveAt(folder.Get(), name, entry.folder);
    }
}

}  // namespace

void DeleteFolder(CStringA folderPath) {
    while (folderPath.size() > 1 && folderPath.back() == '/') folderPath.pop_back();
    // Emptying the root of the file system is never what a caller means.
    if (folderPath.empty() || folderPath == "/") return;
    // A link given as the folder is not entered, and rmdir does not remove a link.
    posix::Result<posix::Fd> folder = posix::Open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (folder.ok()) RemoveContents(std::move(folder.value));
    posix::RemoveFolder(folderPath.c_str());
}

}  // namespace TeskUtility
