// Internal: the reading steps of zip extraction, shared by every entry point
// that unpacks an archive: opening it (an archive without entries included),
// reading an entry's name and kind, and copying its data into a descriptor.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <minizip/unzip.h>

namespace TeskUtility::zipfs {

struct UnzCloser {
    void operator()(unzFile zip) const { unzClose(zip); }
};
using UnzipHandle = std::unique_ptr<void, UnzCloser>;

// minizip takes an end record at offset 0 for "not found", so it cannot open an
// archive without entries; such an archive is recognised here instead.
bool IsEmptyArchive(const std::string& path);

struct EntryHeader {
    std::string_view name;  // a view into the caller's name buffer
    bool folder = false;    // external attributes exactly 16
    bool utf8Name = false;  // the name is flagged UTF-8
    bool encrypted = false;
    std::uint32_t method = 0;
    std::uint32_t crc = 0;
    std::uint32_t attributes = 0;  // external attributes
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;        // uncompressed
};

// Reads the current entry's name and kind into `header`; `nameBuffer` is reused
// across entries. False when the archive's directory is damaged.
bool ReadCurrentEntry(unzFile zip, std::vector<char>& nameBuffer, EntryHeader& header);

// Copies the current entry's data to `target`, gathering reads in `buffer`.
// False on a read error, a failed write or a checksum mismatch.
bool CopyCurrentEntry(unzFile zip, int target, std::vector<char>& buffer);

}  // namespace TeskUtility::zipfs
