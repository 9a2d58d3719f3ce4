// Smooth resampling of an image to another size (halftoning, in GDI's words).
#pragma once

#include "tesk/imaging_image.h"

namespace TeskUtility::imaging {

// A new 32-bit image of width x height holding `source` scaled to fit exactly;
// empty for a null source or a size that cannot be made.
CImage StretchedCopy(const CImage& source, int width, int height);

}  // namespace TeskUtility::imaging
