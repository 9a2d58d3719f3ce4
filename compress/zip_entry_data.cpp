#include "compress/zip_entry_data.h"

#include "compress/bzip2_params.h"
#include "platform/posix_file.h"
#include "tesk/compress_crc.h"

namespace TeskUtility::zipfs {
namespace {

constexpr unsigned kChunk = 4096;
constexpr std::uint32_t kBzip2Method = 12;

// minizip leaves bzip2 entries undecoded, so their bytes are read raw (minizip
// stops at the compressed size) and decoded here; the output may not pass the
// declared size, which keeps a small entry from expanding without bound.
bool WriteBzip2Entry(unzFile zip, const EntryHeader& entry, int target, std::vector<char>& buffer,
                     SZipFailure& failure) {
    if (buffer.size() < 2 * kChunk) buffer.resize(2 * kChunk);
    char* in = buffer.data();
    char* out = buffer.data() + kChunk;
    bz_stream bz{};
    if (detail::InitBzip2Decompress(bz) != BZ_OK) {
        failure.cause = ZipFailure_Data;
        return false;
    }
    std::uint64_t written = 0;
    std::uint32_t crc = 0xFFFFFFFFu;
    int rc = BZ_OK;
    bool ok = unzOpenCurrentFile2(zip, nullptr, nullptr, 1) == UNZ_OK;
    while (ok && rc != BZ_STREAM_END) {
        if (bz.avail_in == 0) {
            const int got = unzReadCurrentFile(zip, in, kChunk);
            if (got <= 0) break;  // the data ended before the stream did
            bz.next_in = in;
            bz.avail_in = static_cast<unsigned>(got);
        }
        bz.next_out = out;
        bz.avail_out = kChunk;
        rc = BZ2_bzDecompress(&bz);
        const unsigned produced = kChunk - bz.avail_out;
        if ((rc != BZ_OK && rc != BZ_STREAM_END) || written + produced > entry.size) break;
        const posix::Status status = posix::WriteAll(target, out, produced);
        if (!status.ok()) {
            failure.cause = ZipFailure_Write;
            failure.osError = status.error;
            ok = false;
        }
        written += produced;
        crc = Crc32(out, produced, crc);
    }
    BZ2_bzDecompressEnd(&bz);
    unzCloseCurrentFile(zip);
    if (!ok) {
        if (failure.cause == ZipFailure_None) failure.cause = ZipFailure_Data;
        return false;
    }
    if (rc != BZ_STREAM_END || written != entry.size || ~crc != entry.crc) {
        failure.cause = ZipFailure_Data;
        return false;
    }
    return true;
}

}  // namespace

bool WriteEntryData(unzFile zip, const EntryHeader& entry, int target, std::vector<char>& buffer,
                    SZipFailure& failure) {
    if (entry.method == kBzip2Method) return WriteBzip2Entry(zip, entry, target, buffer, failure);
    if (CopyCurrentEntry(zip, target, buffer)) return true;
    failure.cause = ZipFailure_Data;  // minizip stops at the declared size; the checksum then disagrees
    return false;
}

}  // namespace TeskUtility::zipfs
