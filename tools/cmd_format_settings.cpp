// teskutil format-settings save|load FILE: write the format states, or load a
// (possibly hand-edited) file and show the quote board with it.
#include <cstdio>

#include "command.h"
#include "quote_board.h"
#include "replace_file.h"
#include "tesk/format.h"

namespace {

int RunFormatSettings(teskutil::Args& args) {
    const auto words = args.Positionals(2, 2);
    const std::string& action = words[0];
    const std::string& path = words[1];
    if (action == "save") {
        teskutil::ReplacedFile output(path);
        if (TeskUtility::SaveFormatSetting(output.TempPath().c_str())) {
            output.Commit();
            return 0;
        }
        std::fprintf(stderr, "teskutil format-settings: cannot write %s\n", path.c_str());
        return 1;
    }
    if (action == "load") {
        if (!TeskUtility::LoadFormatSetting(path.c_str())) {
            std::fprintf(stderr, "teskutil format-settings: cannot read %s\n", path.c_str());
            return 1;
        }
        teskutil::PrintQuoteBoard("== " + path + " ==");
        return 0;
    }
    throw teskutil::UsageError("unknown action " + action);
}

}  // namespace

static const teskutil::CommandRegistrar kFormatSettingsCommand(
    {"format-settings", "format-settings save|load FILE", "save the format states, or load a file and show the board",
     RunFormatSettings});
