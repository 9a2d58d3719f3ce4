// gtest before Xlib: Xlib defines None, which gtest uses as a name.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "child_process.h"
#include "tesk/host_instance.h"
#include "xvfb_env.h"

namespace {

using TeskTest::BackgroundChild;

// Names of this test process only, so no other program's block is touched.
std::string TestName(const char* tag) { return "tesk-test-" + std::to_string(getpid()) + "-" + tag; }
std::filesystem::path BlockFile(const std::string& name) { return "/dev/shm/CSingleInstance-" + name; }

HWND AsHwnd(Window window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

TEST(SingleInstance, SecondCopyWakesTheFirstAndTakesOverAfterAKill) {
    TESK_REQUIRE_XVFB();
    const std::string name = TestName("tool");
    BackgroundChild first({TESKUTIL_PATH, "instance", name});
    ASSERT_EQ(first.ReadLine(5000).rfind("first copy of " + name, 0), 0u);
    const TeskTest::ChildResult second = TeskTest::RunChild({TESKUTIL_PATH, "instance", name});
    EXPECT_EQ(second.exitCode, 3) << second.err;
    EXPECT_NE(second.out.find("notified window 0x"), std::string::npos) << second.out;
    EXPECT_EQ(first.ReadLine(5000), "notified (1)");

    first.Signal(SIGKILL);
    EXPECT_EQ(first.Wait(), -SIGKILL);
    ASSERT_TRUE(std::filesystem::exists(BlockFile(name))) << "a killed copy cannot clean up";
    BackgroundChild next({TESKUTIL_PATH, "instance", name});
    EXPECT_EQ(next.ReadLine(5000).rfind("first copy of " + name, 0), 0u) << "the stale block is taken over";
    next.Signal(SIGTERM);
    EXPECT_EQ(next.Wait(), 0);
    EXPECT_FALSE(std::filesystem::exists(BlockFile(name))) << "unloading in the first copy removes the block";
}

TEST(SingleInstance, NotifyReachesTheStoredWindowAndForeignBlocksAreRefused) {
    TESK_REQUIRE_XVFB();
    Display* display = XOpenDisplay(TeskTest::XvfbDisplayName().c_str());
    ASSERT_NE(display, nullptr);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XSync(display, False);
    TeskUtility::SetApplicationName(TestName("in/process"));  // '/' cannot be part of the block's name
    TeskUtility::SetThreadMainWindow(AsHwnd(window));
    CSingleInstance first, later;
    EXPECT_EQ(later.PreviousInstanceRunning(), 0) << "nothing opened yet";
    ASSERT_EQ(first.TrackFirstInstanceRunning(), 1);
    EXPECT_TRUE(std::filesystem::exists(BlockFile(TestName("in_process"))));
    EXPECT_NE(CSingleInstance::csm_nNotifyWindowMessage, 0u);

    ASSERT_EQ(later.PreviousInstanceRunning(), 1);
    EXPECT_EQ(later.TrackFirstInstanceRunning(), 0) << "it holds the block it opened";
    EXPECT_EQ(later.NotifyPreviousInstance(), AsHwnd(window));
    XEvent event{};
    XNextEvent(display, &event);
    EXPECT_EQ(std::tie(event.type, event.xclient.window, event.xclient.message_type),
              std::make_tuple(ClientMessage, window, Atom{CSingleInstance::csm_nNotifyWindowMessage}));
    EXPECT_EQ(later.NotifyPreviousInstance(), nullptr) << "the block was handed back";

    XDestroyWindow(display, window);
    XSync(display, False);
    EXPECT_EQ(later.PreviousInstanceRunning(), 0) << "its window is gone: the first copy is dead";
    XCloseDisplay(display);

    TeskUtility::SetThreadMainWindow(nullptr);
    TeskUtility::SetApplicationName(TestName("nowindow"));
    CSingleInstance windowless, other;
    ASSERT_EQ(windowless.TrackFirstInstanceRunning(), 1);
    EXPECT_EQ(other.PreviousInstanceRunning(), 1) << "a first copy without a main window still runs";
    EXPECT_EQ(other.NotifyPreviousInstance(), nullptr);

    // A block of another size under our name belongs to some other program.
    const std::string foreign = TestName("foreign");
    ASSERT_TRUE(std::ofstream(BlockFile(foreign)) << std::string(16, 'x'));
    TeskUtility::SetApplicationName(foreign);
    CSingleInstance stranger;
    EXPECT_EQ(stranger.PreviousInstanceRunning(), 0);
    EXPECT_EQ(stranger.TrackFirstInstanceRunning(), 0);
    std::filesystem::remove(BlockFile(foreign));
}

}  // namespace
