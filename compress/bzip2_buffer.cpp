// bzip2 coding of one memory block into another in a single call.
#include <bzlib.h>

#include "compress/bzip2_params.h"
#include "compress/coder_results.h"
#include "tesk/compress_methods.h"

namespace TeskUtility {
namespace {

// bzip2 does not guard its input pointer, so a missing source with a length is refused here.
bool MissingArgument(const void* source, std::uint32_t sourceLength, const void* dest,
                     const std::uint32_t* capacity) {
    return !dest || !capacity || *capacity == 0 || (!source && sourceLength != 0);
}

void Prepare(bz_stream& s, const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t capacity) {
    s.next_in = static_cast<char*>(const_cast<void*>(source));
    s.avail_in = sourceLength;
    s.next_out = static_cast<char*>(dest);
    s.avail_out = capacity;
}

}  // namespace

EReturnCode bzlibCompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    if (MissingArgument(source, sourceLength, dest, capacity)) return RC_BUFFER_ERROR;
    bz_stream s{};
    if (const int rc = detail::InitBzip2Compress(s); rc != BZ_OK) return detail::MapBzip2BufferAnswer(rc);
    Prepare(s, source, sourceLength, dest, *capacity);
    const int answer = BZ2_bzCompress(&s, BZ_FINISH);
    BZ2_bzCompressEnd(&s);
    return detail::MapBzip2BufferAnswer(answer);
}

EReturnCode bzlibUncompress(const void* source, std::uint32_t sourceLength, void* dest, std::uint32_t* capacity) {
    if (MissingArgument(source, sourceLength, dest, capacity)) return RC_BUFFER_ERROR;
    bz_stream s{};
    if (const int rc = detail::InitBzip2Decompress(s); rc != BZ_OK) return detail::MapBzip2BufferAnswer(rc);
    Prepare(s, source, sourceLength, dest, *capacity);
    const int answer = BZ2_bzDecompress(&s);
    BZ2_bzDecompressEnd(&s);
    return detail::MapBzip2BufferAnswer(answer);
}

}  // namespace TeskUtility
