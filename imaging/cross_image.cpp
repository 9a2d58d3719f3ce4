// Alpha premultiplication of 32-bit pixels, for images blended by an alpha blend that
// expects premultiplied colour.
#include "tesk/imaging_image.h"
#include "tesk/imaging_memdc.h"

namespace TeskUtility {

void CrossImage(CImage& image) {
    // Other depths have no alpha byte to multiply by; they are left alone.
    if (image.IsNull() || image.GetBPP() != 32) return;
    auto* top = static_cast<unsigned char*>(image.GetBits());
    for (int y = 0; y < image.GetHeight(); ++y) {
        unsigned char* p = top + static_cast<std::ptrdiff_t>(y) * image.GetPitch();
        for (int x = 0; x < image.GetWidth(); ++x, p += 4) {
            const unsigned alpha = p[3];
            p[0] = static_cast<unsigned char>(p[0] * alpha / 255);
            p[1] = static_cast<unsigned char>(p[1] * alpha / 255);
            p[2] = static_cast<unsigned char>(p[2] * alpha / 255);
        }
    }
}

}  // namespace TeskUtility
