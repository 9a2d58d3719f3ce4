// CDC and CFont over Cairo: an image surface per context, fonts resolved by
// fontconfig through Cairo's toy font interface.
#include <cairo.h>

#include <cmath>
#include <cstring>
#include <string_view>

#include "tesk/imaging_dc.h"
#include "tesk/platform.h"

namespace {

constexpr double kDefaultEmPixels = 12.0;  // 9 pt at 96 dpi
constexpr const char* kDefaultFace = "sans-serif";

LOGFONTA DefaultLogFont() {
    LOGFONTA lf{};
    lf.lfWeight = FW_NORMAL;
    return lf;
}

std::string FaceName(const LOGFONTA& lf) {
    if (lf.lfFaceName[0] == '\0') return kDefaultFace;
    return TeskUtility::AnsiToUtf8(std::string_view(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)));
}

// Selects the font into `cr`; a positive height asks for that cell height, so the em
// size is scaled by the face's own ascent plus descent.
void ApplyFont(cairo_t* cr, const LOGFONTA& lf) {
    cairo_select_font_face(cr, FaceName(lf).c_str(), lf.lfItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           lf.lfWeight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    if (lf.lfHeight < 0) {
        cairo_set_font_size(cr, -static_cast<double>(lf.lfHeight));
    } else if (lf.lfHeight > 0) {
        cairo_set_font_size(cr, lf.lfHeight);
        cairo_font_extents_t fe;
        cairo_font_extents(cr, &fe);
        const double cell = fe.ascent + fe.descent;
        if (cell > 0) cairo_set_font_size(cr, lf.lfHeight * lf.lfHeight / cell);
    } else {
        cairo_set_font_size(cr, kDefaultEmPixels);
    }
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

// ---- CDC

struct CDC::Surface {
    cairo_surface_t* surface;
    cairo_t* cr;

    Surface(int width = 1, int height = 1)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)), cr(cairo_create(surface)) {
        // Whole-pixel advances, as GDI reports them.
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
        cairo_set_font_options(cr, options);
        cairo_font_options_destroy(options);
    }
    ~Surface() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
};

CDC::CDC() = default;
CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC* /*dc*/) {
    if (m_surface) return 0;
    return cairo_status(EnsureSurface().cr) == CAIRO_STATUS_SUCCESS;
}

BOOL CDC::CreateSurfaceDC(int width, int height) {
    if (m_surface || width <= 0 || height <= 0) return 0;
    auto surface = std::make_unique<Surface>(width, height);
    if (cairo_status(surface->cr) != CAIRO_STATUS_SUCCESS) return 0;
    m_surface = std::move(surface);
    cairo_translate(m_surface->cr, m_viewportOrg.x, m_viewportOrg.y);
    return 1;
}

BOOL CDC::DeleteDC() {
    if (!m_surface) return 0;
    m_surface.reset();
    m_font = nullptr;
    m_viewportOrg = CPoint();
    m_viewportExt = CSize(1, 1);
    return 1;
}

int CDC::GetDeviceCaps(int index) const {
    if (!m_surface) return 0;
    switch (index) {
        case HORZRES: return cairo_image_surface_get_width(m_surface->surface);
        case VERTRES: return cairo_image_surface_get_height(m_surface->surface);
        case BITSPIXEL: return 32;
        case PLANES: return 1;
        default: return 0;
    }
}

CPoint CDC::SetViewportOrg(int x, int y) {
    const CPoint previous = m_viewportOrg;
    m_viewportOrg = CPoint(x, y);
    if (m_surface) {
        // Logical (0, 0) lands on the device point (x, y) for whatever Cairo draws next.
        cairo_identity_matrix(m_surface->cr);
        cairo_translate(m_surface->cr, x, y);
    }
    return previous;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    const CSize previous = m_viewportExt;
    if (cx != 0 && cy != 0) m_viewportExt = CSize(cx, cy);
    return previous;
}

bool CDC::IsCreated() const { return m_surface != nullptr; }

CDC::Surface& CDC::EnsureSurface() const {
    if (!m_surface) m_surface = std::make_unique<Surface>();
    return *m_surface;
}

CFont* CDC::SelectObject(CFont* font) {
    CFont* previous = m_font;
    if (font != nullptr && font->IsCreated()) m_font = font;
    return previous;
}

CSize CDC::GetTextExtent(const char* text, int count) const {
    if (text == nullptr) return CSize();
    const std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    cairo_t* cr = EnsureSurface().cr;
    LOGFONTA lf = DefaultLogFont();
    if (m_font != nullptr) m_font->GetLogFont(&lf);
    ApplyFont(cr, lf);

    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    const auto height = static_cast<std::int32_t>(std::lround(fe.ascent + fe.descent));
    if (length == 0) return CSize(0, height);

    const std::string utf8 = TeskUtility::AnsiToUtf8(std::string_view(text, length));
    cairo_text_extents_t te;
    cairo_text_extents(cr, utf8.c_str(), &te);
    return CSize(static_cast<std::int32_t>(std::lround(te.x_advance)), height);
}

CSize CDC::GetTextExtent(const CStringA& text) const {
    return GetTextExtent(text.data(), static_cast<int>(text.size()));
}
