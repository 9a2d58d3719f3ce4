// Unpacking a zip archive into a folder, never writing outside it.
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <minizip/unzip.h>

#include "compress/zip_entry_info.h"
#include "compress/zip_entry_path.h"
#include "compress/zip_fd.h"
#include "tesk/compress_zip.h"

namespace TeskUtility {
namespace {

using zipfs::UniqueFd;

constexpr unsigned kEntryReadChunk = 4096;
// Writes are gathered so that a 4096-byte read is not a system call of its own.
constexpr std::size_t kWriteBuffer = 16 * kEntryReadChunk;
constexpr std::size_t kMaxEntryName = 0xFFFF;  // the name length field is 16 bits
constexpr uLong kUtf8NameFlag = 0x800;

// minizip takes an end record at offset 0 for "not found", so it cannot open an
// archive without entries; such an archive is recognised here instead.
bool IsEmptyArchive(const std::string& path) {
    constexpr std::size_t kEndRecord = 22;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size < kEndRecord || size > kEndRecord + 0xFFFF) return false;
    unsigned char record[kEndRecord];
    if (zipfs::ReadUpTo(fd.Get(), record, kEndRecord) != static_cast<long>(kEndRecord)) return false;
    static const unsigned char kEmpty[kEndRecord - 2] = {'P', 'K', 5, 6};  // no disks, entries, sizes
    const std::size_t commentLength = record[20] | (record[21] << 8);
    return std::equal(std::begin(kEmpty), std::end(kEmpty), record) && commentLength == size - kEndRecord;
}

struct UnzCloser {
    void operator()(unzFile zip) const { unzClose(zip); }
};

// Holds the destination folder open and resolves every entry's folders below
// it one level at a time without following symbolic links, so that neither a
// hostile name nor a link already in the destination leads outside.
class TreeExtractor {
public:
    TreeExtractor(unzFile zip, UniqueFd destination)
        : zip_(zip), destination_(std::move(destination)), name_(kMaxEntryName + 1), buffer_(kWriteBuffer) {}

    // Extracts the current entry; false on any failure.
    bool ExtractCurrent() {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip_, &info, name_.data(), name_.size(), nullptr, 0, nullptr, 0) != UNZ_OK)
            return false;
        const std::string_view name(name_.data(), std::min<std::size_t>(info.size_filename, kMaxEntryName));
        if (!zipfs::SplitEntryName(name, (info.flag & kUtf8NameFlag) != 0, path_)) return false;
        if (info.external_fa == zipfs::kFolderAttributes) {
            MakeFolder();  // a folder that exists already, or cannot be made, is not a failure
            return true;
        }
        return WriteFile();
    }

private:
    void MakeFolder() {
        if (path_.levels.empty()) return;
        const int parent = OpenParent();
        if (parent >= 0) ::mkdirat(parent, LevelName(path_.levels.back()), 0777);
    }

    bool WriteFile() {
        if (path_.levels.empty() || path_.endsWithSeparator) return false;
        const int parent = OpenParent();
        if (parent < 0) return false;
        UniqueFd target = CreateTarget(parent, LevelName(path_.levels.back()));
        if (!target.Valid()) return false;
        if (unzOpenCurrentFile(zip_) != UNZ_OK) return false;
        bool ok = CopyEntryTo(target.Get());
        // A checksum mismatch shows up only here, at the end of the data.
        if (unzCloseCurrentFile(zip_) != UNZ_OK) ok = false;
        return ok;
    }

    bool CopyEntryTo(int target) {
        std::size_t filled = 0;
        for (;;) {
            if (filled + kEntryReadChunk > buffer_.size()) {
                if (!zipfs::WriteAll(target, buffer_.data(), filled)) return false;
                filled = 0;
            }
            const int got = unzReadCurrentFile(zip_, buffer_.data() + filled, kEntryReadChunk);
            if (got < 0) return false;
            if (got == 0) break;
            filled += static_cast<std::size_t>(got);
        }
        return zipfs::WriteAll(target, buffer_.data(), filled);
    }

    // An existing file is replaced rather than written over, so that a link
    // (symbolic or hard) at the target never carries the data elsewhere.
    static UniqueFd CreateTarget(int parent, const char* level) {
        constexpr int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY;
        UniqueFd target(::openat(parent, level, flags, 0666));
        if (!target.Valid() && errno == EEXIST && ::unlinkat(parent, level, 0) == 0)
            target.Reset(::openat(parent, level, flags, 0666));
        return target;
    }

    // The folder holding the last level, opened level by level; -1 when a level
    // is missing, not a folder, or a symbolic link. Consecutive entries of one
    // folder reuse the descriptor.
    int OpenParent() {
        if (!destination_.Valid()) return -1;
        parentKey_.clear();
        for (std::size_t i = 0; i + 1 < path_.levels.size(); ++i) {
            parentKey_.append(path_.levels[i]);
            parentKey_.push_back('/');
        }
        if (parentKey_.empty()) return destination_.Get();
        if (cachedParent_.Valid() && parentKey_ == cachedKey_) return cachedParent_.Get();
        cachedParent_.Reset();
        UniqueFd current;
        for (std::size_t i = 0; i + 1 < path_.levels.size(); ++i) {
            const int at = current.Valid() ? current.Get() : destination_.Get();
            UniqueFd next(::openat(at, LevelName(path_.levels[i]), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (!next.Valid()) return -1;
            current = std::move(next);
        }
        cachedKey_ = parentKey_;
        cachedParent_ = std::move(current);
        return cachedParent_.Get();
    }

    const char* LevelName(std::string_view level) {
        level_.assign(level);
        return level_.c_str();
    }

    unzFile zip_;
    UniqueFd destination_;
    std::vector<char> name_;
    std::vector<char> buffer_;
    zipfs::EntryPath path_;
    std::string level_;
    std::string parentKey_;
    std::string cachedKey_;
    UniqueFd cachedParent_;
};

}  // namespace

int ExtractZIPFromDir(const CStringA& zipPath, const CStringA& destDir) {
    std::unique_ptr<void, UnzCloser> zip(unzOpen64(zipPath.c_str()));
    if (!zip) return IsEmptyArchive(zipPath) ? 1 : 0;
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(zip.get(), &global) != UNZ_OK) return 0;
    // A missing destination fails at the first file entry, as creating a folder in it would.
    TreeExtractor extractor(zip.get(), UniqueFd(::open(destDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)));
    for (ZPOS64_T i = 0; i < global.number_entry; ++i) {
        if (i > 0 && unzGoToNextFile(zip.get()) != UNZ_OK) return 0;
        if (!extractor.ExtractCurrent()) return 0;
    }
    return 1;
}

}  // namespace TeskUtility
