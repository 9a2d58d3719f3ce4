// zlib coding from one file into another, in chunks.
#include <zlib.h>

#include "compress/coder_results.h"
#include "compress/file_pump.h"
#include "compress/zlib_params.h"

namespace TeskUtility {
namespace {

using detail::ZlibMethod;

template <bool Compressing>
class ZlibCoder {
public:
    ZlibCoder() = default;
    ZlibCoder(const ZlibCoder&) = delete;
    ZlibCoder& operator=(const ZlibCoder&) = delete;
    ~ZlibCoder() {
        if (!live_) return;
        if constexpr (Compressing) deflateEnd(&s_);
        else inflateEnd(&s_);
    }

    int Init(const ZlibMethod& method) {
        const int rc = Compressing ? detail::InitDeflate(s_, method) : detail::InitInflate(s_, method);
        live_ = rc == Z_OK;
        return rc;
    }
    void SetInput(const unsigned char* data, std::uint32_t size) {
        s_.next_in = const_cast<Bytef*>(data);
        s_.avail_in = size;
    }
    void SetOutput(unsigned char* data, std::uint32_t size) {
        s_.next_out = data;
        s_.avail_out = size;
    }
    std::uint32_t FreeOutput() const { return s_.avail_out; }
    int Run(bool finish) {
        const int flush = finish ? Z_FINISH : Z_NO_FLUSH;
        if constexpr (Compressing) return deflate(&s_, flush);
        else return inflate(&s_, flush);
    }
    bool IsStreamEnd(int answer) const { return answer == Z_STREAM_END; }
    std::optional<int> LoopError(int answer) const { return detail::ZlibLoopError(answer); }

private:
    z_stream s_{};
    bool live_ = false;
};

// Callers always pass both files; a missing one is refused rather than dereferenced.
template <bool Compressing>
EReturnCode CodeFile(const ZlibMethod& method, CFile* input, CFile* output) {
    if (!input || !output) return RC_FAILED;
    ZlibCoder<Compressing> coder;
    if (const int rc = coder.Init(method); rc != Z_OK) return detail::MapZlibResult(rc);
    return detail::MapZlibResult(detail::PumpFile(*input, *output, coder));
}

}  // namespace

EReturnCode zlibCompressVC(CFile* input, CFile* output) { return CodeFile<true>(detail::kZlibStream, input, output); }
EReturnCode RLECompressVC(CFile* input, CFile* output) { return CodeFile<true>(detail::kZlibRle, input, output); }
EReturnCode FilteredCompressVC(CFile* input, CFile* output) {
    return CodeFile<true>(detail::kZlibFiltered, input, output);
}
EReturnCode HuffmanCompressVC(CFile* input, CFile* output) {
    return CodeFile<true>(detail::kZlibHuffman, input, output);
}
EReturnCode gzCompressVC(CFile* input, CFile* output) { return CodeFile<true>(detail::kGzip, input, output); }
EReturnCode gzcCompressVC(CFile* input, CFile* output) { return CodeFile<true>(detail::kRawDeflate, input, output); }

EReturnCode zlibUncompressVC(CFile* input, CFile* output) {
    return CodeFile<false>(detail::kZlibStream, input, output);
}
EReturnCode gzUncompressVC(CFile* input, CFile* output) { return CodeFile<false>(detail::kGzip, input, output); }
EReturnCode gzcUncompressVC(CFile* input, CFile* output) {
    return CodeFile<false>(detail::kRawDeflate, input, output);
}

}  // namespace TeskUtility
