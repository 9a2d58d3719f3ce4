// Loads arbitrary bytes as a serialized map in both layouts and saves the
// result again: no input may crash, hang or leak.
#include <cstdint>
#include <vector>

#include "tesk/exceptions.h"
#include "tesk/platform.h"
#include "tesk/settings_archive.h"
#include "tesk/settings_map.h"
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
            continue;  // a damaged magic ends in CUserException
        }
        CMemFile out;
        CArchive ar(out, CArchive::store);
        map.Serialize(ar);
        ar.Close();
    }
    return 0;
}
