// What the codecs share: the format of a path and the size guard.
#include <strings.h>

#include <cstring>

#include "imaging/image_codecs.h"

namespace TeskUtility::imaging {

bool PixelSizeAcceptable(std::int64_t width, std::int64_t height, int bpp) {
    if (width <= 0 || height <= 0 || width > 0x7FFFFFF || height > 0x7FFFFFF) return false;
    const std::int64_t rowBytes = ((width * bpp + 31) / 32) * 4;
    return rowBytes * height <= static_cast<std::int64_t>(kMaxImageBytes);
}

EImageFormat FormatOfPath(const char* path) {
    const char* slash = std::strrchr(path, '/');
    const char* dot = std::strrchr(slash ? slash : path, '.');
    if (dot == nullptr) return EImageFormat::Unknown;
    const char* ext = dot + 1;
    if (!strcasecmp(ext, "bmp") || !strcasecmp(ext, "dib")) return EImageFormat::Bmp;
    if (!strcasecmp(ext, "png")) return EImageFormat::Png;
    if (!strcasecmp(ext, "jpg") || !strcasecmp(ext, "jpeg") || !strcasecmp(ext, "jpe")) return EImageFormat::Jpeg;
    return EImageFormat::Unknown;
}

}  // namespace TeskUtility::imaging
