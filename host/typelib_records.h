// The registration records of type libraries: one small text file per
// registered library (identifier, version, locale, system kind) in a record
// folder, counting how many registrations share it, with the library's path,
// its coclasses and, once its module registered, the module's path.
// Thread-safe within the process.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/typelib_reader.h"

namespace TeskUtility::detail {

// $XDG_DATA_HOME/TeskUtilityLib/typelibs (or ~/.local/share/...); empty when neither is set.
std::string UserRecordFolder();
std::string MachineRecordFolder();
// True when the folder exists writable, or could be created.
bool FolderWritable(const std::string& folder);

// Adds one registration of the library (creating the record or counting one more).
bool AddTypeLibRecord(const std::string& folder, const TypeLibKey& key, const std::string& typeLibPath,
                      const std::vector<GUID>& classes);
// Notes that the library's module registered itself.
bool SetRecordModule(const std::string& folder, const TypeLibKey& key, const std::string& modulePath);
// Takes one registration back; the record goes with the last.
bool ReleaseTypeLibRecord(const std::string& folder, const TypeLibKey& key);

// The path recorded for a library of that identifier, version and locale, in the user or machine folder.
bool FindTypeLibRecord(const GUID& libid, std::uint16_t major, std::uint16_t minor, std::uint32_t lcid,
                       std::string& typeLibPath);
// True when a record whose module registered names the class, and the module file is still there.
bool ClassRegistered(const GUID& clsid);

}  // namespace TeskUtility::detail
