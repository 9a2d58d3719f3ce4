// Text measuring and placement helpers: two-line cells, font extents, centring.
#include "tesk/imaging_memdc.h"

namespace TeskUtility {

void DrawMultiLineString(CTeskMemDC& dc, CStringA text, CRect rect, unsigned int format, int gap) {
    const std::size_t feed = text.find('\n');
    if (feed == CStringA::npos || feed == 0) return;
    const CStringA first = text.substr(0, feed);
    const CStringA second = text.substr(feed + 1);
    const int half = rect.Height() / 2;
    const int halfGap = gap / 2;
    RECT upper{rect.left, rect.top, rect.right, rect.top + half - halfGap};
    dc.DrawText(first, &upper, format | DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX);
    RECT lower{rect.left, rect.top + half + halfGap, rect.right, rect.bottom};
    dc.DrawText(second, &lower, format | DT_SINGLELINE | DT_NOPREFIX);
}

void GetFontExtentSize(CDC* dc, CFont* font, CStringA text, CSize& size) {
    if (dc == nullptr) return;
    CFont* previous = dc->SelectObject(font);
    size = dc->GetTextExtent(text);
    if (previous != nullptr) dc->SelectObject(previous);
}

void CalculateStringRect(CDC* dc, const CStringA& text, CRect& rect) {
    if (dc == nullptr) return;
    const CSize extent = dc->GetTextExtent(text);
    const int dx = (rect.Width() - extent.cx) / 2;
    const int dy = (rect.Height() - extent.cy) / 2;
    rect.left += dx;
    rect.right -= dx;
    rect.top += dy;
    rect.bottom -= dy;
}

}  // namespace TeskUtility
