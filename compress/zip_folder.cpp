// Packing a folder tree into a zip archive.
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <vector>

#include <minizip/zip.h>

#include "compress/zip_entry_info.h"
#include "compress/zip_fd.h"
#include "tesk/compress_zip.h"
#include "tesk/platform.h"

namespace TeskUtility {
namespace {

using zipfs::UniqueFd;

constexpr std::size_t kCopyChunk = 102400;
const char kCannotCreateArchive[] = "\xB5\x4C\xAA\x6B\xAB\xD8\xA5\xDF" "zip\xC0\xC9!";
const char kCannotReadFileFormat[] = " \xB5\x4C\xAA\x6B\xAB\xD8\xA5\xDF\xC0\xC9\xAE\xD7 %s !";
// The host's working files; only meaningful at the top of its data folder.
const char* const kLeftOutNames[] = {"Commodity.sdb", "Group.sdb", "Quorin.log", "Quorin_bk.log", "LOG"};
constexpr uLong kUtf8NameFlag = 0x800;

bool IsLeftOutName(const std::string& name) {
    return std::any_of(std::begin(kLeftOutNames), std::end(kLeftOutNames),
                       [&](const char* leftOut) { return strcasecmp(name.c_str(), leftOut) == 0; });
}

bool HasNonAscii(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

struct FileId {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const FileId&) const = default;
};

std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(path.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(dir);
    // readdir order depends on the file system; sorted names give the same archive every time.
    std::sort(names.begin(), names.end());
    return names;
}

struct ZipCloser {
    void operator()(zipFile zip) const { zipClose(zip, nullptr); }
};

// Walks one source tree into an open archive. path_ and name_ grow and shrink
// level by level, and one copy buffer serves every file.
class FolderZipper {
public:
    FolderZipper(zipFile zip, bool includeAll, std::optional<FileId> archive)
        : zip_(zip), includeAll_(includeAll), archive_(archive), utf8Names_(GetThreadAnsiCodePage() == CP_UTF8),
          chunk_(kCopyChunk) {}

    void AddTree(const std::string& root) {
        path_ = root;
        while (path_.size() > 1 && path_.back() == '/') path_.pop_back();
        name_.clear();
        struct stat st {};
        if (::stat(path_.c_str(), &st) == 0) ancestors_.push_back({st.st_dev, st.st_ino});
        Walk();
    }

private:
    void Walk() {
        const std::size_t pathLength = path_.size();
        const std::size_t nameLength = name_.size();
        for (const std::string& child : ListFolder(path_)) {
            if (nameLength == 0 && !includeAll_ && IsLeftOutName(child)) continue;
            path_.resize(pathLength);
            if (path_ != "/") path_ += '/';
            path_ += child;
            name_.resize(nameLength);
            if (nameLength != 0) name_ += '\\';
            name_ += child;

            struct stat st {};
            const bool known = ::stat(path_.c_str(), &st) == 0;
            if (known && archive_ && FileId{st.st_dev, st.st_ino} == *archive_) continue;
            if (known && S_ISDIR(st.st_mode)) {
                AddFolder(FileId{st.st_dev, st.st_ino});
            } else if (!known || S_ISREG(st.st_mode)) {
                AddFile(known ? &st : nullptr);  // a dangling link gets the folder stamp, then fails to open
            }
            // Sockets, pipes and devices have no content to keep; opening a pipe would block.
        }
        path_.resize(pathLength);
        name_.resize(nameLength);
    }

    void AddFolder(FileId id) {
        name_ += '/';
        const zip_fileinfo info = zipfs::FolderEntryInfo();
        OpenEntry(info, false);
        zipCloseFileInZip(zip_);
        name_.pop_back();
        // A link back to a folder being walked would never end.
        if (std::find(ancestors_.begin(), ancestors_.end(), id) != ancestors_.end()) return;
        ancestors_.push_back(id);
        Walk();
        ancestors_.pop_back();
    }

    void AddFile(const struct stat* st) {
        const zip_fileinfo info = st ? zipfs::FileEntryInfo(st->st_mtime) : zipfs::FolderEntryInfo();
        UniqueFd source(::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        OpenEntry(info, st && st->st_size >= 0xFFFFFFFFLL);
        if (!source.Valid()) {
            ShowCannotRead();
            zipCloseFileInZip(zip_);
            return;
        }
        ::posix_fadvise(source.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
        for (;;) {
            const long got = zipfs::ReadUpTo(source.Get(), chunk_.data(), kCopyChunk);
            if (got <= 0) break;  // end of file, or a read error that ends the entry early
            zipWriteInFileInZip(zip_, chunk_.data(), static_cast<unsigned>(got));
        }
        zipCloseFileInZip(zip_);
    }

    void OpenEntry(const zip_fileinfo& info, bool large) {
        const uLong flags = utf8Names_ && HasNonAscii(name_) ? kUtf8NameFlag : 0;
        zipOpenNewFileInZip4_64(zip_, name_.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
                                0, flags, large ? 1 : 0);
    }

    void ShowCannotRead() const {
        const int length = std::snprintf(nullptr, 0, kCannotReadFileFormat, path_.c_str());
        std::string text(static_cast<std::size_t>(length), '\0');
        std::snprintf(text.data(), text.size() + 1, kCannotReadFileFormat, path_.c_str());
        MessageBox(text, std::string(), MB_OK | MB_ICONWARNING);
    }

    zipFile zip_;
    bool includeAll_;
    std::optional<FileId> archive_;
    bool utf8Names_;
    std::vector<char> chunk_;
    std::string path_;  // the current entry's path on disk
    std::string name_;  // the current entry's name in the archive
    std::vector<FileId> ancestors_;
};

}  // namespace

int CreateZipFromDir(const CStringA& sourceDir, const CStringA& zipPath, int includeAll) {
    std::unique_ptr<void, ZipCloser> zip(zipOpen64(zipPath.c_str(), APPEND_STATUS_CREATE));
    if (!zip) {
        MessageBox(kCannotCreateArchive, std::string(), MB_OK);
        return 0;
    }
    std::optional<FileId> archive;
    struct stat st {};
    if (::stat(zipPath.c_str(), &st) == 0) archive = FileId{st.st_dev, st.st_ino};

    FolderZipper(zip.get(), includeAll != 0, archive).AddTree(sourceDir);
    // A failed close (a full disk) leaves no usable archive, so it is not a success either.
    if (zipClose(zip.release(), nullptr) != ZIP_OK) {
        MessageBox(kCannotCreateArchive, std::string(), MB_OK);
        return 0;
    }
    return 1;
}

}  // namespace TeskUtility
