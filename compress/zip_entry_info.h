// Internal: the metadata that an archive entry of a folder tree carries.
#pragma once

#include <ctime>

#include <minizip/zip.h>

namespace TeskUtility::zipfs {

// External attributes of a folder entry: the MS-DOS directory bit, and nothing else.
constexpr uLong kFolderAttributes = 0x10;

// A folder entry, or a file whose time cannot be read: every date field 0, attributes 16.
zip_fileinfo FolderEntryInfo();
// A file entry: its last-write time in local time (month from 0, full year), attributes 0.
// Times outside the range the zip date can hold are clamped to 1980-01-01 or 2107-12-31.
zip_fileinfo FileEntryInfo(std::time_t lastWrite);

}  // namespace TeskUtility::zipfs
