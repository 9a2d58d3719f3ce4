// Off-screen painting and the drawing helpers used with it.
//
//   void Paint(CDC& window) {
//       CTeskMemDC dc(window, nullptr);     // covers the window's clip box, filled with its background
//       TeskUtility::DrawColorEdge(dc, CRect(0, 0, 80, 20), RGB(255, 0, 0), 1, TeskUtility::DrawEdge_All);
//       CRect box(0, 0, 80, 20);
//       CTeskMemDC::DrawText_Bigger(dc, "1,234.56", &box, DT_RIGHT | DT_SINGLELINE, 2);  // "56" larger
//   }                                       // one block copy to the window here
#pragma once

#include "tesk/imaging_dc.h"
#include "tesk/types.h"

class CImage;

class CTeskMemDC : public CDC {
public:
    // area in the target's logical units; nullptr takes the target's clip box. A printing
    // target is drawn on directly.
    CTeskMemDC(CDC& target, const RECT* area = nullptr);
    ~CTeskMemDC() override;

    // Draws text without its commas; the last `count` characters in the font 3 points
    // larger. With DT_RIGHT, box->right ends up left of the larger part.
    static void DrawText_Bigger(CDC& dc, const CStringA& text, RECT* box, unsigned int format, int count);

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};

namespace TeskUtility {

enum EDrawEdgeStyle {
    DrawEdge_All = 0,
    DrawEdge_TopBottom = 1,
    DrawEdge_LeftRight = 2,
    DrawEdge_Left = 3,
    DrawEdge_Right = 4,
    DrawEdge_Top = 5,
    DrawEdge_Bottom = 6,
    DrawEdge_LeftTopBottom = 7,
    DrawEdge_RightTopBottom = 8,
    DrawEdge_LeftBottom = 9,    // CTeskMemDC& form only
    DrawEdge_RightBottom = 10,  // CTeskMemDC& form only
};

// Lines along the listed edges of rect with a solid pen; right and bottom lie on
// rect.right and rect.bottom.
void DrawColorEdge(CTeskMemDC& dc, CRect rect, std::uint32_t color, int width, EDrawEdgeStyle style);
void DrawColorEdge(CDC* dc, CRect rect, std::uint32_t color, int width, EDrawEdgeStyle style);

// Two-colour fill of rect less inset: secondColor at the left (mode 0) or top (mode 1),
// firstColor at the other end.
void GradientColor(CTeskMemDC& dc, CRect rect, std::uint32_t firstColor, std::uint32_t secondColor, CRect inset,
                   int mode);
void GradientColor(CDC* dc, CRect rect, std::uint32_t firstColor, std::uint32_t secondColor, CRect inset, int mode);

// Premultiplies each pixel's B, G, R bytes by its A byte; 32-bit images only.
void CrossImage(CImage& image);

// Two lines split at the first '\n': the first on the bottom of the upper half, the
// second at the top of the lower half, `gap` pixels apart. Nothing without a '\n'
// after the first character.
void DrawMultiLineString(CTeskMemDC& dc, CStringA text, CRect rect, unsigned int format, int gap);

// size = the extent of text in font; unchanged with a null dc.
void GetFontExtentSize(CDC* dc, CFont* font, CStringA text, CSize& size);

// Shrinks (or grows) rect evenly around the text's extent, centred.
void CalculateStringRect(CDC* dc, const CStringA& text, CRect& rect);

}  // namespace TeskUtility
