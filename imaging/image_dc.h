// CImage beside the device context: reading a bitmap's pixels back.
#pragma once

#include "tesk/imaging_dc.h"
#include "tesk/imaging_image.h"

namespace TeskUtility::imaging {

// The bitmap's pixels as a 32-bit bottom-up image (words 0x00RRGGBB); empty
// when the bitmap was not created.
CImage ImageOfBitmap(const CBitmap& bitmap);

}  // namespace TeskUtility::imaging
