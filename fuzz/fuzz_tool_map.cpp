// teskutil's map path on arbitrary bytes: the file load (with the damaged-file
// message caught) and the dump, in both layouts. No input may crash or hang,
// and every entry the map counts must reach the dump.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "map_view.h"
#include "tesk/exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/tesk-fuzz-tool-" + std::to_string(::getpid()) + ".map";
    if (!std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), size)) return 0;
    for (const int wide : {0, 1}) {
        CTeskSerializableMap map(wide);
        std::string damaged;
        try {
            if (!teskutil::LoadMapFile(path, map, damaged)) {
                if (damaged.empty()) __builtin_trap();  // a refusal always says why
                continue;
            }
        } catch (const CException&) {
            continue;  // the tool reports file errors with their message
        }
        std::size_t lines = 0;
        teskutil::DumpMap(map, [&](const std::string&) { ++lines; });
        if (lines != map.GetCount()) __builtin_trap();
    }
    return 0;
}
