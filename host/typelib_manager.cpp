// CSelfRegTypeLibMgr: registers plug-in modules and their type libraries and
// undoes every step it took, on failure, on request and at the end.
#include <filesystem>
#include <tuple>

#include "host/plugin_module.h"
#include "host/typelib_reader.h"
#include "host/typelib_records.h"
#include "tesk/host_typelib.h"

namespace fs = std::filesystem;
using namespace TeskUtility;

namespace {

// "quotes.so" and "quotes.tlb" belong together; either may be given.
void ResolvePaths(const char* path, std::string& module, std::string& typeLib) {
    const fs::path given = fs::absolute(fs::path(path));
    fs::path other = given;
    if (given.extension() == ".tlb") {
        typeLib = given.string();
        module = other.replace_extension(".so").string();
    } else {
        module = given.string();
        typeLib = other.replace_extension(".tlb").string();
    }
}

detail::TypeLibKey KeyOf(const GUID& libid, unsigned short major, unsigned short minor, LCID lcid, SYSKIND syskind) {
    return {libid, major, minor, lcid, static_cast<std::uint32_t>(syskind)};
}

}  // namespace

bool CSelfRegTypeLibMgr::SGuidLess::operator()(const GUID& a, const GUID& b) const {
    return std::tie(a.Data1, a.Data2, a.Data3) < std::tie(b.Data1, b.Data2, b.Data3) ||
           (std::tie(a.Data1, a.Data2, a.Data3) == std::tie(b.Data1, b.Data2, b.Data3) &&
            std::lexicographical_compare(a.Data4, a.Data4 + 8, b.Data4, b.Data4 + 8));
}

CSelfRegTypeLibMgr::~CSelfRegTypeLibMgr() {
    if (m_bInitialized) Finalize();
    m_mapRegTypeLib.clear();
}

int CSelfRegTypeLibMgr::Initialize() {
    if (m_bInitialized) return 0;
    if (!InitializeOleaut32()) return 0;
    m_bInitialized = 1;
    return 1;
}

int CSelfRegTypeLibMgr::Finalize() {
    if (!m_bInitialized) return 0;
    ClearRegisterTypeLib();
    FinalizeOleaut32();
    m_bInitialized = 0;
    return 1;
}

// Per-user records first, as a user-level registration is preferred; the machine folder only
// when there is no user folder and it is writable.
int CSelfRegTypeLibMgr::InitializeOleaut32() {
    const std::string user = detail::UserRecordFolder();
    if (!user.empty()) {
        m_recordFolder = user;
        m_bPerUser = 1;
        return 1;
    }
    if (IsAllowAccessHKLM()) {
        m_recordFolder = detail::MachineRecordFolder();
        m_bPerUser = 0;
        return 1;
    }
    FinalizeOleaut32();
    return 0;
}

void CSelfRegTypeLibMgr::FinalizeOleaut32() {
    m_recordFolder.clear();
    m_bPerUser = 0;
}

int CSelfRegTypeLibMgr::IsAllowAccessHKLM() { return detail::FolderWritable(detail::MachineRecordFolder()) ? 1 : 0; }

int CSelfRegTypeLibMgr::LoadSelfRegTypeLib(const char* path, _SSelfRegTypeLibData& data) {
    ResolvePaths(path, data.modulePath, data.typeLibPath);
    data.hModule = detail::LoadPluginModule(data.modulePath, data.pfnDllRegisterServer, data.pfnDllUnregisterServer);
    if (data.hModule == nullptr) return 0;
    detail::TypeLibAttributes attrs;
    if (!detail::ReadTypeLibFile(data.typeLibPath, attrs)) {
        FreeSelfRegTypeLib(data);
        return 0;
    }
    data.guid = attrs.libid;
    data.lcid = attrs.lcid;
    data.syskind = static_cast<SYSKIND>(attrs.syskind);
    data.wMajorVerNum = attrs.major;
    data.wMinorVerNum = attrs.minor;
    return 1;
}

void CSelfRegTypeLibMgr::FreeSelfRegTypeLib(_SSelfRegTypeLibData& data) {
    detail::UnloadPluginModule(data.hModule);
    data.hModule = nullptr;
    data.pfnDllRegisterServer = data.pfnDllUnregisterServer = nullptr;
}

void CSelfRegTypeLibMgr::Undo(_SSelfRegTypeLibData& data) {
    if (data.bRegModule) data.pfnDllUnregisterServer();
    if (data.bRegTypeLib)
        detail::ReleaseTypeLibRecord(
            m_recordFolder, KeyOf(data.guid, data.wMajorVerNum, data.wMinorVerNum, data.lcid, data.syskind));
    data.bRegModule = data.bRegTypeLib = 0;
    FreeSelfRegTypeLib(data);
}

int CSelfRegTypeLibMgr::RegisterTypeLib(const char* path, std::vector<GUID>& classes) {
    if (!m_bInitialized || path == nullptr || path[0] == '\0') return 0;
    std::string module, typeLib;
    ResolvePaths(path, module, typeLib);
    if (!IsTypeLib(typeLib.c_str())) return 0;

    _SSelfRegTypeLibData data;
    if (!LoadSelfRegTypeLib(path, data)) return 0;
    detail::TypeLibAttributes attrs;
    if (!detail::ReadTypeLibFile(data.typeLibPath, attrs)) {
        Undo(data);
        return 0;
    }
    const auto key = KeyOf(data.guid, data.wMajorVerNum, data.wMinorVerNum, data.lcid, data.syskind);
    if (!detail::AddTypeLibRecord(m_recordFolder, key, data.typeLibPath, attrs.coclasses)) {
        Undo(data);
        return 0;
    }
    data.bRegTypeLib = 1;
    if (data.pfnDllRegisterServer() < 0) {
        Undo(data);
        return 0;
    }
    data.bRegModule = 1;
    detail::SetRecordModule(m_recordFolder, key, data.modulePath);

    bool inserted = false;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        inserted = m_mapRegTypeLib.emplace(data.guid, data).second;
    }
    if (!inserted) {
        Undo(data);  // the identifier is registered already; that registration stays
        return 0;
    }
    classes.insert(classes.end(), attrs.coclasses.begin(), attrs.coclasses.end());
    return 1;
}

int CSelfRegTypeLibMgr::RegisterTypeLib(const char* path, GUID* firstClass) {
    std::vector<GUID> classes;
    if (!RegisterTypeLib(path, classes)) return 0;
    if (firstClass != nullptr) *firstClass = classes.empty() ? GUID{} : classes.front();
    return 1;
}

int CSelfRegTypeLibMgr::UnRegisterTypeLib(const GUID& libid) {
    if (!m_bInitialized) return 0;
    std::lock_guard<std::mutex> hold(m_lock);
    auto it = m_mapRegTypeLib.find(libid);
    if (it == m_mapRegTypeLib.end()) return 0;
    Undo(it->second);
    m_mapRegTypeLib.erase(it);
    return 1;
}

void CSelfRegTypeLibMgr::ClearRegisterTypeLib() {
    std::vector<GUID> ids;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        for (const auto& entry : m_mapRegTypeLib) ids.push_back(entry.first);
    }
    for (const GUID& id : ids) UnRegisterTypeLib(id);
}
