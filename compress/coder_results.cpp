#include "compress/coder_results.h"

#include <bzlib.h>
#include <zlib.h>

namespace TeskUtility::detail {

EReturnCode MapZlibResult(int zlibCode) {
    switch (zlibCode) {
    case Z_OK: return RC_OK;
    case Z_DATA_ERROR: return RC_DATA_ERROR;
    case Z_MEM_ERROR: return RC_MEMORY_ERROR;
    case Z_BUF_ERROR: return RC_BUFFER_ERROR;
    default: return RC_FAILED;
    }
}

EReturnCode MapBzip2BufferAnswer(int bzCode) {
    switch (bzCode) {
    case BZ_STREAM_END: return RC_OK;
    case BZ_DATA_ERROR: return RC_DATA_ERROR;
    case BZ_MEM_ERROR: return RC_MEMORY_ERROR;
    default: return RC_FAILED;  // includes an unfinished stream (output too small)
    }
}

std::optional<int> ZlibLoopError(int zlibCode) {
    switch (zlibCode) {
    case Z_MEM_ERROR:
    case Z_DATA_ERROR: return zlibCode;
    case Z_STREAM_ERROR:
    case Z_NEED_DICT: return Z_DATA_ERROR;
    default: return std::nullopt;
    }
}

std::optional<int> Bzip2LoopError(int bzCode) {
    switch (bzCode) {
    case BZ_CONFIG_ERROR:
    case BZ_DATA_ERROR:
    case BZ_MEM_ERROR:
    case BZ_PARAM_ERROR: return RC_DATA_ERROR;
    default: return std::nullopt;
    }
}

}  // namespace TeskUtility::detail
