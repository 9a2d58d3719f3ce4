// A memory DC over a bitmap of known size, filled with one colour, for tests that
// read back what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "tesk/imaging.h"

struct CanvasDC : CDC {
    CanvasDC(int width, int height, COLORREF fill = RGB(255, 255, 255)) {
        EXPECT_EQ(CreateCompatibleDC(nullptr), 1);
        EXPECT_EQ(bitmap.CreateCompatibleBitmap(this, width, height), 1);
        SelectObject(&bitmap);
        FillSolidRect(0, 0, width, height, fill);
    }
    ~CanvasDC() override { DeleteDC(); }

    CBitmap bitmap;
};

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
inline std::vector<int> InkColumns(const CDC& dc, const RECT& area, COLORREF background) {
    return InkLines(dc, area, background, true);
}
inline std::vector<int> InkRows(const CDC& dc, const RECT& area, COLORREF background) {
    return InkLines(dc, area, background, false);
}

inline CFont& MonoFont20() {
    // DejaVu Sans Mono at 20 px: every character advances 12 whole pixels.
    static CFont font = [] {
        CFont f;
        LOGFONTA lf{};
        lf.lfHeight = -20;
        lf.lfWeight = FW_NORMAL;
        std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "DejaVu Sans Mono");
        f.CreateFontIndirect(&lf);
        return f;
    }();
    return font;
}
