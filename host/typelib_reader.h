// Reads the attributes of an MSFT-format type library (the format Windows
// tools write) from its bytes: header, GUID table and type-info entries, as
// far as the library identifier, version, locale, system kind and coclass
// identifiers. Every offset and count is checked against the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tesk/types.h"

namespace TeskUtility::detail {

// What identifies a registration: library identifier, version, locale and system kind.
struct TypeLibKey {
    GUID libid{};
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint32_t lcid = 0;
    std::uint32_t syskind = 0;
};

struct TypeLibAttributes : TypeLibKey {
    std::vector<GUID> coclasses;
};

inline bool SameGuid(const GUID& a, const GUID& b) {
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3;
}

// False when the bytes are no MSFT type library or lie about their sizes.
bool ReadTypeLib(const unsigned char* data, std::size_t size, TypeLibAttributes& out);
// The same from a file (type libraries larger than 64 MB are refused).
bool ReadTypeLibFile(const std::string& path, TypeLibAttributes& out);

}  // namespace TeskUtility::detail
