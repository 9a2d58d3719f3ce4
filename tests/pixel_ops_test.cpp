// The capture helpers' pixel algorithms on synthetic images, exact pixels.
#include <gtest/gtest.h>

#include "imaging/pixel_ops.h"

namespace {

using namespace TeskUtility::imaging;

std::uint32_t Word(const CImage& image, int x, int y) {
    return *static_cast<const std::uint32_t*>(image.GetPixelAddress(x, y));
}

// One row of 32-bit pixels holding the given words.
CImage RowOf(std::initializer_list<std::uint32_t> words) {
    CImage image;
    EXPECT_TRUE(image.Create(static_cast<int>(words.size()), 1, 32));
    int x = 0;
    for (std::uint32_t w : words) static_cast<std::uint32_t*>(image.GetBits())[x++] = w;
    return image;
}

struct WordCase {
    std::uint32_t in, out;
};

void ExpectMapped(CImage (*op)(const CImage&), const std::vector<WordCase>& cases) {
    CImage source;
    ASSERT_TRUE(source.Create(static_cast<int>(cases.size()), -1, 24));  // 24-bit, top-down input
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::uint32_t w = cases[i].in;
        source.SetPixel(static_cast<int>(i), 0, RGB(w >> 16, w >> 8, w));
    }
    const CImage result = op(source);
    ASSERT_EQ(result.GetBPP(), 32);
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(Word(result, static_cast<int>(i), 0), cases[i].out) << std::hex << cases[i].in;
    EXPECT_EQ(source.GetBPP(), 24) << "the source stays as it was";
}

TEST(PixelOps, BlackWhiteLowersOnlyLightGrays) {
    ExpectMapped(ToBlackWhiteColor, {
        {0x000000, 0x000000},
        {0xFFC2C2, 0xC8C8C8},  // gray 200 stays
        {0xFFC3C3, 0xABABAB},  // 201 -> 171
        {0xFFFEFE, 0xE0E0E0},  // 254 -> 224
        {0xFFFFFF, 0xFFFFFF},  // 255 stays
        {0xC8C8C8, 0xC7C7C7},  // 200,200,200 weighs in just under 200
        {0x00FF00, 0x9A9A9A},  // green weighs most
        {0xFF0000, 0x1A1A1A},
        {0x0000FF, 0x494949},
    });
}

TEST(PixelOps, PrintPaletteReplacesEveryChartColour) {
    ExpectMapped(ToCompareRedGreenColor, {
        {0xFFFF3C, 0xD2D200}, {0xFFFF00, 0xD2D200}, {0xFF2058, 0xD2D200}, {0xFF5050, 0xFF0606},
        {0xFF0000, 0xC80000}, {0xEA1A02, 0xC80000}, {0x80FF00, 0x51A200}, {0x1D9000, 0x51A200},
        {0x5CFF00, 0x51A200}, {0x66FFFF, 0x000000},
        {0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000}, {0x00FF00, 0x51A200}, {0x808080, 0x7F7F7F},
        {0x102020, 0xC80000},  // blue equals green, below 50
        {0x106060, 0x000000},  // blue equals green, 50 or more
        {0x808000, 0xD2D200},  // red equals green above 50, no blue
        {0x323200, 0xFFCDCD},  // ... but 50 itself is inverted
        {0x204000, 0x51A200},  // no blue, green differs from red
        {0x123456, 0xA9CBED},
    });
}

TEST(PixelOps, SwapColorExchangesBothWaysAndIgnoresEqualColours) {
    const CImage source = RowOf({0x0000FF, 0xFF0000, 0x00FF00, 0x0000FF});
    const CImage swapped = SwapColor(source, RGB(255, 0, 0), RGB(0, 0, 255));  // red <-> blue
    EXPECT_EQ(Word(swapped, 0, 0), 0xFF0000u);
    EXPECT_EQ(Word(swapped, 1, 0), 0x0000FFu);
    EXPECT_EQ(Word(swapped, 2, 0), 0x00FF00u);
    EXPECT_EQ(Word(swapped, 3, 0), 0xFF0000u);
    const CImage same = SwapColor(source, RGB(255, 0, 0), RGB(255, 0, 0));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Word(same, x, 0), Word(source, x, 0));
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
        EXPECT_EQ(rotated.GetWidth(), c.rw) << c.w << "x" << c.h << " by " << c.angle;
        EXPECT_EQ(rotated.GetHeight(), c.rh) << c.w << "x" << c.h << " by " << c.angle;
    }
}

TEST(PixelOps, QuarterTurnMovesEveryPixelAndAnEighthFillsTheCorners) {
    CImage source;
    ASSERT_TRUE(source.Create(3, 2, 32));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) static_cast<std::uint32_t*>(source.GetPixelAddress(x, y))[0] = 0x100 * y + x + 1;
    // x' = y, y' = 2 - x: the top row becomes the left column, read upwards.
    const CImage quarter = GetRotatedBitmapNT(source, 1.570795f, RGB(0, 0, 255));
    ASSERT_EQ(quarter.GetWidth(), 2);
    ASSERT_EQ(quarter.GetHeight(), 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Word(quarter, y, 2 - x), 0x100u * y + x + 1) << x << "," << y;

    const CImage turned = GetRotatedBitmapNT(source, 0.7853982f, RGB(0, 0, 255));  // an eighth: corners uncovered
    EXPECT_EQ(Word(turned, 0, 0), 0x0000FFu);  // blue as a pixel word
    EXPECT_EQ(Word(turned, turned.GetWidth() - 1, turned.GetHeight() - 1), 0x0000FFu);
}

}  // namespace
