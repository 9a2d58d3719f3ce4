// Reading the screen: the X11 backend of the capture code.
#pragma once

#include "tesk/imaging_image.h"

namespace TeskUtility::imaging {

enum class EGrabMethod {
    Auto,          // shared memory when the server offers it, else XGetImage
    SharedMemory,  // XShm only; fails where it is not offered
    GetImage,      // plain XGetImage
};

// Copies `area` of the root window into a new 32-bit bottom-up image whose
// pixel words read 0x00RRGGBB. Parts of the area off the screen stay black.
// False without a display, for an empty area or one too large to hold.
bool GrabScreenArea(const CRect& area, CImage& into, EGrabMethod method = EGrabMethod::Auto);

// True when the display offers the shared-memory extension.
bool SharedMemoryGrabOffered();

// The root window's size (the virtual screen) and the primary monitor's size;
// false without a display.
bool ScreenSizes(CSize& primary, CSize& virtualScreen);

// The window's rectangle on the screen; false for a handle that is no window.
bool WindowScreenRect(HWND window, CRect& rect);

}  // namespace TeskUtility::imaging
