// Shortened volumes and prices with the rectangle of their decimal tail, so that
// a grid can draw the tail apart from the other digits.
#include <algorithm>

#include "tesk/format_compact.h"
#include "tesk/format_price.h"
#include "tesk/imaging_dc.h"

namespace TeskUtility {
namespace {

// Appends `unit` to `text` and places the last `decimals` digits of the original
// text inside `cell` by `align`; top and bottom stay the cell's.
void PlaceTail(const CDC& dc, const CRect& cell, CStringA& text, unsigned int decimals, const CStringA& unit,
               CRect& tail, unsigned int align) {
    const std::size_t tailLength = std::min<std::size_t>(decimals, text.size());
    const int tailWidth = dc.GetTextExtent(text.data() + text.size() - tailLength, static_cast<int>(tailLength)).cx;
    const int unitWidth = unit.empty() ? 0 : dc.GetTextExtent(unit).cx;
    tail = cell;
    text += unit;
    switch (align) {
        case CompactAlign_Right:
            tail.right = cell.right - unitWidth;
            tail.left = tail.right - tailWidth;
            break;
        case CompactAlign_Center: {
            const int allWidth = dc.GetTextExtent(text).cx;
            const int shift = (cell.right - cell.left - allWidth) / 2;
            tail.right = cell.right - unitWidth - shift;
            tail.left = tail.right - tailWidth;
            break;
        }
        case CompactAlign_Left: {
            const int allWidth = dc.GetTextExtent(text).cx;
            tail.right = cell.left + allWidth - unitWidth;
            tail.left = tail.right - tailWidth;
            break;
        }
        default:
            break;  // any other code leaves the tail equal to the cell
    }
}

}  // namespace

int GetShortVolumeFormateString(CDC* dc, CRect cell, std::int64_t value, CStringA& text, CRect& tail,
                                unsigned int align) {
    if (dc == nullptr || value == 0) return 0;
    CStringA unit;
    unsigned int decimals = 0;
    ShortenVolume(value, text, unit, decimals);
    if (decimals == 0 || unit.empty()) return 0;
    PlaceTail(*dc, cell, text, decimals, unit, tail, align);
    return 1;
}

int GetShortPriceFormateString(CDC* dc, CRect cell, std::int32_t value, unsigned int state, std::int32_t dot,
                               std::int32_t divisor, CStringA& text, CRect& tail, unsigned int align) {
    if (dc == nullptr || value == 0) return 0;
    CStringA price;
    PriceFormatA(price, value, state, dot, divisor, 0);
    unsigned int decimals = 0;
    ShortenPrice(price, text, decimals);
    if (decimals == 0) return 0;
    PlaceTail(*dc, cell, text, decimals, CStringA(), tail, align);
    return 1;
}

}  // namespace TeskUtility
