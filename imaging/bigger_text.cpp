// DrawText_Bigger: a price whose last digits, the ones that change, stand out in a
// font three points larger.
#include <algorithm>

#include "tesk/imaging_memdc.h"

void CTeskMemDC::DrawText_Bigger(CDC& dc, const CStringA& text, RECT* box, unsigned int format, int count) {
    if (box == nullptr) return;
    CStringA plain;  // short prices stay in the small-string buffer
    plain.reserve(text.size());
    for (const char c : text)
        if (c != ',') plain += c;
    const int length = static_cast<int>(plain.size());
    if (length <= count) {
        dc.DrawText(plain, box, format);
        return;
    }

    CFont* callerFont = dc.GetCurrentFont();
    LOGFONTA lf{};
    if (callerFont != nullptr) callerFont->GetLogFont(&lf);
    if (count > 0) {
        const int grow = MulDiv(3, dc.GetDeviceCaps(LOGPIXELSY), 72);
        lf.lfHeight = lf.lfHeight > 0 ? lf.lfHeight + grow : lf.lfHeight - grow;
    }
    CFont larger;
    larger.CreateFontIndirect(&lf);

    const int bigLength = std::max(count, 0);
    const CStringA big = plain.substr(static_cast<std::size_t>(length - bigLength));
    const CStringA small = plain.substr(0, static_cast<std::size_t>(length - bigLength));

    if (format & DT_RIGHT) {
        dc.SelectObject(&larger);
        dc.DrawText(big, box, format);
        box->right -= dc.GetTextExtent(big).cx;
        dc.SelectObject(callerFont);
        dc.DrawText(small, box, format);
    } else if (format & DT_CENTER) {
        dc.SelectObject(&larger);
        const int bigWidth = dc.GetTextExtent(big).cx;
        dc.SelectObject(callerFont);
        const int smallWidth = dc.GetTextExtent(small).cx;
        const int left = box->left + (box->right - box->left - smallWidth - bigWidth) / 2;
        RECT smallBox{left, box->top, left + smallWidth, box->bottom};
        dc.DrawText(small, &smallBox, format);
        RECT bigBox{left + smallWidth, box->top, left + smallWidth + bigWidth, box->bottom};
        dc.SelectObject(&larger);
        dc.DrawText(big, &bigBox, format);
        dc.SelectObject(callerFont);
    } else {
        dc.DrawText(small, box, format);
        box->left += dc.GetTextExtent(small).cx;
        dc.SelectObject(&larger);
        dc.DrawText(big, box, format);
        dc.SelectObject(callerFont);
    }
}
