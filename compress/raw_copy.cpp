// The "RAW " method: a plain copy of the rest of one file into another.
#include <algorithm>

#include "compress/file_pump.h"

namespace TeskUtility {

EReturnCode rawCompressVC(CFile* input, CFile* output) {
    if (!input || !output) return RC_BUFFER_ERROR;
    std::uint64_t remaining = detail::RemainingBytes(*input);
    if (remaining == 0) return RC_OK;

    const std::uint64_t inputStart = input->GetPosition();
    const std::uint64_t outputStart = output->GetPosition();
    unsigned char buffer[4096];
    while (remaining != 0) {
        const auto want = static_cast<std::uint32_t>(std::min<std::uint64_t>(sizeof buffer, remaining));
        const std::uint32_t got = input->Read(buffer, want);
        if (got == 0) {
            // The input ended early: put both files back so the caller can retry or report.
            input->Seek(static_cast<std::int64_t>(inputStart), CFile::begin);
            output->Seek(static_cast<std::int64_t>(outputStart), CFile::begin);
            return RC_DATA_ERROR;
        }
        output->Write(buffer, got);
        remaining -= got;
    }
    return RC_OK;
}

}  // namespace TeskUtility
