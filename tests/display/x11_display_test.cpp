// gtest before Xlib: Xlib defines None, which gtest uses as a name.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "child_process.h"
#include "platform/x11_display.h"
#include "xvfb_env.h"

namespace {

using TeskUtility::x11::Session;
using TeskUtility::x11::WindowRectInRoot;

// A connection of the test's own, to make windows the library then looks at.
struct TestConnection {
    Display* display = XOpenDisplay(TeskTest::XvfbDisplayName().c_str());
    ~TestConnection() {
        if (display)
            XCloseDisplay(display);
    }
    Window MakeWindow(int x, int y, int w, int h, int border) {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        const Window window = XCreateWindow(display, DefaultRootWindow(display), x, y, w, h, border,
                                            CopyFromParent, InputOutput, CopyFromParent,
                                            CWOverrideRedirect, &attributes);
        XSync(display, False);
        return window;
    }
};

TEST(X11Display, WindowRectInRootIsTheOuterRectangleOrFalse) {
    TESK_REQUIRE_XVFB();
    TestConnection test;
    ASSERT_NE(test.display, nullptr);
    const Window live = test.MakeWindow(30, 40, 200, 100, 2);
    const Window child = XCreateSimpleWindow(test.display, live, 10, 5, 50, 20, 0, 0, 0);
    const Window destroyed = test.MakeWindow(0, 0, 10, 10, 0);
    XDestroyWindow(test.display, destroyed);
    XSync(test.display, False);

    struct Case {
        unsigned long window;
        bool ok;
        int x, y, w, h;
    } cases[] = {
        {live, true, 30, 40, 204, 104},
        {child, true, 42, 47, 50, 20},  // inside the parent's 2-pixel border
        {0, false, 0, 0, 0, 0},
        {destroyed, false, 0, 0, 0, 0},
        {0x1FFFFFF0, false, 0, 0, 0, 0},  // an id no client owns
    };
    for (const Case& c : cases) {
        int x = -1, y = -1, w = -1, h = -1;
        EXPECT_EQ(WindowRectInRoot(c.window, x, y, w, h), c.ok) << std::hex << c.window;
        if (c.ok) {
            EXPECT_EQ(x, c.x);
            EXPECT_EQ(y, c.y);
            EXPECT_EQ(w, c.w);
            EXPECT_EQ(h, c.h);
        }
    }
    Session session;
    ASSERT_TRUE(session);
    EXPECT_EQ(session.root(), DefaultRootWindow(test.display));
    EXPECT_TRUE(session.Sync()) << "the trapped errors were all consumed by their calls";
}

int g_hostErrors = 0;
int HostHandler(Display*, XErrorEvent*) {
    ++g_hostErrors;
    return 0;
}

TEST(X11Display, ErrorsOnTheHostsConnectionStillReachTheHostsHandler) {
    TESK_REQUIRE_XVFB();
    TestConnection host;
    ASSERT_NE(host.display, nullptr);
    XErrorHandler before = XSetErrorHandler(HostHandler);
    g_hostErrors = 0;
    {
        Session session;  // puts ours in front, keeping the host's behind it
        ASSERT_TRUE(session);
        XMapWindow(session.display(), 0x1FFFFFF0);
        EXPECT_FALSE(session.Sync());
        EXPECT_EQ(Session::LastErrorCode(), BadWindow);
        EXPECT_TRUE(session.Sync());
    }
    XMapWindow(host.display, 0x1FFFFFF0);
    XSync(host.display, False);
    EXPECT_EQ(g_hostErrors, 1);
    XSetErrorHandler(before);
}

// Every suite's *Child.DISABLED_NoDisplay case, in one process without a display.
TEST(X11Display, NoDisplayFailsQuietly) {
    if (std::getenv("TESK_CHILD_TEST"))
        GTEST_SKIP();
    const TeskTest::ChildResult child =
        TeskTest::RunSelfTest("*Child.DISABLED_NoDisplay", {"DISPLAY", "TESK_XVFB_STATE"});
    EXPECT_NE(child.out.find("[  PASSED  ]"), std::string::npos) << child.out;
    EXPECT_EQ(child.out.find("[  PASSED  ] 0 tests"), std::string::npos) << "the filter must find the cases";
    EXPECT_EQ(child.exitCode, 0) << child.out;
    EXPECT_EQ(child.err, "");
}

TEST(X11DisplayChild, DISABLED_NoDisplay) {
    int x, y, w, h;
    EXPECT_FALSE(Session());
    EXPECT_EQ(Session().display(), nullptr);
    EXPECT_FALSE(Session().Sync());
    EXPECT_FALSE(WindowRectInRoot(1, x, y, w, h));
}

TEST(X11Display, ServerGoingAwayLeavesTheProcessRunning) {
    if (std::getenv("TESK_CHILD_TEST"))
        GTEST_SKIP();
    char dir[] = "/tmp/tesk_xvfb_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string state = std::string(dir) + "/state";
    ASSERT_EQ(TeskTest::RunChild({"/bin/sh", TESK_XVFB_SCRIPT, "start", state, "320x240"}).exitCode, 0);
    const TeskTest::ChildResult child = TeskTest::RunSelfTest(
        "X11DisplayChild.DISABLED_ServerGoesAway", {"TESK_XVFB_STATE=" + state});
    TeskTest::RunChild({"/bin/sh", TESK_XVFB_SCRIPT, "stop", state});
    rmdir(dir);
    EXPECT_EQ(child.exitCode, 0) << child.out << child.err;
}

TEST(X11DisplayChild, DISABLED_ServerGoesAway) {
    ASSERT_FALSE(TeskTest::XvfbDisplayName().empty());
    std::string pid;
    std::ifstream(std::getenv("TESK_XVFB_STATE")) >> pid >> pid;
    {
        Session session;
        ASSERT_TRUE(session);
        EXPECT_TRUE(session.Sync());
    }
    ASSERT_EQ(kill(std::stoi(pid), SIGKILL), 0);
    usleep(200000);
    int x, y, w, h;
    EXPECT_FALSE(WindowRectInRoot(Session().root(), x, y, w, h));
    EXPECT_FALSE(Session());
}

}  // namespace
