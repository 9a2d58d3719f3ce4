// Rotation of a bitmap for the printer. The new size comes from the source's
// corners rotated with float sine and cosine and truncated products, so that
// a quarter turn of w x h is exactly h x w; each target pixel then takes the
// source pixel under its centre, through the inverse of
//   x' = c x + s y - minX,   y' = -s x + c y - minY.
#include <algorithm>
#include <cmath>

#include "imaging/pixel_ops.h"

namespace TeskUtility::imaging {

CImage GetRotatedBitmapNT(const CImage& source, float angle, COLORREF background) {
    const CImage pixels = ThirtyTwoBitCopy(source);
    if (pixels.IsNull()) return CImage();
    const float c = std::cos(angle), s = std::sin(angle);
    const double w = source.GetWidth(), h = source.GetHeight();
    const double cd = c, sd = s;
    const int xs[] = {0, static_cast<int>(h * sd), static_cast<int>(w * cd + h * sd), static_cast<int>(w * cd)};
    const int ys[] = {0, static_cast<int>(h * cd), static_cast<int>(h * cd - w * sd), static_cast<int>(-w * sd)};
    const auto [minX, maxX] = std::minmax_element(std::begin(xs), std::end(xs));
    const auto [minY, maxY] = std::minmax_element(std::begin(ys), std::end(ys));

    CImage rotated;
    if (*maxX - *minX <= 0 || *maxY - *minY <= 0 || !rotated.Create(*maxX - *minX, *maxY - *minY, 32)) return rotated;
    const std::uint32_t fill = PixelWordOf(background);
    const int sw = source.GetWidth(), sh = source.GetHeight();
    for (int y = 0; y < rotated.GetHeight(); ++y) {
        auto* out = static_cast<std::uint32_t*>(rotated.GetPixelAddress(0, y));
        const double py = y + 0.5 + *minY;
        for (int x = 0; x < rotated.GetWidth(); ++x) {
            const double px = x + 0.5 + *minX;
            const double u = cd * px - sd * py, v = sd * px + cd * py;
            if (u >= 0 && v >= 0 && u < sw && v < sh)
                out[x] = *static_cast<const std::uint32_t*>(pixels.GetPixelAddress(static_cast<int>(u), static_cast<int>(v)));
            else
                out[x] = fill;
        }
    }
    return rotated;
}

}  // namespace TeskUtility::imaging
