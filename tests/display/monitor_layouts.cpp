#include "monitor_layouts.h"

#include "child_process.h"

namespace TeskTest {
namespace {

int Xrandr(std::vector<std::string> args) {
    args.insert(args.begin(), "/usr/bin/xrandr");
    return RunChild(args).exitCode;
}

}  // namespace

ScopedMonitorLayout::ScopedMonitorLayout(std::vector<TestMonitor> monitors) : m_monitors(std::move(monitors)) {
    // The first monitor takes the screen's output, so that XRandR adds no monitor of its own for it.
    for (const TestMonitor& m : m_monitors) {
        const bool first = &m == &m_monitors.front();
        const std::string geometry = std::to_string(m.width) + "/" + std::to_string(m.width / 4) + "x" +
                                     std::to_string(m.height) + "/" + std::to_string(m.height / 4) + "+" +
                                     std::to_string(m.x) + "+" + std::to_string(m.y);
        m_ok = Xrandr({"--setmonitor", (m.primary ? "*" : "") + m.name, geometry, first ? "screen" : "none"}) == 0 &&
               m_ok;
    }
}

ScopedMonitorLayout::~ScopedMonitorLayout() {
    for (const TestMonitor& m : m_monitors)
        Xrandr({"--delmonitor", m.name});
}

std::vector<TestMonitor> TwoMonitors() {
    return {{"P", 800, 0, 1120, 1080, true}, {"L", 0, 0, 800, 600, false}};
}

std::vector<TestMonitor> ThreeMonitors() {
    return {{"P", 640, 360, 1280, 720, true}, {"L", 0, 360, 640, 480, false}, {"T", 640, 0, 1280, 360, false}};
}

}  // namespace TeskTest
