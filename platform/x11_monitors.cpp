// XRandR monitors, EWMH work areas and screen facts over the library's X connection.
#include "platform/x11_monitors.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/x11_display.h"

namespace TeskUtility::x11 {
namespace {

// Atoms of the window-manager hints; interned once, under the display lock of a Session.
enum AtomIndex {
    kNetWorkarea, kNetCurrentDesktop, kNetClientList, kNetWmWindowType, kNetWmWindowTypeDock,
    kNetWmStrutPartial, kNetWmStrut, kWmState, kAtomCount
};
const char* const kAtomNames[kAtomCount] = {
    "_NET_WORKAREA", "_NET_CURRENT_DESKTOP", "_NET_CLIENT_LIST", "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_DOCK", "_NET_WM_STRUT_PARTIAL", "_NET_WM_STRUT", "WM_STATE"};
Atom g_atoms[kAtomCount];
bool g_atomsInterned = false;

const Atom* Atoms(Session& session) {
    if (!g_atomsInterned) {
        g_atomsInterned = XInternAtoms(session.display(), const_cast<char**>(kAtomNames), kAtomCount,
                                       False, g_atoms) != 0;
        if (!g_atomsInterned)
            return nullptr;
    }
    return g_atoms;
}

// Reads up to `max` 32-bit items (as longs, Xlib's format-32 layout) of a property of `type`;
// the number read, 0 when the property is missing or of another type.
int ReadLongs(Display* display, Window window, Atom property, Atom type, long* out, int max) {
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, max, False, type, &actualType, &actualFormat,
                           &count, &after, &data) != Success)
        return 0;
    int n = 0;
    if (data && actualType == type && actualFormat == 32) {
        n = static_cast<int>(std::min<unsigned long>(count, static_cast<unsigned long>(max)));
        std::copy_n(reinterpret_cast<const long*>(data), n, out);
    }
    if (data)
        XFree(data);
    return n;
}

bool HasProperty(Display* display, Window window, Atom property) {
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool ok = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &actualType,
                                       &actualFormat, &count, &after, &data) == Success &&
                    actualType != 0;
    if (data)
        XFree(data);
    return ok;
}

struct Rect {
    long left, top, right, bottom;
    bool Overlaps(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

bool IsDock(Display* display, Window window, const Atom* atoms) {
    long types[16];
    const int n = ReadLongs(display, window, atoms[kNetWmWindowType], XA_ATOM, types, 16);
    return std::find(types, types + n, static_cast<long>(atoms[kNetWmWindowTypeDock])) != types + n;
}

// Cuts the strut bands of one dock window off `area`, each band only when it lies on `monitor`.
void ApplyStruts(Display* display, Window window, const Atom* atoms, long screenW, long screenH,
                 const Rect& monitor, Rect& area) {
    long s[12] = {};
    int n = ReadLongs(display, window, atoms[kNetWmStrutPartial], XA_CARDINAL, s, 12);
    if (n < 12) {
        n = ReadLongs(display, window, atoms[kNetWmStrut], XA_CARDINAL, s, 4);
        if (n < 4)
            return;
        // The older hint reserves whole screen edges.
        s[4] = s[6] = s[8] = s[10] = 0;
        s[5] = s[7] = screenH - 1;
        s[9] = s[11] = screenW - 1;
    }
    const Rect left{0, s[4], s[0], s[5] + 1};
    const Rect right{screenW - s[1], s[6], screenW, s[7] + 1};
    const Rect top{s[8], 0, s[9] + 1, s[2]};
    const Rect bottom{s[10], screenH - s[3], s[11] + 1, screenH};
    if (s[0] > 0 && left.Overlaps(monitor))
        area.left = std::max(area.left, left.right);
    if (s[1] > 0 && right.Overlaps(monitor))
        area.right = std::min(area.right, right.left);
    if (s[2] > 0 && top.Overlaps(monitor))
        area.top = std::max(area.top, top.bottom);
    if (s[3] > 0 && bottom.Overlaps(monitor))
        area.bottom = std::min(area.bottom, bottom.top);
}

// Top-level windows: the window manager's client list, else (no window manager) the root's children.
void ForEachTopLevel(Display* display, Window root, const Atom* atoms, auto&& visit) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, atoms[kNetClientList], 0, 4096, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success &&
        data && type == XA_WINDOW && format == 32) {
        const long* windows = reinterpret_cast<const long*>(data);
        for (unsigned long i = 0; i < count; ++i)
            visit(static_cast<Window>(windows[i]));
        XFree(data);
        return;
    }
    if (data)
        XFree(data);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int childCount = 0;
    if (!XQueryTree(display, root, &rootReturn, &parent, &children, &childCount))
        return;
    for (unsigned int i = 0; i < childCount; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
            visit(children[i]);
    }
    if (children)
        XFree(children);
}

}  // namespace

bool QueryMonitors(MonitorList& list) {
    list.count = list.reported = 0;
    list.originX = list.originY = 0;
    Session session;
    if (!session)
        return false;
    int n = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(session.display(), session.root(), True, &n);
    if (!monitors || n <= 0) {
        // A server without RandR 1.5 (or with nothing active): the whole screen is the one monitor.
        if (monitors)
            XRRFreeMonitors(monitors);
        if (!session.Sync())
            return false;  // or the server is gone
        list.count = list.reported = 1;
        list.items[0] = {session.root(), 0, 0, DisplayWidth(session.display(), session.screen()),
                         DisplayHeight(session.display(), session.screen()), true};
        return true;
    }
    list.reported = n;
    list.count = std::min(n, MonitorList::kCapacity);
    int primary = -1;
    for (int i = 0; i < list.count; ++i) {
        const XRRMonitorInfo& m = monitors[i];
        list.items[i] = {m.name, m.x, m.y, m.width, m.height, m.primary != 0};
        if (m.primary && primary < 0)
            primary = i;
    }
    XRRFreeMonitors(monitors);
    if (list.count > 0) {
        // Without a primary output (a bare X server) the first monitor is the primary one, as
        // every desktop has one.
        if (primary < 0)
            list.items[0].primary = true;
        const MonitorGeometry& origin = list.items[primary >= 0 ? primary : 0];
        list.originX = origin.x;
        list.originY = origin.y;
    }
    return list.count > 0;
}

bool WorkArea(int& x, int& y, int& width, int& height) {
    Session session;
    if (!session)
        return false;
    const Atom* atoms = Atoms(session);
    if (!atoms)
        return false;
    Display* display = session.display();
    const Window root = session.root();
    const long screenW = DisplayWidth(display, session.screen());
    const long screenH = DisplayHeight(display, session.screen());
    const Rect monitor{x, y, static_cast<long>(x) + width, static_cast<long>(y) + height};
    Rect area = monitor;
    ForEachTopLevel(display, root, atoms, [&](Window window) {
        if (IsDock(display, window, atoms))
            ApplyStruts(display, window, atoms, screenW, screenH, monitor, area);
    });
    long desktop = 0;
    if (ReadLongs(display, root, atoms[kNetCurrentDesktop], XA_CARDINAL, &desktop, 1) != 1 || desktop < 0)
        desktop = 0;
    long workarea[4 * 32];
    const int n = ReadLongs(display, root, atoms[kNetWorkarea], XA_CARDINAL, workarea, 4 * 32);
    if (n >= 4) {
        const long* w = workarea + 4 * (desktop < n / 4 ? desktop : 0);
        area.left = std::max(area.left, w[0]);
        area.top = std::max(area.top, w[1]);
        area.right = std::min(area.right, w[0] + w[2]);
        area.bottom = std::min(area.bottom, w[1] + w[3]);
    }
    session.Sync();  // a dock that went away while we read it only loses its say
    if (area.right <= area.left || area.bottom <= area.top)
        return true;  // the hints leave nothing: the whole monitor is better than an empty area
    x = static_cast<int>(area.left);
    y = static_cast<int>(area.top);
    width = static_cast<int>(area.right - area.left);
    height = static_cast<int>(area.bottom - area.top);
    return true;
}

std::string MonitorName(unsigned long id) {
    Session session;
    if (!session || id == 0)
        return {};
    char* name = XGetAtomName(session.display(), id);
    session.Sync();
    std::string result = name ? name : "";
    if (name)
        XFree(name);
    return result;
}

int ScreenBitsPerPixel() {
    Session session;
    if (!session)
        return 0;
    const int depth = DefaultDepth(session.display(), session.screen());
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(session.display(), &count);
    int bits = 0;
    for (int i = 0; formats && i < count; ++i)
        if (formats[i].depth == depth)
            bits = formats[i].bits_per_pixel;
    if (formats)
        XFree(formats);
    return bits;
}

namespace {

// Xft.dpi from the RESOURCE_MANAGER property as it is now (xrdb may have changed it since we connected).
int XftDpi(Display* display, Window root) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    int dpi = 0;
    if (XGetWindowProperty(display, root, XA_RESOURCE_MANAGER, 0, 1 << 20, False, XA_STRING, &type, &format,
                           &count, &after, &data) == Success &&
        data && type == XA_STRING && format == 8) {
        XrmInitialize();
        XrmDatabase db = XrmGetStringDatabase(reinterpret_cast<const char*>(data));
        char* valueType = nullptr;
        XrmValue value{};
        if (db && XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &valueType, &value) && value.addr) {
            char* end = nullptr;
            const double parsed = std::strtod(value.addr, &end);
            if (end != value.addr && parsed > 0 && parsed < 10000)
                dpi = static_cast<int>(std::lround(parsed));
        }
        if (db)
            XrmDestroyDatabase(db);
    }
    if (data)
        XFree(data);
    return dpi;
}

}  // namespace

int ScreenDpi() {
    Session session;
    if (!session)
        return 0;
    if (const int dpi = XftDpi(session.display(), session.root()))
        return dpi;
    const int pixels = DisplayWidth(session.display(), session.screen());
    const int millimetres = DisplayWidthMM(session.display(), session.screen());
    return millimetres > 0 ? static_cast<int>(std::lround(pixels * 25.4 / millimetres)) : 96;
}

bool MoveWindowTo(unsigned long window, int x, int y) {
    Session session;
    Display* display = session.displayFor(window);
    if (!display)
        return false;
    const Atom* atoms = Atoms(session);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int childCount = 0;
    if (!XQueryTree(display, window, &rootReturn, &parent, &children, &childCount)) {
        session.Sync();
        return false;
    }
    if (children)
        XFree(children);
    // A managed top-level window is placed in root coordinates even when a window manager has
    // reparented it (the manager turns the request into its frame's move); a child window is
    // placed relative to its parent.
    int targetX = x;
    int targetY = y;
    if (parent != rootReturn && !(atoms && HasProperty(display, window, atoms[kWmState]))) {
        int parentX = 0;
        int parentY = 0;
        Window child = 0;
        XTranslateCoordinates(display, parent, rootReturn, 0, 0, &parentX, &parentY, &child);
        targetX -= parentX;
        targetY -= parentY;
    }
    XMoveWindow(display, window, targetX, targetY);
    return session.Sync();
}

}  // namespace TeskUtility::x11
