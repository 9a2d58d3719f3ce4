// teskutil capture: the screen, a rectangle or a window into an image file.
#include <cstdio>
#include <cstdint>

#include "command.h"
#include "platform/x11_display.h"
#include "tesk/imaging_capture.h"

static int Run(teskutil::Args& args) {
    const auto window = args.Option("--window");
    const auto rect = args.Values("--rect", 4);
    const std::int64_t mode = args.IntOption("--mode", 0);
    const bool panel = args.Flag("--panel");
    const std::string out = args.Positionals(1, 1)[0];
    if (mode < 0 || mode > 2) throw teskutil::UsageError("--mode is 0, 1 or 2");
    if (window && rect) throw teskutil::UsageError("--window and --rect exclude each other");
    std::int64_t r[4] = {};
    if (rect)
        for (int i = 0; i < 4; ++i) r[i] = teskutil::ParseInt((*rect)[i], "--rect");
    const std::uintptr_t id = window ? static_cast<std::uintptr_t>(std::strtoull(window->c_str(), nullptr, 0)) : 0;
    if (window && id == 0) throw teskutil::UsageError("--window takes a window id (decimal or 0x...)");

    if (!TeskUtility::x11::DisplayAvailable()) {
        std::fprintf(stderr, "teskutil capture: no display (is DISPLAY set?)\n");
        return 1;
    }
    CScreenImage shot(CStringA(), static_cast<int>(mode));
    shot.SetIsTAPanel(panel);
    const BOOL captured = window ? shot.CaptureWindow(reinterpret_cast<HWND>(id), 0)
                          : rect ? shot.CaptureRect(CRect(static_cast<std::int32_t>(r[0]), static_cast<std::int32_t>(r[1]),
                                                          static_cast<std::int32_t>(r[0] + r[2]),
                                                          static_cast<std::int32_t>(r[1] + r[3])), 0)
                                 : shot.CaptureScreen(0);
    if (!captured) {
        std::fprintf(stderr, "teskutil capture: %s\n", window ? "no such window" : "nothing to capture in that rectangle");
        return 1;
    }
    if (shot.Save(out) != S_OK) {
        std::fprintf(stderr, "teskutil capture: cannot write %s (BMP, PNG or JPEG by extension)\n", out.c_str());
        return 1;
    }
    std::printf("%dx%d -> %s\n", shot.GetWidth(), shot.GetHeight(), out.c_str());
    return 0;
}

TESKUTIL_COMMAND(capture, "capture OUT.png|jpg|bmp [--window ID] [--rect X Y W H] [--mode 0|1|2] [--panel]",
                 "capture the screen, a rectangle or a window (mode 1 black and white, 2 print palette)", Run);
