// The shared body of `teskutil compress` and `teskutil uncompress`.
#pragma once

#include "args.h"

namespace teskutil {

enum class CodingDirection { Compress, Uncompress };

// METHOD IN OUT: codes IN into OUT (created or truncated) with the named method.
// Exit 0 on success; 1 with the result code's name on stderr (OUT is left as it was).
int RunFileCoding(Args& args, CodingDirection direction);

// Fails (UsageError) when `in` and `out` name one file, which opening OUT would truncate.
void RequireDistinctFiles(const std::string& in, const std::string& out);

}  // namespace teskutil
