// Recolouring and raster operations over 32-bit pixel words, row by row.
#include <algorithm>
#include <cstring>

#include "imaging/pixel_ops.h"

namespace TeskUtility::imaging {
namespace {

std::uint32_t* Row(CImage& image, int y) { return static_cast<std::uint32_t*>(image.GetPixelAddress(0, y)); }
const std::uint32_t* Row(const CImage& image, int y) {
    return static_cast<const std::uint32_t*>(image.GetPixelAddress(0, y));
}

// A fresh 32-bit image of the source's size with every word mapped, in one pass.
// Screens are mostly runs of one colour, so the last answer is kept: a run costs
// a compare per pixel instead of the rule.
template <class Map>
CImage MapWords(const CImage& source, Map map) {
    CImage result;
    if (source.IsNull() || !result.Create(source.GetWidth(), source.GetHeight(), 32)) return result;
    const int width = source.GetWidth(), step = source.GetBPP() / 8;
    std::uint32_t lastIn = 0xFFFFFFFF, lastOut = 0;  // no masked word equals lastIn at first
    for (int y = 0; y < source.GetHeight(); ++y) {
        const auto* in = static_cast<const std::uint8_t*>(source.GetPixelAddress(0, y));
        std::uint32_t* out = Row(result, y);
        for (int x = 0; x < width; ++x, in += step) {
            std::uint32_t word;
            if (step == 4) {
                std::memcpy(&word, in, 4);
                word &= 0xFFFFFF;
            } else {
                word = in[0] | (in[1] << 8) | (in[2] << 16);
            }
            if (word != lastIn) {
                lastIn = word;
                lastOut = map(word);
            }
            out[x] = lastOut;
        }
    }
    return result;
}

}  // namespace

std::uint32_t CompareRedGreenWord(std::uint32_t word) {
    switch (word) {
        case 0xFFFF3C: case 0xFFFF00: case 0xFF2058: return 0xD2D200;
        case 0xFF5050: return 0xFF0606;
        case 0xFF0000: case 0xEA1A02: return 0xC80000;
        case 0x80FF00: case 0x1D9000: case 0x5CFF00: return 0x51A200;
        case 0x66FFFF: return 0x000000;
        default: break;
    }
    const std::uint32_t r = (word >> 16) & 0xFF, g = (word >> 8) & 0xFF, b = word & 0xFF;
    if (b == g && b != r) return b < 50 ? 0xC80000 : 0x000000;
    if (r == g && b == 0 && r > 50) return 0xD2D200;
    if (b != 0 || g == r) return ((255 - b) << 16) | ((255 - g) << 8) | (255 - r);
    return 0x51A200;
}

CImage ThirtyTwoBitCopy(const CImage& source) {
    return MapWords(source, [](std::uint32_t word) { return word; });
}

void CombinePixels(CImage& target, const CImage& source, ERasterOp op) {
    const int width = std::min(target.GetWidth(), source.GetWidth());
    const int height = std::min(target.GetHeight(), source.GetHeight());
    for (int y = 0; y < height; ++y) {
        std::uint32_t* out = Row(target, y);
        const std::uint32_t* in = Row(source, y);
        switch (op) {
            case ERasterOp::SourceCopy:
                for (int x = 0; x < width; ++x) out[x] = in[x] & 0xFFFFFF;
                break;
            case ERasterOp::NotSourceCopy:
                for (int x = 0; x < width; ++x) out[x] = ~in[x] & 0xFFFFFF;
                break;
            case ERasterOp::SourceInvert:
                for (int x = 0; x < width; ++x) out[x] = (out[x] ^ in[x]) & 0xFFFFFF;
                break;
        }
    }
}

unsigned BlackWhiteGray(std::uint32_t word) {
    const unsigned r = (word >> 16) & 0xFF, g = (word >> 8) & 0xFF, b = word & 0xFF;
    return static_cast<unsigned>(static_cast<int>(0.60581 * g + 0.28965 * b + 0.10454 * r)) & 0xFF;
}

std::uint32_t BlackWhiteWord(std::uint32_t word) {
    unsigned gray = BlackWhiteGray(word);
    if (gray > 200 && gray < 255) gray -= 30;  // keep light highlights visible on paper
    return (gray << 16) | (gray << 8) | gray;
}

CImage ToBlackWhiteColor(const CImage& source) { return MapWords(source, BlackWhiteWord); }

CImage ToCompareRedGreenColor(const CImage& source) { return MapWords(source, CompareRedGreenWord); }

CImage SwapColor(const CImage& source, COLORREF color1, COLORREF color2) {
    const std::uint32_t first = PixelWordOf(color1), second = PixelWordOf(color2);
    return MapWords(source, [first, second](std::uint32_t word) {
        return word == first ? second : word == second ? first : word;
    });
}

}  // namespace TeskUtility::imaging
