// Packing a folder tree into a zip archive.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <strings.h>
#include <vector>

#include <minizip/zip.h>

#include "compress/zip_entry_info.h"
#include "tesk/compress_zip.h"
#include "platform/posix_file.h"
#include "tesk/platform.h"

namespace TeskUtility {
namespace {

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

std::vector<std::string> SortedNames(const std::string& path) {
    std::vector<std::string> names;
    posix::Result<posix::Fd> dir = posix::Open(path.c_str(), O_RDONLY | O_DIRECTORY);
    if (!dir.ok()) return names;
    posix::Result<std::vector<posix::DirEntry>> entries = posix::ListFolder(dir.value.Get(), path);
    for (posix::DirEntry& entry : entries.value) names.push_back(std::move(entry.name));
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
    FolderZipper(zipFile zip, bool includeAll, bool portable, std::optional<FileId> archive)
        : zip_(zip), includeAll_(includeAll), portable_(portable), archive_(archive),
          utf8Names_(GetThreadAnsiCodePage() == CP_UTF8), chunk_(kCopyChunk) {}

    void AddTree(const std::string& root) {
        path_ = root;
        while (path_.size() > 1 && path_.back() == '/') path_.pop_back();
        name_.clear();
        const posix::Result<struct stat> st = posix::StatPath(path_.c_str(), true);
        if (st.ok()) ancestors_.push_back({st.value.st_dev, st.value.st_ino});
        Walk();
    }

private:
    void Walk() {
        const std::size_t pathLength = path_.size();
        const std::size_t nameLength = name_.size();
        for (const std::string& child : SortedNames(path_)) {
            if (nameLength == 0 && !includeAll_ && IsLeftOutName(child)) continue;
            path_.resize(pathLength);
            if (path_ != "/") path_ += '/';
            path_ += child;
            name_.resize(nameLength);
            if (nameLength != 0) name_ += portable_ ? '/' : '\\';
            name_ += child;

            const posix::Result<struct stat> status = posix::StatPath(path_.c_str(), true);
            const bool known = status.ok();
            const struct stat& st = status.value;
            if (known && archive_ && FileId{st.st_dev, st.st_ino} == *archive_) continue;
            if (known && S_ISDIR(st.st_mode)) {
                AddFolder(FileId{st.st_dev, st.st_ino}, st.st_mtime);
            } else if (!known || S_ISREG(st.st_mode)) {
                AddFile(known ? &st : nullptr);  // a dangling link gets the folder stamp, then fails to open
            }
            // Sockets, pipes and devices have no content to keep; opening a pipe would block.
        }
        path_.resize(pathLength);
        name_.resize(nameLength);
    }

    void AddFolder(FileId id, std::time_t lastWrite) {
        name_ += '/';
        zip_fileinfo info = zipfs::FolderEntryInfo();
        if (portable_) {
            info = zipfs::FileEntryInfo(lastWrite);
            info.external_fa = zipfs::kFolderAttributes;
        }
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
        const posix::Result<posix::Fd> source = posix::Open(path_.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        OpenEntry(info, st && st->st_size >= 0xFFFFFFFFLL);
        if (!source.ok()) {
            ShowCannotRead();
            zipCloseFileInZip(zip_);
            return;
        }
        posix::AdviseSequential(source.value.Get());
        for (;;) {
            const posix::Result<std::size_t> got = posix::ReadAll(source.value.Get(), chunk_.data(), kCopyChunk, path_);
            if (!got.ok() || got.value == 0) break;  // a read error ends the entry early
            zipWriteInFileInZip(zip_, chunk_.data(), static_cast<unsigned>(got.value));
        }
        zipCloseFileInZip(zip_);
    }

    void OpenEntry(const zip_fileinfo& info, bool large) {
        // Only a name that really is UTF-8 may say so: other tools refuse an archive whose flagged names do not decode.
        const uLong flags = utf8Names_ && HasNonAscii(name_) && IsWellFormed(name_, CP_UTF8) ? kUtf8NameFlag : 0;
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
    bool portable_;  // '/' separators and folder time stamps, for other zip tools
    std::optional<FileId> archive_;
    bool utf8Names_;
    std::vector<char> chunk_;
    std::string path_;  // the current entry's path on disk
    std::string name_;  // the current entry's name in the archive
    std::vector<FileId> ancestors_;
};

}  // namespace

int CreateZipFromDir(const CStringA& sourceDir, const CStringA& zipPath, int includeAll) {
    return CreateZipArchive(sourceDir, zipPath, includeAll, SZipCreateOptions{});
}

int CreateZipArchive(const CStringA& sourceDir, const CStringA& zipPath, int includeAll,
                     const SZipCreateOptions& options) {
    std::unique_ptr<void, ZipCloser> zip(zipOpen64(zipPath.c_str(), APPEND_STATUS_CREATE));
    if (!zip) {
        MessageBox(kCannotCreateArchive, std::string(), MB_OK);
        return 0;
    }
    std::optional<FileId> archive;
    const posix::Result<struct stat> st = posix::StatPath(zipPath.c_str(), true);
    if (st.ok()) archive = FileId{st.value.st_dev, st.value.st_ino};

    FolderZipper(zip.get(), includeAll != 0, options.portable != 0, archive).AddTree(sourceDir);
    // A failed close (a full disk) leaves no usable archive, so it is not a success either.
    if (zipClose(zip.release(), nullptr) != ZIP_OK) {
        MessageBox(kCannotCreateArchive, std::string(), MB_OK);
        return 0;
    }
    return 1;
}

}  // namespace TeskUtility
