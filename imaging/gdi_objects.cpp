// Fonts, pens and bitmaps, and the stock objects every context starts with.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "imaging/cairo_access.h"
#include "imaging/device_context.h"

namespace {

LOGFONTA DefaultLogFont() {
    LOGFONTA lf{};
    lf.lfWeight = FW_NORMAL;
    return lf;
}

// Pixels in a buffer of our own: cairo's own allocation zeroes them, which costs a
// pass over memory that the first fill (black here, or the caller's) makes anyway.
cairo_surface_t* NewSurface(int width, int height, bool black) {
    if (width <= 0 || height <= 0) return nullptr;
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    if (stride <= 0 || static_cast<std::size_t>(height) > SIZE_MAX / static_cast<std::size_t>(stride)) return nullptr;
    auto* data = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(stride) * height));
    if (data == nullptr) return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, width, height, stride);
    static cairo_user_data_key_t ownedData;
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_set_user_data(surface, &ownedData, data, std::free) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        std::free(data);
        return nullptr;
    }
    if (black) {
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
            std::fill(row, row + width, 0xFF000000u);
        }
    }
    return surface;
}

}  // namespace

// ---- CFont

CFont::CFont() : m_logFont(DefaultLogFont()), m_created(false) {}

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont) {
    if (logFont == nullptr) return 0;
    m_logFont = *logFont;
    m_logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    m_created = true;
    return 1;
}

BOOL CFont::CreatePointFont(int pointSize, const char* faceName, CDC* /*dc*/) {
    LOGFONTA lf = DefaultLogFont();
    // Tenths of a point to pixels at 96 dpi, rounded: 90 (9 pt) is 12 px.
    lf.lfHeight = -static_cast<std::int32_t>(std::lround(pointSize * 96.0 / 720.0));
    if (faceName != nullptr) std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::DeleteObject() {
    if (!m_created) return 0;
    m_logFont = DefaultLogFont();
    m_created = false;
    return 1;
}

int CFont::GetLogFont(LOGFONTA* logFont) const {
    if (logFont == nullptr || !m_created) return 0;
    *logFont = m_logFont;
    return 1;
}

// ---- CPen

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    if (m_created || width < 0) return 0;
    m_style = style;
    m_width = width;
    m_color = color;
    m_created = true;
    return 1;
}

BOOL CPen::DeleteObject() {
    if (!m_created) return 0;
    *this = CPen();
    return 1;
}

// ---- CBitmap

CBitmap::~CBitmap() { DeleteObject(); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*dc*/, int width, int height) {
    return CreateBitmap(width, height, 1, 32, nullptr);
}

BOOL CBitmap::CreateBitmap(int width, int height, unsigned int planes, unsigned int bitsPerPixel, const void* bits) {
    if (m_hObject != nullptr || planes != 1 || (bitsPerPixel != 32 && bitsPerPixel != 24)) return 0;
    cairo_surface_t* surface = NewSurface(width, height, bits == nullptr);
    if (surface == nullptr) return 0;
    if (bits != nullptr) {
        const std::size_t bytesPerPixel = bitsPerPixel / 8;
        const std::size_t sourceStride = (static_cast<std::size_t>(width) * bitsPerPixel + 15) / 16 * 2;
        auto* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < height; ++y) {
            const auto* in = static_cast<const std::uint8_t*>(bits) + y * sourceStride;
            auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
            for (int x = 0; x < width; ++x, in += bytesPerPixel)
                out[x] = 0xFF000000u | (std::uint32_t{in[2]} << 16) | (std::uint32_t{in[1]} << 8) | in[0];
        }
        cairo_surface_mark_dirty(surface);
    }
    m_hObject = new HBITMAP__{surface};
    return 1;
}

BOOL CBitmap::DeleteObject() {
    if (m_hObject == nullptr) return 0;
    cairo_surface_destroy(m_hObject->surface);
    delete m_hObject;
    m_hObject = nullptr;
    return 1;
}

int CBitmap::GetBitmap(BITMAP* info) const {
    if (info == nullptr || m_hObject == nullptr) return 0;
    cairo_surface_t* s = m_hObject->surface;
    cairo_surface_flush(s);
    *info = BITMAP{0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s),
                   cairo_image_surface_get_stride(s), 1, 32, cairo_image_surface_get_data(s)};
    return 1;
}

CSize CBitmap::GetSize() const {
    if (m_hObject == nullptr) return CSize();
    return CSize(cairo_image_surface_get_width(m_hObject->surface), cairo_image_surface_get_height(m_hObject->surface));
}

// ---- stock objects and the Cairo accessors

namespace TeskImaging {

CFont* StockFont() {
    static CFont font = [] {
        // A real height (9 pt at 96 dpi), as the platform's stock GUI font reports, so
        // that code growing the selected font by a few pixels grows it from there.
        CFont f;
        LOGFONTA lf = DefaultLogFont();
        lf.lfHeight = -12;
        f.CreateFontIndirect(&lf);
        return f;
    }();
    return &font;
}

CPen* StockPen() {
    static CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    return &pen;
}

COLORREF FromPixel(std::uint32_t pixel) {
    const unsigned a = pixel >> 24;
    if (a == 0) return RGB(0, 0, 0);
    auto channel = [&](unsigned shift) { return (((pixel >> shift) & 0xFF) * 255 + a / 2) / a; };
    return RGB(channel(16), channel(8), channel(0));
}

cairo_surface_t* SurfaceOf(const CDC& dc) { return dc.m_hDC == nullptr ? nullptr : dc.m_hDC->surface; }

cairo_surface_t* SurfaceOf(const CBitmap& bitmap) {
    return bitmap.m_hObject == nullptr ? nullptr : bitmap.m_hObject->surface;
}

BOOL CreateUnfilledBitmap(CBitmap& bitmap, int width, int height) {
    if (bitmap.IsCreated()) return 0;
    cairo_surface_t* surface = NewSurface(width, height, false);
    if (surface == nullptr) return 0;
    bitmap.m_hObject = new HBITMAP__{surface};
    return 1;
}

BOOL AdoptSurface(CBitmap& bitmap, cairo_surface_t* surface) {
    if (surface == nullptr || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) {
        return 0;
    }
    bitmap.DeleteObject();
    bitmap.m_hObject = new HBITMAP__{surface};
    return 1;
}

}  // namespace TeskImaging
