// CImage files: written and read back in each format, checked byte by byte with
// zlib as the only decoder, and hostile files refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include <zlib.h>

#include "io_test_support.h"
#include "tesk/imaging_image.h"

namespace {

// Smooth (so JPEG stays close), with channels that differ from each other and
// rows that differ from each other, so swaps and flips show.
COLORREF PatternColor(int x, int y) { return RGB(x * 19, y * 23 + 7, 200 - x * 5 - y * 3); }

CImage PatternImage(int width, int height, int bpp, std::uint32_t flags = 0) {
    CImage image;
    EXPECT_TRUE(image.Create(width, height, bpp, flags));
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y, PatternColor(x, y));
            if (bpp == 32)
                static_cast<std::uint8_t*>(image.GetPixelAddress(x, y))[3] = std::uint8_t(x * 9 + y);
        }
    return image;
}

int MaxChannelError(const CImage& a, const CImage& b) {
    int worst = 0;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x) {
            const COLORREF p = a.GetPixel(x, y), q = b.GetPixel(x, y);
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
        }
    return worst;
}

TEST(ImageLayout, PitchAndRowOrderFollowTheSignOfTheHeight) {
    CImage up, down;
    ASSERT_TRUE(up.Create(5, 3, 24));
    ASSERT_TRUE(down.Create(5, -3, 32));
    EXPECT_EQ(std::tuple(up.GetPitch(), down.GetPitch(), up.GetHeight(), down.GetHeight()),
              std::tuple(-16, 20, 3, 3));  // 15 bytes padded to 16
    up.SetPixel(1, 0, RGB(1, 2, 3));
    const auto* top = static_cast<const std::uint8_t*>(up.GetBits());
    EXPECT_EQ(std::tuple(top[3], top[5], up.GetPixel(1, 0)), std::tuple(3, 1, RGB(1, 2, 3)));  // B, G, R
    EXPECT_EQ(up.GetPixel(5, 0), 0u);  // outside
    EXPECT_FALSE(up.Create(1, 1, 24));  // already holds pixels
    for (auto [w, h, b] : {std::tuple{0, 1, 32}, {-1, 1, 32}, {1, 0, 32}, {1, 1, 16}, {100000, 100000, 32}}) {
        CImage bad;
        EXPECT_FALSE(bad.Create(w, h, b)) << w << "x" << h << "x" << b;
        EXPECT_TRUE(bad.IsNull());
    }
}

struct RoundTrip {
    const char* name;
    int height;  // negative: top-down
    int bpp;
    std::uint32_t flags;
    int tolerance;      // JPEG is lossy
    int loadedBpp;
};

class ImageRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ImageRoundTrip, DecodesWhatItEncoded) {
    const RoundTrip& c = GetParam();
    TempDir dir;
    const CImage original = PatternImage(13, c.height, c.bpp, c.flags);
    const std::string path = dir.File(c.name);
    ASSERT_EQ(original.Save(path), S_OK);
    CImage loaded;
    ASSERT_EQ(loaded.Load(path), S_OK);
    EXPECT_EQ(std::tuple(loaded.GetWidth(), loaded.GetHeight(), loaded.GetBPP()),
              std::tuple(13, std::abs(c.height), c.loadedBpp));
    EXPECT_LT(loaded.GetPitch(), 0) << "loaded images are bottom-up";
    EXPECT_LE(MaxChannelError(original, loaded), c.tolerance);
    if (c.flags & CImage::createAlphaChannel) {  // alpha survives PNG only when the image has it
        EXPECT_EQ(static_cast<const std::uint8_t*>(loaded.GetPixelAddress(5, 3))[3], 5 * 9 + 3);
    }
}

const RoundTrip kRoundTrips[] = {
    {"a.bmp", 7, 24, 0, 0, 24}, {"b.bmp", -7, 32, 0, 0, 32}, {"c.png", 7, 24, 0, 0, 24},
    {"d.PNG", -7, 32, 0, 0, 24}, {"e.png", 7, 32, CImage::createAlphaChannel, 0, 32},
    {"f.jpg", 8, 32, 0, 32, 24}, {"g.jpeg", -9, 24, 0, 32, 24},
};
INSTANTIATE_TEST_SUITE_P(Formats, ImageRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(1, info.param.name[0]); });

// Little-endian bytes of a number, as the BMP headers hold them.
std::string Le(std::uint32_t v, int bytes = 4) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
    return s;
}

std::string BmpHeader(std::int32_t width, std::int32_t height, int bpp, std::uint32_t compression,
                      std::uint32_t offset = 54, std::uint16_t planes = 1, std::uint32_t infoSize = 40) {
    return "BM" + std::string(8, '\0') + Le(offset) + Le(infoSize) + Le(width) + Le(height) + Le(planes, 2) +
           Le(bpp, 2) + Le(compression) + std::string(20, '\0');
}

// The files as a reader of their own sees them: the BMP's header and top row (stored
// last), the PNG's header and, inflated with zlib, its first row.
TEST(ImageFiles, AnIndependentReaderAgrees) {
    TempDir dir;
    const CImage image = PatternImage(3, 2, 24);
    for (const char* name : {"p.bmp", "p.png"}) ASSERT_EQ(image.Save(dir.File(name)), S_OK);
    const std::string bmp = dir.Read("p.bmp"), png = dir.Read("p.png");
    const auto be32 = [&png](std::size_t at) {
        std::uint32_t v = 0;
        for (std::size_t i = at; i < at + 4; ++i) v = v << 8 | std::uint8_t(png[i]);
        return v;
    };
    // Pixels at 54; 3 x 2, one plane, 24 bits, uncompressed. The PNG's IHDR: 8-bit RGB.
    ASSERT_EQ(bmp.substr(0, 2) + bmp.substr(10, 4) + bmp.substr(18, 16),
              "BM" + Le(54) + Le(3) + Le(2) + Le(1, 2) + Le(24, 2) + Le(0));
    ASSERT_EQ(png.substr(0, 26),
              std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR" "\0\0\0\3\0\0\0\2\x08\x02", 26));
    std::string idat, raw(2 * (1 + 3 * 3), '\0');
    for (std::size_t pos = 8; pos + 8 <= png.size(); pos += 12 + be32(pos))
        if (png.compare(pos + 4, 4, "IDAT") == 0) idat += png.substr(pos + 8, be32(pos));
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize,
                         reinterpret_cast<const Bytef*>(idat.data()), idat.size()), Z_OK);
    ASSERT_LE(std::uint8_t(raw[0]), 1) << "no filter or Sub";
    if (raw[0] == 1)
        for (int i = 4; i < 10; ++i) raw[i] = static_cast<char>(raw[i] + raw[i - 3]);
    const std::size_t top = 54 + 12;  // bottom-up: the top row is the last of two
    for (int x = 0; x < 2; ++x) {
        const COLORREF p = PatternColor(x, 0);
        const char r = char(GetRValue(p)), g = char(GetGValue(p)), b = char(GetBValue(p));
        EXPECT_EQ(bmp.substr(top + 3 * x, 3), (std::string{b, g, r})) << x;
        EXPECT_EQ(raw.substr(1 + 3 * x, 3), (std::string{r, g, b})) << x;
    }
}

TEST(ImageFiles, HostileFilesFailAndLeaveTheImageAlone) {
    TempDir dir;
    const CImage good = PatternImage(64, 48, 24);
    for (const char* name : {"good.png", "good.jpg"}) ASSERT_EQ(good.Save(dir.File(name)), S_OK);
    const std::string png = dir.Read("good.png"), jpg = dir.Read("good.jpg");
    const std::string row(4, '\x11');
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"odd-masks.bmp", BmpHeader(1, 1, 32, 3, 66) + std::string(12, '\x0F') + row}, {"empty.bmp", ""},
        {"fields-24.bmp", BmpHeader(1, 1, 24, 3) + std::string(12, '\0') + row}, {"soi-only.jpg", "\xFF\xD8"},
        {"huge.bmp", BmpHeader(0x7FFFFFFF, 0x7FFFFFFF, 32, 0) + row}, {"png.jpg", png}, {"png.gif", png},
        {"past-end.bmp", BmpHeader(1, 1, 24, 0, 0xFFFFFFF0u) + row},
        {"min-height.bmp", BmpHeader(1, INT32_MIN, 24, 0) + row}, {"half.png", png.substr(0, png.size() / 2)},
        {"core.bmp", BmpHeader(1, 1, 24, 0, 54, 1, 12) + row}, {"half.jpg", jpg.substr(0, jpg.size() / 3)},
        {"planes.bmp", BmpHeader(1, 1, 24, 0, 54, 2) + row}, {"row-short.bmp", BmpHeader(1, 2, 24, 0) + row},
        {"in-header.bmp", BmpHeader(1, 1, 24, 0, 20) + row}, {"8-bit.bmp", BmpHeader(1, 1, 8, 0) + row},
        {"rle.bmp", BmpHeader(1, 1, 24, 1) + row},
    };
    for (const auto& c : cases) {
        CImage image = PatternImage(2, 2, 32);
        EXPECT_EQ(image.Load(dir.Write(c.name, c.bytes)), E_FAIL) << c.name;
        EXPECT_EQ(image.GetWidth(), 2) << c.name;
        EXPECT_EQ(image.GetPixel(1, 1), PatternColor(1, 1)) << c.name;
    }
    EXPECT_EQ(CImage().Load(dir.File("missing.png")), E_FAIL);
    EXPECT_EQ(good.Save(dir.File("no/such/folder.png")), E_FAIL);
    EXPECT_EQ(good.Save(dir.File("x.tiff")), E_FAIL);
    EXPECT_EQ(CImage().Save(dir.File("null.png")), E_INVALIDARG);
    EXPECT_FALSE(std::ifstream(dir.File("null.png")).good());
}

TEST(ImageFiles, TopDownAndBitfieldBmpsFromOtherWriters) {
    TempDir dir;
    // 2x2, 32-bit top-down with the standard masks: top row red, blue; bottom white, black.
    std::string bmp = BmpHeader(2, -2, 32, 3, 66);
    bmp += Le(0xFF0000) + Le(0xFF00) + Le(0xFF);
    bmp += std::string("\0\0\xFF\0\xFF\0\0\0\xFF\xFF\xFF\0\0\0\0\0", 16);
    CImage image;
    ASSERT_EQ(image.Load(dir.Write("td.bmp", bmp)), S_OK);
    for (const auto& [x, y, colour] : {std::tuple{0, 0, RGB(255, 0, 0)}, {1, 0, RGB(0, 0, 255)},
                                        {0, 1, RGB(255, 255, 255)}, {1, 1, RGB(0, 0, 0)}})
        EXPECT_EQ(image.GetPixel(x, y), colour) << x << "," << y;
}

}  // namespace
