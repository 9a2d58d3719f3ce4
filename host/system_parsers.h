// Readers of the system files and formats behind system information; pure functions over bytes,
// so that each is tested and fuzzed apart from the machine it runs on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace TeskUtility::detail {

// The value of KEY in an os-release text (shell-style quoting undone); false when absent.
bool OsReleaseValue(std::string_view text, std::string_view key, std::string& value);

// The locale number of a locale name ("zh_TW.UTF-8", "C"): a small table, 0x1000 (an unspecified
// custom locale) for names outside it.
std::uint32_t LocaleNumber(std::string_view localeName);

// The last "End-Date:" value of an apt history log, inner runs of spaces made single; false when none.
bool LastAptEndDate(std::string_view log, std::string& date);

// The value of `key` in `section` of a desktop-entry style file (mimeapps.list, *.desktop): only the
// unlocalised key; false when absent.
bool DesktopEntryValue(std::string_view text, std::string_view section, std::string_view key, std::string& value);

// The four 16-bit parts of a Windows PE file's fixed file version (most significant first); false
// when the file is no PE image or has no version resource.
bool PeFileVersion(std::string_view image, std::uint16_t parts[4]);

// The version after ".so." in a shared object's file name ("libz.so.1.2.13" gives 1, 2, 13, 0);
// missing parts are 0; false without ".so." followed by a number.
bool SharedObjectVersion(std::string_view fileName, std::uint16_t parts[4]);

// The monitor name descriptor (tag 0xFC) of an EDID block, trimmed; false when it has none.
bool EdidMonitorName(std::string_view edid, std::string& name);

}  // namespace TeskUtility::detail

namespace TeskUtility::detail {

// Vendor and device names of a PCI id pair from a pci.ids database text; false when the vendor is
// not listed (the device name stays empty when only it is missing).
bool PciIdsNames(std::string_view database, unsigned vendor, unsigned device, std::string& vendorName,
                 std::string& deviceName);

}  // namespace TeskUtility::detail
