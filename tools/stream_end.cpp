#include "stream_end.h"

#include <bzlib.h>
#include <zlib.h>

#include "tesk/compress_methods.h"
#include "tesk/settings_file.h"

namespace teskutil {
namespace {

using namespace TeskUtility;

constexpr unsigned kChunk = 1 << 16;

// Runs a decoder over the file with its output thrown away. `step` consumes
// input and answers whether the stream ended; the bytes it left then, plus
// what was never read, follow the stream.
template <class Step>
std::optional<std::uint64_t> Scan(const std::string& path, Step step) {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    static unsigned char in[kChunk], out[kChunk];
    while (const unsigned n = file.Read(in, kChunk)) {
        unsigned left = n;
        const auto end = step(in, n, out, left);
        if (!end) return std::nullopt;
        if (*end) return left + (file.GetLength() > file.GetPosition() ? file.GetLength() - file.GetPosition() : 0);
    }
    return std::nullopt;
}

std::optional<std::uint64_t> ScanZlib(const std::string& path, int windowBits) {
    z_stream z{};
    if (inflateInit2(&z, windowBits) != Z_OK) return std::nullopt;
    auto result = Scan(path, [&](unsigned char* in, unsigned n, unsigned char* out, unsigned& left)
                                 -> std::optional<bool> {
        z.next_in = in;
        z.avail_in = n;
        do {
            z.next_out = out;
            z.avail_out = kChunk;
            const int rc = inflate(&z, Z_NO_FLUSH);
            if (rc == Z_STREAM_END) {
                left = z.avail_in;
                return true;
            }
            if (rc != Z_OK && rc != Z_BUF_ERROR) return std::nullopt;
        } while (z.avail_out == 0 || z.avail_in > 0);
        return false;
    });
    inflateEnd(&z);
    return result;
}

std::optional<std::uint64_t> ScanBzip2(const std::string& path) {
    bz_stream b{};
    if (BZ2_bzDecompressInit(&b, 0, 0) != BZ_OK) return std::nullopt;
    auto result = Scan(path, [&](unsigned char* in, unsigned n, unsigned char* out, unsigned& left)
                                 -> std::optional<bool> {
        b.next_in = reinterpret_cast<char*>(in);
        b.avail_in = n;
        do {
            b.next_out = reinterpret_cast<char*>(out);
            b.avail_out = kChunk;
            const int rc = BZ2_bzDecompress(&b);
            if (rc == BZ_STREAM_END) {
                left = b.avail_in;
                return true;
            }
            if (rc != BZ_OK) return std::nullopt;
        } while (b.avail_out == 0 || b.avail_in > 0);
        return false;
    });
    BZ2_bzDecompressEnd(&b);
    return result;
}

}  // namespace

std::optional<std::uint64_t> BytesAfterStream(std::uint32_t methodId, const std::string& path) {
    switch (methodId) {
        case CompressMethod_Gzip: return ScanZlib(path, 15 + 32);
        case CompressMethod_RawDeflate: return ScanZlib(path, -15);
        case CompressMethod_Bzip2: return ScanBzip2(path);
        case CompressMethod_Raw: return std::nullopt;
        default: return ScanZlib(path, 15);
    }
}

}  // namespace teskutil
