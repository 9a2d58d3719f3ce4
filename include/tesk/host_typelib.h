// Plug-in modules with type libraries, registered while the application runs.
//
//   CSelfRegTypeLibMgr mgr;
//   mgr.Initialize();                                   // per-user records
//   std::vector<GUID> classes;
//   if (mgr.RegisterTypeLib("/opt/app/plugins/quotes.so", classes)) { ... }
//   mgr.Finalize();                                     // undoes every registration
//
// A plug-in module is a shared object exporting DllRegisterServer and
// DllUnregisterServer; its type library (an MSFT-format file) lies beside it
// with the extension .tlb ("quotes.so" and "quotes.tlb"), and either path may
// be given. Registrations are recorded per user under
// $XDG_DATA_HOME/TeskUtilityLib/typelibs (machine-wide under
// /var/lib/TeskUtilityLib/typelibs only when no user folder exists and that one
// is writable). Paths are narrow strings passed to the file system as they are.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "tesk/types.h"

enum SYSKIND { SYS_WIN16 = 0, SYS_WIN32 = 1, SYS_MAC = 2, SYS_WIN64 = 3 };

namespace TeskUtility {

// "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", upper-case.
CStringA StringFromCLSID(const GUID& clsid);
// 1 when the file reads as a type library.
int IsTypeLib(const char* path);
// 1 when a registered type library of that identifier, version and locale still reads.
int TypeLibExists(const GUID& libid, unsigned short major, unsigned short minor, LCID lcid);
// Fills each non-null output from the type library file; the list receives every coclass identifier.
int QueryTypeLibAttr(const char* path, GUID* libid, unsigned short* major, unsigned short* minor, LCID* lcid,
                     SYSKIND* syskind, std::vector<GUID>* coclasses);
// 1 when a registered module's type library names that class and the module is still there; 0 for all-zero.
int TypeLibCoClassExists(const GUID& clsid);

}  // namespace TeskUtility

class CSelfRegTypeLibMgr {
public:
    CSelfRegTypeLibMgr() = default;
    CSelfRegTypeLibMgr(const CSelfRegTypeLibMgr&) = delete;
    CSelfRegTypeLibMgr& operator=(const CSelfRegTypeLibMgr&) = delete;
    // Finalizes when still initialised.
    virtual ~CSelfRegTypeLibMgr();

    int Initialize();
    int Finalize();

    // Registers the module and its type library; appends the library's coclass identifiers.
    int RegisterTypeLib(const char* path, std::vector<GUID>& classes);
    // The same, giving the first coclass identifier (all zero when there is none).
    int RegisterTypeLib(const char* path, GUID* firstClass);
    int UnRegisterTypeLib(const GUID& libid);

protected:
    using EntryPoint = HRESULT (*)();
    struct _SSelfRegTypeLibData {
        void* hModule = nullptr;
        EntryPoint pfnDllRegisterServer = nullptr;
        EntryPoint pfnDllUnregisterServer = nullptr;
        GUID guid{};
        LCID lcid = 0;
        SYSKIND syskind = SYS_WIN32;
        unsigned short wMajorVerNum = 0;
        unsigned short wMinorVerNum = 0;
        int bRegTypeLib = 0;
        int bRegModule = 0;
        std::string typeLibPath;
        std::string modulePath;
        std::vector<GUID> classes;
    };
    struct SGuidLess {
        bool operator()(const GUID& a, const GUID& b) const;
    };

    int LoadSelfRegTypeLib(const char* path, _SSelfRegTypeLibData& data);
    void FreeSelfRegTypeLib(_SSelfRegTypeLibData& data);
    void ClearRegisterTypeLib();
    int IsAllowAccessHKLM();
    int InitializeOleaut32();
    void FinalizeOleaut32();

private:
    // Undoes what a registration did so far, in reverse order, and unloads the module.
    void Undo(_SSelfRegTypeLibData& data);

    int m_bInitialized = 0;
    std::mutex m_lock;
    std::map<GUID, _SSelfRegTypeLibData, SGuidLess> m_mapRegTypeLib;
    // The chosen record folder: per user, or machine-wide.
    std::string m_recordFolder;
    int m_bPerUser = 0;
};
