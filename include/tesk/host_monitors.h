// Monitors of the desktop, in virtual-screen coordinates: the primary monitor's top-left corner is
// (0, 0), other monitors may lie at negative coordinates; rectangles exclude right and bottom.
//
//   CMonitors monitors;
//   for (int i = 0; i < monitors.GetCount(); ++i) {
//       CRect work;
//       monitors.GetMonitor(i).GetWorkAreaRect(&work);
//   }
//   CMonitors::GetNearestMonitor(&dialogRect).CenterRectToMonitor(&dialogRect, 1);
//
// Without a display there is no monitor: counts are 0 and every rectangle query gives an empty one.
#pragma once

#include <vector>

#include "tesk/types.h"

class CDC;

// One monitor, named by a handle that stays the same across enumerations while the layout holds.
class CMonitor {
public:
    CMonitor() = default;
    CMonitor(const CMonitor& other) = default;
    CMonitor& operator=(const CMonitor& other) = default;
    virtual ~CMonitor() = default;

    void Attach(HMONITOR monitor) { m_hMonitor = monitor; }
    HMONITOR Detach() {
        HMONITOR monitor = m_hMonitor;
        m_hMonitor = nullptr;
        return monitor;
    }
    operator HMONITOR() const { return m_hMonitor; }
    BOOL operator==(const CMonitor& other) const { return m_hMonitor == other.m_hMonitor; }
    BOOL operator!=(const CMonitor& other) const { return m_hMonitor != other.m_hMonitor; }

    // Empty rectangles and an empty name when the handle is no current monitor.
    void GetMonitorRect(RECT* rect) const;
    void GetWorkAreaRect(RECT* rect) const;  // without the docks' struts and the window manager's panels
    void GetName(CStringA& name) const;      // the XRandR monitor name

    // A new context of the monitor's size whose viewport origin is minus the monitor's top-left corner
    // and whose viewport extent is its size; the caller deletes it. nullptr for no current monitor.
    CDC* CreateDCA() const;
    int GetBitsPerPixel() const;  // 0 for no current monitor

    BOOL IsOnMonitor(POINT point) const;
    BOOL IsOnMonitor(HWND window) const;  // the window's rectangle overlaps the monitor
    BOOL IsOnMonitor(const RECT* rect) const;

    // Move the rectangle (keeping its size) to the centre of, or inside, the work area (flag
    // non-zero) or the monitor rectangle.
    void CenterRectToMonitor(RECT* rect, BOOL useWorkArea = 0) const;
    void ClipRectToMonitor(RECT* rect, BOOL useWorkArea = 0) const;
    // Moves the window there without resizing, restacking or focusing it.
    void CenterWindowToMonitor(HWND window, BOOL useWorkArea = 0) const;

    BOOL IsPrimaryMonitor() const;
    BOOL IsMonitor() const;  // non-null and one of the monitors enumerated now

protected:
    HMONITOR m_hMonitor = nullptr;
};

// All monitors, in XRandR's order.
class CMonitors {
public:
    // Throws CInvalidArgException when XRandR reports more monitors than the library handles (32).
    CMonitors();
    virtual ~CMonitors() = default;

    int GetCount() const { return static_cast<int>(m_monitors.size()); }
    CMonitor GetMonitor(int index) const;  // CInvalidArgException outside 0 .. count-1

    static int GetMonitorCount();
    static CMonitor GetPrimaryMonitor();   // the monitor containing (0, 0), else the primary one
    static int GetPrimaryMonitorIndex();   // -1 without monitors (unmarked: the first is primary)
    static BOOL IsMonitor(HMONITOR monitor);
    static BOOL AllMonitorsShareDisplayFormat();  // monitors of one X screen share its depth
    // left/top: the virtual screen's origin; right/bottom: its width and height.
    static void GetVirtualDesktopRect(RECT* rect);

    static BOOL IsOnScreen(POINT point);
    static BOOL IsOnScreen(const RECT* rect);
    static BOOL IsOnScreen(HWND window);
    // The monitor nearest to it (largest overlap, else shortest distance); for a bad window the
    // primary monitor; a null monitor only when there is none.
    static CMonitor GetNearestMonitor(POINT point);
    static CMonitor GetNearestMonitor(const RECT* rect);
    static CMonitor GetNearestMonitor(HWND window);

private:
    std::vector<CMonitor> m_monitors;
};
