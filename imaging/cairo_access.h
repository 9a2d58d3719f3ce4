// The Cairo side of device contexts and bitmaps, for imaging's own files (image
// files, capture, printing) that need the pixels. Not a public header.
//
//   cairo_surface_t* pixels = TeskImaging::SurfaceOf(dc);   // the selected bitmap
//   cairo_surface_flush(pixels);
//   ... read or write cairo_image_surface_get_data(pixels) ...
//   cairo_surface_mark_dirty(pixels);
//
// Surfaces are CAIRO_FORMAT_ARGB32 image surfaces whose pixels are kept opaque.
#pragma once

#include <cairo.h>

#include "tesk/imaging_dc.h"

namespace TeskImaging {

// The surface of the bitmap selected into dc (nullptr without a context). Borrowed.
cairo_surface_t* SurfaceOf(const CDC& dc);
// The bitmap's surface (nullptr when not created). Borrowed.
cairo_surface_t* SurfaceOf(const CBitmap& bitmap);
// Makes `bitmap` own `surface` (an ARGB32 image surface; the caller's reference passes
// to the bitmap), releasing what it held. 0 when the surface is not usable.
BOOL AdoptSurface(CBitmap& bitmap, cairo_surface_t* surface);

}  // namespace TeskImaging
