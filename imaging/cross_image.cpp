// Alpha premultiplication of 32-bit pixels, for images blended by the platform's
// alpha blend, which expects premultiplied colour.
#include "tesk/imaging_memdc.h"

namespace TeskUtility {

void CrossImageBits(unsigned char* bits, int width, int height, int pitch, int bitsPerPixel) {
    // Other depths have no alpha byte to multiply by; they are left alone.
    if (bits == nullptr || width <= 0 || height <= 0 || bitsPerPixel != 32) return;
    for (int y = 0; y < height; ++y) {
        unsigned char* p = bits + static_cast<std::ptrdiff_t>(y) * pitch;
        for (int x = 0; x < width; ++x, p += 4) {
            const unsigned alpha = p[3];
            p[0] = static_cast<unsigned char>(p[0] * alpha / 255);
            p[1] = static_cast<unsigned char>(p[1] * alpha / 255);
            p[2] = static_cast<unsigned char>(p[2] * alpha / 255);
        }
    }
}

}  // namespace TeskUtility
