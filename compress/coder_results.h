// How the answers of zlib and bzip2 become result codes. File-private to compress/.
#pragma once

#include <optional>

#include "tesk/compress_methods.h"

namespace TeskUtility::detail {

// zlib's -5, -4, -3 and 0 coincide with ours; every other zlib code is a plain failure.
EReturnCode MapZlibResult(int zlibCode);

// A bzip2 buffer call's final answer: a finished stream is success.
EReturnCode MapBzip2BufferAnswer(int bzCode);

// Within the file loop: the error a coder answer stands for, or nothing when the
// loop may go on (zlib's Z_BUF_ERROR only means "no progress possible now").
std::optional<int> ZlibLoopError(int zlibCode);
std::optional<int> Bzip2LoopError(int bzCode);

}  // namespace TeskUtility::detail
