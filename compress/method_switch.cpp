// Compress()/Uncompress(): the file variant behind each four-character method id.
#include "tesk/compress_methods.h"

namespace TeskUtility {
namespace {

constexpr SCompressMethod kMethods[] = {
    {CompressMethod_Zlib, zlibCompressVC, zlibUncompressVC},
    {CompressMethod_Gzip, gzCompressVC, gzUncompressVC},
    {CompressMethod_RawDeflate, gzcCompressVC, gzcUncompressVC},
    {CompressMethod_RLE, RLECompressVC, zlibUncompressVC},
    {CompressMethod_Filtered, FilteredCompressVC, zlibUncompressVC},
    {CompressMethod_Huffman, HuffmanCompressVC, zlibUncompressVC},
    {CompressMethod_Bzip2, bzlibCompressVC, bzlibUncompressVC},
    {CompressMethod_Raw, rawCompressVC, rawCompressVC},
};

}  // namespace

const SCompressMethod* FindCompressMethod(std::uint32_t methodId) {
    for (const auto& m : kMethods)
        if (m.id == methodId) return &m;
    return nullptr;
}

int Compress(std::uint32_t methodId, CFile* input, CFile* output) {
    const SCompressMethod* m = FindCompressMethod(methodId);
    return m && m->compress(input, output) == RC_OK ? 1 : 0;
}

int Uncompress(std::uint32_t methodId, CFile* input, CFile* output) {
    const SCompressMethod* m = FindCompressMethod(methodId);
    return m && m->uncompress(input, output) == RC_OK ? 1 : 0;
}

}  // namespace TeskUtility
