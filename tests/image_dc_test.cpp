// CImage drawn into a device context and bitmaps read back.
#include <gtest/gtest.h>

#include "imaging/image_dc.h"
#include "tesk/imaging_dc.h"
#include "tesk/imaging_image.h"

namespace {

TEST(ImageDc, BlitsCopyExactlyStretchesFillAndInvertXors) {
    CImage image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    const COLORREF colours[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(10, 20, 30)};
    for (int i = 0; i < 4; ++i) image.SetPixel(i % 2, i / 2, colours[i]);

    CDC dc;
    CBitmap bitmap;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 8, 8));
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 8, 8, RGB(255, 255, 255));
    ASSERT_TRUE(image.BitBlt(&dc, 1, 1));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(dc.GetPixel(1 + i % 2, 1 + i / 2), colours[i]) << i;
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(255, 255, 255)) << "nothing outside the copy";

    ASSERT_TRUE(image.StretchBlt(&dc, 4, 4, 4, 4));  // doubled: each quadrant's corner keeps its colour
    EXPECT_EQ(dc.GetPixel(4, 4), colours[0]);
    EXPECT_EQ(dc.GetPixel(7, 7), colours[3]);

    dc.FillSolidRect(0, 0, 8, 8, RGB(255, 255, 255));
    ASSERT_TRUE(image.BitBlt(&dc, 0, 0, 0x00660046));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 255, 255));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(245, 235, 225));

    const CImage back = TeskUtility::imaging::ImageOfBitmap(bitmap);
    EXPECT_EQ(back.GetWidth(), 8);
    EXPECT_EQ(back.GetPixel(1, 1), RGB(245, 235, 225));
    EXPECT_FALSE(image.BitBlt(&dc, 0, 0, 0x00330008)) << "unsupported raster operation";
    EXPECT_FALSE(image.BitBlt(nullptr, 0, 0));
    dc.SelectObject(old);
}

}  // namespace
