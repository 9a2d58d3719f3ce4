// The default web browser from the XDG settings: the desktop entry that handles http, named by the
// host's rules for program identifiers.
#include <cstdlib>
#include <string>
#include <vector>

#include "host/system_parsers.h"
#include "host/system_probe.h"
#include "tesk/host_sysinfo.h"
#include "tesk/platform.h"

namespace TeskUtility {
namespace {

// A colon-separated XDG search path, or its default when unset or empty.
std::vector<std::string> SearchPath(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    std::string list = value && *value ? value : fallback;
    std::vector<std::string> dirs;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = list.find(':', start);
        const std::string dir = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty() && dir[0] == '/')
            dirs.push_back(dir);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return dirs;
}

std::string ConfigHome() {
    const char* value = std::getenv("XDG_CONFIG_HOME");
    return value && value[0] == '/' ? value : detail::HomeDirectory() + "/.config";
}

std::string DataHome() {
    const char* value = std::getenv("XDG_DATA_HOME");
    return value && value[0] == '/' ? value : detail::HomeDirectory() + "/.local/share";
}

// Data directories in XDG order: the user's first.
std::vector<std::string> DataDirs() {
    std::vector<std::string> dirs{DataHome()};
    for (const std::string& dir : SearchPath("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        dirs.push_back(dir);
    return dirs;
}

// The desktop id of the first mimeapps.list that names a default for http.
std::string HttpHandler() {
    std::vector<std::string> lists{ConfigHome() + "/mimeapps.list"};
    for (const std::string& dir : SearchPath("XDG_CONFIG_DIRS", "/etc/xdg"))
        lists.push_back(dir + "/mimeapps.list");
    for (const std::string& dir : DataDirs())
        lists.push_back(dir + "/applications/mimeapps.list");
    for (const std::string& path : lists) {
        std::string text;
        std::string value;
        if (!detail::ReadWholeFile(path, text) ||
            !detail::DesktopEntryValue(text, "Default Applications", "x-scheme-handler/http", value))
            continue;
        const std::string first = value.substr(0, value.find(';'));
        if (!first.empty())
            return first;
    }
    return {};
}

// The unlocalised Name of a desktop entry; empty when it cannot be found.
std::string DesktopEntryName(const std::string& desktopId) {
    for (const std::string& dir : DataDirs()) {
        std::string text;
        std::string name;
        if (detail::ReadWholeFile(dir + "/applications/" + desktopId, text) &&
            detail::DesktopEntryValue(text, "Desktop Entry", "Name", name))
            return name;
    }
    return {};
}

const char* KnownBrowser(const std::string& id) {
    static constexpr struct {
        const char* text;
        const char* name;
    } kKnown[] = {
        {"Internet Explorer", "Internet Explorer"}, {"IE.HTTP", "Internet Explorer"}, {"MSEdge", "Microsoft Edge"},
        {"Firefox", "Mozilla Firefox"},             {"Chrome", "Google Chrome"},
    };
    for (const auto& entry : kKnown)
        if (id.find(entry.text) != std::string::npos)
            return entry.name;
    return nullptr;
}

}  // namespace

int GetDefaultBrowser(CStringA& text) {
    const std::string id = HttpHandler();
    if (!id.empty()) {
        if (const char* known = KnownBrowser(id)) {
            text = known;
            return 1;
        }
        // The entry's own name stands in for the identifier's friendly type name.
        const std::string name = DesktopEntryName(id);
        text = name.find("MicrosoftEdge") != std::string::npos ? std::string("Microsoft Edge")
               : !name.empty()                                  ? Utf8ToAnsi(name)
                                                                : Utf8ToAnsi(id);
        return 1;
    }
    // No user choice: the command that opens web pages ($BROWSER) stands in for http's open command.
    const char* command = std::getenv("BROWSER");
    const std::string open = command ? command : "";
    for (const auto& [needle, name] : {std::pair{"Internet Explorer", "Internet Explorer"},
                                       std::pair{"Firefox", "Mozilla Firefox"}, std::pair{"Chrome", "Google Chrome"}}) {
        if (open.find(needle) != std::string::npos) {
            text = name;
            return 1;
        }
    }
    return 0;
}

}  // namespace TeskUtility
