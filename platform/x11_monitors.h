// Monitors of the X screen from XRandR 1.5 (so layouts made with `xrandr --setmonitor` count), their
// work areas, and the few screen facts the host services need. Internal to the library.
//
//   TeskUtility::x11::MonitorList list;
//   if (QueryMonitors(list))
//       for (int i = 0; i < list.count; ++i) use(list.items[i]);   // root coordinates
#pragma once

#include <string>

namespace TeskUtility::x11 {

struct MonitorGeometry {
    unsigned long id = 0;  // the monitor's name atom: the same while the monitor exists
    int x = 0, y = 0, width = 0, height = 0;  // root coordinates
    bool primary = false;
};

// A fixed-capacity list, so that enumerating allocates nothing of ours.
struct MonitorList {
    static constexpr int kCapacity = 32;
    int count = 0;
    int reported = 0;         // what XRandR reported, which may exceed kCapacity
    int originX = 0;          // root position of the primary monitor's top-left corner: virtual-screen
    int originY = 0;          // (0, 0); when XRandR marks none, the first monitor is the primary
    MonitorGeometry items[kCapacity];
};

// Fills `list` in XRandR order; false (and an empty list) without a display or monitors.
bool QueryMonitors(MonitorList& list);

// The work area of the monitor rectangle (root coordinates, changed in place): the rectangle minus
// the struts of dock windows lying on it, intersected with the window manager's _NET_WORKAREA when
// one is published. False without a display.
bool WorkArea(int& x, int& y, int& width, int& height);

// The monitor's output name (the name atom's text); empty when unknown.
std::string MonitorName(unsigned long id);

// Bits per pixel of the default screen's pixmap format at its depth (32 for depth 24); 0 without a display.
int ScreenBitsPerPixel();

// Horizontal dots per inch: Xft.dpi of the resource database, else the screen's pixels per
// millimetre times 25.4, rounded; 0 without a display.
int ScreenDpi();

// Moves the window's outer corner to (x, y) in root coordinates, keeping its size, stacking and
// focus; false for a destroyed or bad window.
bool MoveWindowTo(unsigned long window, int x, int y);

}  // namespace TeskUtility::x11
