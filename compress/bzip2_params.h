// The bzip2 settings of the "BZ  " method: 900 000-byte blocks, the fast decoder.
#pragma once

#include <bzlib.h>

namespace TeskUtility::detail {

inline constexpr int kBzip2BlockSize = 9;
inline constexpr int kBzip2Verbosity = 0;
inline constexpr int kBzip2WorkFactor = 30;
inline constexpr int kBzip2SmallDecoder = 0;

inline int InitBzip2Compress(bz_stream& s) {
    return BZ2_bzCompressInit(&s, kBzip2BlockSize, kBzip2Verbosity, kBzip2WorkFactor);
}
inline int InitBzip2Decompress(bz_stream& s) { return BZ2_bzDecompressInit(&s, kBzip2Verbosity, kBzip2SmallDecoder); }

}  // namespace TeskUtility::detail
