// Resampling through Cairo: its RGB24 format reads exactly our 0x00RRGGBB words,
// so the pixels are wrapped, not converted. Cairo wants rows top to bottom, so
// both sides are top-down images.
#include <cairo.h>

#include "imaging/image_scale.h"
#include "imaging/pixel_ops.h"

namespace TeskUtility::imaging {
namespace {

cairo_surface_t* Wrap(CImage& image) {
    return cairo_image_surface_create_for_data(static_cast<unsigned char*>(image.GetBits()), CAIRO_FORMAT_RGB24,
                                               image.GetWidth(), image.GetHeight(), image.GetPitch());
}

}  // namespace

CImage StretchedCopy(const CImage& source, int width, int height) {
    CImage from, to;
    if (source.IsNull() || !from.Create(source.GetWidth(), -source.GetHeight(), 32) || !to.Create(width, -height, 32))
        return CImage();
    CombinePixels(from, ThirtyTwoBitCopy(source), ERasterOp::SourceCopy);
    cairo_surface_t* in = Wrap(from);
    cairo_surface_t* out = Wrap(to);
    cairo_t* cr = cairo_create(out);
    cairo_scale(cr, static_cast<double>(width) / source.GetWidth(), static_cast<double>(height) / source.GetHeight());
    cairo_set_source_surface(cr, in, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);  // no dark seam at the edges
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    const bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_flush(out);
    cairo_surface_destroy(out);
    cairo_surface_destroy(in);
    return ok ? std::move(to) : CImage();
}

}  // namespace TeskUtility::imaging
