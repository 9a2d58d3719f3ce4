// Internal: the destination folder of an extraction, held open, under which
// entry paths are resolved one level at a time without following symbolic
// links, so that neither a hostile name nor a link already in the destination
// leads outside. Shared by every entry point that unpacks an archive.
#pragma once

#include <string>

#include "compress/zip_entry_path.h"
#include "platform/posix_file.h"

namespace TeskUtility::zipfs {

class ExtractionRoot {
public:
    // A missing destination is not an error here: every file below it then fails.
    // With `makeParents`, folders missing on the way to an entry are created
    // (each level still opened without following links).
    explicit ExtractionRoot(const std::string& destination, bool makeParents = false);

    // Creates the folder that `path` names; false when it cannot (it exists, or
    // its parent is missing or a link). Extraction does not treat that as a failure.
    bool MakeFolder(const EntryPath& path);
    // Creates the file that `path` names for writing. An existing file is
    // replaced rather than written over, so that a link (symbolic or hard) at
    // the target never carries the data elsewhere. Invalid on failure.
    posix::Fd CreateFile(const EntryPath& path);

private:
    int OpenParent(const EntryPath& path);
    const char* LevelName(std::string_view level);

    posix::Fd root_;
    bool makeParents_;
    std::string level_;
    std::string parentKey_;
    std::string cachedKey_;
    posix::Fd cachedParent_;
};

}  // namespace TeskUtility::zipfs
