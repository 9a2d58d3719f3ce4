#include "host/typelib_records.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "tesk/host_typelib.h"

namespace fs = std::filesystem;

namespace TeskUtility::detail {
namespace {

std::mutex g_recordLock;

struct Record {
    std::string typeLib;
    std::string module;
    std::vector<std::string> classes;
    long refs = 0;
};

std::string FileName(const TypeLibKey& key) {
    char tail[64];
    std::snprintf(tail, sizeof tail, "-%u.%u-%X-%u", key.major, key.minor, key.lcid, key.syskind);
    return StringFromCLSID(key.libid) + tail;
}

bool Read(const fs::path& file, Record& r) {
    std::ifstream in(file);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string name = line.substr(0, eq), value = line.substr(eq + 1);
        if (name == "typelib") r.typeLib = value;
        else if (name == "module") r.module = value;
        else if (name == "class") r.classes.push_back(value);
        else if (name == "refs") r.refs = std::strtol(value.c_str(), nullptr, 10);
    }
    return true;
}

// Written beside and renamed over, so a reader never sees half a record.
bool Write(const fs::path& file, const Record& r) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    std::ostringstream tmpName;
    tmpName << file.string() << ".tmp" << ::getpid() << '-' << std::this_thread::get_id();
    const fs::path tmp = tmpName.str();
    {
        std::ofstream out(tmp, std::ios::trunc);
        out << "typelib=" << r.typeLib << '\n';
        if (!r.module.empty()) out << "module=" << r.module << '\n';
        for (const auto& c : r.classes) out << "class=" << c << '\n';
        out << "refs=" << r.refs << '\n';
        if (!out.flush()) {
            fs::remove(tmp, ec);
            return false;
        }
    }
    fs::rename(tmp, file, ec);
    if (ec) fs::remove(tmp, ec);
    return !ec;
}

template <typename Visit>
void ForEachRecord(Visit&& visit) {
    for (const std::string& folder : {UserRecordFolder(), MachineRecordFolder()}) {
        std::error_code ec;
        if (folder.empty() || !fs::is_directory(folder, ec)) continue;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            Record r;
            if (entry.path().filename().string().find(".tmp") == std::string::npos && Read(entry.path(), r) &&
                visit(entry.path().filename().string(), r))
                return;
        }
    }
}

}  // namespace

std::string UserRecordFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return std::string(data) + "/TeskUtilityLib/typelibs";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/share/TeskUtilityLib/typelibs";
    return std::string();
}

std::string MachineRecordFolder() { return "/var/lib/TeskUtilityLib/typelibs"; }

bool FolderWritable(const std::string& folder) {
    fs::path p = folder;
    std::error_code ec;
    while (!p.empty() && !fs::exists(p, ec)) p = p.parent_path();
    return !p.empty() && ::access(p.c_str(), W_OK | X_OK) == 0;
}

bool AddTypeLibRecord(const std::string& folder, const TypeLibKey& key, const std::string& typeLibPath,
                      const std::vector<GUID>& classes) {
    std::lock_guard<std::mutex> hold(g_recordLock);
    const fs::path file = fs::path(folder) / FileName(key);
    Record r;
    Read(file, r);
    r.typeLib = typeLibPath;
    r.classes.clear();
    for (const GUID& c : classes) r.classes.push_back(StringFromCLSID(c));
    ++r.refs;
    return Write(file, r);
}

bool SetRecordModule(const std::string& folder, const TypeLibKey& key, const std::string& modulePath) {
    std::lock_guard<std::mutex> hold(g_recordLock);
    const fs::path file = fs::path(folder) / FileName(key);
    Record r;
    if (!Read(file, r)) return false;
    r.module = modulePath;
    return Write(file, r);
}

bool ReleaseTypeLibRecord(const std::string& folder, const TypeLibKey& key) {
    std::lock_guard<std::mutex> hold(g_recordLock);
    const fs::path file = fs::path(folder) / FileName(key);
    Record r;
    if (!Read(file, r)) return false;
    std::error_code ec;
    if (--r.refs <= 0) return fs::remove(file, ec);
    return Write(file, r);
}

bool FindTypeLibRecord(const GUID& libid, std::uint16_t major, std::uint16_t minor, std::uint32_t lcid,
                       std::string& typeLibPath) {
    std::lock_guard<std::mutex> hold(g_recordLock);
    char version[48];
    std::snprintf(version, sizeof version, "-%u.%u-%X-", major, minor, lcid);
    const std::string prefix = StringFromCLSID(libid) + version;
    bool found = false;
    ForEachRecord([&](const std::string& name, const Record& r) {
        if (name.compare(0, prefix.size(), prefix) != 0) return false;
        typeLibPath = r.typeLib;
        return found = true;
    });
    return found;
}

bool ClassRegistered(const GUID& clsid) {
    std::lock_guard<std::mutex> hold(g_recordLock);
    const std::string wanted = StringFromCLSID(clsid);
    bool found = false;
    ForEachRecord([&](const std::string&, const Record& r) {
        std::error_code ec;
        for (const auto& c : r.classes)
            if (c == wanted && !r.module.empty() && fs::exists(r.module, ec)) return found = true;
        return false;
    });
    return found;
}

}  // namespace TeskUtility::detail
