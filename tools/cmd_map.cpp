// teskutil map dump: print a serialized map's entries.
#include <cstdio>
#include <string>

#include "command.h"
#include "map_view.h"
#include "output.h"

static int Run(teskutil::Args& args) {
    const bool wide = args.Flag("--utf16");
    const auto pos = args.Positionals(2, 2);
    if (pos[0] != "dump") throw teskutil::UsageError("unknown action " + pos[0]);
    CTeskSerializableMap map(wide ? 1 : 0);
    std::string damaged;
    if (!teskutil::LoadMapFile(pos[1], map, damaged)) {
        std::fprintf(stderr, "teskutil map: %s is not a serialized map (%s)\n", pos[1].c_str(), damaged.c_str());
        return 1;
    }
    teskutil::DumpMap(map, [](const std::string& line) { teskutil::PrintAnsiLine(line); });
    return 0;
}

TESKUTIL_COMMAND(map, "map dump FILE [--utf16]", "print the entries of a serialized map", Run);
