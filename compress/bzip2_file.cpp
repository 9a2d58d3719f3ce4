// bzip2 coding from one file into another, in chunks.
#include <bzlib.h>

#include "compress/bzip2_params.h"
#include "compress/coder_results.h"
#include "compress/file_pump.h"

namespace TeskUtility {
namespace {

template <bool Compressing>
class Bzip2Coder {
public:
    Bzip2Coder() = default;
    Bzip2Coder(const Bzip2Coder&) = delete;
    Bzip2Coder& operator=(const Bzip2Coder&) = delete;
    ~Bzip2Coder() {
        if (!live_) return;
        if constexpr (Compressing) BZ2_bzCompressEnd(&s_);
        else BZ2_bzDecompressEnd(&s_);
    }

    int Init() {
        const int rc = Compressing ? detail::InitBzip2Compress(s_) : detail::InitBzip2Decompress(s_);
        live_ = rc == BZ_OK;
        return rc;
    }
    void SetInput(const unsigned char* data, std::uint32_t size) {
        s_.next_in = reinterpret_cast<char*>(const_cast<unsigned char*>(data));
        s_.avail_in = size;
    }
    void SetOutput(unsigned char* data, std::uint32_t size) {
        s_.next_out = reinterpret_cast<char*>(data);
        s_.avail_out = size;
    }
    std::uint32_t FreeOutput() const { return s_.avail_out; }
    int Run(bool finish) {
        if constexpr (Compressing) return BZ2_bzCompress(&s_, finish ? BZ_FINISH : BZ_RUN);
        else return BZ2_bzDecompress(&s_);
    }
    bool IsStreamEnd(int answer) const { return answer == BZ_STREAM_END; }
    std::optional<int> LoopError(int answer) const { return detail::Bzip2LoopError(answer); }

private:
    bz_stream s_{};
    bool live_ = false;
};

template <bool Compressing>
EReturnCode CodeFile(CFile* input, CFile* output, EReturnCode missingFile) {
    if (!input || !output) return missingFile;
    Bzip2Coder<Compressing> coder;
    if (coder.Init() != BZ_OK) return RC_DATA_ERROR;
    return static_cast<EReturnCode>(detail::PumpFile(*input, *output, coder));
}

}  // namespace

EReturnCode bzlibCompressVC(CFile* input, CFile* output) {
    return CodeFile<true>(input, output, RC_MEMORY_ERROR);
}
// Decoding is not asked to test its files; a missing one is refused like the zlib variants'.
EReturnCode bzlibUncompressVC(CFile* input, CFile* output) { return CodeFile<false>(input, output, RC_FAILED); }

}  // namespace TeskUtility
