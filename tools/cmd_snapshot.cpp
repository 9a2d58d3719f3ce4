// teskutil snapshot: a half-size picture of the whole screen.
#include <cstdio>

#include "command.h"
#include "platform/x11_display.h"
#include "tesk/imaging_capture.h"

static int Run(teskutil::Args& args) {
    const std::string path = args.Positionals(1, 1)[0];
    if (!TeskUtility::x11::DisplayAvailable()) {
        std::fprintf(stderr, "teskutil snapshot: no display (is DISPLAY set?)\n");
        return 1;
    }
    if (!TeskUtility::SaveSnapshot(nullptr, nullptr, path)) {
        std::fprintf(stderr, "teskutil snapshot: cannot write %s\n", path.c_str());
        return 1;
    }
    const bool renamed = path.size() > 4 && path.compare(path.size() - 4, 4, ".jpg") == 0;
    std::printf("%s\n", renamed ? (path.substr(0, path.size() - 4) + ".quorin").c_str() : path.c_str());
    return 0;
}

TESKUTIL_COMMAND(snapshot, "snapshot PATH.jpg", "save a half-size screen picture as PATH.quorin (a JPEG)", Run);
