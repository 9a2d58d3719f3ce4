// PNG files through libpng: decoding by its simplified interface (which traps
// libpng's errors itself), encoding row by row straight from the image's
// buffer, the filler byte of 32-bit pixels dropped by libpng.
#include <png.h>

#include <csetjmp>

#include "imaging/image_codecs.h"

namespace TeskUtility::imaging {

bool DecodePng(const std::uint8_t* data, std::size_t size, CImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data, size)) return false;
    const bool alpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    const int bpp = alpha ? 32 : 24;
    CImage decoded;
    if (!PixelSizeAcceptable(png.width, png.height, bpp) ||
        !decoded.Create(static_cast<int>(png.width), static_cast<int>(png.height), bpp,
                        alpha ? CImage::createAlphaChannel : 0)) {
        png_image_free(&png);
        return false;
    }
    png.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    // A negative stride asks libpng for bottom-up rows from the lowest address.
    const int height = decoded.GetHeight();
    if (!png_image_finish_read(&png, nullptr, decoded.GetPixelAddress(0, height - 1), decoded.GetPitch(), nullptr))
        return false;
    image = std::move(decoded);
    return true;
}

bool EncodePng(const CImage& image, std::FILE* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const bool alpha = image.HasAlphaChannel();
    png_init_io(png, out);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.GetWidth()), static_cast<png_uint_32>(image.GetHeight()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    if (image.GetBPP() == 32 && !alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < image.GetHeight(); ++y)
        png_write_row(png, static_cast<png_const_bytep>(image.GetPixelAddress(0, y)));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace TeskUtility::imaging

namespace TeskUtility::imaging {

// libpng refuses structures from another minor release; check once at start-up
// rather than fail on every file.
bool CodecLibrariesUsable() { return png_access_version_number() / 100 == PNG_LIBPNG_VER / 100; }

}  // namespace TeskUtility::imaging
