// The readers behind system information on arbitrary bytes: os-release, apt history, desktop
// entries, PE version resources, shared-object names, EDID blocks, pci.ids and locale names.
// Any answer is fine; reading out of bounds, looping or crashing is not.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/system_parsers.h"

using namespace TeskUtility::detail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string value;
    std::uint16_t parts[4];
    OsReleaseValue(text, "PRETTY_NAME", value);
    LastAptEndDate(text, value);
    DesktopEntryValue(text, "Default Applications", "x-scheme-handler/http", value);
    PeFileVersion(text, parts);
    SharedObjectVersion(text, parts);
    EdidMonitorName(text, value);
    std::string vendor, device;
    PciIdsNames(text, size ? data[0] * 256u + (size > 1 ? data[1] : 0) : 0, 0x1000, vendor, device);
    LocaleNumber(text);
    return 0;
}
