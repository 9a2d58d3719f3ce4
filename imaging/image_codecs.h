// The image file formats behind CImage::Load and Save. Each decoder reads a
// whole file image from memory into a fresh bottom-up CImage and answers false
// for anything it cannot decode; each encoder writes to an open stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "tesk/imaging_image.h"

namespace TeskUtility::imaging {

// Largest pixel buffer a decoder allocates: a hostile header may claim any size.
constexpr std::size_t kMaxImageBytes = std::size_t{256} << 20;
bool PixelSizeAcceptable(std::int64_t width, std::int64_t height, int bpp);

enum class EImageFormat { Unknown, Bmp, Png, Jpeg };
// By the extension of `path`, case-insensitive.
EImageFormat FormatOfPath(const char* path);

// False when the codec libraries found at run time do not match the build.
bool CodecLibrariesUsable();

bool DecodeBmp(const std::uint8_t* data, std::size_t size, CImage& image);
bool DecodePng(const std::uint8_t* data, std::size_t size, CImage& image);
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, CImage& image);

bool EncodeBmp(const CImage& image, std::FILE* out);
bool EncodePng(const CImage& image, std::FILE* out);
bool EncodeJpeg(const CImage& image, std::FILE* out, int quality = 75);

}  // namespace TeskUtility::imaging
