// System information: addresses, adapters and device texts.
#include <algorithm>
#include <cstring>

#include "host/system_probe.h"
#include "host/system_text.h"
#include "tesk/exceptions.h"
#include "tesk/host_sysinfo.h"
#include "tesk/platform.h"

namespace TeskUtility {
namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;  // 127.0.0.1
// The platform's address table is read into 796 bytes: a count and 33 rows of 24 bytes.
constexpr std::size_t kAddressTableRows = (796 - 4) / 24;

std::string DottedQuad(std::uint32_t address) {
    return detail::Format("%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFF, (address >> 8) & 0xFF, address & 0xFF);
}

bool HasHardwareAddress(const detail::NetAdapter& adapter) {
    return std::any_of(adapter.address.begin(), adapter.address.end(), [](std::uint8_t b) { return b != 0; });
}

// The sysfs kind a device class stands for; empty for a class we do not map.
const char* KindOf(const GUID& deviceClass) {
    static constexpr struct {
        const GUID* guid;
        const char* kind;
    } kKinds[] = {
        {&GUID_DEVCLASS_DISPLAY, "display"}, {&GUID_DEVCLASS_NET, "net"},     {&GUID_DEVCLASS_MEDIA, "sound"},
        {&GUID_DEVCLASS_KEYBOARD, "keyboard"}, {&GUID_DEVCLASS_MOUSE, "mouse"}, {&GUID_DEVCLASS_MONITOR, "monitor"},
    };
    for (const auto& entry : kKinds)
        if (std::memcmp(entry.guid, &deviceClass, sizeof(GUID)) == 0)
            return entry.kind;
    return nullptr;
}

std::string Trimmed(std::string text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

int GetIP(CStringA& text) {
    std::vector<std::uint32_t> addresses;
    if (!detail::Ipv4Addresses(addresses) || addresses.empty() || addresses.size() > kAddressTableRows)
        return 0;
    std::sort(addresses.begin(), addresses.end());
    for (const std::uint32_t address : addresses) {
        if (address != 0 && address != kLoopback) {
            text = DottedQuad(address);
            return 1;
        }
    }
    text = DottedQuad(kLoopback);
    return 1;
}

int GetIPAddress(CStringA& text) {
    CStringA ip;
    if (!GetIP(ip))
        return 0;
    text = "Local IP: " + ip;
    return 1;
}

int GetMAC(std::vector<CStringA>& addresses) {
    addresses.clear();
    std::vector<detail::NetAdapter> adapters;
    if (!detail::NetAdapters(adapters))
        return 0;
    for (const detail::NetAdapter& adapter : adapters) {
        if (!HasHardwareAddress(adapter))
            continue;
        CStringA hex;
        for (const std::uint8_t b : adapter.address)
            hex += detail::Format("%02X", b);
        addresses.push_back(hex);
    }
    return 1;
}

int GetMAC(CStringA& text) {
    std::vector<CStringA> addresses;
    if (!GetMAC(addresses))
        return 0;
    if (addresses.empty())
        throw CInvalidArgException();  // the first element of an empty list
    text = addresses.front();
    return 1;
}

int GetDescriptionName(CStringA& text) {
    std::vector<detail::NetAdapter> adapters;
    detail::NetAdapters(adapters);
    for (auto it = adapters.rbegin(); it != adapters.rend(); ++it) {
        // Wired adapters with a device of their own: bridges, veths and the like are not adapters.
        if (!it->ethernet || it->devicePath.empty())
            continue;
        const std::string product = detail::DeviceProductText(it->devicePath);
        text = Utf8ToAnsi(product.empty() ? it->name : product);
        break;
    }
    return 1;
}

int GetPCINFO(const GUID& deviceClass, std::uint32_t, std::uint32_t property, CStringA& text) {
    const char* kind = KindOf(deviceClass);
    std::vector<std::string> devices;
    if (!kind || !detail::DevicesOfKind(kind, devices))
        return 0;
    CStringA joined;
    for (const std::string& device : devices) {
        const std::string value = property == SPDRP_MFG ? detail::DeviceVendorText(device)
                                  : property == SPDRP_DEVICEDESC || property == SPDRP_FRIENDLYNAME
                                      ? detail::DeviceProductText(device)
                                      : std::string();
        const std::string trimmed = Trimmed(value);
        if (trimmed.empty())
            continue;
        if (!joined.empty())
            joined += "\r\n";
        joined += Utf8ToAnsi(trimmed);
    }
    text = joined;
    return 1;
}

}  // namespace TeskUtility
