// gtest before Xlib: Xlib defines None, which gtest uses as a name.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <string>

#include "child_process.h"
#include "io_test_support.h"
#include "platform/x11_display.h"
#include "xvfb_env.h"

namespace {

using TeskUtility::x11::Session;
using TeskUtility::x11::WindowRectInRoot;

int g_hostErrors = 0;
int HostHandler(Display*, XErrorEvent*) {
    ++g_hostErrors;
    return 0;
}

TEST(X11Display, WindowRectsAndErrorsTrappedWithoutHidingTheHostsOwn) {
    TESK_REQUIRE_XVFB();
    Display* host = XOpenDisplay(TeskTest::XvfbDisplayName().c_str());
    ASSERT_NE(host, nullptr);
    const Window live = XCreateSimpleWindow(host, DefaultRootWindow(host), 30, 40, 200, 100, 2, 0, 0);
    const Window child = XCreateSimpleWindow(host, live, 10, 5, 50, 20, 0, 0, 0);
    const Window destroyed = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(host, destroyed);
    XSync(host, False);
    struct Case {
        unsigned long window;
        std::array<int, 4> rect;  // x, y, width, height; all zero: no rectangle
    } cases[] = {
        {live, {30, 40, 204, 104}},
        {child, {42, 47, 50, 20}},  // inside the parent's 2-pixel border
        {0, {}},
        {destroyed, {}},  // as any id no client owns
    };
    for (const Case& c : cases) {
        std::array<int, 4> rect{};  // a failure leaves it alone
        EXPECT_EQ(WindowRectInRoot(c.window, rect[0], rect[1], rect[2], rect[3]), c.rect[2] != 0) << c.window;
        EXPECT_EQ(rect, c.rect) << c.window;
    }
    XErrorHandler before = XSetErrorHandler(HostHandler);
    {
        Session session;  // puts ours in front, keeping the host's behind it
        ASSERT_TRUE(session);
        EXPECT_EQ(session.root(), DefaultRootWindow(host));
        EXPECT_TRUE(session.Sync()) << "the trapped errors were all consumed by their calls";
        XMapWindow(session.display(), 0x1FFFFFF0);
        EXPECT_FALSE(session.Sync());
        EXPECT_EQ(Session::LastErrorCode(), BadWindow);
        EXPECT_TRUE(session.Sync());
    }
    XMapWindow(host, 0x1FFFFFF0);
    XSync(host, False);
    EXPECT_EQ(g_hostErrors, 1);
    XSetErrorHandler(before);
    XCloseDisplay(host);
}

// Every suite's *Child.DISABLED_NoDisplay case, in one process without a display.
TEST(X11Display, NoDisplayFailsQuietly) {
    if (std::getenv("TESK_CHILD_TEST"))
        GTEST_SKIP();
    const TeskTest::ChildResult child =
        TeskTest::RunSelfTest("*Child.DISABLED_NoDisplay", {"DISPLAY", "TESK_XVFB_STATE"});
    EXPECT_EQ(child.out.find("[  PASSED  ] 0 tests"), std::string::npos) << "the filter must find the cases";
    EXPECT_EQ(std::pair(child.exitCode, child.err), std::pair(0, std::string())) << child.out;
}

TEST(X11DisplayChild, DISABLED_NoDisplay) {
    int x, y, w, h;
    EXPECT_FALSE(Session());
    EXPECT_FALSE(Session().Sync());
    EXPECT_FALSE(WindowRectInRoot(1, x, y, w, h));
}

TEST(X11Display, ServerGoingAwayLeavesTheProcessRunning) {
    if (std::getenv("TESK_CHILD_TEST"))
        GTEST_SKIP();
    const TempDir dir;
    const std::string state = dir.File("state");
    ASSERT_EQ(TeskTest::RunChild({"/bin/sh", TESK_XVFB_SCRIPT, "start", state, "320x240"}).exitCode, 0);
    const TeskTest::ChildResult child =
        TeskTest::RunSelfTest("X11DisplayChild.DISABLED_ServerGoesAway", {"TESK_XVFB_STATE=" + state});
    TeskTest::RunChild({"/bin/sh", TESK_XVFB_SCRIPT, "stop", state});
    EXPECT_EQ(child.exitCode, 0) << child.out << child.err;
}

TEST(X11DisplayChild, DISABLED_ServerGoesAway) {
    ASSERT_FALSE(TeskTest::XvfbDisplayName().empty());
    std::string pid;
    std::ifstream(std::getenv("TESK_XVFB_STATE")) >> pid >> pid;
    EXPECT_TRUE(Session().Sync());
    ASSERT_EQ(kill(std::stoi(pid), SIGKILL), 0);
    usleep(200000);
    int x, y, w, h;
    EXPECT_FALSE(WindowRectInRoot(Session().root(), x, y, w, h));
    EXPECT_FALSE(Session());
}

}  // namespace
