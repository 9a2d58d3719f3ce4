// teskutil map dump: print a serialized map's entries.
#include <cstdio>
#include <string>

#include "command.h"
#include "map_view.h"
#include "output.h"
#include "tesk/settings_archive.h"
#include "tesk/settings_file.h"
#include "tesk/settings_map.h"

static int Run(teskutil::Args& args) {
    const bool wide = args.Flag("--utf16");
    const auto pos = args.Positionals(2, 2);
    if (pos[0] != "dump") throw teskutil::UsageError("unknown action " + pos[0]);
    CFile file(pos[1], CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(file, CArchive::load);
    CTeskSerializableMap map(wide ? 1 : 0);
    try {
        map.Serialize(ar);
    } catch (const CUserException&) {
        return 1;  // the damaged-file message has been shown
    }
    teskutil::DumpMap(map, [](const std::string& line) { teskutil::PrintAnsiLine(line); });
    return 0;
}

TESKUTIL_COMMAND(map, "map dump FILE [--utf16]", "print the entries of a serialized map", Run);
