// gtest before Xlib: Xlib defines None, which gtest uses as a name.
#include <gtest/gtest.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

#include "monitor_layouts.h"
#include "tesk/exceptions.h"
#include "tesk/host_monitors.h"
#include "tesk/host_sysinfo.h"
#include "tesk/imaging_dc.h"
#include "xvfb_env.h"

namespace {

using TeskTest::ScopedMonitorLayout;

std::map<std::string, CMonitor> ByName(const CMonitors& monitors) {
    std::map<std::string, CMonitor> named;
    for (int i = 0; i < monitors.GetCount(); ++i) {
        CStringA name;
        monitors.GetMonitor(i).GetName(name);
        named[name] = monitors.GetMonitor(i);
    }
    return named;
}

CRect RectOf(const CMonitor& monitor, bool workArea = false) {
    CRect rect(-1, -1, -1, -1);
    workArea ? monitor.GetWorkAreaRect(&rect) : monitor.GetMonitorRect(&rect);
    return rect;
}

TEST(Monitors, LayoutsGiveVirtualRectanglesFromThePrimaryOrigin) {
    TESK_REQUIRE_XVFB();
    struct Case {
        std::vector<TeskTest::TestMonitor> layout;
        std::map<std::string, CRect> expected;
        CRect virtualDesktop;  // right/bottom are width/height
        const char* primary;
    } cases[] = {
        {TeskTest::TwoMonitors(),
         {{"P", CRect(0, 0, 1120, 1080)}, {"L", CRect(-800, 0, 0, 600)}},
         CRect(-800, 0, 1920, 1080), "P"},
        {TeskTest::ThreeMonitors(),
         {{"P", CRect(0, 0, 1280, 720)}, {"L", CRect(-640, 0, 0, 480)}, {"T", CRect(0, -360, 1280, 0)}},
         CRect(-640, -360, 1920, 1080), "P"},
        // None marked: the first is primary and its corner the origin.
        {{{"A", 960, 0, 960, 1080, false}, {"B", 0, 0, 960, 1080, false}},
         {{"A", CRect(0, 0, 960, 1080)}, {"B", CRect(-960, 0, 0, 1080)}},
         CRect(-960, 0, 1920, 1080), "A"},
    };
    for (const Case& c : cases) {
        ScopedMonitorLayout layout(c.layout);
        ASSERT_TRUE(layout.ok());
        CMonitors monitors;
        ASSERT_EQ(monitors.GetCount(), static_cast<int>(c.expected.size()));
        EXPECT_EQ(CMonitors::GetMonitorCount(), monitors.GetCount());
        auto named = ByName(monitors);
        for (const auto& [name, rect] : c.expected) {
            EXPECT_EQ(RectOf(named[name]), rect) << name;
            EXPECT_EQ(named[name].IsPrimaryMonitor(), name == c.primary ? 1 : 0) << name;
        }
        EXPECT_EQ(monitors.GetMonitor(CMonitors::GetPrimaryMonitorIndex()), named[c.primary]);
        EXPECT_EQ(CMonitors::GetPrimaryMonitor(), named[c.primary]);
        CRect desktop;
        CMonitors::GetVirtualDesktopRect(&desktop);
        EXPECT_EQ(desktop, c.virtualDesktop);
        int width = 0, height = 0;
        EXPECT_EQ(TeskUtility::GetNumberOfMonitors(), monitors.GetCount());
        EXPECT_EQ(TeskUtility::GetScreenCoordinate(width, height), 1);
        EXPECT_EQ(CSize(width, height), c.expected.at(c.primary).Size()) << "the primary's";
        EXPECT_EQ(TeskUtility::GetVirtualScreenCoordinate(width, height), 1);
        EXPECT_EQ(CPoint(width, height), c.virtualDesktop.BottomRight());
        EXPECT_THROW(monitors.GetMonitor(-1), CInvalidArgException);  // one past the end: ScreenInfoChild
    }
}

TEST(Monitors, NearestAndOnScreenAcrossGaps) {
    TESK_REQUIRE_XVFB();
    ScopedMonitorLayout layout(TeskTest::ThreeMonitors());
    ASSERT_TRUE(layout.ok());
    auto named = ByName(CMonitors());
    struct PointCase {
        POINT point;
        const char* nearest;
        BOOL onScreen;
    } points[] = {
        {{10, 10}, "P", 1},       {{-1, 0}, "L", 1},     {{0, -1}, "T", 1},
        {{-100, -100}, nullptr, 0},  // the empty corner, as near to L as to T
        {{-5000, 200}, "L", 0},   {{500, 5000}, "P", 0}, {{1279, -360}, "T", 1},
    };
    for (const PointCase& c : points) {
        EXPECT_EQ(CMonitors::IsOnScreen(c.point), c.onScreen) << c.point.x << "," << c.point.y;
        if (c.nearest) {
            EXPECT_EQ(CMonitors::GetNearestMonitor(c.point), named[c.nearest]) << c.point.x << "," << c.point.y;
        }
    }
    struct RectCase {
        CRect rect;
        const char* nearest;
        BOOL onScreen;
    } rects[] = {
        {CRect(-300, 10, 100, 50), "L", 1},       // more of it on L than on P
        {CRect(-100, 10, 300, 50), "P", 1},
        {CRect(-600, -300, -400, -200), "L", 0},  // in the empty corner, nearer L's top than T's left
        {CRect(5, 5, 5, 5), "P", 1},              // empty: its corner counts
    };
    for (const RectCase& c : rects) {
        EXPECT_EQ(CMonitors::IsOnScreen(&c.rect), c.onScreen) << c.rect.left;
        EXPECT_EQ(CMonitors::GetNearestMonitor(&c.rect), named[c.nearest]) << c.rect.left;
        EXPECT_EQ(named[c.nearest].IsOnMonitor(&c.rect), c.onScreen) << c.rect.left;
    }
}

void SetCardinals(Display* display, Window window, const char* property, const long* values, int count) {
    XChangeProperty(display, window, XInternAtom(display, property, False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values), count);
}

// A dock window reserving screen edges through _NET_WM_STRUT_PARTIAL.
void AddDock(Display* display, const std::array<long, 12>& strut) {
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    const Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&dock), 1);
    SetCardinals(display, window, "_NET_WM_STRUT_PARTIAL", strut.data(), 12);
    XMapWindow(display, window);
    XSync(display, False);
}

TEST(Monitors, ContextsWindowsAndWorkAreasLastUntilTheMonitorGoes) {
    TESK_REQUIRE_XVFB();
    std::optional<ScopedMonitorLayout> layout(std::in_place, TeskTest::TwoMonitors());
    ASSERT_TRUE(layout->ok());
    auto named = ByName(CMonitors());
    std::unique_ptr<CDC> dc(named["L"].CreateDCA());
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(std::tuple(dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES), dc->GetViewportOrg()),
              std::tuple(800, 600, CPoint(800, 0)));
    EXPECT_EQ(dc->GetViewportExt(), CSize(1, 1)) << "MM_TEXT: the extent stays one to one";
    EXPECT_EQ(named["L"].GetBitsPerPixel(), 32);
    EXPECT_EQ(CMonitors::AllMonitorsShareDisplayFormat(), 1);

    Display* display = XOpenDisplay(TeskTest::XvfbDisplayName().c_str());
    ASSERT_NE(display, nullptr);
    const Window root = DefaultRootWindow(display);
    const Window xwindow = XCreateSimpleWindow(display, root, 900, 10, 200, 100, 0, 0, 0);
    const HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(xwindow));
    XSync(display, False);
    EXPECT_EQ(std::pair(named["P"].IsOnMonitor(window), named["L"].IsOnMonitor(window)), std::pair(1, 0));
    EXPECT_EQ(CMonitors::GetNearestMonitor(window), named["P"]);
    named["L"].CenterWindowToMonitor(window, 0);
    XWindowAttributes a;
    XGetWindowAttributes(display, xwindow, &a);
    // Moved to L's middle (root 0..800 x 0..600), neither resized nor mapped (shown).
    EXPECT_EQ((std::array{a.x, a.y, a.width, a.height, a.map_state}),
              (std::array{300, 250, 200, 100, IsUnmapped}));
    EXPECT_TRUE(CMonitors::IsOnScreen(window));
    XDestroyWindow(display, xwindow);
    XSync(display, False);
    EXPECT_FALSE(CMonitors::IsOnScreen(window));
    EXPECT_EQ(CMonitors::GetNearestMonitor(window), named["P"]) << "a bad window gets the primary";
    named["L"].CenterWindowToMonitor(window, 0);  // a destroyed window: nothing happens

    EXPECT_EQ(RectOf(named["P"], true), RectOf(named["P"])) << "no dock, no window manager";
    // A 40-pixel top panel over P (root x 800..1919) and one at L's bottom (root y 570..599).
    AddDock(display, {0, 0, 40, 0, 0, 0, 0, 0, 800, 1919, 0, 0});
    AddDock(display, {0, 0, 0, 1080 - 570, 0, 0, 0, 0, 0, 0, 0, 799});
    EXPECT_EQ(RectOf(named["P"], true), CRect(0, 40, 1120, 1080));
    EXPECT_EQ(RectOf(named["L"], true), CRect(-800, 0, 0, 570));
    RECT dialog{0, 0, 300, 200};
    named["P"].CenterRectToMonitor(&dialog, 1);
    EXPECT_EQ(CRect(dialog), CRect(410, 460, 710, 660));
    dialog = RECT{1000, 1000, 1300, 1200};
    named["L"].ClipRectToMonitor(&dialog, 1);
    EXPECT_EQ(CRect(dialog), CRect(-300, 370, 0, 570));
    // A window manager's published area (desktop 1 current) cuts P's right edge at root x 1800.
    const long areas[8] = {0, 0, 1920, 1080, 0, 0, 1800, 1000};
    const long current = 1;
    SetCardinals(display, root, "_NET_WORKAREA", areas, 8);
    SetCardinals(display, root, "_NET_CURRENT_DESKTOP", &current, 1);
    XSync(display, False);
    EXPECT_EQ(RectOf(named["P"], true), CRect(0, 40, 1000, 1000));
    XDeleteProperty(display, root, XInternAtom(display, "_NET_WORKAREA", False));
    XDeleteProperty(display, root, XInternAtom(display, "_NET_CURRENT_DESKTOP", False));
    XCloseDisplay(display);  // flushes the deletions; its docks go with it

    layout.reset();
    EXPECT_FALSE(named["L"].IsMonitor());
    EXPECT_EQ(RectOf(named["L"]), CRect(0, 0, 0, 0));
    EXPECT_EQ(named["L"].CreateDCA(), nullptr);
    EXPECT_FALSE(CMonitor().IsMonitor());
}

}  // namespace
