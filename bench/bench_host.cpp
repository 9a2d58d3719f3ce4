// Host services beside what they wrap, on one X connection and one process:
//  - CMonitors construction and GetNearestMonitor beside a direct XRRGetMonitors call on the
//    library's own connection (goal: at most 1.2x);
//  - a later copy's NotifyPreviousInstance until the first copy's event wait sees the message,
//    beside XSendEvent + XSync + XNextEvent on the same connection;
//  - the delay from PlayMySound to its return (goal: under 100 us), beside starting a bare thread.
// Needs an X server: run under `xvfb-run -a build/release/bench/bench_host`. Sound goes to an ALSA
// null device of the program's own. Ratios use CPU time for the monitors, wall time otherwise.
#include <benchmark/benchmark.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "bench/ratio_reporter.h"
#include "platform/x11_display.h"
#include "tesk/host_instance.h"
#include "tesk/host_monitors.h"
#include "tesk/host_sound.h"

namespace {

using Clock = std::chrono::steady_clock;

// Mean wall time per call of the wall-clock benchmarks (the ratio reporter keeps CPU time).
std::map<std::string, double> g_wallMicros;

void KeepWallTime(const benchmark::State& state, const char* name, Clock::duration total) {
    if (state.iterations() > 0)
        g_wallMicros[name] = std::chrono::duration<double, std::micro>(total).count() / state.iterations();
}

// Three monitors, as a trading desk has them; removed again at the end.
const char* const kMonitorNames[] = {"BenchP", "BenchL", "BenchT"};

void SetLayout(bool on) {
    TeskUtility::x11::Session session;
    if (!session)
        return;
    const int geometry[3][4] = {{640, 360, 1280, 720}, {0, 360, 640, 480}, {640, 0, 1280, 360}};
    for (int i = 0; i < 3; ++i) {
        const Atom name = XInternAtom(session.display(), kMonitorNames[i], False);
        if (!on) {
            XRRDeleteMonitor(session.display(), session.root(), name);
            continue;
        }
        XRRMonitorInfo* m = XRRAllocateMonitor(session.display(), 0);
        m->name = name;
        m->primary = i == 0;
        m->x = geometry[i][0];
        m->y = geometry[i][1];
        m->width = geometry[i][2];
        m->height = geometry[i][3];
        m->mwidth = m->width / 4;
        m->mheight = m->height / 4;
        XRRSetMonitor(session.display(), session.root(), m);
        XRRFreeMonitors(m);
    }
    session.Sync();
}

void BM_Monitors_XRRGetMonitors(benchmark::State& state) {
    for (auto _ : state) {
        TeskUtility::x11::Session session;
        int n = 0;
        XRRMonitorInfo* monitors = XRRGetMonitors(session.display(), session.root(), True, &n);
        benchmark::DoNotOptimize(n);
        XRRFreeMonitors(monitors);
    }
}

void BM_Monitors_CMonitors(benchmark::State& state) {
    for (auto _ : state) {
        CMonitors monitors;
        benchmark::DoNotOptimize(monitors.GetCount());
    }
}

void BM_Monitors_GetNearestMonitor(benchmark::State& state) {
    const RECT rect{-300, 10, 100, 50};
    for (auto _ : state)
        benchmark::DoNotOptimize(static_cast<HMONITOR>(CMonitors::GetNearestMonitor(&rect)));
}

void BM_Notify_RawClientMessage(benchmark::State& state) {
    TeskUtility::x11::Session session;
    const Window window = XCreateSimpleWindow(session.display(), session.root(), 0, 0, 1, 1, 0, 0, 0);
    const Atom atom = XInternAtom(session.display(), "BenchNotify", False);
    const auto begin = Clock::now();
    for (auto _ : state) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = atom;
        event.xclient.format = 32;
        XSendEvent(session.display(), window, False, NoEventMask, &event);
        XSync(session.display(), False);
        XNextEvent(session.display(), &event);
    }
    KeepWallTime(state, "raw", Clock::now() - begin);
    XDestroyWindow(session.display(), window);
}

void BM_Notify_NotifyPreviousInstance(benchmark::State& state) {
    TeskUtility::SetApplicationName("tesk-bench-" + std::to_string(getpid()));
    const HWND window = TeskUtility::CreateNotifyWindow();
    TeskUtility::SetThreadMainWindow(window);
    CSingleInstance first;
    first.TrackFirstInstanceRunning();
    Clock::duration total{};
    for (auto _ : state) {
        state.PauseTiming();
        CSingleInstance later;
        const bool running = later.PreviousInstanceRunning();
        state.ResumeTiming();
        const auto begin = Clock::now();
        later.NotifyPreviousInstance();
        if (!running || TeskUtility::WaitForNotifyMessage(window, 1000) != 1)
            state.SkipWithError("the notice did not arrive");
        total += Clock::now() - begin;
    }
    KeepWallTime(state, "notify", total);
    TeskUtility::DestroyNotifyWindow(window);
}

// Manual timing of the call alone; the sound itself finishes untimed before the next one.
template <typename Start>
void TimeStarts(benchmark::State& state, const char* name, Start start) {
    Clock::duration total{};
    for (auto _ : state) {
        const auto begin = Clock::now();
        start();
        const auto took = Clock::now() - begin;
        total += took;
        state.SetIterationTime(std::chrono::duration<double>(took).count());
        TeskUtility::CSoundMgr::WaitForSounds(1000);
    }
    KeepWallTime(state, name, total);
}

void BM_Sound_BareThread(benchmark::State& state) {
    TimeStarts(state, "thread", [] { std::thread([] {}).detach(); });
}

void BM_Sound_PlayMySoundBeep(benchmark::State& state) {
    TeskUtility::CSoundMgr sounds;
    sounds.SetSoundFlag(1);
    sounds.SetSoundMethod(1);
    TimeStarts(state, "play", [&] { sounds.PlayMySound(0, 880, 5); });
}

BENCHMARK(BM_Monitors_XRRGetMonitors);
BENCHMARK(BM_Monitors_CMonitors);
BENCHMARK(BM_Monitors_GetNearestMonitor);
BENCHMARK(BM_Notify_RawClientMessage)->UseRealTime();
BENCHMARK(BM_Notify_NotifyPreviousInstance)->UseRealTime();
BENCHMARK(BM_Sound_BareThread)->UseManualTime();
BENCHMARK(BM_Sound_PlayMySoundBeep)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!TeskUtility::x11::DisplayAvailable()) {
        std::fprintf(stderr, "bench_host needs an X server: xvfb-run -a %s\n", argv[0]);
        return 1;
    }
    char config[] = "/tmp/tesk_bench_alsa_XXXXXX";
    const int fd = mkstemp(config);
    if (fd >= 0)
        close(fd);
    std::ofstream(config) << "pcm.!default { type null }\n";
    setenv("ALSA_CONFIG_PATH", config, 1);
    SetLayout(true);
    tesk_bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    SetLayout(false);
    unlink(config);
    reporter.PrintRatios({{"BM_Monitors_CMonitors", "BM_Monitors_XRRGetMonitors"},
                          {"BM_Monitors_GetNearestMonitor", "BM_Monitors_XRRGetMonitors"}});
    auto wall = [](const char* a, const char* b) { return g_wallMicros[b] > 0 ? g_wallMicros[a] / g_wallMicros[b] : 0.0; };
    std::printf("  notify until seen / raw client message    %.2fx (%.1f us per notice, wall)\n", wall("notify", "raw"),
                g_wallMicros["notify"]);
    std::printf("  PlayMySound (beep) / bare thread start    %.2fx (%.1f us per call, wall; goal < 100 us)\n",
                wall("play", "thread"), g_wallMicros["play"]);
    benchmark::Shutdown();
}
