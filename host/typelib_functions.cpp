// The free type-library functions over the MSFT reader and the registration records.
#include <cstdio>

#include "host/typelib_reader.h"
#include "host/typelib_records.h"
#include "tesk/host_typelib.h"

namespace TeskUtility {

CStringA StringFromCLSID(const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

int IsTypeLib(const char* path) {
    detail::TypeLibAttributes attrs;
    return path != nullptr && detail::ReadTypeLibFile(path, attrs) ? 1 : 0;
}

int TypeLibExists(const GUID& libid, unsigned short major, unsigned short minor, LCID lcid) {
    std::string path;
    detail::TypeLibAttributes attrs;
    if (!detail::FindTypeLibRecord(libid, major, minor, lcid, path) || !detail::ReadTypeLibFile(path, attrs)) return 0;
    return detail::SameGuid(attrs.libid, libid) && attrs.major == major && attrs.minor == minor && attrs.lcid == lcid
               ? 1
               : 0;
}

int QueryTypeLibAttr(const char* path, GUID* libid, unsigned short* major, unsigned short* minor, LCID* lcid,
                     SYSKIND* syskind, std::vector<GUID>* coclasses) {
    detail::TypeLibAttributes attrs;
    if (path == nullptr || !detail::ReadTypeLibFile(path, attrs)) return 0;
    if (libid != nullptr) *libid = attrs.libid;
    if (major != nullptr) *major = attrs.major;
    if (minor != nullptr) *minor = attrs.minor;
    if (lcid != nullptr) *lcid = attrs.lcid;
    if (syskind != nullptr) *syskind = static_cast<SYSKIND>(attrs.syskind);
    if (coclasses != nullptr) coclasses->insert(coclasses->end(), attrs.coclasses.begin(), attrs.coclasses.end());
    return 1;
}

int TypeLibCoClassExists(const GUID& clsid) {
    if (detail::SameGuid(clsid, GUID{})) return 0;
    return detail::ClassRegistered(clsid) ? 1 : 0;
}

}  // namespace TeskUtility
