// System information: version, language, rights, components and machine facts, in the host's texts.
#include <ctime>
#include <cstdint>

#include "host/system_parsers.h"
#include "host/system_probe.h"
#include "host/system_text.h"
#include "tesk/host_sysinfo.h"
#include "tesk/platform.h"

namespace TeskUtility {

using detail::Format;

namespace {

// The host's sentences, Big5 bytes.
constexpr const char* kOsDescription = "OS\xAC\xB0%s";                                   // OS為%s
constexpr const char* kNotTraditional = "\xAB" "D Chinese(Traditional)\xA1" "A 0x%08x\xA1" "C";  // 非 Chinese(Traditional)， 0x%08x。
constexpr const char* kLangDescription = "\xBBy\xA8t%s";                                 // 語系%s
constexpr const char* kUserIsAdmin = "\xA8\xCF\xA5\xCE\xAA\xCC\xA6\xB3" "Admin\xC5v\xAD\xAD\xA1" "C";
constexpr const char* kUserNotAdmin =
    "\xA8\xCF\xA5\xCE\xAA\xCC\xAB" "DAdmin\xA1" "A\xC5v\xAD\xAD\xA5i\xAF\xE0\xA4\xA3\xA8\xAC\xA1" "C";
constexpr const char* kNotElevatedButAdmin =
    "\xAB" "D\xA5H\xBA\xDE\xB2z\xAA\xCC\xA8\xAD\xA5\xF7\xB0\xF5\xA6\xE6\xA1" "A\xA6\xFD\xA6\xB3" "Admin\xC5v\xAD\xAD\xA1" "C";
constexpr const char* kDefaultBrowserIs = "\xB9w\xB3]\xC2s\xC4\xFD\xBE\xB9\xAC\xB0%s\xA1" "C";  // 預設瀏覽器為%s。
constexpr const char* kIeVersion = "IE\xAA\xA9\xA5\xBB\xA1G%s";                                 // IE版本：%s
constexpr const char* kApMemory = "[AP\xA8\xCF\xA5\xCE\xB0O\xBE\xD0\xC5\xE9]%d,%dK ";
constexpr const char* kSystemMemory = ",[\xA8t\xB2\xCE\xB0O\xBE\xD0\xC5\xE9]\xA4w\xA5\xCE:%s\xA5i\xA5\xCE:%s";
constexpr const char* kBootTime = "%04d\xA6~%02d\xA4\xEB%02d\xA4\xE9 %02d:%02d";  // %04d年%02d月%02d日 %02d:%02d

constexpr std::uint32_t kChineseTraditional = 1028;

std::uint32_t ThreadLocaleNumber() { return detail::LocaleNumber(detail::MessagesLocaleName()); }

std::string Gigabytes(std::uint64_t bytes) { return Format("%.2f GBytes", static_cast<double>(bytes) / (1u << 30)); }

std::string LocalTimeText(std::int64_t seconds, const char* format) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return {};
    char buffer[64];
    return std::string(buffer, std::strftime(buffer, sizeof buffer, format, &local));
}

}  // namespace

int CheckWindowsVersion(std::uint32_t, std::uint32_t, std::uint16_t, std::uint16_t, int, std::uint32_t) { return 0; }

int GetOS(CStringA& text) {
    std::string name;
    if (!detail::ReadOsPrettyName(name))
        return 0;
    // The architecture suffix exists only for x86: 64-bit for x86-64, 32-bit for the 32-bit kinds.
    const std::string machine = detail::MachineName();
    const char* suffix = machine == "x86_64" ? "64-bit"
                         : machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86" ? "32-bit"
                                                                                                 : nullptr;
    text = Utf8ToAnsi(name);
    if (suffix)
        text += Format(" (%s)", suffix);
    return 1;
}

int GetOSDescription(CStringA& text) {
    CStringA os;
    if (!GetOS(os))
        return 0;
    text = Format(kOsDescription, os.c_str());
    return 1;
}

int GetOS_BeforeWin7() { return 0; }

int IsDefaultLang_ChineseTraditional() { return ThreadLocaleNumber() == kChineseTraditional; }

int GetLang(CStringA& text) {
    const std::uint32_t locale = ThreadLocaleNumber();
    text = locale == kChineseTraditional ? std::string("Chinese(Traditional)") : Format(kNotTraditional, locale);
    return 1;
}

int GetLangDescription(CStringA& text) {
    CStringA lang;
    GetLang(lang);
    text = Format(kLangDescription, lang.c_str());
    return 1;
}

int IsAdminRunning() { return detail::IsEffectiveRoot() || detail::InAdminGroup(); }

int GetAuthorityDescription(CStringA& text) {
    // Running as root is the elevated administrator; an admin group member runs unelevated.
    text = detail::IsEffectiveRoot() ? kUserIsAdmin : !IsAdminRunning() ? kUserNotAdmin : kNotElevatedButAdmin;
    return 1;
}

int GetLastUpdateTime(CStringA& text) {
    std::string log;
    std::string date;
    if (!detail::ReadWholeFile("/var/log/apt/history.log", log, 64u << 20) || !detail::LastAptEndDate(log, date))
        return 0;
    text = date;
    return 1;
}

int GetLastDownloadTime(CStringA& text) {
    std::int64_t modified = 0;
    if (!detail::ModificationTime("/var/lib/apt/lists", modified))
        return 0;
    const std::string when = LocalTimeText(modified, "%Y-%m-%d %H:%M:%S");
    if (when.empty())
        return 0;
    text = when;
    return 1;
}

int GetIEVersion(CStringA&) { return 0; }

int GetIEDescription(CStringA& text) {
    CStringA browser;
    CStringA version;
    const int haveBrowser = GetDefaultBrowser(browser);
    const int haveVersion = GetIEVersion(version);
    if (!haveBrowser && !haveVersion)
        return 0;
    CStringA result;
    if (haveBrowser)
        result = Format(kDefaultBrowserIs, browser.c_str());
    if (haveVersion)
        result += Format(kIeVersion, version.c_str());
    text = result;
    return 1;
}

int GetOneDriveMode(CStringA&) { return 0; }

int GetNumberOfProcessors() { return static_cast<int>(detail::ProcessorCount()); }

int GetProcessorName(CStringA& text) {
    text = detail::ProcessorBrand();
    return 1;
}

int GetTotalRAM(CStringA& total, CStringA& available, CStringA& used) {
    std::uint64_t all = 0;
    std::uint64_t free = 0;
    detail::PhysicalMemory(all, free);
    total = Gigabytes(all);
    available = Gigabytes(free);
    used = Gigabytes(all - free);
    return 1;
}

int GetAPUseRAM(CStringA& text, BOOL withSystem) {
    std::uint64_t resident = 0;
    if (!detail::ResidentSetBytes(resident))
        return 0;
    const std::uint64_t kilobytes = resident / 1024;
    CStringA result;
    if (kilobytes >= 1000)
        result = Format(kApMemory, static_cast<int>(kilobytes / 1000), static_cast<int>(kilobytes % 1000));
    if (withSystem) {
        CStringA total, available, used;
        GetTotalRAM(total, available, used);
        result += Format(kSystemMemory, used.c_str(), available.c_str());
    }
    text = result;
    return 1;
}

int GetBootTime(CStringA& text) {
    text.clear();
    std::int64_t boot = 0;
    if (!detail::BootTime(boot))
        return 0;
    const std::time_t t = static_cast<std::time_t>(boot);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return 0;
    text = Format(kBootTime, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
    return 1;
}

int GetCurrentUserName(CStringA& text) {
    std::string name;
    if (!detail::EffectiveUserName(name) || name.size() > 256)
        return 0;
    text = Utf8ToAnsi(name);
    return 1;
}

int GetAPPDataPath(CStringA& text) {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    // Only an absolute XDG_DATA_HOME counts; a relative one is to be ignored.
    std::string path = dataHome && dataHome[0] == '/' ? std::string(dataHome) : detail::HomeDirectory() + "/.local/share";
    if (!detail::IsDirectory(path))
        return 0;
    text = path;
    return 1;
}

int GetFileVersionOfApplication(const CStringA& path, CStringA& version) {
    std::string image;
    if (!detail::ReadWholeFile(path, image, 256u << 20))
        return 0;
    std::uint16_t parts[4] = {};
    const bool elf = image.size() >= 4 && image.compare(0, 4, "\x7F" "ELF") == 0;
    if (!(elf ? detail::SharedObjectVersion(path, parts) : detail::PeFileVersion(image, parts)))
        return 0;
    version = Format("%d.%d.%d.%d", parts[0], parts[1], parts[2], parts[3]);
    return 1;
}

}  // namespace TeskUtility
