// CDC painting: lines, solid and gradient fills, block copies and single pixels.
// Axis-aligned work writes the surface's pixels directly, so that edges land exactly
// where the platform puts them; only slanted wide lines go through Cairo's stroker.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imaging/device_context.h"

using TeskImaging::ToDevice;
using TeskImaging::ToPixel;

namespace {

// The selected bitmap's pixels, flushed for direct access; marks them dirty when done.
class Pixels {
public:
    explicit Pixels(cairo_surface_t* surface) : m_surface(surface) {
        cairo_surface_flush(surface);
        m_data = cairo_image_surface_get_data(surface);
        m_stride = cairo_image_surface_get_stride(surface);
        m_width = cairo_image_surface_get_width(surface);
        m_height = cairo_image_surface_get_height(surface);
    }
    ~Pixels() { cairo_surface_mark_dirty(m_surface); }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;

    std::uint32_t* Row(int y) const {
        return reinterpret_cast<std::uint32_t*>(m_data + static_cast<std::ptrdiff_t>(y) * m_stride);
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    RECT Clip(const RECT& r) const {
        return RECT{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, m_width), std::min(r.bottom, m_height)};
    }
    void Fill(const RECT& area, std::uint32_t pixel) const {
        const RECT r = Clip(area);
        for (int y = r.top; y < r.bottom; ++y) std::fill(Row(y) + r.left, Row(y) + r.right, pixel);
    }

private:
    cairo_surface_t* m_surface;
    unsigned char* m_data;
    int m_stride, m_width, m_height;
};

// One-pixel line from `from` up to but not including `to` (Bresenham).
void ThinLine(const Pixels& px, POINT from, POINT to, std::uint32_t pixel) {
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int err = dx + dy;
    POINT p = from;
    while (p.x != to.x || p.y != to.y) {
        if (px.Contains(p.x, p.y)) px.Row(p.y)[p.x] = pixel;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.y += sy;
        }
    }
}

// [a, b) when drawing towards b, (b, a] when drawing back: the end point is left out.
void HalfOpen(int a, int b, int& low, int& high) {
    if (a <= b) {
        low = a;
        high = b;
    } else {
        low = b + 1;
        high = a + 1;
    }
}

std::int64_t Channel(std::uint16_t from, std::uint16_t to, std::int64_t step, std::int64_t steps) {
    return steps <= 0 ? from : from + (static_cast<std::int64_t>(to) - from) * step / steps;
}

std::uint32_t Blend(const TRIVERTEX& a, const TRIVERTEX& b, std::int64_t step, std::int64_t steps) {
    const auto r = static_cast<std::uint32_t>(Channel(a.Red, b.Red, step, steps) >> 8);
    const auto g = static_cast<std::uint32_t>(Channel(a.Green, b.Green, step, steps) >> 8);
    const auto bl = static_cast<std::uint32_t>(Channel(a.Blue, b.Blue, step, steps) >> 8);
    return 0xFF000000u | (r << 16) | (g << 8) | bl;
}

}  // namespace

CPoint CDC::MoveTo(int x, int y) {
    if (m_hDC == nullptr) return CPoint();
    const CPoint previous(m_hDC->position);
    m_hDC->position = POINT{x, y};
    return previous;
}

CPoint CDC::GetCurrentPosition() const { return m_hDC == nullptr ? CPoint() : CPoint(m_hDC->position); }

BOOL CDC::LineTo(int x, int y) {
    if (m_hDC == nullptr) return 0;
    HDC__& dc = *m_hDC;
    const POINT from = ToDevice(dc, dc.position), to = ToDevice(dc, POINT{x, y});
    dc.position = POINT{x, y};
    const CPen& pen = *dc.pen;
    if (pen.GetStyle() == PS_NULL) return 1;
    const std::uint32_t pixel = ToPixel(pen.GetColor());
    const int width = std::max(1, static_cast<int>(std::lround(pen.GetWidth() * TeskImaging::ScaleX(dc))));

    if (width == 1 || from.x == to.x || from.y == to.y) {
        Pixels px(dc.surface);
        if (width == 1) {
            ThinLine(px, from, to, pixel);
        } else if (from.y == to.y) {
            // A wide pen covers width rows centred on the line: for 2, the row above and the line's own.
            int left, right;
            HalfOpen(from.x, to.x, left, right);
            px.Fill(RECT{left, from.y - width / 2, right, from.y - width / 2 + width}, pixel);
        } else {
            int top, bottom;
            HalfOpen(from.y, to.y, top, bottom);
            px.Fill(RECT{from.x - width / 2, top, from.x - width / 2 + width, bottom}, pixel);
        }
        return 1;
    }
    cairo_t* cr = dc.cr;
    cairo_save(cr);
    cairo_set_source_rgb(cr, GetRValue(pen.GetColor()) / 255.0, GetGValue(pen.GetColor()) / 255.0,
                         GetBValue(pen.GetColor()) / 255.0);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, from.x + 0.5, from.y + 0.5);
    cairo_line_to(cr, to.x + 0.5, to.y + 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
    return 1;
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color) {
    if (m_hDC == nullptr || rect == nullptr) return;
    SetBkColor(color);
    Pixels(m_hDC->surface).Fill(TeskImaging::ToDeviceRect(*m_hDC, *rect), ToPixel(color));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    const RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

BOOL CDC::GradientFill(const TRIVERTEX* vertices, std::uint32_t vertexCount, const void* mesh, std::uint32_t meshCount,
                       std::uint32_t mode) {
    if (m_hDC == nullptr || vertices == nullptr || mesh == nullptr) return 0;
    if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V) return 0;
    HDC__& dc = *m_hDC;
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    Pixels px(dc.surface);
    for (std::uint32_t i = 0; i < meshCount; ++i) {
        if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) return 0;
        TRIVERTEX a = vertices[rects[i].UpperLeft], b = vertices[rects[i].LowerRight];
        const POINT pa = ToDevice(dc, POINT{a.x, a.y}), pb = ToDevice(dc, POINT{b.x, b.y});
        // Each colour stays with its vertex's side.
        const bool horizontal = mode == GRADIENT_FILL_RECT_H;
        if (horizontal ? pa.x > pb.x : pa.y > pb.y) std::swap(a, b);
        const RECT area{std::min(pa.x, pb.x), std::min(pa.y, pb.y), std::max(pa.x, pb.x), std::max(pa.y, pb.y)};
        const RECT clip = px.Clip(area);
        if (clip.left >= clip.right || clip.top >= clip.bottom) continue;
        if (horizontal) {
            const std::int64_t steps = area.right - area.left - 1;
            std::uint32_t* first = px.Row(clip.top);
            for (int x = clip.left; x < clip.right; ++x) first[x] = Blend(a, b, x - area.left, steps);
            for (int y = clip.top + 1; y < clip.bottom; ++y)
                std::memcpy(px.Row(y) + clip.left, first + clip.left, (clip.right - clip.left) * sizeof(std::uint32_t));
        } else {
            const std::int64_t steps = area.bottom - area.top - 1;
            for (int y = clip.top; y < clip.bottom; ++y)
                std::fill(px.Row(y) + clip.left, px.Row(y) + clip.right, Blend(a, b, y - area.top, steps));
        }
    }
    return 1;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, std::uint32_t rop) {
    if (m_hDC == nullptr || source == nullptr || source->m_hDC == nullptr || rop != SRCCOPY) return 0;
    const RECT to = TeskImaging::ToDeviceRect(*m_hDC, RECT{x, y, x + width, y + height});
    const POINT from = ToDevice(*source->m_hDC, POINT{xSource, ySource});
    cairo_surface_t* src = source->m_hDC->surface;
    cairo_surface_t* dst = m_hDC->surface;
    // Rows may overlap when a bitmap copies onto itself: read from a copy then.
    std::vector<std::uint32_t> copy;
    const int srcWidth = cairo_image_surface_get_width(src), srcHeight = cairo_image_surface_get_height(src);
    Pixels in(src);
    // Clip to both surfaces, moving the source corner with the destination's.
    int dx = to.left, dy = to.top, sx = from.x, sy = from.y, w = to.right - to.left, h = to.bottom - to.top;
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
    w = std::min({w, srcWidth - sx, cairo_image_surface_get_width(dst) - dx});
    h = std::min({h, srcHeight - sy, cairo_image_surface_get_height(dst) - dy});
    if (w <= 0 || h <= 0) return 1;
    if (src == dst) {
        copy.resize(static_cast<std::size_t>(w) * h);
        for (int r = 0; r < h; ++r) std::memcpy(&copy[static_cast<std::size_t>(r) * w], in.Row(sy + r) + sx, w * 4);
    }
    Pixels out(dst);
    for (int r = 0; r < h; ++r) {
        const std::uint32_t* row = src == dst ? &copy[static_cast<std::size_t>(r) * w] : in.Row(sy + r) + sx;
        std::memcpy(out.Row(dy + r) + dx, row, static_cast<std::size_t>(w) * 4);
    }
    return 1;
}

COLORREF CDC::GetPixel(int x, int y) const {
    if (m_hDC == nullptr) return CLR_INVALID;
    const POINT p = ToDevice(*m_hDC, POINT{x, y});
    const Pixels px(m_hDC->surface);
    return px.Contains(p.x, p.y) ? TeskImaging::FromPixel(px.Row(p.y)[p.x]) : CLR_INVALID;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    if (m_hDC == nullptr) return CLR_INVALID;
    const POINT p = ToDevice(*m_hDC, POINT{x, y});
    const Pixels px(m_hDC->surface);
    if (!px.Contains(p.x, p.y)) return CLR_INVALID;
    px.Row(p.y)[p.x] = ToPixel(color);
    return color & 0xFFFFFF;
}
