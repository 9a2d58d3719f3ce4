// The state behind an HDC: its Cairo context over the selected bitmap, the mapping
// between logical and device units, and the font set on Cairo.
#include "imaging/device_context.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "tesk/platform.h"

HDC__::HDC__() : font(TeskImaging::StockFont()), pen(TeskImaging::StockPen()) {
    stockBitmap.CreateCompatibleBitmap(nullptr, 1, 1);
    Target(&stockBitmap);
}

HDC__::~HDC__() {
    if (cr != nullptr) cairo_destroy(cr);
}

void HDC__::Target(CBitmap* b) {
    if (cr != nullptr) cairo_destroy(cr);
    bitmap = b;
    surface = b->m_hObject->surface;
    cr = cairo_create(surface);
    // Whole-pixel advances, as the platform measures.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    fontApplied = false;
}

namespace TeskImaging {

namespace {

constexpr double kDefaultEmPixels = 12.0;  // 9 pt at 96 dpi
constexpr const char* kDefaultFace = "sans-serif";

// Face names are nearly always ASCII, which needs no conversion.
std::string FaceName(const LOGFONTA& lf) {
    if (lf.lfFaceName[0] == '\0') return kDefaultFace;
    const std::string_view name(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(name);
    return TeskUtility::AnsiToUtf8(name);
}

}  // namespace

POINT ToDevice(const HDC__& dc, POINT p) {
    return POINT{MulDiv(p.x - dc.windowOrg.x, dc.viewportExt.cx, dc.windowExt.cx) + dc.viewportOrg.x,
                 MulDiv(p.y - dc.windowOrg.y, dc.viewportExt.cy, dc.windowExt.cy) + dc.viewportOrg.y};
}

POINT ToLogical(const HDC__& dc, POINT p) {
    return POINT{MulDiv(p.x - dc.viewportOrg.x, dc.windowExt.cx, dc.viewportExt.cx) + dc.windowOrg.x,
                 MulDiv(p.y - dc.viewportOrg.y, dc.windowExt.cy, dc.viewportExt.cy) + dc.windowOrg.y};
}

RECT ToDeviceRect(const HDC__& dc, const RECT& r) {
    const POINT a = ToDevice(dc, POINT{r.left, r.top});
    const POINT b = ToDevice(dc, POINT{r.right, r.bottom});
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

double ScaleX(const HDC__& dc) { return std::fabs(static_cast<double>(dc.viewportExt.cx) / dc.windowExt.cx); }
double ScaleY(const HDC__& dc) { return std::fabs(static_cast<double>(dc.viewportExt.cy) / dc.windowExt.cy); }

// A positive height asks for that cell height, so the em size is scaled by the face's
// own ascent plus descent.
void ApplyFont(HDC__& dc) {
    LOGFONTA lf{};
    dc.font->GetLogFont(&lf);
    const double scale = ScaleY(dc);
    if (dc.fontApplied && scale == dc.appliedScale && std::memcmp(&lf, &dc.appliedFont, sizeof lf) == 0) return;
    cairo_t* cr = dc.cr;
    cairo_select_font_face(cr, FaceName(lf).c_str(), lf.lfItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           lf.lfWeight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    if (lf.lfHeight < 0) {
        cairo_set_font_size(cr, -static_cast<double>(lf.lfHeight) * scale);
    } else if (lf.lfHeight > 0) {
        const double cellHeight = lf.lfHeight * scale;
        cairo_set_font_size(cr, cellHeight);
        cairo_font_extents_t fe;
        cairo_font_extents(cr, &fe);
        const double cell = fe.ascent + fe.descent;
        if (cell > 0) cairo_set_font_size(cr, cellHeight * cellHeight / cell);
    } else {
        cairo_set_font_size(cr, kDefaultEmPixels * scale);
    }
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    dc.ascent = static_cast<int>(std::lround(fe.ascent));
    dc.cellHeight = static_cast<int>(std::lround(fe.ascent + fe.descent));
    dc.appliedFont = lf;
    dc.appliedScale = scale;
    dc.fontApplied = true;
}

}  // namespace TeskImaging
