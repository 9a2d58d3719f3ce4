// CMonitor: each query enumerates afresh and finds the monitor by its handle, as the platform's
// monitor-information call does, so a monitor that went away answers with empty results.
#include <cstdint>
#include <memory>

#include "host/monitor_layout.h"
#include "host/rect_placement.h"
#include "platform/x11_monitors.h"
#include "tesk/host_monitors.h"
#include "tesk/imaging_dc.h"

using TeskUtility::detail::MonitorLayout;

namespace {

// The monitor's rectangle or work area; false (and an empty rectangle) when it is no current monitor.
bool AreaOf(HMONITOR monitor, bool workArea, RECT& area) {
    const MonitorLayout layout;
    const int index = layout.IndexOf(monitor);
    area = index < 0 ? CRect() : workArea ? layout.WorkArea(index) : layout.Rect(index);
    return index >= 0;
}

}  // namespace

void CMonitor::GetMonitorRect(RECT* rect) const {
    if (rect)
        AreaOf(m_hMonitor, false, *rect);
}

void CMonitor::GetWorkAreaRect(RECT* rect) const {
    if (rect)
        AreaOf(m_hMonitor, true, *rect);
}

void CMonitor::GetName(CStringA& name) const {
    name = IsMonitor() ? TeskUtility::x11::MonitorName(reinterpret_cast<std::uintptr_t>(m_hMonitor)) : CStringA();
}

CDC* CMonitor::CreateDCA() const {
    CRect area;
    if (!AreaOf(m_hMonitor, false, area))
        return nullptr;
    auto dc = std::make_unique<CDC>();
    if (!dc->CreateSurfaceDC(area.Width(), area.Height()))
        return nullptr;
    dc->SetViewportOrg(-area.left, -area.top);
    dc->SetViewportExt(area.Width(), area.Height());
    return dc.release();
}

int CMonitor::GetBitsPerPixel() const {
    return IsMonitor() ? TeskUtility::x11::ScreenBitsPerPixel() : 0;
}

BOOL CMonitor::IsOnMonitor(POINT point) const {
    CRect area;
    return AreaOf(m_hMonitor, false, area) && area.PtInRect(point);
}

BOOL CMonitor::IsOnMonitor(HWND window) const {
    const MonitorLayout layout;
    const int index = layout.IndexOf(m_hMonitor);
    RECT rect;
    if (index < 0 || !layout.WindowRect(window, rect))
        return 0;
    const CRect area = layout.Rect(index);
    return rect.left < area.right && area.left < rect.right && rect.top < area.bottom && area.top < rect.bottom;
}

BOOL CMonitor::IsOnMonitor(const RECT* rect) const {
    CRect area;
    if (!rect || !AreaOf(m_hMonitor, false, area))
        return 0;
    return rect->left < area.right && area.left < rect->right && rect->top < area.bottom && area.top < rect->bottom;
}

void CMonitor::CenterRectToMonitor(RECT* rect, BOOL useWorkArea) const {
    CRect area;
    if (rect && AreaOf(m_hMonitor, useWorkArea != 0, area))
        TeskUtility::detail::CenterRectIn(*rect, area);
}

void CMonitor::ClipRectToMonitor(RECT* rect, BOOL useWorkArea) const {
    CRect area;
    if (rect && AreaOf(m_hMonitor, useWorkArea != 0, area))
        TeskUtility::detail::ClipRectTo(*rect, area);
}

void CMonitor::CenterWindowToMonitor(HWND window, BOOL useWorkArea) const {
    const MonitorLayout layout;
    const int index = layout.IndexOf(m_hMonitor);
    RECT rect;
    if (index < 0 || !layout.WindowRect(window, rect))
        return;
    TeskUtility::detail::CenterRectIn(rect, useWorkArea ? layout.WorkArea(index) : layout.Rect(index));
    layout.MoveWindow(window, rect.left, rect.top);
}

BOOL CMonitor::IsPrimaryMonitor() const {
    const MonitorLayout layout;
    const int index = layout.IndexOf(m_hMonitor);
    return index >= 0 && layout.IsPrimary(index);
}

BOOL CMonitor::IsMonitor() const { return CMonitors::IsMonitor(m_hMonitor); }
