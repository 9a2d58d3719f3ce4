// Per-thread cache of iconv descriptors. iconv_open is costly (it loads a
// gconv module), so each thread keeps the few pairs it uses open.
#pragma once

#include <iconv.h>

#include <string>

namespace TeskUtility::detail {

// Returns an open descriptor converting `from` to `to` that has been reset to
// its initial state, or (iconv_t)-1 when iconv does not know the pair.
// The descriptor stays owned by the cache; do not close it.
iconv_t AcquireIconv(const std::string& from, const std::string& to);

}  // namespace TeskUtility::detail
