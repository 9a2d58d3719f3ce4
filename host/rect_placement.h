// Where a rectangle goes when it is centred in or clipped to an area; both keep its size.
#pragma once

#include "tesk/types.h"

namespace TeskUtility::detail {

// left = A.left + (A.width - w) / 2, top likewise, the division truncating towards zero.
inline void CenterRectIn(RECT& rect, const RECT& area) {
    const std::int32_t w = rect.right - rect.left;
    const std::int32_t h = rect.bottom - rect.top;
    rect.left = area.left + ((area.right - area.left) - w) / 2;
    rect.top = area.top + ((area.bottom - area.top) - h) / 2;
    rect.right = rect.left + w;
    rect.bottom = rect.top + h;
}

// Inside the area as far as it fits; a rectangle larger than the area starts at its left or top edge.
inline void ClipRectTo(RECT& rect, const RECT& area) {
    const std::int32_t w = rect.right - rect.left;
    const std::int32_t h = rect.bottom - rect.top;
    const std::int32_t left = rect.left < area.right - w ? rect.left : area.right - w;
    const std::int32_t top = rect.top < area.bottom - h ? rect.top : area.bottom - h;
    rect.left = left > area.left ? left : area.left;
    rect.top = top > area.top ? top : area.top;
    rect.right = rect.left + w;
    rect.bottom = rect.top + h;
}

}  // namespace TeskUtility::detail
