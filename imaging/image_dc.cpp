// CImage drawn into a device context, and bitmaps read back into images. Cairo's
// RGB24 format reads exactly our 0x00RRGGBB words, so an image is wrapped, not
// converted; Cairo wants rows top to bottom, so the wrapped copy is top-down.
#include <cairo.h>

#include <vector>

#include "imaging/cairo_access.h"
#include "imaging/image_dc.h"
#include "imaging/pixel_ops.h"

using namespace TeskUtility::imaging;

namespace {

constexpr std::uint32_t kSrcInvert = 0x00660046;

// A top-down 32-bit copy that Cairo can wrap.
CImage TopDownCopy(const CImage& image) {
    CImage copy;
    if (copy.Create(image.GetWidth(), -image.GetHeight(), 32)) CombinePixels(copy, ThirtyTwoBitCopy(image), ERasterOp::SourceCopy);
    return copy;
}

// Paints `image` scaled over the device rectangle of `target`, replacing what was there.
bool PaintScaled(const CImage& image, cairo_surface_t* target, const RECT& device) {
    CImage source = TopDownCopy(image);
    if (source.IsNull()) return false;
    cairo_surface_t* in = cairo_image_surface_create_for_data(static_cast<unsigned char*>(source.GetBits()),
                                                              CAIRO_FORMAT_RGB24, source.GetWidth(),
                                                              source.GetHeight(), source.GetPitch());
    cairo_t* cr = cairo_create(target);
    const double width = device.right - device.left, height = device.bottom - device.top;
    cairo_rectangle(cr, device.left, device.top, width, height);
    cairo_clip(cr);
    cairo_translate(cr, device.left, device.top);
    cairo_scale(cr, width / source.GetWidth(), height / source.GetHeight());
    cairo_set_source_surface(cr, in, 0, 0);
    // Smooth when the size changes (the platform's halftoning); exact pixels when it does not.
    const bool sameSize = width == source.GetWidth() && height == source.GetHeight();
    cairo_pattern_set_filter(cairo_get_source(cr), sameSize ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);  // no dark seam at the edges
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    const bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_destroy(in);
    return ok;
}

// XOR of the scaled image into the device rectangle: scaled apart, then combined.
bool InvertScaled(const CImage& image, cairo_surface_t* target, const RECT& device) {
    const int width = device.right - device.left, height = device.bottom - device.top;
    CImage scaled;
    if (!scaled.Create(width, -height, 32)) return false;
    cairo_surface_t* scratch = cairo_image_surface_create_for_data(static_cast<unsigned char*>(scaled.GetBits()),
                                                                   CAIRO_FORMAT_RGB24, width, height, scaled.GetPitch());
    const bool ok = PaintScaled(image, scratch, RECT{0, 0, width, height});
    cairo_surface_destroy(scratch);
    if (!ok) return false;
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    const int targetWidth = cairo_image_surface_get_width(target), targetHeight = cairo_image_surface_get_height(target);
    for (int y = std::max(0, static_cast<int>(device.top)); y < std::min(targetHeight, static_cast<int>(device.bottom)); ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        const auto* in = static_cast<const std::uint32_t*>(scaled.GetPixelAddress(0, y - device.top));
        for (int x = std::max(0, static_cast<int>(device.left)); x < std::min(targetWidth, static_cast<int>(device.right)); ++x)
            out[x] ^= in[x - device.left] & 0xFFFFFF;  // alpha stays opaque
    }
    cairo_surface_mark_dirty(target);
    return true;
}

}  // namespace

BOOL CImage::StretchBlt(CDC* dc, int x, int y, int width, int height, std::uint32_t rop) const {
    if (dc == nullptr || IsNull() || width == 0 || height == 0 || (rop != SRCCOPY && rop != kSrcInvert)) return 0;
    cairo_surface_t* target = TeskImaging::SurfaceOf(*dc);
    if (target == nullptr) return 0;
    RECT device{x, y, x + width, y + height};
    dc->LPtoDP(&device);
    if (device.right < device.left) std::swap(device.left, device.right);
    if (device.bottom < device.top) std::swap(device.top, device.bottom);
    if (device.right == device.left || device.bottom == device.top) return 0;
    return rop == SRCCOPY ? PaintScaled(*this, target, device) : InvertScaled(*this, target, device);
}

BOOL CImage::BitBlt(CDC* dc, int x, int y, std::uint32_t rop) const {
    return StretchBlt(dc, x, y, GetWidth(), GetHeight(), rop);
}

namespace TeskUtility::imaging {

CImage ImageOfBitmap(const CBitmap& bitmap) {
    CImage image;
    cairo_surface_t* surface = TeskImaging::SurfaceOf(bitmap);
    if (surface == nullptr) return image;
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    if (!image.Create(width, height, 32)) return image;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        auto* out = static_cast<std::uint32_t*>(image.GetPixelAddress(0, y));
        for (int x = 0; x < width; ++x) out[x] = in[x] & 0xFFFFFF;  // opaque: no premultiplication to undo
    }
    return image;
}

}  // namespace TeskUtility::imaging
