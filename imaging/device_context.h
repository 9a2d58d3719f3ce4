// What an HDC and an HBITMAP are on Cairo: the state a context keeps between calls,
// and the coordinate and font helpers the CDC files share. Internal to imaging/.
#pragma once

#include <cairo.h>

#include "tesk/imaging_dc.h"

struct HBITMAP__ {
    cairo_surface_t* surface;  // owned reference, CAIRO_FORMAT_ARGB32
};

struct HDC__ {
    HDC__();
    ~HDC__();
    HDC__(const HDC__&) = delete;
    HDC__& operator=(const HDC__&) = delete;

    // Draws into `bitmap` from now on (a new cairo_t, since its target is fixed).
    void Target(CBitmap* bitmap);

    cairo_t* cr = nullptr;
    cairo_surface_t* surface = nullptr;  // the selected bitmap's surface
    CBitmap stockBitmap;                 // 1x1, selected at creation
    CBitmap* bitmap = nullptr;
    CFont* font = nullptr;
    CPen* pen = nullptr;

    COLORREF textColor = 0;
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int dpiX = 96;
    int dpiY = 96;

    int mapMode = MM_TEXT;
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};
    POINT position{0, 0};  // logical

    // The font last set on cr, so that repeated text calls skip the face lookup.
    LOGFONTA appliedFont{};
    double appliedScale = 0;
    bool fontApplied = false;
    int ascent = 0;      // device pixels, rounded: where the baseline sits below a line's top
    int cellHeight = 0;  // device pixels, rounded: ascent plus descent
};

namespace TeskImaging {

// A bitmap whose pixels are left as they come: for a caller that fills it whole at once.
BOOL CreateUnfilledBitmap(CBitmap& bitmap, int width, int height);

CFont* StockFont();
CPen* StockPen();

// Logical to device pixels and back, through the mapping mode.
POINT ToDevice(const HDC__& dc, POINT p);
POINT ToLogical(const HDC__& dc, POINT p);
// A logical rectangle as device pixels, normalised so that left <= right, top <= bottom.
RECT ToDeviceRect(const HDC__& dc, const RECT& r);
// Device pixels per logical unit, vertically and horizontally (1 in MM_TEXT).
double ScaleY(const HDC__& dc);
double ScaleX(const HDC__& dc);

// Sets the selected font on dc.cr, scaled to device pixels.
void ApplyFont(HDC__& dc);

// Opaque premultiplied ARGB32 of a COLORREF, and back.
inline std::uint32_t ToPixel(COLORREF c) {
    return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
COLORREF FromPixel(std::uint32_t pixel);

}  // namespace TeskImaging
