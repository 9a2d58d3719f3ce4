// gtest before Xlib: Xlib defines None, which gtest uses as a name.
#include <gtest/gtest.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <string>

#include "tesk/exceptions.h"
#include "tesk/host_monitors.h"
#include "tesk/host_sysinfo.h"
#include "xvfb_env.h"

namespace {

using namespace TeskUtility;

TEST(ScreenInfo, DpiFromXftDpiElseTheScreenSize) {
    TESK_REQUIRE_XVFB();
    Display* display = XOpenDisplay(TeskTest::XvfbDisplayName().c_str());
    ASSERT_NE(display, nullptr);
    const Window root = DefaultRootWindow(display);
    struct Case {
        const char* resources;  // nullptr: no RESOURCE_MANAGER (the fixture runs Xvfb at -dpi 96)
        const char* text;
    } cases[] = {
        {nullptr, "\xA4@\xAF\xEB(96 DPI)"},
        {"Xft.dpi:\t120\n", "\xA4j(120 DPI)"},
        {"Xcursor.size: 24\nXft.dpi: 97.4\n", "\xA4j(97 DPI)"},
        {"Xft.dpi: 144\n", "\xA6\xDB\xADq(144 DPI)"},
        {"Xft.dpi: 96\n", "\xA4@\xAF\xEB(96 DPI)"},
        {"Xft.dpi: garbage\n", "\xA4@\xAF\xEB(96 DPI)"},
    };
    for (const Case& c : cases) {
        if (c.resources)
            XChangeProperty(display, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(c.resources), static_cast<int>(strlen(c.resources)));
        else
            XDeleteProperty(display, root, XA_RESOURCE_MANAGER);
        XSync(display, False);
        CStringA text;
        EXPECT_EQ(GetDPI(text), 1);
        EXPECT_EQ(text, c.text) << (c.resources ? c.resources : "none");
    }
    XDeleteProperty(display, root, XA_RESOURCE_MANAGER);
    XCloseDisplay(display);
}

// Run by X11Display.NoDisplayFailsQuietly in a process without a display.
TEST(ScreenInfoChild, DISABLED_NoDisplay) {
    EXPECT_EQ(CMonitors::GetMonitorCount(), 0);
    EXPECT_EQ(GetNumberOfMonitors(), 0);
    CMonitors monitors;
    EXPECT_EQ(monitors.GetCount(), 0);
    EXPECT_EQ(CMonitors::GetPrimaryMonitorIndex(), -1);
    EXPECT_EQ(CMonitors::IsOnScreen(POINT{0, 0}), 0);
    EXPECT_THROW(monitors.GetMonitor(0), CInvalidArgException);
    EXPECT_EQ(static_cast<HMONITOR>(CMonitors::GetPrimaryMonitor()), nullptr);
    EXPECT_EQ(static_cast<HMONITOR>(CMonitors::GetNearestMonitor(POINT{5, 5})), nullptr);
    CRect desktop(1, 2, 3, 4);
    CMonitors::GetVirtualDesktopRect(&desktop);
    EXPECT_EQ(desktop, CRect());
    CStringA dpi = "before";
    EXPECT_EQ(GetDPI(dpi), 0);
    EXPECT_EQ(dpi, "before");
    int width = -1, height = -1;
    EXPECT_EQ(GetScreenCoordinate(width, height), 1);
    EXPECT_EQ(width + height, 0);
}

}  // namespace
