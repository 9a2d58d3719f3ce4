// Device contexts on 32-bit image surfaces, with the member names host code uses.
//
//   CDC dc;
//   dc.CreateCompatibleDC(nullptr);
//   CBitmap bitmap;
//   bitmap.CreateCompatibleBitmap(&dc, 200, 40);
//   CBitmap* oldBitmap = dc.SelectObject(&bitmap);
//   CFont font;
//   font.CreatePointFont(90, "DejaVu Sans");           // 9 pt at 96 dpi
//   CFont* oldFont = dc.SelectObject(&font);            // the stock font at first
//   dc.FillSolidRect(CRect(0, 0, 200, 40), RGB(0, 0, 0));
//   dc.SetTextColor(RGB(255, 255, 0));
//   dc.SetBkMode(TRANSPARENT);
//   CRect box(0, 0, 200, 40);
//   dc.DrawText("12.34", &box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
//   COLORREF c = dc.GetPixel(199, 20);                  // read back what was drawn
//   dc.SelectObject(oldFont);
//   dc.SelectObject(oldBitmap);
//
// Every DC starts with stock objects (font, pen, a 1x1 bitmap), so SelectObject never
// hands back something that cannot be selected again. Narrow text is in the calling
// thread's ANSI code page (Big5 by default).
#pragma once

#include <cstdint>
#include <memory>

#include "tesk/types.h"

#pragma push_macro("None")
#undef None

constexpr std::int32_t FW_NORMAL = 400;
constexpr std::int32_t FW_BOLD = 700;
constexpr int LF_FACESIZE = 32;

// DrawText formats.
constexpr unsigned int DT_TOP = 0x0000;
constexpr unsigned int DT_LEFT = 0x0000;
constexpr unsigned int DT_CENTER = 0x0001;
constexpr unsigned int DT_RIGHT = 0x0002;
constexpr unsigned int DT_VCENTER = 0x0004;
constexpr unsigned int DT_BOTTOM = 0x0008;
constexpr unsigned int DT_SINGLELINE = 0x0020;
constexpr unsigned int DT_NOCLIP = 0x0100;
constexpr unsigned int DT_CALCRECT = 0x0400;
constexpr unsigned int DT_NOPREFIX = 0x0800;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_LOMETRIC = 2;
constexpr int MM_HIMETRIC = 3;
constexpr int MM_LOENGLISH = 4;
constexpr int MM_HIENGLISH = 5;
constexpr int MM_TWIPS = 6;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// GetDeviceCaps indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr std::uint32_t GRADIENT_FILL_RECT_H = 0;
constexpr std::uint32_t GRADIENT_FILL_RECT_V = 1;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;

// a * b / c rounded half away from zero, in 64 bits; -1 when c is 0.
constexpr int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    const std::int64_t n = p < 0 ? -p : p;
    const std::int64_t d = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t q = (n + d / 2) / d;
    return static_cast<int>((p < 0) != (c < 0) ? -q : q);
}

// Font description. A negative height is the em size in pixels, a positive one the
// cell height (ascent plus descent), 0 the default size.
struct LOGFONTA {
    std::int32_t lfHeight;
    std::int32_t lfWidth;
    std::int32_t lfEscapement;
    std::int32_t lfOrientation;
    std::int32_t lfWeight;
    std::uint8_t lfItalic;
    std::uint8_t lfUnderline;
    std::uint8_t lfStrikeOut;
    std::uint8_t lfCharSet;
    std::uint8_t lfOutPrecision;
    std::uint8_t lfClipPrecision;
    std::uint8_t lfQuality;
    std::uint8_t lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE];  // ANSI code page; empty picks the default sans-serif face
};

// GradientFill vertices: 16-bit channels (the 8-bit value shifted left by 8).
struct TRIVERTEX {
    std::int32_t x;
    std::int32_t y;
    std::uint16_t Red;
    std::uint16_t Green;
    std::uint16_t Blue;
    std::uint16_t Alpha;
};
struct GRADIENT_RECT {
    std::uint32_t UpperLeft;
    std::uint32_t LowerRight;
};

// What GetBitmap reports: 32 bits per pixel, rows top-down, bytes B, G, R, A.
struct BITMAP {
    std::int32_t bmType;
    std::int32_t bmWidth;
    std::int32_t bmHeight;
    std::int32_t bmWidthBytes;
    std::uint16_t bmPlanes;
    std::uint16_t bmBitsPixel;
    void* bmBits;
};

struct HDC__;
using HDC = HDC__*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;

class CDC;

class CFont {
public:
    CFont();
    BOOL CreateFontIndirect(const LOGFONTA* logFont);
    // pointSize in tenths of a point, at 96 pixels per inch.
    BOOL CreatePointFont(int pointSize, const char* faceName, CDC* dc = nullptr);
    BOOL DeleteObject();
    int GetLogFont(LOGFONTA* logFont) const;  // 1 when the font was created
    bool IsCreated() const { return m_created; }

private:
    LOGFONTA m_logFont;
    bool m_created;
};

class CPen {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    // PS_NULL draws nothing; every other style draws solid. Width 0 is one pixel.
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL DeleteObject();
    bool IsCreated() const { return m_created; }
    int GetStyle() const { return m_style; }
    int GetWidth() const { return m_width; }
    COLORREF GetColor() const { return m_color; }

private:
    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_color = 0;
    bool m_created = false;
};

// A 32-bit bitmap. New pixels are opaque black.
class CBitmap {
public:
    CBitmap() = default;
    ~CBitmap();
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // bits: rows top-down, each row padded to 16 bits as the platform's bitmaps are;
    // 32 bits per pixel (B, G, R, unused) or 24 (B, G, R); nullptr leaves black pixels.
    BOOL CreateBitmap(int width, int height, unsigned int planes, unsigned int bitsPerPixel, const void* bits);
    BOOL DeleteObject();
    int GetBitmap(BITMAP* info) const;  // 1 when created
    CSize GetSize() const;
    HBITMAP GetSafeHandle() const { return m_hObject; }
    bool IsCreated() const { return m_hObject != nullptr; }

    HBITMAP m_hObject = nullptr;
};

// A device context drawing into the selected bitmap. Coordinates are logical and pass
// through the mapping mode; text is measured and drawn with whole-pixel advances.
class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Creates a memory context with the stock objects selected; `dc` gives the
    // resolution (LOGPIXELSX/Y) when not null.
    BOOL CreateCompatibleDC(CDC* dc);
    // Creates a context whose own bitmap is width x height (a monitor's or a page's surface).
    BOOL CreateSurfaceDC(int width, int height);
    BOOL DeleteDC();
    bool IsCreated() const;
    // Attach hands a context to this object, which deletes it in DeleteDC or its
    // destructor; Detach takes it back without deleting it.
    BOOL Attach(HDC hdc);
    HDC Detach();
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL IsPrinting() const { return m_bPrinting; }

    // Each returns the previously selected object, a stock one at first.
    // nullptr or an uncreated object keeps the current one and returns nullptr.
    CFont* SelectObject(CFont* font);
    CPen* SelectObject(CPen* pen);
    CBitmap* SelectObject(CBitmap* bitmap);
    CFont* GetCurrentFont() const;
    CPen* GetCurrentPen() const;
    CBitmap* GetCurrentBitmap() const;

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);  // TRANSPARENT or OPAQUE (the default)
    int GetBkMode() const;

    // Pixels per inch (96 unless set) and the selected bitmap's size and depth.
    int GetDeviceCaps(int index) const;
    void SetLogPixels(int dpiX, int dpiY);

    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint GetWindowOrg() const;
    CSize SetWindowExt(int cx, int cy);  // only in MM_ISOTROPIC and MM_ANISOTROPIC
    CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    CSize GetWindowExt() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint GetViewportOrg() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    CSize GetViewportExt() const;
    void LPtoDP(POINT* points, int count = 1) const;
    void LPtoDP(RECT* rect) const;
    void DPtoLP(POINT* points, int count = 1) const;
    void DPtoLP(RECT* rect) const;
    // The drawable area in logical units: SIMPLEREGION, or NULLREGION without a bitmap.
    int GetClipBox(RECT* rect) const;

    // Width of the text's advances and the font's cell height. count < 0: up to the NUL.
    // A context that was never created measures on a private surface of its own.
    virtual CSize GetTextExtent(const char* text, int count) const;
    CSize GetTextExtent(const CStringA& text) const;
    // Draws (or with DT_CALCRECT measures into *rect) and returns the text height.
    // Without DT_SINGLELINE the text breaks at line feeds; '&' marks a prefix unless DT_NOPREFIX.
    virtual int DrawText(const char* text, int count, RECT* rect, unsigned int format);
    int DrawText(const CStringA& text, RECT* rect, unsigned int format);

    // Lines end before their last point.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;

    // Also sets the background colour, as the platform's does.
    void FillSolidRect(const RECT* rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    // Rectangle modes only; the first and last pixel rows or columns take the vertex colours.
    BOOL GradientFill(const TRIVERTEX* vertices, std::uint32_t vertexCount, const void* mesh, std::uint32_t meshCount,
                      std::uint32_t mode);
    // SRCCOPY only.
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, std::uint32_t rop);

    COLORREF GetPixel(int x, int y) const;  // CLR_INVALID outside the bitmap
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT point, COLORREF color) { return SetPixel(point.x, point.y, color); }

    HDC m_hDC = nullptr;        // where drawing goes
    HDC m_hAttribDC = nullptr;  // where measuring and attribute queries go
    BOOL m_bPrinting = 0;
};

#pragma pop_macro("None")
