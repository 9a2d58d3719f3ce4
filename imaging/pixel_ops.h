// Whole-image pixel operations behind the capture modes, printing and the
// colour helpers of CScreenImage. They work on 32-bit pixels whose words read
// 0x00RRGGBB (bytes B, G, R, 0), return a new bottom-up image and leave the
// source untouched; an empty image comes back when memory runs out.
#pragma once

#include "tesk/imaging_image.h"

namespace TeskUtility::imaging {

// COLORREF 0x00BBGGRR to pixel word 0x00RRGGBB: the low and high bytes swap.
constexpr std::uint32_t PixelWordOf(COLORREF color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// The source at 32 bits per pixel, the fourth byte 0.
CImage ThirtyTwoBitCopy(const CImage& source);

// Raster operations of a block copy, on pixels.
enum class ERasterOp { SourceCopy, NotSourceCopy, SourceInvert /* source XOR destination */ };
// Combines `source` into `target` (same size, both 32-bit) pixel by pixel.
void CombinePixels(CImage& target, const CImage& source, ERasterOp op);

// gray = 0.60581 G + 0.28965 B + 0.10454 R, truncated, modulo 256; grays from
// 201 to 254 lowered by 30; the pixel becomes that gray.
CImage ToBlackWhiteColor(const CImage& source);
// Chart colours for paper: a fixed palette map, then rules by channel.
CImage ToCompareRedGreenColor(const CImage& source);
// Exchanges two colours (COLORREF, 0x00BBGGRR) everywhere.
CImage SwapColor(const CImage& source, COLORREF color1, COLORREF color2);
// Rotation by `angle` radians: sine and cosine in float, corner products in
// double truncated toward zero, uncovered pixels in `background`.
CImage GetRotatedBitmapNT(const CImage& source, float angle, COLORREF background);

// The rules for one pixel word, as the whole-image operations apply them.
unsigned BlackWhiteGray(std::uint32_t word);  // before light grays are lowered
std::uint32_t BlackWhiteWord(std::uint32_t word);
std::uint32_t CompareRedGreenWord(std::uint32_t word);

}  // namespace TeskUtility::imaging
