// Loads arbitrary bytes as a serialized map in both layouts, looks every listed
// key up again and saves the result: no input may crash, hang or leak, and
// every key the list hands out must be one that a query finds.
#include <cstdint>
#include <vector>

#include "tesk/exceptions.h"
#include "tesk/platform.h"
#include "tesk/settings_archive.h"
#include "tesk/settings_map.h"
#include "tesk/settings_memfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    [[maybe_unused]] static const bool quiet = [] {
        TeskUtility::SetMessageBoxHandler(
            [](const std::string&, const std::string&, unsigned) { return TeskUtility::IDOK; });
        return true;
    }();
    std::vector<unsigned char> bytes(data, data + size);
    for (const int wide : {0, 1}) {
        CTeskSerializableMap map(wide);
        try {
            CMemFile mem(bytes.data(), static_cast<unsigned>(bytes.size()), 0);
            CArchive in(mem, CArchive::load);
            map.Serialize(in);
        } catch (const CException&) {
            continue;  // a damaged magic ends in CUserException
        }
        std::vector<const char*> keys(map.GetCount());
        const std::uint32_t n = map.GetKeyList(keys.data(), static_cast<std::uint32_t>(keys.size()));
        for (std::uint32_t i = 0; i < n; ++i)
            if (!keys[i] || !map.QueryString(keys[i])) __builtin_trap();
        CMemFile out;
        CArchive ar(out, CArchive::store);
        map.Serialize(ar);
        ar.Close();
    }
    return 0;
}
