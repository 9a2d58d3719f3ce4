#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "output.h"
#include "tesk/host_sysinfo.h"

using namespace TeskUtility;

namespace {

void Line(const char* label, int ok, const CStringA& text) {
    // The brand string is raw cpuid bytes: stop at its padding NULs for the terminal.
    const std::string shown = ok ? text.substr(0, text.find('\0')) : std::string("(unavailable)");
    std::printf("%-22s %s\n", label, teskutil::ForTerminal(shown).c_str());
}

using TextFn = int (*)(CStringA&);

int Run(teskutil::Args& args) {
    args.Positionals(0, 0);
    static constexpr struct {
        const char* label;
        TextFn fn;
    } kTexts[] = {
        {"os", GetOS},
        {"os description", GetOSDescription},
        {"language", GetLang},
        {"language description", GetLangDescription},
        {"authority", GetAuthorityDescription},
        {"last update", GetLastUpdateTime},
        {"last download", GetLastDownloadTime},
        {"ie version", GetIEVersion},
        {"default browser", GetDefaultBrowser},
        {"browser description", GetIEDescription},
        {"onedrive", GetOneDriveMode},
        {"dpi", GetDPI},
        {"ip", GetIP},
        {"ip address", GetIPAddress},
        {"adapter description", GetDescriptionName},
        {"processor", GetProcessorName},
        {"boot time", GetBootTime},
        {"user", GetCurrentUserName},
        {"app data", GetAPPDataPath},
    };
    for (const auto& t : kTexts) {
        CStringA text;
        const int ok = t.fn(text);
        Line(t.label, ok, text);
    }
    std::printf("%-22s %d\n", "traditional chinese", IsDefaultLang_ChineseTraditional());
    std::printf("%-22s %d\n", "admin", IsAdminRunning());
    std::printf("%-22s %d\n", "processors", GetNumberOfProcessors());
    std::printf("%-22s %d\n", "monitors", GetNumberOfMonitors());
    int width = 0, height = 0;
    GetScreenCoordinate(width, height);
    std::printf("%-22s %d x %d\n", "screen", width, height);
    GetVirtualScreenCoordinate(width, height);
    std::printf("%-22s %d x %d\n", "virtual screen", width, height);
    std::vector<CStringA> macs;
    GetMAC(macs);
    for (const CStringA& mac : macs)
        Line("mac", 1, mac);
    CStringA total, available, used, ap;
    GetTotalRAM(total, available, used);
    Line("memory total", 1, total);
    Line("memory available", 1, available);
    Line("memory used", 1, used);
    Line("ap memory", GetAPUseRAM(ap, 1), ap);
    static constexpr struct {
        const char* label;
        const GUID* deviceClass;
    } kDevices[] = {
        {"display adapters", &GUID_DEVCLASS_DISPLAY}, {"network adapters", &GUID_DEVCLASS_NET},
        {"sound devices", &GUID_DEVCLASS_MEDIA},      {"keyboards", &GUID_DEVCLASS_KEYBOARD},
        {"mice", &GUID_DEVCLASS_MOUSE},               {"monitor devices", &GUID_DEVCLASS_MONITOR},
    };
    for (const auto& d : kDevices) {
        CStringA text;
        const int ok = GetPCINFO(*d.deviceClass, DIGCF_PRESENT, SPDRP_DEVICEDESC, text);
        std::string oneLine = text;
        for (std::size_t at; (at = oneLine.find("\r\n")) != std::string::npos;)
            oneLine.replace(at, 2, "; ");
        Line(d.label, ok, oneLine);
    }
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(sysinfo, "sysinfo", "system information: every text with its label", Run);
