#include "host/monitor_layout.h"

#include <cstdint>
#include <limits>

#include "platform/x11_display.h"

namespace TeskUtility::detail {
namespace {

std::int64_t OverlapArea(const RECT& a, const RECT& b) {
    const std::int64_t w = std::int64_t{a.right < b.right ? a.right : b.right} - (a.left > b.left ? a.left : b.left);
    const std::int64_t h = std::int64_t{a.bottom < b.bottom ? a.bottom : b.bottom} - (a.top > b.top ? a.top : b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Gap along one axis between [lo, hi) spans; 0 when they touch or overlap.
std::int64_t Gap(std::int64_t lo1, std::int64_t hi1, std::int64_t lo2, std::int64_t hi2) {
    if (hi1 <= lo2)
        return lo2 - hi1 + 1;
    if (hi2 <= lo1)
        return lo1 - hi2 + 1;
    return 0;
}

}  // namespace

MonitorLayout::MonitorLayout() { x11::QueryMonitors(m_list); }

HMONITOR MonitorLayout::Handle(int index) const {
    // The name atom of an XRandR monitor: the same in every enumeration while the monitor exists.
    return reinterpret_cast<HMONITOR>(static_cast<std::uintptr_t>(m_list.items[index].id));
}

CRect MonitorLayout::Rect(int index) const {
    const x11::MonitorGeometry& m = m_list.items[index];
    const std::int32_t left = m.x - m_list.originX;
    const std::int32_t top = m.y - m_list.originY;
    return CRect(left, top, left + m.width, top + m.height);
}

int MonitorLayout::PrimaryIndex() const {
    for (int i = 0; i < Count(); ++i)
        if (IsPrimary(i))
            return i;
    return -1;
}

int MonitorLayout::IndexOf(HMONITOR monitor) const {
    if (!monitor)
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (Handle(i) == monitor)
            return i;
    return -1;
}

CRect MonitorLayout::Bounds() const {
    if (Count() == 0)
        return CRect();
    CRect bounds = Rect(0);
    for (int i = 1; i < Count(); ++i) {
        const CRect r = Rect(i);
        bounds.left = r.left < bounds.left ? r.left : bounds.left;
        bounds.top = r.top < bounds.top ? r.top : bounds.top;
        bounds.right = r.right > bounds.right ? r.right : bounds.right;
        bounds.bottom = r.bottom > bounds.bottom ? r.bottom : bounds.bottom;
    }
    return bounds;
}

CRect MonitorLayout::WorkArea(int index) const {
    const x11::MonitorGeometry& m = m_list.items[index];
    int x = m.x, y = m.y, w = m.width, h = m.height;
    x11::WorkArea(x, y, w, h);
    const std::int32_t left = x - m_list.originX;
    const std::int32_t top = y - m_list.originY;
    return CRect(left, top, left + w, top + h);
}

int MonitorLayout::NearestToRect(const RECT& rect) const {
    int best = -1;
    std::int64_t bestArea = 0;
    for (int i = 0; i < Count(); ++i) {
        const std::int64_t area = OverlapArea(rect, Rect(i));
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    if (best >= 0)
        return best;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (int i = 0; i < Count(); ++i) {
        const CRect m = Rect(i);
        const std::int64_t dx = Gap(rect.left, rect.right, m.left, m.right);
        const std::int64_t dy = Gap(rect.top, rect.bottom, m.top, m.bottom);
        if (dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = i;
        }
    }
    return best;
}

int MonitorLayout::NearestToPoint(POINT point) const {
    const int inside = Containing(point);
    return inside >= 0 ? inside : NearestToRect(RECT{point.x, point.y, point.x + 1, point.y + 1});
}

int MonitorLayout::Containing(POINT point) const {
    for (int i = 0; i < Count(); ++i)
        if (Rect(i).PtInRect(point))
            return i;
    return -1;
}

int MonitorLayout::Overlapping(const RECT& rect) const {
    for (int i = 0; i < Count(); ++i)
        if (OverlapArea(rect, Rect(i)) > 0)
            return i;
    return -1;
}

bool MonitorLayout::WindowRect(HWND window, RECT& rect) const {
    int x, y, w, h;
    if (!x11::WindowRectInRoot(reinterpret_cast<std::uintptr_t>(window), x, y, w, h))
        return false;
    rect.left = x - m_list.originX;
    rect.top = y - m_list.originY;
    rect.right = rect.left + w;
    rect.bottom = rect.top + h;
    return true;
}

bool MonitorLayout::MoveWindow(HWND window, std::int32_t x, std::int32_t y) const {
    return x11::MoveWindowTo(reinterpret_cast<std::uintptr_t>(window), x + m_list.originX, y + m_list.originY);
}

}  // namespace TeskUtility::detail
