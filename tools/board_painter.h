// The sample quote board of `teskutil demo` painted as a trading screen shows it:
// dark board, rises in red and falls in green, the last two digits of each price
// larger, limit prices on a coloured block.
#pragma once

#include "tesk/imaging.h"

namespace teskutil {

// The board's size in pixels.
CSize QuoteBoardSize();

// Paints the whole board through one CTeskMemDC over `target`, with its top left at
// (0, 0) in target's logical units.
void PaintQuoteBoard(CDC& target);

}  // namespace teskutil
