// A memory DC over a bitmap of known size, filled with one colour, for tests that
// read back what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "tesk/imaging.h"

inline constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0),
                          kBlue = RGB(0, 0, 255);

struct CanvasDC : CDC {
    CanvasDC(int width, int height, COLORREF fill = kWhite) {
        EXPECT_EQ(CreateCompatibleDC(nullptr), 1);
        EXPECT_EQ(bitmap.CreateCompatibleBitmap(this, width, height), 1);
        SelectObject(&bitmap);
        FillSolidRect(0, 0, width, height, fill);
    }
    ~CanvasDC() override { DeleteDC(); }

    CBitmap bitmap;
};

struct PixelAt {
    int x, y;
    COLORREF colour;
};

// Reads each listed pixel back from a DC or an image.
template <typename Surface>
void ExpectPixels(const Surface& surface, std::initializer_list<PixelAt> pixels) {
    for (const PixelAt& p : pixels)
        EXPECT_EQ(surface.GetPixel(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
}

// Pixels of the top-left width x height differing from `background`.
inline std::set<std::pair<int, int>> Painted(const CDC& dc, int width, int height,
                                             COLORREF background = kWhite) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (dc.GetPixel(x, y) != background) out.insert({x, y});
    return out;
}

// Columns (or rows) of `area` holding a pixel other than `background`.
inline std::vector<int> InkLines(const CDC& dc, const RECT& area, COLORREF background, bool columns) {
    std::vector<int> lines;
    const int outerFrom = columns ? area.left : area.top, outerTo = columns ? area.right : area.bottom;
    const int innerFrom = columns ? area.top : area.left, innerTo = columns ? area.bottom : area.right;
    for (int i = outerFrom; i < outerTo; ++i)
        for (int j = innerFrom; j < innerTo; ++j)
            if ((columns ? dc.GetPixel(i, j) : dc.GetPixel(j, i)) != background) {
                lines.push_back(i);
                break;
            }
    return lines;
}

// A font kept for the whole run, so that a DC may keep it selected.
inline CFont& FontOfHeight(int height, const char* face = "") {
    static std::vector<std::unique_ptr<CFont>> fonts;
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face);
    fonts.push_back(std::make_unique<CFont>());
    fonts.back()->CreateFontIndirect(&lf);
    return *fonts.back();
}
