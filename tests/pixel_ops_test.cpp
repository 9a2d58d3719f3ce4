// The capture helpers' pixel algorithms on synthetic images, exact pixels.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "imaging/pixel_ops.h"

namespace {

using namespace TeskUtility::imaging;

std::uint32_t Word(const CImage& image, int x, int y) {
    return *static_cast<const std::uint32_t*>(image.GetPixelAddress(x, y));
}

struct WordCase {
    std::uint32_t in, out;
};

void ExpectMapped(const std::function<CImage(const CImage&)>& op, const std::vector<WordCase>& cases) {
    for (const int bpp : {24, 32}) {  // top-down input of either depth
        CImage source;
        ASSERT_TRUE(source.Create(static_cast<int>(cases.size()), -1, bpp));
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const std::uint32_t w = cases[i].in;
            source.SetPixel(static_cast<int>(i), 0, RGB(w >> 16, w >> 8, w));
        }
        const CImage result = op(source);
        ASSERT_EQ(result.GetBPP(), 32);
        for (std::size_t i = 0; i < cases.size(); ++i)
            EXPECT_EQ(Word(result, static_cast<int>(i), 0), cases[i].out) << std::hex << cases[i].in << " in "
                                                                           << std::dec << bpp << " bits";
        EXPECT_EQ(source.GetBPP(), bpp) << "the source stays as it was";
    }
}

TEST(PixelOps, BlackWhiteLowersOnlyLightGrays) {
    ExpectMapped(ToBlackWhiteColor, {
        {0x000000, 0x000000}, {0xFFFFFF, 0xFFFFFF},  // 255 stays
        {0xFFC2C2, 0xC8C8C8}, {0xFFC3C3, 0xABABAB}, {0xFFFEFE, 0xE0E0E0},  // 200 stays; 201, 254 lose 30
        {0xC8C8C8, 0xC7C7C7},  // 200,200,200 weighs in just under 200
        {0x00FF00, 0x9A9A9A}, {0xFF0000, 0x1A1A1A}, {0x0000FF, 0x494949},  // green weighs most
    });
}

TEST(PixelOps, PrintPaletteReplacesEveryChartColour) {
    ExpectMapped(ToCompareRedGreenColor, {
        {0xFFFF3C, 0xD2D200}, {0xFFFF00, 0xD2D200}, {0xFF2058, 0xD2D200}, {0xFF5050, 0xFF0606},
        {0xFF0000, 0xC80000}, {0xEA1A02, 0xC80000}, {0x80FF00, 0x51A200}, {0x1D9000, 0x51A200},
        {0x5CFF00, 0x51A200}, {0x66FFFF, 0x000000},
        {0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000}, {0x00FF00, 0x51A200}, {0x808080, 0x7F7F7F},
        {0x102020, 0xC80000}, {0x106060, 0x000000},  // blue equals green: below 50, then 50 or more
        {0x808000, 0xD2D200}, {0x323200, 0xFFCDCD},  // red equals green, no blue: above 50; 50 is inverted
        {0x204000, 0x51A200}, {0x123456, 0xA9CBED},  // no blue, green differs from red; then any blue
    });
}

TEST(PixelOps, SwapColorExchangesBothWaysAndIgnoresEqualColours) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    ExpectMapped([&](const CImage& s) { return SwapColor(s, red, blue); },
                 {{0x0000FF, 0xFF0000}, {0xFF0000, 0x0000FF}, {0x00FF00, 0x00FF00}, {0x0000FF, 0xFF0000}});
    ExpectMapped([&](const CImage& s) { return SwapColor(s, red, red); },
                 {{0x0000FF, 0x0000FF}, {0xFF0000, 0xFF0000}});
}

TEST(PixelOps, RotationSizes) {
    const struct {
        int w, h;
        float angle;
        int rw, rh;
    } cases[] = {
        {200, 100, 1.570795f, 100, 200}, {100, 200, 1.570795f, 200, 100}, {200, 100, 0.0f, 200, 100},
        {200, 100, 3.14159f, 200, 100},  {200, 100, 0.5f, 223, 182},       {37, 11, -0.3f, 38, 21},
        {1, 1, 1.570795f, 1, 1},
    };
    for (const auto& c : cases) {
        CImage source;
        ASSERT_TRUE(source.Create(c.w, c.h, 24));
        const CImage rotated = GetRotatedBitmapNT(source, c.angle, RGB(0, 0, 0));
        EXPECT_EQ(CSize(rotated.GetWidth(), rotated.GetHeight()), CSize(c.rw, c.rh))
            << c.w << "x" << c.h << " by " << c.angle;
    }
}

TEST(PixelOps, QuarterTurnMovesEveryPixelAndAnEighthFillsTheCorners) {
    CImage source;
    ASSERT_TRUE(source.Create(3, 2, 32));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            static_cast<std::uint32_t*>(source.GetPixelAddress(x, y))[0] = 0x100 * y + x + 1;
    // x' = y, y' = 2 - x: the top row becomes the left column, read upwards.
    const CImage quarter = GetRotatedBitmapNT(source, 1.570795f, RGB(0, 0, 255));
    ASSERT_EQ(CSize(quarter.GetWidth(), quarter.GetHeight()), CSize(2, 3));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Word(quarter, y, 2 - x), 0x100u * y + x + 1) << x << "," << y;

    // An eighth of a turn leaves the corners uncovered.
    const CImage turned = GetRotatedBitmapNT(source, 0.7853982f, RGB(0, 0, 255));
    EXPECT_EQ(Word(turned, 0, 0), 0x0000FFu);  // blue as a pixel word
    EXPECT_EQ(Word(turned, turned.GetWidth() - 1, turned.GetHeight() - 1), 0x0000FFu);
}

}  // namespace
