// teskutil's map dump on arbitrary bytes in both layouts: no input may crash
// or hang, and every dumped line comes from a key that a query found.
#include <cstdint>
#include <vector>

#include "map_view.h"
#include "tesk/exceptions.h"
#include "tesk/platform.h"
#include "tesk/settings_archive.h"
#include "tesk/settings_memfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        TeskUtility::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return TeskUtility::IDOK; });
        return true;
    }();
    (void)quiet;
    std::vector<unsigned char> bytes(data, data + size);
    for (const int wide : {0, 1}) {
        CTeskSerializableMap map(wide);
        try {
            CMemFile mem(bytes.data(), static_cast<unsigned>(bytes.size()), 0);
            CArchive in(mem, CArchive::load);
            map.Serialize(in);
        } catch (const CException&) {
            continue;
        }
        std::size_t lines = 0;
        teskutil::DumpMap(map, [&](const std::string&) { ++lines; });
        if (lines != map.GetCount()) __builtin_trap();
    }
    return 0;
}
