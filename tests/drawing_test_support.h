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
inline std::vector<int> InkColumns(const CDC& dc, const RECT& area, COLORREF background) {
    std::vector<int> columns;
    for (int x = area.left; x < area.right; ++x)
        for (int y = area.top; y < area.bottom; ++y)
            if (dc.GetPixel(x, y) != background) {
                columns.push_back(x);
                break;
            }
    return columns;
}
inline std::vector<int> InkRows(const CDC& dc, const RECT& area, COLORREF background) {
    std::vector<int> rows;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (dc.GetPixel(x, y) != background) {
                rows.push_back(y);
                break;
            }
    return rows;
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
