// The zlib settings of each method. Every method favours size: level 9, memory level 9.
#pragma once

#include <zlib.h>

namespace TeskUtility::detail {

struct ZlibMethod {
    int deflateWindowBits;
    int strategy;
    int inflateWindowBits;
};

inline constexpr int kZlibLevel = 9;
inline constexpr int kZlibMemLevel = 9;

inline constexpr ZlibMethod kZlibStream{15, Z_DEFAULT_STRATEGY, 15};
inline constexpr ZlibMethod kZlibRle{15, Z_RLE, 15};
inline constexpr ZlibMethod kZlibFiltered{15, Z_FILTERED, 15};
inline constexpr ZlibMethod kZlibHuffman{15, Z_HUFFMAN_ONLY, 15};
// 16 + 15 writes a gzip wrapper; 32 + 15 reads either a gzip or a zlib header.
inline constexpr ZlibMethod kGzip{16 + 15, Z_DEFAULT_STRATEGY, 32 + 15};
inline constexpr ZlibMethod kRawDeflate{-15, Z_DEFAULT_STRATEGY, -15};

inline int InitDeflate(z_stream& s, const ZlibMethod& m) {
    return deflateInit2(&s, kZlibLevel, Z_DEFLATED, m.deflateWindowBits, kZlibMemLevel, m.strategy);
}
inline int InitInflate(z_stream& s, const ZlibMethod& m) { return inflateInit2(&s, m.inflateWindowBits); }

}  // namespace TeskUtility::detail
