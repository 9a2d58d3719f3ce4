// Internal: writing one entry's data, whatever its method, shared by both
// extraction entry points.
#pragma once

#include <vector>

#include <minizip/unzip.h>

#include "compress/zip_reader.h"
#include "tesk/compress_zip.h"

namespace TeskUtility::zipfs {

// Decodes the current entry (stored, deflate or bzip2) into `target`. The data
// must end exactly at the declared size and match the checksum. False with
// `failure` filled (cause and errno; the caller names the entry).
bool WriteEntryData(unzFile zip, const EntryHeader& entry, int target, std::vector<char>& buffer,
                    SZipFailure& failure);

}  // namespace TeskUtility::zipfs
