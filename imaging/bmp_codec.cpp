// Windows bitmap files, 24 and 32 bits per pixel, uncompressed (BI_RGB) or with
// the standard BGR bit fields. Every header field is checked against the file's
// length before a byte of pixels is touched.
#include <cstring>

#include "imaging/image_codecs.h"

namespace TeskUtility::imaging {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

bool KnownInfoHeaderSize(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

}  // namespace

bool DecodeBmp(const std::uint8_t* data, std::size_t size, CImage& image) {
    if (size < kFileHeaderBytes + kInfoHeaderBytes || data[0] != 'B' || data[1] != 'M') return false;
    const std::uint32_t pixelOffset = U32(data + 10);
    const std::uint8_t* info = data + kFileHeaderBytes;
    const std::uint32_t infoSize = U32(info);
    if (!KnownInfoHeaderSize(infoSize) || kFileHeaderBytes + infoSize > size) return false;
    const auto width = static_cast<std::int32_t>(U32(info + 4));
    const auto height = static_cast<std::int32_t>(U32(info + 8));
    const int bpp = U16(info + 14);
    const std::uint32_t compression = U32(info + 16);
    if (U16(info + 12) != 1 || (bpp != 24 && bpp != 32) || width <= 0 || height == 0 || height == INT32_MIN)
        return false;

    bool alpha = false;
    if (compression == kBiBitfields) {
        // Masks follow a 40-byte header, or sit inside a larger one.
        const std::size_t masksAt = kFileHeaderBytes + kInfoHeaderBytes;
        if (bpp != 32 || masksAt + 12 > size) return false;
        if (U32(data + masksAt) != 0xFF0000 || U32(data + masksAt + 4) != 0xFF00 || U32(data + masksAt + 8) != 0xFF)
            return false;
        alpha = infoSize >= 56 && U32(info + 52) == 0xFF000000u;
    } else if (compression != kBiRgb) {
        return false;
    }

    const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (!PixelSizeAcceptable(width, rows, bpp)) return false;
    const std::size_t rowBytes = static_cast<std::size_t>(CImage::RowBytes(width, bpp));
    const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(rows);
    if (pixelOffset < kFileHeaderBytes + infoSize || pixelOffset > size || size - pixelOffset < pixelBytes) return false;

    CImage decoded;
    if (!decoded.Create(width, static_cast<int>(rows), bpp, alpha ? CImage::createAlphaChannel : 0)) return false;
    const std::uint8_t* pixels = data + pixelOffset;
    for (std::int64_t fileRow = 0; fileRow < rows; ++fileRow) {
        const int y = static_cast<int>(height > 0 ? rows - 1 - fileRow : fileRow);
        std::memcpy(decoded.GetPixelAddress(0, y), pixels + static_cast<std::size_t>(fileRow) * rowBytes, rowBytes);
    }
    image = std::move(decoded);
    return true;
}

bool EncodeBmp(const CImage& image, std::FILE* out) {
    const int width = image.GetWidth(), rows = image.GetHeight(), bpp = image.GetBPP();
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(CImage::RowBytes(width, bpp));
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(rows);
    std::uint8_t header[kFileHeaderBytes + kInfoHeaderBytes] = {'B', 'M'};
    Put32(header + 2, static_cast<std::uint32_t>(sizeof header) + pixelBytes);
    Put32(header + 10, sizeof header);
    std::uint8_t* info = header + kFileHeaderBytes;
    Put32(info, kInfoHeaderBytes);
    Put32(info + 4, static_cast<std::uint32_t>(width));
    Put32(info + 8, static_cast<std::uint32_t>(rows));  // bottom-up
    Put16(info + 12, 1);
    Put16(info + 14, static_cast<std::uint16_t>(bpp));
    Put32(info + 16, kBiRgb);
    Put32(info + 20, pixelBytes);
    Put32(info + 24, 3780);  // 96 dpi in pixels per metre
    Put32(info + 28, 3780);
    if (std::fwrite(header, 1, sizeof header, out) != sizeof header) return false;
    if (!image.IsTopDown())  // the buffer already runs bottom row first
        return std::fwrite(image.GetPixelAddress(0, rows - 1), 1, pixelBytes, out) == pixelBytes;
    for (int y = rows - 1; y >= 0; --y)
        if (std::fwrite(image.GetPixelAddress(0, y), 1, rowBytes, out) != rowBytes) return false;
    return true;
}

}  // namespace TeskUtility::imaging
