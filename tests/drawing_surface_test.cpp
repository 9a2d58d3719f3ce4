#include <gtest/gtest.h>

#include "drawing_test_support.h"
#include "imaging/image_dc.h"

TEST(DrawingSurface, ObjectsCapsAndMappingModes) {
    CDC dc;
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 0) << "no surface yet";
    EXPECT_EQ(dc.CreateSurfaceDC(0, 10), 0);
    ASSERT_EQ(dc.CreateSurfaceDC(640, 480), 1);
    EXPECT_EQ(dc.CreateSurfaceDC(10, 10), 0) << "already created";
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 480);
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL) * dc.GetDeviceCaps(PLANES), 32);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 0));  // new bitmaps are opaque black

    CPen pen(PS_SOLID, 2, kRed), unused;
    CBitmap bitmap;
    ASSERT_EQ(bitmap.CreateCompatibleBitmap(&dc, 4, 3), 1);
    CPen* stockPen = dc.SelectObject(&pen);
    CBitmap* stockBitmap = dc.SelectObject(&bitmap);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 4);
    EXPECT_EQ(dc.SelectObject(stockPen), &pen);
    EXPECT_EQ(dc.SelectObject(stockBitmap), &bitmap);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 640);
    EXPECT_EQ(dc.SelectObject(&unused), nullptr);
    EXPECT_EQ(dc.GetCurrentPen(), stockPen);

    dc.SetWindowExt(5, 5);  // ignored in MM_TEXT
    EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
    EXPECT_EQ(dc.SetMapMode(MM_LOMETRIC), MM_TEXT);
    POINT p{254, 254};
    dc.LPtoDP(&p);
    EXPECT_EQ(CPoint(p), CPoint(96, -96));  // y grows upwards
    dc.DPtoLP(&p);
    EXPECT_EQ(CPoint(p), CPoint(254, 254));

    dc.SetMapMode(MM_ANISOTROPIC);  // keeps the fixed mode's extents
    dc.SetWindowExt(100, 100);
    EXPECT_EQ(dc.SetViewportExt(200, 50), CSize(96, -96));
    EXPECT_EQ(dc.SetViewportExt(0, 5), CSize(200, 50)) << "a zero extent is refused";
    dc.SetWindowOrg(10, 0);
    EXPECT_EQ(dc.SetViewportOrg(5, 5), CPoint(0, 0));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(5, 5));
    CRect r(10, 0, 20, 40);
    dc.LPtoDP(&r);
    EXPECT_EQ(r, CRect(5, 5, 25, 25));
    dc.DPtoLP(&r);
    EXPECT_EQ(r, CRect(10, 0, 20, 40));

    dc.SetMapMode(MM_ISOTROPIC);  // keeps the extents, then evens the axes out
    EXPECT_EQ(dc.GetViewportExt(), CSize(50, 50));
    ASSERT_EQ(dc.DeleteDC(), 1);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
}

TEST(DrawingSurface, LinesLeaveOutTheirLastPoint) {
    struct Case {
        POINT from, to;
        int width;  // negative: a null pen
        std::set<std::pair<int, int>> pixels;
    };
    const Case cases[] = {
        {{1, 2}, {4, 2}, 1, {{1, 2}, {2, 2}, {3, 2}}},
        {{4, 2}, {1, 2}, 1, {{4, 2}, {3, 2}, {2, 2}}},
        {{3, 0}, {3, 3}, 0, {{3, 0}, {3, 1}, {3, 2}}},
        {{0, 0}, {3, 3}, 1, {{0, 0}, {1, 1}, {2, 2}}},
        {{2, 2}, {2, 2}, 1, {}},
        {{1, 3}, {3, 3}, 2, {{1, 2}, {2, 2}, {1, 3}, {2, 3}}},
        {{2, 1}, {2, 3}, 3, {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}}},
        {{-5, 1}, {2, 1}, 1, {{0, 1}, {1, 1}}},  // clipped at the bitmap's edge
        {{0, 0}, {3, 3}, -1, {}},
    };
    for (const auto& c : cases) {
        CanvasDC dc(6, 6);
        CPen pen(c.width < 0 ? PS_NULL : PS_SOLID, std::abs(c.width), kRed);
        dc.SelectObject(&pen);
        dc.MoveTo(c.from);
        dc.LineTo(c.to);
        EXPECT_EQ(Painted(dc, 6, 6), c.pixels) << c.from.x << "," << c.from.y << " width " << c.width;
        EXPECT_EQ(dc.GetCurrentPosition(), CPoint(c.to));
    }
}

TEST(DrawingSurface, FillsAndPixelsInLogicalUnits) {
    CanvasDC dc(8, 8);
    dc.SetWindowOrg(10, 20);
    dc.FillSolidRect(11, 21, 2, 3, kRed);
    EXPECT_EQ(dc.GetBkColor(), kRed);  // the fill sets the background colour
    ExpectPixels(dc, {{11, 21, kRed}, {12, 23, kRed}, {13, 23, kWhite}, {12, 24, kWhite},
                      {9, 20, CLR_INVALID}});
    EXPECT_EQ(dc.SetPixel(17, 27, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(dc.SetPixel(18, 27, RGB(1, 2, 3)), CLR_INVALID);
    EXPECT_EQ(dc.GetPixel(17, 27), RGB(1, 2, 3));
    CRect clip;
    EXPECT_EQ(dc.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, CRect(10, 20, 18, 28));
}

TEST(DrawingSurface, GradientEndsTakeTheVertexColours) {
    const COLORREF from = RGB(255, 0, 16), to = RGB(0, 128, 255);
    for (const std::uint32_t mode : {GRADIENT_FILL_RECT_H, GRADIENT_FILL_RECT_V}) {
        CanvasDC dc(12, 12);
        TRIVERTEX v[2] = {{1, 1, 0xFF00, 0x0000, 0x1000, 0}, {11, 11, 0x0000, 0x8000, 0xFF00, 0}};
        GRADIENT_RECT r{0, 1};
        ASSERT_EQ(dc.GradientFill(v, 2, &r, 1, mode), 1);
        const bool h = mode == GRADIENT_FILL_RECT_H;  // constant across: the far corner keeps `from`
        ExpectPixels(dc, {{1, 1, from}, {h ? 10 : 1, h ? 1 : 10, to}, {10, 10, to},
                          {h ? 1 : 10, h ? 10 : 1, from}, {11, 11, kWhite}, {0, 0, kWhite}});
        EXPECT_EQ(dc.GetPixel(5, 5), RGB(141, 56, 122));  // 4/9 of the way, 16-bit channels truncated
        const GRADIENT_RECT bad{0, 2};
        EXPECT_EQ(dc.GradientFill(v, 2, &bad, 1, mode), 0);
        EXPECT_EQ(dc.GradientFill(v, 2, &r, 1, 2), 0);  // not a rectangle mode
    }
}

TEST(DrawingSurface, BitBltCopiesAndClips) {
    CanvasDC source(4, 4);
    source.SetPixel(0, 0, kRed);
    source.SetPixel(3, 3, kBlue);
    CanvasDC target(6, 6, kGreen);
    target.SetWindowOrg(-1, -1);
    ASSERT_EQ(target.BitBlt(0, 0, 4, 4, &source, 0, 0, SRCCOPY), 1);
    ExpectPixels(target, {{0, 0, kRed}, {3, 3, kBlue}, {1, 0, kWhite}, {4, 4, kGreen}});
    EXPECT_EQ(target.BitBlt(3, 3, 10, 10, &source, 2, 2, SRCCOPY), 1);  // runs off both edges
    EXPECT_EQ(target.GetPixel(4, 4), kBlue);
    EXPECT_EQ(target.BitBlt(0, 0, 1, 1, &source, 0, 0, 0x00330008), 0);

    CanvasDC self(4, 1);
    self.SetPixel(0, 0, kRed);
    self.SetPixel(1, 0, kBlue);
    self.BitBlt(1, 0, 3, 1, &self, 0, 0, SRCCOPY);  // overlapping copy onto itself
    ExpectPixels(self, {{1, 0, kRed}, {2, 0, kBlue}});
}

TEST(ImageDc, BlitsCopyExactlyStretchesFillAndInvertXors) {
    CImage image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    const COLORREF colours[4] = {kRed, kGreen, kBlue, RGB(10, 20, 30)};
    for (int i = 0; i < 4; ++i) image.SetPixel(i % 2, i / 2, colours[i]);

    CanvasDC dc(8, 8);
    ASSERT_TRUE(image.BitBlt(&dc, 1, 1));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(dc.GetPixel(1 + i % 2, 1 + i / 2), colours[i]) << i;
    EXPECT_EQ(dc.GetPixel(3, 3), kWhite) << "nothing outside the copy";
    ASSERT_TRUE(image.StretchBlt(&dc, 4, 4, 4, 4));  // doubled: each quadrant's corner keeps its colour
    ExpectPixels(dc, {{4, 4, colours[0]}, {7, 7, colours[3]}});

    dc.FillSolidRect(0, 0, 8, 8, kWhite);
    ASSERT_TRUE(image.BitBlt(&dc, 0, 0, 0x00660046));
    ExpectPixels(dc, {{0, 0, RGB(0, 255, 255)}, {1, 1, RGB(245, 235, 225)}});
    const CImage back = TeskUtility::imaging::ImageOfBitmap(dc.bitmap);
    EXPECT_EQ(std::pair(back.GetWidth(), back.GetPixel(1, 1)), std::pair(8, RGB(245, 235, 225)));
    EXPECT_FALSE(image.BitBlt(&dc, 0, 0, 0x00330008)) << "unsupported raster operation";
    EXPECT_FALSE(image.BitBlt(nullptr, 0, 0));
}

TEST(DrawingSurface, DrawTextPlacesInkByFormat) {
    struct Case {
        unsigned format;
        int inkLeft, inkRight;  // columns the 3 characters' cells span
    };
    const Case cases[] = {
        {DT_LEFT | DT_SINGLELINE, 10, 46},
        {DT_CENTER | DT_SINGLELINE, 32, 68},
        {DT_RIGHT | DT_SINGLELINE, 54, 90},
    };
    for (const auto& c : cases) {
        CanvasDC dc(100, 60);
        dc.SelectObject(&FontOfHeight(-20, "DejaVu Sans Mono"));  // 12 px a character
        dc.SetBkMode(TRANSPARENT);
        CRect box(10, 5, 90, 55);
        dc.DrawText("888", &box, c.format | DT_VCENTER);
        const auto cols = InkLines(dc, CRect(0, 0, 100, 60), kWhite, true);
        const auto rows = InkLines(dc, CRect(0, 0, 100, 60), kWhite, false);
        ASSERT_FALSE(cols.empty());
        // Ink starts and ends within 4 columns of the cells, and inside the centred cell row.
        EXPECT_TRUE(cols.front() >= c.inkLeft && cols.front() - c.inkLeft < 4) << cols.front();
        EXPECT_TRUE(cols.back() < c.inkRight && c.inkRight - cols.back() < 4) << cols.back();
        const int height = dc.GetTextExtent("8").cy, cellTop = 5 + (50 - height) / 2;
        EXPECT_TRUE(rows.front() >= cellTop && rows.back() < cellTop + height)
            << rows.front() << ".." << rows.back();
    }
}

TEST(DrawingSurface, DrawTextMeasuresClipsAndPaintsBackground) {
    CanvasDC dc(60, 60);
    dc.SelectObject(&FontOfHeight(-20, "DejaVu Sans Mono"));
    const int cell = dc.GetTextExtent("8").cy;
    CRect calc(5, 5, 6, 6);
    EXPECT_EQ(dc.DrawText("ab\ncde", &calc, DT_CALCRECT), 2 * cell);
    EXPECT_EQ(calc, CRect(5, 5, 41, 5 + 2 * cell));
    for (const auto& [format, width] : {std::pair{0u, 36}, {DT_NOPREFIX, 60}}) {  // "&ab" or all five
        CRect prefixed(0, 0, 0, 0);
        dc.DrawText("&&a&b", &prefixed, DT_CALCRECT | DT_SINGLELINE | format);
        EXPECT_EQ(prefixed.right, width);
    }

    // Opaque mode fills the text's cell with the background colour; ink stays in the box.
    dc.SetBkColor(kBlue);
    CRect box(0, 0, 30, 40);
    EXPECT_EQ(dc.DrawText("WWWW", &box, DT_SINGLELINE | DT_BOTTOM), 40);
    ExpectPixels(dc, {{0, 39, kBlue}, {0, 40 - cell - 1, kWhite}});
    EXPECT_EQ(InkLines(dc, CRect(30, 0, 60, 60), kWhite, true), std::vector<int>{});
}
