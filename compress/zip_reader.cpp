#include "compress/zip_reader.h"

#include <algorithm>

#include "compress/zip_entry_info.h"
#include "platform/posix_file.h"

namespace TeskUtility::zipfs {
namespace {

constexpr unsigned kEntryReadChunk = 4096;
// Writes are gathered so that a 4096-byte read is not a system call of its own.
constexpr std::size_t kWriteBuffer = 16 * kEntryReadChunk;
constexpr std::size_t kMaxEntryName = 0xFFFF;  // the name length field is 16 bits
constexpr uLong kUtf8NameFlag = 0x800;

}  // namespace

bool IsEmptyArchive(const std::string& path) {
    constexpr std::size_t kEndRecord = 22;
    posix::Result<posix::Fd> file = posix::Open(path.c_str(), O_RDONLY);
    if (!file.ok()) return false;
    const posix::Result<struct stat> st = posix::Stat(file.value.Get(), path);
    if (!st.ok() || !S_ISREG(st.value.st_mode)) return false;
    const auto size = static_cast<std::size_t>(st.value.st_size);
    if (size < kEndRecord || size > kEndRecord + 0xFFFF) return false;
    unsigned char record[kEndRecord];
    const posix::Result<std::size_t> got = posix::ReadAll(file.value.Get(), record, kEndRecord, path);
    if (!got.ok() || got.value != kEndRecord) return false;
    static const unsigned char kEmpty[kEndRecord - 2] = {'P', 'K', 5, 6};  // no disks, entries, sizes
    const std::size_t commentLength = record[20] | (record[21] << 8);
    return std::equal(std::begin(kEmpty), std::end(kEmpty), record) && commentLength == size - kEndRecord;
}

bool ReadCurrentEntry(unzFile zip, std::vector<char>& nameBuffer, EntryHeader& header) {
    nameBuffer.resize(kMaxEntryName + 1);
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nameBuffer.data(), nameBuffer.size(), nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    header.name = std::string_view(nameBuffer.data(), std::min<std::size_t>(info.size_filename, kMaxEntryName));
    header.folder = info.external_fa == kFolderAttributes;
    header.utf8Name = (info.flag & kUtf8NameFlag) != 0;
    header.encrypted = (info.flag & 1) != 0;
    header.method = static_cast<std::uint32_t>(info.compression_method);
    header.crc = static_cast<std::uint32_t>(info.crc);
    header.attributes = static_cast<std::uint32_t>(info.external_fa);
    header.compressedSize = info.compressed_size;
    header.size = info.uncompressed_size;
    return true;
}

bool CopyCurrentEntry(unzFile zip, int target, std::vector<char>& buffer) {
    if (buffer.size() < kWriteBuffer) buffer.resize(kWriteBuffer);
    if (unzOpenCurrentFile(zip) != UNZ_OK) return false;
    bool ok = true;
    std::size_t filled = 0;
    for (;;) {
        if (filled + kEntryReadChunk > buffer.size()) {
            ok = posix::WriteAll(target, buffer.data(), filled).ok();
            if (!ok) break;
            filled = 0;
        }
        const int got = unzReadCurrentFile(zip, buffer.data() + filled, kEntryReadChunk);
        if (got <= 0) {
            ok = got == 0 && posix::WriteAll(target, buffer.data(), filled).ok();
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    // A checksum mismatch shows up only here, at the end of the data.
    if (unzCloseCurrentFile(zip) != UNZ_OK) ok = false;
    return ok;
}

}  // namespace TeskUtility::zipfs
