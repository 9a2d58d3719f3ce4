// The Linux sources of system information: sysconf, sysinfo, cpuid, /proc, /sys, the password and
// group databases, getifaddrs and the locale. Nothing here formats text for the host.
#include <arpa/inet.h>
#include <dirent.h>
#include <grp.h>
#include <ifaddrs.h>
#include <langinfo.h>
#include <locale.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "host/system_parsers.h"
#include "host/system_probe.h"

namespace TeskUtility::detail {
namespace {

std::string FirstLine(const std::string& path) {
    std::string content;
    if (!ReadWholeFile(path, content, 4096))
        return {};
    const std::size_t end = content.find('\n');
    content.resize(end == std::string::npos ? content.size() : end);
    while (!content.empty() && (content.back() == ' ' || content.back() == '\r'))
        content.pop_back();
    return content;
}

std::vector<std::string> DirectoryEntries(const std::string& path, bool& ok) {
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    ok = dir != nullptr;
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string RealPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return {};
    std::string result = resolved;
    std::free(resolved);
    return result;
}

std::string Parent(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

std::string LinkName(const std::string& path) {
    const std::string target = RealPath(path);
    const std::size_t slash = target.rfind('/');
    return slash == std::string::npos ? std::string() : target.substr(slash + 1);
}

bool PasswdEntry(uid_t uid, std::string* name, std::string* home) {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* result = nullptr;
    while (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &result) == ERANGE && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (!result)
        return false;
    if (name)
        *name = result->pw_name ? result->pw_name : "";
    if (home)
        *home = result->pw_dir ? result->pw_dir : "";
    return true;
}

// The lowest 64 bits of a sysfs capability bitmap ("120013" or "... 3803078f800d001"), as the last word.
std::uint64_t LowCapabilityBits(const std::string& path) {
    const std::string line = FirstLine(path);
    const std::size_t space = line.rfind(' ');
    return std::strtoull(line.c_str() + (space == std::string::npos ? 0 : space + 1), nullptr, 16);
}

// The PCI device that a sysfs device hangs from (itself or a parent), empty when none.
std::string PciDevice(std::string path) {
    for (int depth = 0; depth < 4 && !path.empty(); ++depth, path = Parent(path))
        if (LinkName(path + "/subsystem") == "pci")
            return path;
    return {};
}

// A USB device's text file (product, manufacturer) on the device or the interface's parent.
std::string UsbText(const std::string& path, const char* file) {
    for (const std::string& at : {path, Parent(path)}) {
        const std::string text = FirstLine(at + "/" + file);
        if (!text.empty() && LinkName(at + "/subsystem") == "usb")
            return text;
    }
    return {};
}

bool PciNames(const std::string& pci, std::string& vendorName, std::string& deviceName) {
    const unsigned vendor = static_cast<unsigned>(std::strtoul(FirstLine(pci + "/vendor").c_str(), nullptr, 16));
    const unsigned device = static_cast<unsigned>(std::strtoul(FirstLine(pci + "/device").c_str(), nullptr, 16));
    for (const char* database : {"/usr/share/misc/pci.ids", "/usr/share/hwdata/pci.ids"}) {
        std::string text;
        if (ReadWholeFile(database, text, 8u << 20))
            return PciIdsNames(text, vendor, device, vendorName, deviceName);
    }
    return false;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& content, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.clear();
    char buffer[8192];
    while (content.size() < limit && in.read(buffer, sizeof buffer).gcount() > 0)
        content.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (content.size() > limit)
        content.resize(limit);
    return !in.bad();
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ModificationTime(const std::string& path, std::int64_t& secondsSinceEpoch) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
    secondsSinceEpoch = st.st_mtim.tv_sec;
    return true;
}

bool ReadOsPrettyName(std::string& name) {
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::string text;
        if (!ReadWholeFile(path, text, 64 * 1024))
            continue;
        if (!OsReleaseValue(text, "PRETTY_NAME", name) || name.empty())
            name = "Linux";  // the file format's own default
        return true;
    }
    return false;
}

std::string MachineName() {
    utsname names{};
    return uname(&names) == 0 ? names.machine : "";
}

unsigned ProcessorCount() {
    const long n = sysconf(_SC_NPROCESSORS_ONLN);
    return n > 0 ? static_cast<unsigned>(n) : 1;
}

std::string ProcessorBrand() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned regs[4] = {};
    if (!__get_cpuid(0x80000000u, &regs[0], &regs[1], &regs[2], &regs[3]) || regs[0] < 0x80000004u)
        return {};
    std::string brand(48, '\0');
    for (unsigned leaf = 0; leaf < 3; ++leaf) {
        __get_cpuid(0x80000002u + leaf, &regs[0], &regs[1], &regs[2], &regs[3]);
        std::memcpy(&brand[leaf * 16], regs, 16);
    }
    return brand;
#else
    return {};
#endif
}

bool PhysicalMemory(std::uint64_t& total, std::uint64_t& available) {
    struct sysinfo info {};
    if (sysinfo(&info) != 0)
        return false;
    const std::uint64_t unit = info.mem_unit ? info.mem_unit : 1;
    total = std::uint64_t{info.totalram} * unit;
    available = (std::uint64_t{info.freeram} + info.bufferram) * unit;
    return true;
}

bool ResidentSetBytes(std::uint64_t& bytes) {
    std::istringstream statm(FirstLine("/proc/self/statm"));
    std::uint64_t size = 0;
    std::uint64_t resident = 0;
    if (!(statm >> size >> resident))
        return false;
    bytes = resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    return true;
}

bool BootTime(std::int64_t& secondsSinceEpoch) {
    std::string stat;
    if (!ReadWholeFile("/proc/stat", stat))
        return false;
    const std::size_t at = stat.find("\nbtime ");
    if (at == std::string::npos)
        return false;
    secondsSinceEpoch = std::strtoll(stat.c_str() + at + 7, nullptr, 10);
    return secondsSinceEpoch > 0;
}

bool EffectiveUserName(std::string& name) { return PasswdEntry(geteuid(), &name, nullptr) && !name.empty(); }

std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    std::string dir;
    return PasswdEntry(geteuid(), nullptr, &dir) ? dir : std::string();
}

bool IsEffectiveRoot() { return geteuid() == 0; }

bool InAdminGroup() {
    const int count = getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(count > 0 ? count : 0) + 1);
    const int n = getgroups(count, groups.data());
    groups.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    groups.push_back(getegid());
    for (const char* name : {"sudo", "wheel", "admin"}) {
        std::vector<char> buffer(16384);
        group entry{};
        group* result = nullptr;
        if (getgrnam_r(name, &entry, buffer.data(), buffer.size(), &result) == 0 && result &&
            std::find(groups.begin(), groups.end(), result->gr_gid) != groups.end())
            return true;
    }
    return false;
}

std::string MessagesLocaleName() {
    const locale_t thread = uselocale(static_cast<locale_t>(0));
    const char* current = thread == LC_GLOBAL_LOCALE ? setlocale(LC_MESSAGES, nullptr)
                                                     : nl_langinfo_l(_NL_LOCALE_NAME(LC_MESSAGES), thread);
    if (current && *current && std::strcmp(current, "C") != 0 && std::strcmp(current, "POSIX") != 0)
        return current;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return "C";
}

bool Ipv4Addresses(std::vector<std::uint32_t>& addresses) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return false;
    addresses.clear();
    for (const ifaddrs* a = list; a; a = a->ifa_next)
        if (a->ifa_addr && a->ifa_addr->sa_family == AF_INET)
            addresses.push_back(ntohl(reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr.s_addr));
    freeifaddrs(list);
    return true;
}

bool NetAdapters(std::vector<NetAdapter>& adapters) {
    bool ok = false;
    const std::vector<std::string> names = DirectoryEntries("/sys/class/net", ok);
    if (!ok)
        return false;
    std::vector<std::pair<long, NetAdapter>> indexed;
    for (const std::string& name : names) {
        const std::string dir = "/sys/class/net/" + name;
        NetAdapter adapter;
        adapter.name = name;
        const std::string address = FirstLine(dir + "/address");
        for (std::size_t i = 0; i + 1 < address.size(); i += 3)
            adapter.address.push_back(static_cast<std::uint8_t>(std::strtoul(address.substr(i, 2).c_str(), nullptr, 16)));
        // ARPHRD_ETHER, but not a wireless interface (those are Ethernet-framed too).
        adapter.ethernet = FirstLine(dir + "/type") == "1" && !IsDirectory(dir + "/wireless") &&
                           !IsDirectory(dir + "/phy80211");
        if (IsDirectory(dir + "/device"))
            adapter.devicePath = RealPath(dir + "/device");
        indexed.emplace_back(std::strtol(FirstLine(dir + "/ifindex").c_str(), nullptr, 10), std::move(adapter));
    }
    std::stable_sort(indexed.begin(), indexed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    adapters.clear();
    for (auto& entry : indexed)
        adapters.push_back(std::move(entry.second));
    return true;
}

std::string DeviceProductText(const std::string& devicePath) {
    if (devicePath.empty())
        return {};
    std::string text = FirstLine(devicePath + "/name");  // input devices
    if (!text.empty())
        return text;
    std::string edid;
    if (ReadWholeFile(devicePath + "/edid", edid, 4096) && EdidMonitorName(edid, text))
        return text;
    text = UsbText(devicePath, "product");
    if (!text.empty())
        return text;
    std::string vendorName;
    const std::string pci = PciDevice(devicePath);
    if (!pci.empty() && PciNames(pci, vendorName, text) && !text.empty())
        return text;
    text = LinkName(devicePath + "/driver");
    return text.empty() && !pci.empty() ? LinkName(pci + "/driver") : text;
}

std::string DeviceVendorText(const std::string& devicePath) {
    if (devicePath.empty())
        return {};
    std::string text = UsbText(devicePath, "manufacturer");
    if (!text.empty())
        return text;
    std::string deviceName;
    const std::string pci = PciDevice(devicePath);
    return !pci.empty() && PciNames(pci, text, deviceName) ? text : std::string();
}

bool DevicesOfKind(const std::string& kind, std::vector<std::string>& devicePaths) {
    devicePaths.clear();
    bool ok = false;
    if (kind == "display") {
        for (const std::string& name : DirectoryEntries("/sys/bus/pci/devices", ok))
            if (FirstLine("/sys/bus/pci/devices/" + name + "/class").rfind("0x03", 0) == 0)
                devicePaths.push_back(RealPath("/sys/bus/pci/devices/" + name));
        return ok;
    }
    if (kind == "net" || kind == "sound") {
        const std::string root = kind == "net" ? "/sys/class/net" : "/sys/class/sound";
        for (const std::string& name : DirectoryEntries(root, ok)) {
            if (kind == "sound" && name.rfind("card", 0) != 0)
                continue;
            const std::string device = RealPath(root + "/" + name + "/device");
            if (!device.empty() && std::find(devicePaths.begin(), devicePaths.end(), device) == devicePaths.end())
                devicePaths.push_back(device);
        }
        return ok;
    }
    if (kind == "keyboard" || kind == "mouse") {
        for (const std::string& name : DirectoryEntries("/sys/class/input", ok)) {
            if (name.rfind("input", 0) != 0)
                continue;
            const std::string dir = "/sys/class/input/" + name;
            const std::uint64_t events = LowCapabilityBits(dir + "/capabilities/ev");
            const bool keyboard = (events & 0x2) && (LowCapabilityBits(dir + "/capabilities/key") & (1ull << 30));  // KEY_A
            const bool mouse = (events & 0x4) && (LowCapabilityBits(dir + "/capabilities/rel") & 0x3) == 0x3;  // REL_X, REL_Y
            if (kind == "keyboard" ? keyboard : mouse)
                devicePaths.push_back(RealPath(dir));
        }
        return ok;
    }
    if (kind == "monitor") {
        for (const std::string& name : DirectoryEntries("/sys/class/drm", ok))
            if (name.find('-') != std::string::npos && FirstLine("/sys/class/drm/" + name + "/status") == "connected")
                devicePaths.push_back(RealPath("/sys/class/drm/" + name));
        return ok;
    }
    return false;
}

}  // namespace TeskUtility::detail
