// Coloured rectangle edges by style number, and two-colour gradient boxes.
#include "tesk/imaging_memdc.h"

namespace TeskUtility {

namespace {

enum : unsigned { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };

// Indexed by EDrawEdgeStyle.
constexpr unsigned kEdges[] = {
    kLeft | kRight | kTop | kBottom, kTop | kBottom, kLeft | kRight, kLeft, kRight, kTop, kBottom,
    kLeft | kTop | kBottom, kRight | kTop | kBottom, kLeft | kBottom, kRight | kBottom,
};

void DrawEdges(CDC& dc, const CRect& rect, std::uint32_t color, int width, int style, int lastStyle) {
    if (style < 0 || style > lastStyle) return;
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, width, color)) return;
    CPen* previous = dc.SelectObject(&pen);
    const unsigned edges = kEdges[style];
    auto line = [&](int x0, int y0, int x1, int y1) {
        dc.MoveTo(x0, y0);
        dc.LineTo(x1, y1);
    };
    if (edges & kLeft) line(rect.left, rect.top, rect.left, rect.bottom);
    if (edges & kRight) line(rect.right, rect.top, rect.right, rect.bottom);
    if (edges & kTop) line(rect.left, rect.top, rect.right, rect.top);
    if (edges & kBottom) line(rect.left, rect.bottom, rect.right, rect.bottom);
    dc.SelectObject(previous);
}

}  // namespace

void DrawColorEdge(CTeskMemDC& dc, CRect rect, std::uint32_t color, int width, EDrawEdgeStyle style) {
    DrawEdges(dc, rect, color, width, style, DrawEdge_RightBottom);
}

// The older form predates the two corner styles.
void DrawColorEdge(CDC* dc, CRect rect, std::uint32_t color, int width, EDrawEdgeStyle style) {
    if (dc != nullptr) DrawEdges(*dc, rect, color, width, style, DrawEdge_RightTopBottom);
}

void GradientColor(CTeskMemDC& dc, CRect rect, std::uint32_t firstColor, std::uint32_t secondColor, CRect inset,
                   int mode) {
    GradientColor(static_cast<CDC*>(&dc), rect, firstColor, secondColor, inset, mode);
}

void GradientColor(CDC* dc, CRect rect, std::uint32_t firstColor, std::uint32_t secondColor, CRect inset, int mode) {
    if (dc == nullptr) return;
    auto channel = [](unsigned value) { return static_cast<std::uint16_t>(value << 8); };
    const TRIVERTEX vertices[2] = {
        {rect.left + inset.left, rect.top + inset.top, channel(GetRValue(secondColor)), channel(GetGValue(secondColor)),
         channel(GetBValue(secondColor)), 0},
        {rect.right - inset.right, rect.bottom - inset.bottom, channel(GetRValue(firstColor)),
         channel(GetGValue(firstColor)), channel(GetBValue(firstColor)), 0},
    };
    const GRADIENT_RECT mesh{0, 1};
    dc->GradientFill(vertices, 2, &mesh, 1, static_cast<std::uint32_t>(mode));
}

}  // namespace TeskUtility
