// Crc32File(): the CRC register over a byte range of a file.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "tesk/compress_crc.h"
#include "tesk/settings_file.h"

namespace TeskUtility {

std::uint32_t Crc32File(CFile* file, std::uint64_t start, std::uint64_t count, std::uint32_t crc) {
    constexpr std::uint64_t kChunk = 131072;
    if (!file) return crc;
    const std::uint64_t length = file->GetLength();
    if (start > length) return crc;
    count = std::min(count, length - start);
    if (count == 0) return crc;

    // Taken before any seek, so that a failed allocation leaves the file untouched.
    const auto chunk = static_cast<std::uint32_t>(std::min(count, kChunk));
    std::unique_ptr<unsigned char, decltype(&std::free)> buffer(static_cast<unsigned char*>(std::calloc(chunk, 1)),
                                                                &std::free);
    if (!buffer) return crc;

    const std::uint64_t saved = file->GetPosition();
    file->Seek(static_cast<std::int64_t>(start), CFile::begin);
    while (count != 0) {
        const auto want = static_cast<std::uint32_t>(std::min<std::uint64_t>(chunk, count));
        const std::uint32_t got = file->Read(buffer.get(), want);
        if (got == 0) break;  // the file shrank under us
        crc = Crc32(buffer.get(), got, crc);
        count -= got;
    }
    file->Seek(static_cast<std::int64_t>(saved), CFile::begin);
    return crc;
}

}  // namespace TeskUtility
