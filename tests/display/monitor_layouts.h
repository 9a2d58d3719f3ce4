// Monitor layouts on the fixture's Xvfb (1920x1080), made with `xrandr --setmonitor` and undone when
// the guard goes. Root coordinates; `primary` marks the monitor primary ('*').
#pragma once

#include <string>
#include <vector>

namespace TeskTest {

struct TestMonitor {
    std::string name;
    int x, y, width, height;
    bool primary;
};

class ScopedMonitorLayout {
public:
    explicit ScopedMonitorLayout(std::vector<TestMonitor> monitors);
    ~ScopedMonitorLayout();
    bool ok() const { return m_ok; }

private:
    std::vector<TestMonitor> m_monitors;
    bool m_ok = true;
};

// A primary 1120x1080 with an 800x600 monitor to its left: virtual origin (-800, 0).
std::vector<TestMonitor> TwoMonitors();
// A primary 1280x720, a 640x480 to its left and a 1280x360 above it: origin (-640, -360).
std::vector<TestMonitor> ThreeMonitors();

}  // namespace TeskTest
