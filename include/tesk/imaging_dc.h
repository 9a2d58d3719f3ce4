// Drawing contexts on Cairo image surfaces, with the member names host code uses.
//
//   CDC dc;
//   dc.CreateCompatibleDC(nullptr);
//   CFont font;
//   font.CreatePointFont(90, "DejaVu Sans");          // 9 pt at 96 dpi
//   CFont* old = dc.SelectObject(&font);
//   CSize size = dc.GetTextExtent("12.34");           // pixels, in the selected font
//   dc.SelectObject(old);
//
// Narrow text is in the calling thread's ANSI code page (Big5 by default).
#pragma once

#include <cstdint>
#include <memory>

#include "tesk/types.h"

constexpr std::int32_t FW_NORMAL = 400;
constexpr std::int32_t FW_BOLD = 700;
constexpr int LF_FACESIZE = 32;

// GetDeviceCaps indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;

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

// A device context backed by a Cairo image surface. Text is measured in the
// selected font with whole-pixel advances, as GDI measures.
class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Creates a 1x1 32-bit surface; `dc` is accepted for source compatibility.
    BOOL CreateCompatibleDC(CDC* dc);
    // Creates a width x height 32-bit surface (a monitor's or a page's own context).
    BOOL CreateSurfaceDC(int width, int height);
    BOOL DeleteDC();
    bool IsCreated() const;

    // HORZRES, VERTRES (the surface's size), BITSPIXEL, PLANES; 0 for other indexes or no surface.
    int GetDeviceCaps(int index) const;
    // Device point of the logical origin, and the viewport's extent; each setter returns the old value.
    CPoint SetViewportOrg(int x, int y);
    CPoint GetViewportOrg() const { return m_viewportOrg; }
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    CSize GetViewportExt() const { return m_viewportExt; }

    // Selects a created font (nullptr or an uncreated one keeps the current font);
    // returns the previously selected font, nullptr for the default font.
    CFont* SelectObject(CFont* font);
    CFont* GetCurrentFont() const { return m_font; }

    // Width of the text's advances and the font's cell height. count < 0: up to the NUL.
    // A context that was never created measures on a private surface of its own.
    virtual CSize GetTextExtent(const char* text, int count) const;
    CSize GetTextExtent(const CStringA& text) const;

private:
    struct Surface;
    Surface& EnsureSurface() const;

    mutable std::unique_ptr<Surface> m_surface;
    CFont* m_font = nullptr;
    CPoint m_viewportOrg;
    CSize m_viewportExt{1, 1};
};
