// zlib coding of one memory block into another in a single call.
#include <zlib.h>

#include "compress/coder_results.h"
#include "compress/zlib_params.h"
#include "tesk/compress_methods.h"

namespace TeskUtility {
namespace {

using detail::ZlibMethod;

int DeflateOnce(const ZlibMethod& method, const void* source, std::uint32_t sourceLength, void* dest,
                std::uint32_t capacity) {
    z_stream s{};
    s.next_in = static_cast<Bytef*>(const_cast<void*>(source));
    s.avail_in = sourceLength;
    if (const int rc = detail::InitDeflate(s, method); rc != Z_OK) return rc;
    s.next_out = static_cast<Bytef*>(dest);
    s.avail_out = capacity;
    const int answer = deflate(&s, Z_FINISH);
    deflateEnd(&s);
    if (answer == Z_STREAM_END) return Z_OK;
    return answer == Z_OK ? Z_BUF_ERROR : answer;  // Z_OK here means the stream did not fit
}

int InflateOnce(const ZlibMethod& method, const void* source, std::uint32_t sourceLength, void* dest,
                std::uint32_t capacity) {
    z_stream s{};
    s.next_in = static_cast<Bytef*>(const_cast<void*>(source));
    s.avail_in = sourceLength;
    if (const int rc = detail::InitInflate(s, method); rc != Z_OK) return rc;
    s.next_out = static_cast<Bytef*>(dest);
    s.avail_out = capacity;
    const int answer = inflate(&s, Z_FINISH);
    inflateEnd(&s);
    return answer == Z_STREAM_END ? Z_OK : answer;
}

EReturnCode CompressBuffer(const ZlibMethod& method, const void* source, std::uint32_t sourceLength, void* dest,
                           std::uint32_t* capacity) {
    if (!source || !capacity || *capacity == 0) return RC_MEMORY_ERROR;
    return detail::MapZlibResult(DeflateOnce(method, source, sourceLength, dest, *capacity));
}

EReturnCode UncompressBuffer(const ZlibMethod& method, const void* source, std::uint32_t sourceLength, void* dest,
                             std::uint32_t* capacity) {
    if (!dest || !capacity || *capacity == 0) return RC_MEMORY_ERROR;
    return detail::MapZlibResult(InflateOnce(method, source, sourceLength, dest, *capacity));
}

}  // namespace

EReturnCode zlibCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    return CompressBuffer(detail::kZlibStream, source, sourceLength, dest, capacity);
}
EReturnCode RLECompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    return CompressBuffer(detail::kZlibRle, source, sourceLength, dest, capacity);
}
EReturnCode FilteredCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    return CompressBuffer(detail::kZlibFiltered, source, sourceLength, dest, capacity);
}
EReturnCode HuffmanCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    return CompressBuffer(detail::kZlibHuffman, source, sourceLength, dest, capacity);
}
EReturnCode gzCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    return CompressBuffer(detail::kGzip, source, sourceLength, dest, capacity);
}
EReturnCode gzcCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    return CompressBuffer(detail::kRawDeflate, source, sourceLength, dest, capacity);
}

EReturnCode zlibUncompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    return UncompressBuffer(detail::kZlibStream, source, sourceLength, dest, capacity);
}
EReturnCode gzUncompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    return UncompressBuffer(detail::kGzip, source, sourceLength, dest, capacity);
}
EReturnCode gzcUncompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    return UncompressBuffer(detail::kRawDeflate, source, sourceLength, dest, capacity);
}

}  // namespace TeskUtility
