// CTeskMemDC: paint off-screen, then one block copy to the target.
#include <cstdlib>

#include "imaging/device_context.h"
#include "tesk/imaging_memdc.h"

CTeskMemDC::CTeskMemDC(CDC& target, const RECT* area) : m_pDC(&target), m_bMemDC(!target.IsPrinting()) {
    if (area != nullptr)
        m_rect = *area;
    else
        target.GetClipBox(&m_rect);

    if (m_bMemDC) {
        if (!CreateCompatibleDC(&target)) return;
        target.LPtoDP(&m_rect);
        // Flipped mapping modes give a rectangle upside down in device units.
        const int width = std::abs(m_rect.Width()), height = std::abs(m_rect.Height());
        if (!TeskImaging::CreateUnfilledBitmap(m_bitmap, width, height)) return;
        m_oldBitmap = SelectObject(&m_bitmap);
        // The background fill, done while logical units are still pixels, so that it
        // covers every pixel of the bitmap whatever the target's mapping rounds to.
        FillSolidRect(0, 0, width, height, target.GetBkColor());
        SetMapMode(target.GetMapMode());
        SetWindowExt(target.GetWindowExt());
        SetViewportExt(target.GetViewportExt());
        target.DPtoLP(&m_rect);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        m_bPrinting = target.m_bPrinting;
        m_hDC = target.m_hDC;
        m_hAttribDC = target.m_hAttribDC;
        FillSolidRect(&m_rect, target.GetBkColor());
    }
}

CTeskMemDC::~CTeskMemDC() {
    if (!m_bMemDC) {
        Detach();  // the handles are the target's
        return;
    }
    if (m_bitmap.IsCreated() && m_oldBitmap != nullptr) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
    }
    DeleteDC();
}
