// Screen capture under the fixture's Xvfb: windows of known colours read back
// pixel by pixel in each mode, by both grab methods; printing through a test
// handler; snapshots; and no display at all.
// gtest before Xlib: Xlib defines None, which gtest uses as a name.
#include <gtest/gtest.h>
#include <X11/Xlib.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "imaging/pixel_ops.h"
#include "imaging/screen_grab.h"
#include "io_test_support.h"
#include "tesk/imaging_capture.h"
#include "xvfb_env.h"

namespace {

namespace img = TeskUtility::imaging;

// A 40x30 window at (300, 200) in four 20x15 quadrants; pixel words 0x00RRGGBB.
constexpr int kLeft = 300, kTop = 200, kWidth = 40, kHeight = 30;
constexpr std::uint32_t kQuadrants[4] = {0xFF0000, 0x808080, 0x66FFFF, 0x123456};  // TL, TR, BL, BR

std::uint32_t QuadrantAt(int x, int y) { return kQuadrants[(y >= kHeight / 2) * 2 + (x >= kWidth / 2)]; }

struct ColouredWindow {
    Display* display = XOpenDisplay(TeskTest::XvfbDisplayName().c_str());
    Window window = 0;
    ColouredWindow() {
        if (!display) return;
        XSetWindowAttributes a{};
        a.override_redirect = True;
        window = XCreateWindow(display, DefaultRootWindow(display), kLeft, kTop, kWidth, kHeight, 0, CopyFromParent,
                               InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
        for (int q = 0; q < 4; ++q)
            XCreateSimpleWindow(display, window, (q % 2) * kWidth / 2, (q / 2) * kHeight / 2, kWidth / 2, kHeight / 2,
                                0, 0, kQuadrants[q]);
        XMapSubwindows(display, window);
        XMapRaised(display, window);
        XSync(display, False);
    }
    ~ColouredWindow() {
        if (!display) return;
        XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
    HWND handle() const { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
};

std::uint32_t Word(const CImage& image, int x, int y) {
    return *static_cast<const std::uint32_t*>(image.GetPixelAddress(x, y));
}

TEST(ScreenCapture, WindowPixelsFollowTheModeAndWhatIsNoWindowIsRefused) {
    TESK_REQUIRE_XVFB();
    ColouredWindow w;
    ASSERT_NE(w.display, nullptr);
    const auto same = [](std::uint32_t word) { return word; };
    struct Case {
        int mode;
        int taPanel;
        std::uint32_t (*expected)(std::uint32_t word);
    } cases[] = {
        {0, 0, same},
        {1, 0, [](std::uint32_t word) { return img::BlackWhiteWord(~word & 0xFFFFFF); }},
        {2, 1, img::CompareRedGreenWord},
        {2, 0, same},  // xor onto black
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", panel " << c.taPanel);
        CScreenImage shot("", c.mode);
        shot.SetIsTAPanel(c.taPanel);
        ASSERT_EQ(shot.CaptureWindow(w.handle(), 0), 1);
        ASSERT_EQ(std::tuple(shot.GetWidth(), shot.GetHeight(), shot.GetBPP()),
                  std::tuple(kWidth, kHeight, 32));
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(Word(shot, x, y), c.expected(QuadrantAt(x, y))) << x << "," << y;
    }

    const Window gone = XCreateSimpleWindow(w.display, DefaultRootWindow(w.display), 0, 0, 5, 5, 0, 0, 0);
    XDestroyWindow(w.display, gone);
    XSync(w.display, False);
    EXPECT_EQ(CScreenImage().CaptureWindow(nullptr, 0), 0);
    EXPECT_EQ(CScreenImage().CaptureWindow(reinterpret_cast<HWND>(std::uintptr_t{gone}), 0), 0);
}

TEST(ScreenCapture, BothGrabMethodsAgreeAndOffScreenPartsAreBlack) {
    TESK_REQUIRE_XVFB();
    ColouredWindow w;
    ASSERT_TRUE(img::SharedMemoryGrabOffered());
    CImage shared, plain;
    const CRect area(kLeft - 5, kTop - 5, kLeft + kWidth, kTop + kHeight);
    ASSERT_TRUE(img::GrabScreenArea(area, shared, img::EGrabMethod::SharedMemory));
    ASSERT_TRUE(img::GrabScreenArea(area, plain, img::EGrabMethod::GetImage));
    for (int y = 5; y < area.Height(); ++y)
        for (int x = 5; x < area.Width(); ++x) {
            ASSERT_EQ(Word(shared, x, y), QuadrantAt(x - 5, y - 5));
            ASSERT_EQ(Word(plain, x, y), QuadrantAt(x - 5, y - 5));
        }

    CScreenImage shot;
    EXPECT_EQ(shot.CaptureScreen(0), 1);
    EXPECT_EQ(shot.GetWidth(), 1920);
    EXPECT_EQ(shot.CaptureScreen(0, 64, 32), 1);
    EXPECT_EQ(shot.GetHeight(), 32);
    CSize primary, virtualScreen;
    ASSERT_TRUE(img::ScreenSizes(primary, virtualScreen));
    // Straddling the bottom-right corner: the screen's corner pixel lands at (4, 4).
    ASSERT_EQ(shot.CaptureRect(CRect(virtualScreen.cx - 5, virtualScreen.cy - 5, virtualScreen.cx + 5,
                                     virtualScreen.cy + 5), 0), 1);
    EXPECT_EQ(shot.GetWidth(), 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 5; x < 10; ++x) ASSERT_EQ(Word(shot, x, y), 0u) << x << "," << y;
    ASSERT_EQ(shot.CaptureRect(CRect(-100, -100, -50, -50), 0), 1);  // wholly off: all black
    EXPECT_EQ(Word(shot, 0, 0), 0u);

    EXPECT_EQ(shot.CaptureRect(CRect(10, 10, 10, 20), 0), 0);  // empty
    EXPECT_TRUE(shot.IsNull());
    EXPECT_EQ(shot.CaptureRect(CRect(0, 0, 100000, 100000), 0), 0);  // too large to hold
    EXPECT_EQ(CScreenImage("", 3).CaptureRect(CRect(0, 0, 5, 5), 0), 0);  // no such mode
}

// A print handler that records what it was asked.
struct RecordingPrinter {
    int answer = TeskUtility::IDOK;
    TeskUtility::SPrintSetup setup;
    std::vector<std::string> documents;
    CImage page;
    std::vector<std::string> messages;

    RecordingPrinter() {
        TeskUtility::SetPrintHandler({[this](TeskUtility::SPrintSetup& s) { s = setup; return answer; },
                                      [this](const TeskUtility::SPrintSetup&, const std::string& doc, const CImage& p) {
                                          documents.push_back(doc);
                                          page = p;
                                          return true;
                                      }});
        TeskUtility::SetMessageBoxHandler([this](const std::string& text, const std::string&, unsigned) {
            messages.push_back(text);
            return TeskUtility::IDOK;
        });
    }
    ~RecordingPrinter() {
        TeskUtility::SetPrintHandler({});
        TeskUtility::SetMessageBoxHandler({});
    }
};

TEST(ScreenPrinting, PortraitTurnsAndStretchesXorInvertsAndFailuresSpeakThroughMessageBoxes) {
    TESK_REQUIRE_XVFB();
    ColouredWindow w;
    TempDir dir;
    RecordingPrinter printer;
    printer.setup = {"test", true, 60, 80};
    CScreenImage shot(dir.File("p.bmp"), 0);
    ASSERT_EQ(shot.CaptureWindow(w.handle(), 1), 1);
    EXPECT_EQ(CSize(shot.GetWidth(), shot.GetHeight()), CSize(kHeight, kWidth));  // turned a quarter
    ASSERT_EQ(printer.documents, std::vector<std::string>{dir.File("p.bmp")});
    ASSERT_EQ(CSize(printer.page.GetWidth(), printer.page.GetHeight()), CSize(60, 80));
    // The page is the saved file stretched: the turn puts the top-right quadrant at the top left;
    // doubled in size, the middle of each page quadrant keeps its colour exactly.
    for (const auto& [x, y, quadrant] : {std::tuple{15, 20, 1}, {45, 20, 3}, {15, 60, 0}})
        EXPECT_EQ(Word(printer.page, x, y), kQuadrants[quadrant]) << x << "," << y;

    printer.setup = {"test", false, kWidth, kHeight};
    ASSERT_EQ(CScreenImage(dir.File("x.bmp"), 2).CaptureWindow(w.handle(), 1), 1);
    EXPECT_EQ(Word(printer.page, 5, 5), ~kQuadrants[0] & 0xFFFFFF);  // xor mode inverts on paper

    printer.answer = TeskUtility::IDCANCEL;  // cancelled: nothing saved, nothing printed
    ASSERT_EQ(CScreenImage(dir.File("c.bmp"), 0).CaptureWindow(w.handle(), 1), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("c.bmp")));

    printer.answer = TeskUtility::IDOK;  // a PNG cannot be read back as a bitmap
    ASSERT_EQ(CScreenImage(dir.File("p.png"), 0).CaptureWindow(w.handle(), 1), 1);
    EXPECT_TRUE(std::filesystem::exists(dir.File("p.png")));
    printer.setup.pageWidth = 0;  // no printable area: the printer did not load
    ASSERT_EQ(CScreenImage(dir.File("z.bmp"), 0).CaptureWindow(w.handle(), 1), 1);
    const std::string printerFailed = "\xB8\xFC\xA4\x4A\xA6\x4C\xAA\xED\xBE\xF7\xA5\xA2\xB1\xD1!";
    EXPECT_EQ(printer.messages, (std::vector<std::string>{"Error loading bitmap!", printerFailed}));
    EXPECT_EQ(printer.documents.size(), 2u);
}

TEST(Snapshot, HalfSizeJpegUnderTheSnapshotName) {
    TESK_REQUIRE_XVFB();
    TempDir dir;
    ASSERT_EQ(TeskUtility::SaveSnapshot(nullptr, nullptr, dir.File("s.jpg")), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("s.jpg")));
    std::filesystem::copy_file(dir.File("s.quorin"), dir.File("back.jpg"));
    CImage half;
    ASSERT_EQ(half.Load(dir.File("back.jpg")), S_OK);
    EXPECT_EQ(CSize(half.GetWidth(), half.GetHeight()), CSize(960, 540));

    ASSERT_EQ(TeskUtility::SaveSnapshot(nullptr, nullptr, dir.File("s.png")), 1);  // no ".jpg": kept
    EXPECT_EQ(half.Load(dir.File("s.png")), S_OK);
    EXPECT_EQ(TeskUtility::SaveSnapshot(nullptr, nullptr, dir.File("missing/s.jpg")), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
}

// Run by X11Display.NoDisplayFailsQuietly in a process without a display.
TEST(ScreenCaptureChild, DISABLED_NoDisplay) {
    TempDir dir;
    CScreenImage shot(dir.File("n.png"), 0);
    EXPECT_EQ(shot.CaptureRect(CRect(0, 0, 10, 10), 0), 0);
    EXPECT_EQ(shot.CaptureScreen(0), 0);
    EXPECT_EQ(TeskUtility::SaveSnapshot(nullptr, nullptr, dir.File("n.jpg")), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("")));
}

}  // namespace
