// Internal: the checks that run over a whole archive before any entry is
// written, shared by both extraction entry points.
#pragma once

#include <minizip/unzip.h>

#include "tesk/compress_zip.h"

namespace TeskUtility::zipfs {

// Refuses encrypted entries, entries of a method that is not decoded, and
// entries whose data overlaps another's (several directory records pointing at
// one local entry). Leaves the archive at its first entry. False with
// `failure` filled on the first problem.
bool CheckArchive(unzFile zip, SZipFailure& failure);

// Stored, deflate and bzip2.
bool IsDecodedMethod(std::uint32_t method);

}  // namespace TeskUtility::zipfs
