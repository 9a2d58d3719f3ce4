// Readings of the Linux machine for system information: every system call and system file of that
// family is read here, as plain values; host/system_info*.cpp turn them into the host's texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TeskUtility::detail {

// PRETTY_NAME of /etc/os-release (else /usr/lib/os-release; "Linux" when the file lacks it), UTF-8.
bool ReadOsPrettyName(std::string& name);
std::string MachineName();  // uname's machine: "x86_64", "i686", "aarch64"

unsigned ProcessorCount();
// The 48 bytes of cpuid leaves 0x80000002..4 as they are (NULs and padding spaces kept); empty when
// the processor has no such leaves.
std::string ProcessorBrand();

bool PhysicalMemory(std::uint64_t& total, std::uint64_t& available);  // bytes, from sysinfo
bool ResidentSetBytes(std::uint64_t& bytes);                           // this process's resident set
bool BootTime(std::int64_t& secondsSinceEpoch);                        // btime of /proc/stat

bool EffectiveUserName(std::string& name);  // the password database's name of the effective user
std::string HomeDirectory();                // $HOME, else the password database's
bool IsEffectiveRoot();
bool InAdminGroup();                        // sudo, wheel or admin among the process's groups

// LC_MESSAGES of the thread's locale; when that is the unchosen "C", what setlocale(LC_ALL, "")
// would choose (LC_ALL, LC_MESSAGES, LANG). "C" when nothing is set.
std::string MessagesLocaleName();

// IPv4 addresses of the interfaces, in host byte order, unsorted; false when they cannot be read.
bool Ipv4Addresses(std::vector<std::uint32_t>& addresses);

struct NetAdapter {
    std::string name;                  // interface name
    std::vector<std::uint8_t> address; // hardware address
    bool ethernet = false;             // wired Ethernet (not wireless, not loopback)
    std::string devicePath;            // its sysfs device directory, empty for virtual interfaces
};
// Interfaces of /sys/class/net in index order; false when the directory cannot be read.
bool NetAdapters(std::vector<NetAdapter>& adapters);

// Product and vendor texts of a sysfs device directory: a USB device's own strings, a device's
// name file, or the PCI ids database; the driver's name when nothing better exists.
std::string DeviceProductText(const std::string& devicePath);
std::string DeviceVendorText(const std::string& devicePath);

// Device directories of one kind: "display" (PCI class 03), "net", "sound", "keyboard", "mouse",
// "monitor" (a connector's EDID); false when the kind's sysfs tree cannot be read.
bool DevicesOfKind(const std::string& kind, std::vector<std::string>& devicePaths);

// Small file readers shared by the probes (and by the package-history and browser lookups).
bool ReadWholeFile(const std::string& path, std::string& content, std::size_t limit = 1 << 20);
bool IsDirectory(const std::string& path);
bool ModificationTime(const std::string& path, std::int64_t& secondsSinceEpoch);

}  // namespace TeskUtility::detail
