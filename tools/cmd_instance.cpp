#include <signal.h>

#include <atomic>
#include <cstdint>
#include <cstdio>

#include "command.h"
#include "tesk/host_instance.h"

namespace {

std::atomic<bool> g_stop{false};
void OnSignal(int) { g_stop = true; }

unsigned long Id(HWND window) { return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(window)); }

int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    TeskUtility::SetApplicationName(pos[0]);
    HWND window = TeskUtility::CreateNotifyWindow();
    if (!window) {
        std::fprintf(stderr, "teskutil instance: no display (set DISPLAY)\n");
        return 1;
    }
    CSingleInstance guard;
    if (guard.PreviousInstanceRunning()) {
        const HWND first = guard.NotifyPreviousInstance();
        std::printf("another copy of %s is running: notified window 0x%lx\n", pos[0].c_str(), Id(first));
        TeskUtility::DestroyNotifyWindow(window);
        return 3;
    }
    TeskUtility::SetThreadMainWindow(window);
    if (!guard.TrackFirstInstanceRunning()) {
        std::fprintf(stderr, "teskutil instance: cannot create the shared block for %s\n", pos[0].c_str());
        TeskUtility::DestroyNotifyWindow(window);
        return 1;
    }
    // Handlers first: whoever reads the line below may stop us at once.
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::printf("first copy of %s, window 0x%lx; waiting (Ctrl-C ends)\n", pos[0].c_str(), Id(window));
    std::fflush(stdout);
    int notices = 0;
    while (!g_stop) {
        const int notice = TeskUtility::WaitForNotifyMessage(window, 200);
        if (notice > 0) {
            std::printf("notified (%d)\n", ++notices);
            std::fflush(stdout);
        } else if (notice < 0) {
            std::fprintf(stderr, "teskutil instance: the display went away\n");
            return 1;
        }
    }
    TeskUtility::DestroyNotifyWindow(window);
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(instance, "instance NAME",
                 "hold the single-instance block of NAME and print each notice; a second copy notifies and exits 3", Run);
