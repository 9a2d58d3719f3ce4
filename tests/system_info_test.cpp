// System information against readings taken another way (other programs, the files read directly).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>

#include "io_test_support.h"
#include "pe_image_builder.h"
#include "tesk/exceptions.h"
#include "tesk/host_sysinfo.h"

namespace {

using namespace TeskUtility;
namespace fs = std::filesystem;

// The command's output without its final newlines; every answer here is short.
std::string Shell(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    const std::string out(buffer, std::fread(buffer, 1, sizeof buffer, pipe));
    pclose(pipe);
    return out.substr(0, out.find_last_not_of('\n') + 1);
}

// Sets environment variables for one test and puts the old values back.
struct ScopedEnv {
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() {  // backwards, so a name set twice gets its first value back
        for (auto it = saved.rbegin(); it != saved.rend(); ++it)
            it->second ? setenv(it->first.c_str(), it->second->c_str(), 1) : unsetenv(it->first.c_str());
    }
};

TEST(SystemInfo, MachineFactsMatchIndependentReadings) {
    EXPECT_EQ(GetNumberOfProcessors(), std::stoi(Shell("getconf _NPROCESSORS_ONLN")));

    CStringA total, available, used;
    EXPECT_EQ(GetTotalRAM(total, available, used), 1);
    EXPECT_EQ(total, Shell("awk '/^MemTotal:/ {printf \"%.2f GBytes\", $2 / 1048576}' /proc/meminfo"));

    CStringA brand = "unchanged";
    EXPECT_EQ(GetProcessorName(brand), 1);
    const std::string model = Shell("sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1");
    if (!brand.empty() && !model.empty()) {  // the kernel shows the brand trimmed
        EXPECT_EQ(brand.size(), 48u) << "raw, not trimmed";
        EXPECT_NE(brand.find(model), std::string::npos) << brand;
    }

    CStringA user;
    EXPECT_EQ(GetCurrentUserName(user), 1);
    EXPECT_EQ(user, Shell("id -un"));
    const bool admin = Shell("id -u") == "0" ||
                       Shell("id -Gn | tr ' ' '\\n' | grep -cxE 'sudo|wheel|admin'") != "0";
    EXPECT_EQ(IsAdminRunning(), admin ? 1 : 0);

    CStringA os;
    ASSERT_EQ(GetOS(os), 1);
    EXPECT_EQ(os, Shell(". /etc/os-release || . /usr/lib/os-release; printf %s \"$PRETTY_NAME\"; "
                        "case $(uname -m) in x86_64) echo ' (64-bit)';; i?86) echo ' (32-bit)';; esac"));
    CStringA description;
    EXPECT_EQ(GetOSDescription(description), 1);
    EXPECT_EQ(description, "OS\xAC\xB0" + os);
}

TEST(SystemInfo, BootTimeAndResidentSet) {
    CStringA boot = "old";
    ASSERT_EQ(GetBootTime(boot), 1);
    // uptime -s works from /proc/uptime rather than btime: the two agree to within a minute.
    int y, mo, d, h, mi;
    ASSERT_EQ(std::sscanf(boot.c_str(), "%d\xA6~%d\xA4\xEB%d\xA4\xE9 %d:%d", &y, &mo, &d, &h, &mi), 5) << boot;
    int uy, umo, ud, uh, umi, us;
    ASSERT_EQ(std::sscanf(Shell("uptime -s").c_str(), "%d-%d-%d %d:%d:%d", &uy, &umo, &ud, &uh, &umi, &us), 6);
    EXPECT_EQ(y * 10000 + mo * 100 + d, uy * 10000 + umo * 100 + ud);
    EXPECT_LE(std::abs((h * 60 + mi) - (uh * 60 + umi)), 1);

    CStringA ap;
    ASSERT_EQ(GetAPUseRAM(ap, 0), 1);
    int thousands = 0, rest = 0;
    ASSERT_EQ(std::sscanf(ap.c_str(), "[AP\xA8\xCF\xA5\xCE\xB0O\xBE\xD0\xC5\xE9]%d,%dK ", &thousands, &rest), 2) << ap;
    // $PPID: the shell's parent is this process.
    const long vmRss = std::stol(Shell("awk '/^VmRSS:/ {print $2}' /proc/$PPID/status"));
    EXPECT_NEAR(thousands * 1000 + rest, vmRss, vmRss / 10 + 100);
    CStringA withSystem;
    ASSERT_EQ(GetAPUseRAM(withSystem, 1), 1);
    EXPECT_NE(withSystem.find(",[\xA8t\xB2\xCE\xB0O\xBE\xD0\xC5\xE9]\xA4w\xA5\xCE:"), std::string::npos);
}

TEST(SystemInfo, NetworkFromSysfsAndAnotherProgram) {
    std::istringstream sysfs(Shell("cat /sys/class/net/*/address | tr -d : | tr a-f A-F | grep -v '^0*$'"));
    std::vector<CStringA> list{"stale"};
    ASSERT_EQ(GetMAC(list), 1);
    EXPECT_EQ(std::set<std::string>(list.begin(), list.end()),
              std::set<std::string>(std::istream_iterator<std::string>(sysfs), {}));
    CStringA first;
    if (list.empty()) {
        EXPECT_THROW(GetMAC(first), CInvalidArgException);
    } else {
        EXPECT_EQ(GetMAC(first), 1);
        EXPECT_EQ(first, list.front());
    }

    // hostname -I lists the addresses other than loopback; ours is the lowest IPv4 one.
    const std::string lowest = Shell("hostname -I | tr ' ' '\\n' | grep -E '^[0-9]+(\\.[0-9]+){3}$' "
                                     "| grep -vxF -e 0.0.0.0 -e 127.0.0.1 "
                                     "| sort -t. -n -k1,1 -k2,2 -k3,3 -k4,4 | head -1");
    const std::string expected = lowest.empty() ? "127.0.0.1" : lowest;
    CStringA ip;
    ASSERT_EQ(GetIP(ip), 1);
    EXPECT_EQ(ip, expected);
    CStringA line;
    EXPECT_EQ(GetIPAddress(line), 1);
    EXPECT_EQ(line, "Local IP: " + expected);

    CStringA unchanged = "same";
    const GUID unknown{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(GetPCINFO(unknown, DIGCF_PRESENT, SPDRP_DEVICEDESC, unchanged), 0);
    EXPECT_EQ(unchanged, "same");
}

TEST(SystemInfo, LanguageFromTheLocaleSettings) {
    struct Case {
        const char* lcAll;
        int traditional;
        const char* lang;
    } cases[] = {
        {"zh_TW.UTF-8", 1, "Chinese(Traditional)"},
        {"en_US.UTF-8", 0, "\xAB" "D Chinese(Traditional)\xA1" "A 0x00000409\xA1" "C"},
    };
    for (const Case& c : cases) {
        ScopedEnv env;
        env.Set("LC_ALL", c.lcAll);
        EXPECT_EQ(IsDefaultLang_ChineseTraditional(), c.traditional) << c.lcAll;
        CStringA lang, description;
        EXPECT_EQ(GetLang(lang), 1);
        EXPECT_EQ(lang, c.lang);
        EXPECT_EQ(GetLangDescription(description), 1);
        EXPECT_EQ(description, "\xBBy\xA8t" + lang);
    }
}

TEST(SystemInfo, DefaultBrowserFromXdgSettings) {
    struct Case {
        const char* handler;      // nullptr: no mimeapps.list at all
        const char* desktopName;  // the entry's Name, nullptr: no desktop file
        const char* browserVariable;
        int result;
        const char* text;
    } cases[] = {
        {"ChromeHTML.desktop", nullptr, nullptr, 1, "Google Chrome"},
        {"firefox-esr.desktop", "Firefox ESR", nullptr, 1, "Firefox ESR"},  // no "Firefox": case matters
        {"edge.desktop", "MicrosoftEdge Beta", nullptr, 1, "Microsoft Edge"},
        {"surf.desktop", nullptr, nullptr, 1, "surf.desktop"},
        {nullptr, nullptr, "/usr/bin/Firefox --new-tab", 1, "Mozilla Firefox"},
        {nullptr, nullptr, nullptr, 0, "before"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ScopedEnv env;
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            env.Set(name, dir.File(name).c_str());  // each a folder of its own name
        env.Set("BROWSER", c.browserVariable);
        if (c.handler)
            dir.Write("XDG_CONFIG_DIRS/mimeapps.list",
                      "[Default Applications]\nx-scheme-handler/http=" + std::string(c.handler) + ";\n");
        if (c.desktopName)
            dir.Write(std::string("XDG_DATA_DIRS/applications/") + c.handler,
                      std::string("[Desktop Entry]\nName[zh_TW]=X\nName=") + c.desktopName + "\n");
        CStringA text = "before";
        EXPECT_EQ(GetDefaultBrowser(text), c.result) << (c.handler ? c.handler : "none");
        EXPECT_EQ(text, c.text);
        CStringA description = "before";
        EXPECT_EQ(GetIEDescription(description), c.result);
        EXPECT_EQ(description,
                  c.result ? "\xB9w\xB3]\xC2s\xC4\xFD\xBE\xB9\xAC\xB0" + text + "\xA1" "C" : "before");
    }
}

TEST(SystemInfo, PathsAndFileVersions) {
    TempDir dir;
    ScopedEnv env;
    env.Set("HOME", dir.File("home").c_str());
    struct Case {
        const char* dataHome;  // relative to the temporary directory; "" unsets it
        bool create;
        int result;
    } cases[] = {
        {"xdg", true, 1}, {"missing", false, 0}, {"", true, 1},
    };
    for (const Case& c : cases) {
        const std::string expected = dir.File(*c.dataHome ? c.dataHome : "home/.local/share");
        if (c.create)
            fs::create_directories(expected);
        env.Set("XDG_DATA_HOME", *c.dataHome ? expected.c_str() : nullptr);
        CStringA path = "before";
        EXPECT_EQ(GetAPPDataPath(path), c.result) << c.dataHome;
        EXPECT_EQ(path, c.result ? expected : "before");
    }

    dir.Write("app.exe", TeskTest::PeWithVersion(10, 0, 19041, 1));
    fs::copy_file("/proc/self/exe", dir.File("libtesk.so.2.5"));
    fs::copy_file("/proc/self/exe", dir.File("plainprogram"));
    struct FileCase {
        const char* name;
        int result;
        const char* version;
    } files[] = {
        {"app.exe", 1, "10.0.19041.1"}, {"libtesk.so.2.5", 1, "2.5.0.0"}, {"plainprogram", 0, "before"},
        {"absent.dll", 0, "before"},
    };
    for (const FileCase& f : files) {
        CStringA version = "before";
        EXPECT_EQ(GetFileVersionOfApplication(dir.File(f.name), version), f.result) << f.name;
        EXPECT_EQ(version, f.version);
    }
}

}  // namespace
