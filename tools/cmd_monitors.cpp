#include <cstdio>
#include <optional>

#include "command.h"
#include "tesk/host_monitors.h"

namespace {

void PrintRect(const char* label, const RECT& r) {
    std::printf("  %-10s (%d,%d)-(%d,%d)  %dx%d\n", label, r.left, r.top, r.right, r.bottom, r.right - r.left,
                r.bottom - r.top);
}

// Reads N integers of an option's value and the positionals that follow it ("--clip X Y W H").
std::optional<std::vector<int>> Numbers(std::vector<std::string>& rest, std::size_t at, std::size_t count,
                                        const char* what) {
    if (at + count > rest.size())
        throw teskutil::UsageError(std::string(what) + " needs " + std::to_string(count) + " numbers");
    std::vector<int> values;
    for (std::size_t i = 0; i < count; ++i)
        values.push_back(static_cast<int>(teskutil::ParseInt(rest[at + i], what)));
    return values;
}

int Run(teskutil::Args& args) {
    const bool center = args.Flag("--center");
    const bool clip = args.Flag("--clip");
    auto pos = args.Positionals(0, 6);
    std::optional<std::vector<int>> centerSize, clipRect;
    std::size_t at = 0;
    if (center) {
        centerSize = Numbers(pos, at, 2, "--center W H");
        at += 2;
    }
    if (clip) {
        clipRect = Numbers(pos, at, 4, "--clip X Y W H");
        at += 4;
    }
    if (at != pos.size())
        throw teskutil::UsageError("unexpected arguments");

    CMonitors monitors;
    if (monitors.GetCount() == 0) {
        std::fprintf(stderr, "teskutil monitors: no display (set DISPLAY)\n");
        return 1;
    }
    CRect desktop;
    CMonitors::GetVirtualDesktopRect(&desktop);
    std::printf("%d monitor(s); virtual screen origin (%d,%d), size %dx%d\n", monitors.GetCount(), desktop.left,
                desktop.top, desktop.right, desktop.bottom);
    for (int i = 0; i < monitors.GetCount(); ++i) {
        const CMonitor monitor = monitors.GetMonitor(i);
        CStringA name;
        monitor.GetName(name);
        std::printf("%d: %s%s, %d bits per pixel\n", i, name.c_str(), monitor.IsPrimaryMonitor() ? " (primary)" : "",
                    monitor.GetBitsPerPixel());
        CRect rect, work;
        monitor.GetMonitorRect(&rect);
        monitor.GetWorkAreaRect(&work);
        PrintRect("monitor", rect);
        PrintRect("work area", work);
        if (centerSize) {
            RECT r{0, 0, (*centerSize)[0], (*centerSize)[1]};
            monitor.CenterRectToMonitor(&r, 1);
            PrintRect("centred", r);
        }
        if (clipRect) {
            const auto& c = *clipRect;
            RECT r{c[0], c[1], c[0] + c[2], c[1] + c[3]};
            monitor.ClipRectToMonitor(&r, 1);
            PrintRect("clipped", r);
        }
    }
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(monitors, "monitors [--center W H] [--clip X Y W H]",
                 "monitors with rectangles and work areas; where a rectangle is centred or clipped on each", Run);
