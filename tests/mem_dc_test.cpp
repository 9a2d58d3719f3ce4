#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <string>
#include <utility>
#include <vector>

#include "drawing_test_support.h"

using namespace TeskUtility;

namespace {

// Text, box, format and font height of one DrawText call.
using Call = std::tuple<std::string, CRect, unsigned, int>;

// Records DrawText calls with the selected font's height; every character advances
// half the font's pixel height, the cell is the height itself.
template <typename Base>
class Recording : public Base {
public:
    template <typename... Args>
    explicit Recording(Args&&... args) : Base(std::forward<Args>(args)...) {
        if (!this->IsCreated()) this->CreateCompatibleDC(nullptr);
    }
    using Base::DrawText;
    int DrawText(const char* text, int count, RECT* rect, unsigned int format) override {
        calls.push_back({std::string(text, count), CRect(*rect), format, Height()});
        return Height();
    }
    CSize GetTextExtent(const char*, int count) const override {
        return CSize(count * (std::abs(Height()) / 2), std::abs(Height()));
    }
    int Height() const {
        LOGFONTA lf{};
        this->GetCurrentFont()->GetLogFont(&lf);
        return lf.lfHeight;
    }
    std::vector<Call> calls;
};
using RecordingDC = Recording<CDC>;

}  // namespace

TEST(TeskMemDC, PaintsOffScreenAndCopiesOnceInTheTargetsMapping) {
    CanvasDC window(40, 30);
    window.SetWindowOrg(-2, 0);
    window.SetBkColor(kBlue);
    {
        const CRect area(10, 5, 30, 25);
        CTeskMemDC dc(window, &area);
        ExpectPixels(dc, {{10, 5, kBlue}, {9, 5, CLR_INVALID}});  // filled with the target's background
        dc.SetPixel(12, 6, kRed);
        EXPECT_EQ(window.GetPixel(12, 6), kWhite);  // nothing reaches the target yet
    }
    ExpectPixels(window, {{12, 6, kRed}, {10, 5, kBlue}, {29, 24, kBlue}, {30, 24, kWhite}, {9, 5, kWhite},
                          {10, 4, kWhite}});
    {
        CTeskMemDC whole(window);  // the clip box: everything
        whole.SetPixel(-2, 0, kRed);
    }
    ExpectPixels(window, {{-2, 0, kRed}, {37, 29, kBlue}});

    CanvasDC scaled(30, 30);
    scaled.SetBkColor(kBlue);
    scaled.SetMapMode(MM_ANISOTROPIC);
    scaled.SetWindowExt(1, 1);
    scaled.SetViewportExt(2, 2);  // a logical unit is 2x2 pixels
    {
        const CRect area(5, 5, 10, 10);
        CTeskMemDC dc(scaled, &area);
        EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 10);
        dc.SetPixel(9, 9, kRed);  // device (8, 8) of the bitmap
    }
    ExpectPixels(scaled, {{9, 9, kRed}, {5, 5, kBlue}, {10, 10, kWhite}, {4, 4, kWhite}});
}

TEST(TeskMemDC, ForwardsToAPrintingTargetAndSurvivesFailures) {
    CanvasDC printer(10, 10);
    printer.m_bPrinting = 1;
    {
        CTeskMemDC dc(printer);
        EXPECT_EQ(dc.IsPrinting(), 1);
        dc.SetPixel(3, 3, kRed);
        EXPECT_EQ(printer.GetPixel(3, 3), kRed);  // straight onto the target
    }
    EXPECT_TRUE(printer.IsCreated());
    EXPECT_EQ(printer.GetPixel(3, 3), kRed);

    CanvasDC window(10, 10);
    window.SetBkColor(kBlue);
    {
        const CRect empty(4, 4, 4, 8);  // no bitmap: no fill, nothing copied
        CTeskMemDC dc(window, &empty);
        dc.SetPixel(0, 0, kRed);
    }
    EXPECT_TRUE(Painted(window, 10, 10).empty());
}

TEST(TeskMemDC, DrawTextBiggerSplitsTheLastDigits) {
    struct Case {
        unsigned format;
        int count;
        std::vector<Call> calls;
        int boxLeft, boxRight;  // the caller's box afterwards
    };
    // Caller's font -12 (6 px a character), larger -16 (8 px); box 0..100.
    const unsigned L = DT_LEFT, C = DT_CENTER, R = DT_RIGHT;
    const Case cases[] = {
        {R, 2, {{"56", {0, 0, 100, 20}, R, -16}, {"1234.", {0, 0, 84, 20}, R, -12}}, 0, 84},
        {L, 2, {{"1234.", {0, 0, 100, 20}, L, -12}, {"56", {30, 0, 100, 20}, L, -16}}, 30, 100},
        // (100 - 30 - 16) / 2 = 27.
        {C, 2, {{"1234.", {27, 0, 57, 20}, C, -12}, {"56", {57, 0, 73, 20}, C, -16}}, 0, 100},
        {R, 7, {{"1234.56", {0, 0, 100, 20}, R, -12}}, 0, 100},
        {R, 0, {{"", {0, 0, 100, 20}, R, -12}, {"1234.56", {0, 0, 100, 20}, R, -12}}, 0, 100},
    };
    for (const auto& c : cases) {
        RecordingDC dc;
        CFont& caller = FontOfHeight(-12);
        dc.SelectObject(&caller);
        RECT box{0, 0, 100, 20};
        CTeskMemDC::DrawText_Bigger(dc, "1,234.56", &box, c.format, c.count);
        EXPECT_EQ(dc.calls, c.calls) << c.format << " " << c.count;
        EXPECT_EQ(CRect(box), CRect(c.boxLeft, 0, c.boxRight, 20));
        EXPECT_EQ(dc.GetCurrentFont(), &caller);
    }
    // A cell height grows by 3 points at the context's resolution: 5 px at 120 dpi.
    RecordingDC dc;
    dc.SetLogPixels(120, 120);
    dc.SelectObject(&FontOfHeight(20));
    RECT box{0, 0, 100, 20};
    CTeskMemDC::DrawText_Bigger(dc, "123", &box, DT_LEFT, 1);
    ASSERT_EQ(dc.calls.size(), 2u);
    EXPECT_EQ(std::get<3>(dc.calls[1]), 25);
}

TEST(DrawColorEdge, EdgesByStyleInBothForms) {
    struct Case {
        EDrawEdgeStyle style;
        const char* edges;  // L, R, T, B
        bool olderFormDraws;
    };
    const Case cases[] = {
        {DrawEdge_All, "LRTB", true}, {DrawEdge_TopBottom, "TB", true}, {DrawEdge_LeftRight, "LR", true},
        {DrawEdge_Left, "L", true}, {DrawEdge_Right, "R", true}, {DrawEdge_Top, "T", true},
        {DrawEdge_Bottom, "B", true}, {DrawEdge_LeftTopBottom, "LTB", true},
        {DrawEdge_RightTopBottom, "RTB", true}, {DrawEdge_LeftBottom, "LB", false},
        {DrawEdge_RightBottom, "RB", false}, {static_cast<EDrawEdgeStyle>(11), "", false},
    };
    const CRect rect(2, 2, 7, 6);
    for (const auto& c : cases) {
        std::set<std::pair<int, int>> expected;
        for (const char* e = c.edges; *e; ++e)
            for (int i = 0; i < 5; ++i) {
                if (*e == 'L' && i < 4) expected.insert({2, 2 + i});
                if (*e == 'R' && i < 4) expected.insert({7, 2 + i});
                if (*e == 'T') expected.insert({2 + i, 2});
                if (*e == 'B') expected.insert({2 + i, 6});
            }
        for (const bool older : {false, true}) {
            CanvasDC window(10, 10);
            {
                CTeskMemDC dc(window);
                CPen* pen = dc.GetCurrentPen();
                if (older)
                    DrawColorEdge(static_cast<CDC*>(&dc), rect, kRed, 1, c.style);
                else
                    DrawColorEdge(dc, rect, kRed, 1, c.style);
                EXPECT_EQ(dc.GetCurrentPen(), pen);
            }
            const bool draws = !older || c.olderFormDraws;
            EXPECT_EQ(Painted(window, 10, 10), (draws ? expected : decltype(expected){}))
                << c.style << (older ? " CDC*" : "");
        }
    }
    DrawColorEdge(static_cast<CDC*>(nullptr), rect, kRed, 1, DrawEdge_All);
}

TEST(GradientColor, SecondColourStartsInsideTheInset) {
    for (const int mode : {0, 1}) {  // 0 runs to red at the right, 1 at the bottom
        CanvasDC window(12, 12);
        CTeskMemDC dc(window);
        GradientColor(dc, CRect(0, 0, 12, 12), kRed, kBlue, CRect(1, 2, 3, 4), mode);
        ExpectPixels(dc, {{1, 2, kBlue}, {mode == 0 ? 8 : 1, mode == 0 ? 2 : 7, kRed}, {8, 7, kRed},
                          {0, 2, kWhite}, {9, 7, kWhite}, {8, 8, kWhite}, {1, 1, kWhite}});
    }
    GradientColor(static_cast<CDC*>(nullptr), CRect(0, 0, 4, 4), kRed, kBlue, CRect(), 0);
}

TEST(TextBoxes, MultiLineMeasureAndCentre) {
    CanvasDC window(4, 4);
    Recording<CTeskMemDC> dc(window);
    dc.SelectObject(&FontOfHeight(-10));  // 5 px a character, 10 high
    DrawMultiLineString(dc, "A\nB", CRect(0, 100, 50, 140), DT_CENTER, 4);
    EXPECT_EQ(dc.calls, (std::vector<Call>{{"A", {0, 100, 50, 118}, DT_CENTER | 0x828u, -10},
                                           {"B", {0, 122, 50, 140}, DT_CENTER | 0x820u, -10}}));
    dc.calls.clear();
    DrawMultiLineString(dc, "AB", CRect(0, 0, 9, 9), 0, 0);
    DrawMultiLineString(dc, "\nAB", CRect(0, 0, 9, 9), 0, 0);
    EXPECT_TRUE(dc.calls.empty());

    CRect rect(0, 0, 100, 30);
    CalculateStringRect(&dc, "12345678", rect);  // 40 x 10
    EXPECT_EQ(rect, CRect(30, 10, 70, 20));
    rect = CRect(0, 0, 10, 5);
    CalculateStringRect(&dc, "123", rect);  // larger than the box: grows
    EXPECT_EQ(rect, CRect(-2, -2, 12, 7));

    CSize size(-1, -1);
    CFont& wide = FontOfHeight(-20);
    GetFontExtentSize(&dc, &wide, "abc", size);
    EXPECT_EQ(size, CSize(30, 20));
    EXPECT_EQ(dc.Height(), -10);  // the previous font is back
    GetFontExtentSize(nullptr, &wide, "abc", size = CSize(-1, -1));
    EXPECT_EQ(size, CSize(-1, -1));
}

TEST(CrossImage, PremultipliesThirtyTwoBitPixels) {
    CImage image;
    ASSERT_EQ(image.Create(2, 2, 32, CImage::createAlphaChannel), 1);
    // BGRA in, then out: each colour scaled by alpha, rounded down.
    const unsigned char px[4][8] = {{200, 100, 50, 128, 100, 50, 25, 128}, {255, 255, 255, 0, 0, 0, 0, 0},
                                    {10, 20, 30, 255, 10, 20, 30, 255}, {255, 1, 254, 254, 254, 0, 253, 254}};
    for (int i = 0; i < 4; ++i) std::memcpy(image.GetPixelAddress(i % 2, i / 2), px[i], 4);
    CrossImage(image);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0, std::memcmp(image.GetPixelAddress(i % 2, i / 2), px[i] + 4, 4)) << i;

    CImage rgb;
    ASSERT_EQ(rgb.Create(1, 1, 24), 1);
    rgb.SetPixel(0, 0, RGB(9, 8, 7));
    CrossImage(rgb);
    EXPECT_EQ(rgb.GetPixel(0, 0), RGB(9, 8, 7));
}
