// teskutil map dump: print a serialized map's entries.
#include <cstdio>
#include <string>

#include "command.h"
#include "tesk/platform.h"
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
    std::string shown;
    const auto saved = TeskUtility::GetMessageBoxHandler();
    TeskUtility::SetMessageBoxHandler([&](const std::string& text, const std::string&, unsigned) {
        shown = teskutil::LibraryMessageText(text);
        return TeskUtility::IDOK;
    });
    try {
        map.Serialize(ar);
    } catch (const CUserException&) {
        TeskUtility::SetMessageBoxHandler(saved);
        std::fprintf(stderr, "teskutil map: %s is not a serialized map (%s)\n", pos[1].c_str(), shown.c_str());
        return 1;
    }
    TeskUtility::SetMessageBoxHandler(saved);
    teskutil::DumpMap(map, [](const std::string& line) { teskutil::PrintAnsiLine(line); });
    return 0;
}

TESKUTIL_COMMAND(map, "map dump FILE [--utf16]", "print the entries of a serialized map", Run);
