// Where a compressed stream ends inside its file. The library's decoders stop
// at the end marker and ignore what follows (a second gzip member, trailing
// bytes); `teskutil uncompress` keeps that result and tells the user what was
// left unread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace teskutil {

// The number of bytes behind the end of the first stream of `methodId` in the
// file at `path`; nullopt for the plain copy or when no end was found.
std::optional<std::uint64_t> BytesAfterStream(std::uint32_t methodId, const std::string& path);

}  // namespace teskutil
