// CMonitors: the whole desktop's monitors, each static query on a fresh enumeration.
#include "host/monitor_layout.h"
#include "tesk/exceptions.h"
#include "tesk/host_monitors.h"

using TeskUtility::detail::MonitorLayout;

namespace {

CMonitor MonitorAt(const MonitorLayout& layout, int index) {
    CMonitor monitor;
    if (index >= 0)
        monitor.Attach(layout.Handle(index));
    return monitor;
}

}  // namespace

CMonitors::CMonitors() {
    const MonitorLayout layout;
    if (layout.Reported() > layout.Count())
        throw CInvalidArgException();
    m_monitors.reserve(static_cast<size_t>(layout.Count()));
    for (int i = 0; i < layout.Count(); ++i)
        m_monitors.push_back(MonitorAt(layout, i));
}

CMonitor CMonitors::GetMonitor(int index) const {
    if (index < 0 || index >= GetCount())
        throw CInvalidArgException();
    return m_monitors[static_cast<size_t>(index)];
}

int CMonitors::GetMonitorCount() { return MonitorLayout().Count(); }

CMonitor CMonitors::GetPrimaryMonitor() {
    const MonitorLayout layout;
    const int inside = layout.Containing(POINT{0, 0});
    return MonitorAt(layout, inside >= 0 ? inside : layout.PrimaryIndex());
}

int CMonitors::GetPrimaryMonitorIndex() { return MonitorLayout().PrimaryIndex(); }

BOOL CMonitors::IsMonitor(HMONITOR monitor) { return MonitorLayout().IndexOf(monitor) >= 0; }

BOOL CMonitors::AllMonitorsShareDisplayFormat() { return MonitorLayout().Count() > 0; }

void CMonitors::GetVirtualDesktopRect(RECT* rect) {
    if (!rect)
        return;
    const CRect bounds = MonitorLayout().Bounds();
    *rect = RECT{bounds.left, bounds.top, bounds.Width(), bounds.Height()};
}

BOOL CMonitors::IsOnScreen(POINT point) { return MonitorLayout().Containing(point) >= 0; }

BOOL CMonitors::IsOnScreen(const RECT* rect) {
    if (!rect)
        return 0;
    const MonitorLayout layout;
    if (rect->right <= rect->left || rect->bottom <= rect->top)  // an empty rectangle is its corner
        return layout.Containing(POINT{rect->left, rect->top}) >= 0;
    return layout.Overlapping(*rect) >= 0;
}

BOOL CMonitors::IsOnScreen(HWND window) {
    const MonitorLayout layout;
    RECT rect;
    return layout.WindowRect(window, rect) && layout.Overlapping(rect) >= 0;
}

CMonitor CMonitors::GetNearestMonitor(POINT point) {
    const MonitorLayout layout;
    return MonitorAt(layout, layout.NearestToPoint(point));
}

CMonitor CMonitors::GetNearestMonitor(const RECT* rect) {
    const MonitorLayout layout;
    if (!rect)
        return MonitorAt(layout, layout.PrimaryIndex());
    return MonitorAt(layout, layout.NearestToRect(*rect));
}

CMonitor CMonitors::GetNearestMonitor(HWND window) {
    const MonitorLayout layout;
    RECT rect;
    if (!layout.WindowRect(window, rect))
        return MonitorAt(layout, layout.PrimaryIndex());
    return MonitorAt(layout, layout.NearestToRect(rect));
}
