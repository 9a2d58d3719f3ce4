// CDC: creation, selected objects, colours and the mapping between logical and
// device units.
#include <algorithm>
#include <cstdlib>

#include "imaging/device_context.h"

using TeskImaging::ToDevice;
using TeskImaging::ToLogical;

CDC::CDC() = default;

CDC::~CDC() { DeleteDC(); }

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    if (m_hDC != nullptr) return 0;
    auto* hdc = new HDC__();
    if (cairo_status(hdc->cr) != CAIRO_STATUS_SUCCESS) {
        delete hdc;
        return 0;
    }
    if (dc != nullptr && dc->m_hAttribDC != nullptr) {
        hdc->dpiX = dc->m_hAttribDC->dpiX;
        hdc->dpiY = dc->m_hAttribDC->dpiY;
    }
    return Attach(hdc);
}

BOOL CDC::CreateSurfaceDC(int width, int height) {
    if (m_hDC != nullptr || width <= 0 || height <= 0 || !CreateCompatibleDC(nullptr)) return 0;
    HDC__& dc = *m_hDC;
    dc.stockBitmap.DeleteObject();
    if (!dc.stockBitmap.CreateCompatibleBitmap(nullptr, width, height)) {
        DeleteDC();
        return 0;
    }
    dc.Target(&dc.stockBitmap);
    return 1;
}

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr) return 0;
    HDC hdc = Detach();
    delete hdc;
    return 1;
}

bool CDC::IsCreated() const { return m_hDC != nullptr; }

BOOL CDC::Attach(HDC hdc) {
    if (hdc == nullptr || m_hDC != nullptr) return 0;
    m_hDC = m_hAttribDC = hdc;
    return 1;
}

HDC CDC::Detach() {
    HDC hdc = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return hdc;
}

CFont* CDC::SelectObject(CFont* font) {
    if (m_hDC == nullptr || font == nullptr || !font->IsCreated()) return nullptr;
    CFont* previous = m_hDC->font;
    m_hDC->font = font;
    m_hDC->fontApplied = false;  // the same object may describe another font now
    return previous;
}

CPen* CDC::SelectObject(CPen* pen) {
    if (m_hDC == nullptr || pen == nullptr || !pen->IsCreated()) return nullptr;
    CPen* previous = m_hDC->pen;
    m_hDC->pen = pen;
    return previous;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    if (m_hDC == nullptr || bitmap == nullptr || !bitmap->IsCreated()) return nullptr;
    CBitmap* previous = m_hDC->bitmap;
    m_hDC->Target(bitmap);
    return previous;
}

CFont* CDC::GetCurrentFont() const { return m_hDC == nullptr ? nullptr : m_hDC->font; }
CPen* CDC::GetCurrentPen() const { return m_hDC == nullptr ? nullptr : m_hDC->pen; }
CBitmap* CDC::GetCurrentBitmap() const { return m_hDC == nullptr ? nullptr : m_hDC->bitmap; }

namespace {

template <typename T>
T Exchange(T& field, T value) {
    T previous = field;
    field = value;
    return previous;
}

}  // namespace

COLORREF CDC::SetTextColor(COLORREF color) {
    return m_hDC == nullptr ? CLR_INVALID : Exchange(m_hDC->textColor, color & 0xFFFFFF);
}
COLORREF CDC::GetTextColor() const { return m_hAttribDC == nullptr ? CLR_INVALID : m_hAttribDC->textColor; }
COLORREF CDC::SetBkColor(COLORREF color) {
    return m_hDC == nullptr ? CLR_INVALID : Exchange(m_hDC->bkColor, color & 0xFFFFFF);
}
COLORREF CDC::GetBkColor() const { return m_hAttribDC == nullptr ? CLR_INVALID : m_hAttribDC->bkColor; }

int CDC::SetBkMode(int mode) {
    if (m_hDC == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return Exchange(m_hDC->bkMode, mode);
}
int CDC::GetBkMode() const { return m_hAttribDC == nullptr ? 0 : m_hAttribDC->bkMode; }

int CDC::GetDeviceCaps(int index) const {
    if (m_hAttribDC == nullptr) return 0;
    const HDC__& dc = *m_hAttribDC;
    switch (index) {
        case LOGPIXELSX: return dc.dpiX;
        case LOGPIXELSY: return dc.dpiY;
        case HORZRES: return cairo_image_surface_get_width(dc.surface);
        case VERTRES: return cairo_image_surface_get_height(dc.surface);
        case BITSPIXEL: return 32;
        case PLANES: return 1;
        default: return 0;
    }
}

void CDC::SetLogPixels(int dpiX, int dpiY) {
    if (m_hDC == nullptr || dpiX <= 0 || dpiY <= 0) return;
    m_hDC->dpiX = dpiX;
    m_hDC->dpiY = dpiY;
    m_hDC->fontApplied = false;
}

// ---- mapping

namespace {

// Logical units per inch of the fixed metric and English modes; 0 for the others.
int UnitsPerInch(int mode) {
    switch (mode) {
        case MM_LOMETRIC: return 254;
        case MM_HIMETRIC: return 2540;
        case MM_LOENGLISH: return 100;
        case MM_HIENGLISH: return 1000;
        case MM_TWIPS: return 1440;
        default: return 0;
    }
}

// In MM_ISOTROPIC one logical unit spans as many pixels across as down: the viewport
// extent shrinks along the axis that would stretch more.
void KeepIsotropic(HDC__& dc) {
    if (dc.mapMode != MM_ISOTROPIC) return;
    const std::int64_t wx = std::abs(dc.windowExt.cx), wy = std::abs(dc.windowExt.cy);
    const std::int64_t vx = std::abs(dc.viewportExt.cx), vy = std::abs(dc.viewportExt.cy);
    if (vx * wy < vy * wx) {
        const int y = MulDiv(static_cast<int>(wy), static_cast<int>(vx), static_cast<int>(wx));
        dc.viewportExt.cy = dc.viewportExt.cy < 0 ? -y : y;
    } else {
        const int x = MulDiv(static_cast<int>(wx), static_cast<int>(vy), static_cast<int>(wy));
        dc.viewportExt.cx = dc.viewportExt.cx < 0 ? -x : x;
    }
}

CSize SetExtent(HDC hdc, SIZE HDC__::*extent, int cx, int cy) {
    if (hdc == nullptr) return CSize();
    const CSize previous(hdc->*extent);
    if ((hdc->mapMode == MM_ISOTROPIC || hdc->mapMode == MM_ANISOTROPIC) && cx != 0 && cy != 0) {
        hdc->*extent = SIZE{cx, cy};
        KeepIsotropic(*hdc);
        hdc->fontApplied = false;
    }
    return previous;
}

}  // namespace

int CDC::SetMapMode(int mode) {
    if (m_hDC == nullptr || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
    HDC__& dc = *m_hDC;
    const int previous = Exchange(dc.mapMode, mode);
    if (mode == MM_TEXT) {
        dc.windowExt = SIZE{1, 1};
        dc.viewportExt = SIZE{1, 1};
    } else if (const int units = UnitsPerInch(mode)) {
        // y grows upwards in the fixed modes.
        dc.windowExt = SIZE{units, units};
        dc.viewportExt = SIZE{dc.dpiX, -dc.dpiY};
    }
    KeepIsotropic(dc);
    dc.fontApplied = false;
    return previous;
}

int CDC::GetMapMode() const { return m_hAttribDC == nullptr ? 0 : m_hAttribDC->mapMode; }

CPoint CDC::SetWindowOrg(int x, int y) {
    return m_hDC == nullptr ? CPoint() : CPoint(Exchange(m_hDC->windowOrg, POINT{x, y}));
}
CPoint CDC::GetWindowOrg() const { return m_hAttribDC == nullptr ? CPoint() : CPoint(m_hAttribDC->windowOrg); }
CPoint CDC::SetViewportOrg(int x, int y) {
    return m_hDC == nullptr ? CPoint() : CPoint(Exchange(m_hDC->viewportOrg, POINT{x, y}));
}
CPoint CDC::GetViewportOrg() const { return m_hAttribDC == nullptr ? CPoint() : CPoint(m_hAttribDC->viewportOrg); }

// The extents can be chosen only in the two scalable modes; a zero extent is refused.
CSize CDC::SetWindowExt(int cx, int cy) { return SetExtent(m_hDC, &HDC__::windowExt, cx, cy); }
CSize CDC::GetWindowExt() const { return m_hAttribDC == nullptr ? CSize() : CSize(m_hAttribDC->windowExt); }

CSize CDC::SetViewportExt(int cx, int cy) { return SetExtent(m_hDC, &HDC__::viewportExt, cx, cy); }
CSize CDC::GetViewportExt() const { return m_hAttribDC == nullptr ? CSize() : CSize(m_hAttribDC->viewportExt); }

void CDC::LPtoDP(POINT* points, int count) const {
    if (m_hAttribDC == nullptr || points == nullptr) return;
    for (int i = 0; i < count; ++i) points[i] = ToDevice(*m_hAttribDC, points[i]);
}

namespace {

// Converts a rectangle as its two corners.
template <typename Convert>
void ConvertCorners(RECT* rect, Convert convert) {
    if (rect == nullptr) return;
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    convert(corners);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

}  // namespace

void CDC::LPtoDP(RECT* rect) const {
    ConvertCorners(rect, [this](POINT* corners) { LPtoDP(corners, 2); });
}

void CDC::DPtoLP(POINT* points, int count) const {
    if (m_hAttribDC == nullptr || points == nullptr) return;
    for (int i = 0; i < count; ++i) points[i] = ToLogical(*m_hAttribDC, points[i]);
}

void CDC::DPtoLP(RECT* rect) const {
    ConvertCorners(rect, [this](POINT* corners) { DPtoLP(corners, 2); });
}

int CDC::GetClipBox(RECT* rect) const {
    if (rect == nullptr) return 0;
    if (m_hDC == nullptr) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    const HDC__& dc = *m_hDC;
    const POINT a = ToLogical(dc, POINT{0, 0});
    const POINT b = ToLogical(
        dc, POINT{cairo_image_surface_get_width(dc.surface), cairo_image_surface_get_height(dc.surface)});
    *rect = RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    return SIMPLEREGION;
}
