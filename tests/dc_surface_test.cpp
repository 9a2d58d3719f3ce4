#include <gtest/gtest.h>

#include "tesk/imaging_dc.h"

TEST(CDCSurface, SizedSurfaceReportsItsCapsAndViewport) {
    CDC dc;
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 0) << "no surface yet";
    EXPECT_EQ(dc.CreateSurfaceDC(0, 10), 0);
    ASSERT_EQ(dc.CreateSurfaceDC(640, 480), 1);
    EXPECT_EQ(dc.CreateSurfaceDC(10, 10), 0) << "already created";
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 640);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 480);
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL) * dc.GetDeviceCaps(PLANES), 32);
    EXPECT_EQ(dc.SetViewportOrg(-1920, 300), CPoint(0, 0));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(-1920, 300));
    dc.SetMapMode(MM_ANISOTROPIC);  // extents are fixed in MM_TEXT
    EXPECT_EQ(dc.SetViewportExt(640, 480), CSize(1, 1));
    EXPECT_EQ(dc.SetViewportExt(0, 5), CSize(640, 480)) << "a zero extent is refused";
    EXPECT_EQ(dc.GetViewportExt(), CSize(640, 480));
    ASSERT_EQ(dc.DeleteDC(), 1);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
}
