// One enumeration of the monitors in virtual-screen coordinates (the primary monitor's top-left
// corner is the origin), shared by CMonitor, CMonitors and the screen queries of system information.
#pragma once

#include "platform/x11_monitors.h"
#include "tesk/types.h"

namespace TeskUtility::detail {

class MonitorLayout {
public:
    // Enumerates afresh; empty without a display.
    MonitorLayout();

    int Count() const { return m_list.count; }
    int Reported() const { return m_list.reported; }
    HMONITOR Handle(int index) const;
    CRect Rect(int index) const;          // virtual-screen coordinates
    bool IsPrimary(int index) const { return m_list.items[index].primary; }
    int PrimaryIndex() const;             // -1 when none is marked
    int IndexOf(HMONITOR monitor) const;  // -1 when it is not one of these
    CRect Bounds() const;                 // the virtual screen; empty without monitors

    // The work area of the monitor at `index`, in virtual-screen coordinates.
    CRect WorkArea(int index) const;

    // MonitorFrom... with "nearest": the monitor with the largest overlap, else the one at the
    // smallest distance; -1 only without monitors. Ties go to the earlier monitor.
    int NearestToRect(const RECT& rect) const;
    int NearestToPoint(POINT point) const;
    // The first monitor that contains the point / overlaps the rectangle, -1 when none does.
    int Containing(POINT point) const;
    int Overlapping(const RECT& rect) const;

    // A window's outer rectangle in virtual-screen coordinates; false for a bad window.
    bool WindowRect(HWND window, RECT& rect) const;
    // Moves a window so that its outer corner lands at (x, y) in virtual-screen coordinates.
    bool MoveWindow(HWND window, std::int32_t x, std::int32_t y) const;

private:
    x11::MonitorList m_list;
};

}  // namespace TeskUtility::detail
