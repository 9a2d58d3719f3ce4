// teskutil typelib: the attributes of a type-library file.
#include <cstdio>
#include <vector>

#include "command.h"
#include "tesk/host_typelib.h"

namespace {

const char* SysKindName(SYSKIND kind) {
    switch (kind) {
        case SYS_WIN16: return "win16";
        case SYS_WIN32: return "win32";
        case SYS_MAC: return "mac";
        case SYS_WIN64: return "win64";
    }
    return "unknown";
}

int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    GUID libid{};
    unsigned short major = 0, minor = 0;
    LCID lcid = 0;
    SYSKIND syskind = SYS_WIN32;
    std::vector<GUID> classes;
    if (!TeskUtility::QueryTypeLibAttr(pos[0].c_str(), &libid, &major, &minor, &lcid, &syskind, &classes)) {
        std::fprintf(stderr, "teskutil typelib: %s: not a type library\n", pos[0].c_str());
        return 1;
    }
    std::printf("library  %s\nversion  %u.%u\nlocale   0x%04X\nsystem   %s\n", TeskUtility::StringFromCLSID(libid).c_str(),
                major, minor, lcid, SysKindName(syskind));
    for (const GUID& c : classes) std::printf("coclass  %s\n", TeskUtility::StringFromCLSID(c).c_str());
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(typelib, "typelib FILE.tlb", "identifier, version, locale, system kind and coclasses of a type library",
                 Run);
