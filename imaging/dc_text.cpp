// CDC text: measuring and DrawText, on Cairo's toy text API with hinted (whole-pixel)
// metrics, so that what is measured is what is drawn.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "imaging/device_context.h"
#include "tesk/platform.h"

using TeskImaging::ApplyFont;

namespace {

// Cairo wants NUL-terminated UTF-8; ASCII passes through a reused buffer without
// conversion, so that drawing prices allocates nothing once warm.
const char* Utf8Of(std::string_view ansi) {
    thread_local std::string buffer;
    const bool ascii = std::all_of(ansi.begin(), ansi.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        buffer.assign(ansi);
    else
        buffer = TeskUtility::AnsiToUtf8(ansi);
    return buffer.c_str();
}

int Advance(HDC__& dc, std::string_view line) {
    if (line.empty()) return 0;
    cairo_text_extents_t te;
    cairo_text_extents(dc.cr, Utf8Of(line), &te);
    return static_cast<int>(std::lround(te.x_advance));
}

// A context that was never created measures here, in the stock font.
HDC__& ScratchContext() {
    thread_local HDC__ scratch;
    return scratch;
}

// "&&" shows one '&'; a single '&' marks the next character and is dropped.
std::string_view StripPrefixes(std::string_view text, std::string& out) {
    if (text.find('&') == std::string_view::npos) return text;
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        else if (text[i] == '&') continue;
        out += text[i];
    }
    return out;
}

// Calls fn(line) for each line: the whole text when single-line, else split at
// CR LF, LF or CR.
template <typename Fn>
void ForEachLine(std::string_view text, bool singleLine, Fn fn) {
    if (singleLine) {
        fn(text);
        return;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            fn(text.substr(start));
            return;
        }
        fn(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
}

void SetSource(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

int Sign(int v) { return v < 0 ? -1 : 1; }

}  // namespace

CSize CDC::GetTextExtent(const char* text, int count) const {
    if (text == nullptr) return CSize();
    HDC__& dc = m_hAttribDC != nullptr ? *m_hAttribDC : ScratchContext();
    const std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    ApplyFont(dc);
    const double sx = TeskImaging::ScaleX(dc), sy = TeskImaging::ScaleY(dc);
    const int width = Advance(dc, std::string_view(text, length));
    return CSize(static_cast<std::int32_t>(std::lround(width / sx)),
                 static_cast<std::int32_t>(std::lround(dc.cellHeight / sy)));
}

CSize CDC::GetTextExtent(const CStringA& text) const {
    return GetTextExtent(text.data(), static_cast<int>(text.size()));
}

int CDC::DrawText(const CStringA& text, RECT* rect, unsigned int format) {
    return DrawText(text.data(), static_cast<int>(text.size()), rect, format);
}

int CDC::DrawText(const char* text, int count, RECT* rect, unsigned int format) {
    if (m_hDC == nullptr || text == nullptr || rect == nullptr) return 0;
    HDC__& dc = *m_hDC;
    thread_local std::string stripped;
    std::string_view all(text, count < 0 ? std::strlen(text) : static_cast<std::size_t>(count));
    if (!(format & DT_NOPREFIX)) all = StripPrefixes(all, stripped);
    const bool singleLine = (format & DT_SINGLELINE) != 0;

    ApplyFont(dc);
    int lines = 0, widest = 0;
    ForEachLine(all, singleLine, [&](std::string_view line) {
        ++lines;
        widest = std::max(widest, Advance(dc, line));
    });
    const int textHeight = lines * dc.cellHeight;
    const double sx = TeskImaging::ScaleX(dc), sy = TeskImaging::ScaleY(dc);
    const int signX = Sign(dc.viewportExt.cx) * Sign(dc.windowExt.cx);
    const int signY = Sign(dc.viewportExt.cy) * Sign(dc.windowExt.cy);

    if (format & DT_CALCRECT) {
        rect->right = rect->left + signX * static_cast<int>(std::lround(widest / sx));
        rect->bottom = rect->top + signY * static_cast<int>(std::lround(textHeight / sy));
        return static_cast<int>(std::lround(textHeight / sy));
    }

    const RECT box = TeskImaging::ToDeviceRect(dc, *rect);
    int y = box.top;
    if (singleLine && (format & DT_VCENTER)) y = box.top + (box.bottom - box.top - textHeight) / 2;
    else if (singleLine && (format & DT_BOTTOM)) y = box.bottom - textHeight;

    cairo_t* cr = dc.cr;
    cairo_save(cr);
    if (!(format & DT_NOCLIP)) {
        cairo_rectangle(cr, box.left, box.top, box.right - box.left, box.bottom - box.top);
        cairo_clip(cr);
    }
    const int firstTop = y;
    ForEachLine(all, singleLine, [&](std::string_view line) {
        const int width = Advance(dc, line);
        int x = box.left;
        if (format & DT_CENTER) x = box.left + (box.right - box.left - width) / 2;
        else if (format & DT_RIGHT) x = box.right - width;
        if (dc.bkMode == OPAQUE && width > 0) {
            SetSource(cr, dc.bkColor);
            cairo_rectangle(cr, x, y, width, dc.cellHeight);
            cairo_fill(cr);
        }
        if (!line.empty()) {
            SetSource(cr, dc.textColor);
            cairo_move_to(cr, x, y + dc.ascent);
            cairo_show_text(cr, Utf8Of(line));
        }
        y += dc.cellHeight;
    });
    cairo_restore(cr);
    const int reach = (format & (DT_VCENTER | DT_BOTTOM)) && singleLine ? y - box.top : y - firstTop;
    return static_cast<int>(std::lround(reach / sy));
}
