#include <gtest/gtest.h>

#include "host/rect_placement.h"

namespace {

using TeskUtility::detail::CenterRectIn;
using TeskUtility::detail::ClipRectTo;

TEST(RectPlacement, CenterAndClipKeepTheSizeAndFollowTheFormulas) {
    struct Case { CRect rect, area, centred, clipped; } cases[] = {
        // 301 wide on 1920: (1920 - 301) / 2 = 809.
        {CRect(0, 0, 301, 100), CRect(0, 0, 1920, 1080), CRect(809, 490, 1110, 590), CRect(0, 0, 301, 100)},
        // Past the bottom-right corner: pulled back inside.
        {CRect(1900, 1000, 2200, 1200), CRect(0, 0, 1920, 1080), CRect(810, 440, 1110, 640),
         CRect(1620, 880, 1920, 1080)},
        // Wider and taller than the area: truncation towards zero ((100 - 301) / 2 = -100, not -101),
        // and the clip ends at the area's left and top edges.
        {CRect(50, 50, 351, 251), CRect(-800, -600, -700, -500), CRect(-900, -650, -599, -449),
         CRect(-800, -600, -499, -399)},
        // Left of and above an area at negative coordinates.
        {CRect(-3000, -3000, -2990, -2990), CRect(-800, -360, 0, 0), CRect(-405, -185, -395, -175),
         CRect(-800, -360, -790, -350)},
    };
    for (const Case& c : cases) {
        RECT centred = c.rect;
        CenterRectIn(centred, c.area);
        EXPECT_EQ(CRect(centred), c.centred) << c.rect.left;
        RECT clipped = c.rect;
        ClipRectTo(clipped, c.area);
        EXPECT_EQ(CRect(clipped), c.clipped) << c.rect.left;
    }
}

}  // namespace
