#include "drawing_test_support.h"
#include "format_test_support.h"

using namespace TeskUtility;

namespace {

// Digits 5 pixels wide, a point 2, everything else 4: widths the tests can add up.
class KnownAdvanceDC : public CDC {
public:
    CSize GetTextExtent(const char* text, int count) const override {
        int width = 0;
        for (int i = 0; i < count; ++i)
            width += text[i] >= '0' && text[i] <= '9' ? 5 : text[i] == '.' ? 2 : 4;
        return CSize(width, 10);
    }
};

}  // namespace

// "123M" in (10,3)-(110,23): tail "23" is 10 wide, unit "M" 4, all 19. "- 12.34" at
// the floor becomes "- 1234" in (0,0)-(100,20): tail "34" is 10 wide, all 4+4+20 = 28.
// Centred moves left by (100 - 19) / 2 = 40 and (100 - 28) / 2 = 36; an unknown
// alignment answers the whole cell.
TEST_F(FormatDefaults, ShortVolumeAndPriceTailRectanglesAndRefusals) {
    KnownAdvanceDC dc;
    const CRect volumeCell(10, 3, 110, 23), priceCell(0, 0, 100, 20);
    const struct { unsigned align; CRect volumeTail, priceTail; } cases[] = {
        {CompactAlign_Right, CRect(96, 3, 106, 23), CRect(90, 0, 100, 20)},
        {CompactAlign_Center, CRect(56, 3, 66, 23), CRect(54, 0, 64, 20)},
        {CompactAlign_Left, CRect(15, 3, 25, 23), CRect(18, 0, 28, 20)}, {7, volumeCell, priceCell},
    };
    for (const auto& c : cases) {
        std::string text;
        CRect tail(-1, -1, -1, -1);
        EXPECT_EQ(GetShortVolumeFormateString(&dc, volumeCell, 1234567, text, tail, c.align), 1);
        EXPECT_EQ(text, "123M");
        EXPECT_EQ(tail, c.volumeTail) << "align " << c.align;
        const unsigned floor = PriceState_Floor;
        EXPECT_EQ(GetShortPriceFormateString(&dc, priceCell, 1234, floor, 2, 0, text, tail, c.align), 1);
        EXPECT_EQ(text, "- 1234");
        EXPECT_EQ(tail, c.priceTail) << "align " << c.align;
    }

    // Refusals: zero, a value too small to shorten (its plain digits are already written),
    // no DC, no decimals, a state not accepted.
    const CRect cell(0, 0, 100, 20);
    std::string text = "old";
    CRect tail(1, 2, 3, 4);
    EXPECT_EQ(GetShortVolumeFormateString(&dc, cell, 0, text, tail, 2), 0);
    EXPECT_EQ(GetShortPriceFormateString(&dc, cell, 0, PriceState_Rises, 2, 0, text, tail, 2), 0);
    EXPECT_EQ(text, "old");
    EXPECT_EQ(GetShortVolumeFormateString(&dc, cell, 999, text, tail, 2), 0);
    EXPECT_EQ(text, "999");
    EXPECT_EQ(GetShortVolumeFormateString(nullptr, cell, 1234567, text, tail, 2), 0);
    EXPECT_EQ(GetShortPriceFormateString(&dc, cell, 1234, PriceState_Rises, 0, 0, text, tail, 2), 0);
    EXPECT_EQ(GetShortPriceFormateString(&dc, cell, 1234, 9, 2, 0, text, tail, 2), 0);
    EXPECT_EQ(tail, CRect(1, 2, 3, 4));
}

// A real font with known advances (DejaVu Sans Mono, 12 px a character at 20 px).
TEST(CairoDC, MeasuresInTheSelectedFont) {
    CDC dc;
    ASSERT_EQ(dc.CreateCompatibleDC(nullptr), 1);
    EXPECT_EQ(dc.CreateCompatibleDC(nullptr), 0);
    CFont& mono = FontOfHeight(-20, "DejaVu Sans Mono");
    CFont* stock = dc.SelectObject(&mono);
    ASSERT_NE(stock, nullptr);  // the stock font, selectable again
    EXPECT_EQ(dc.GetTextExtent("123M", 2).cx, 24);
    EXPECT_EQ(dc.GetTextExtent(std::string()).cx, 0);
    std::string text;
    CRect tail;
    EXPECT_EQ(GetShortVolumeFormateString(&dc, CRect(0, 0, 100, 20), 1234567, text, tail, CompactAlign_Right),
              1);
    EXPECT_EQ(tail, CRect(64, 0, 88, 20));

    CFont unused;
    EXPECT_EQ(dc.SelectObject(&unused), nullptr);  // an uncreated font is not selected
    EXPECT_EQ(dc.GetCurrentFont(), &mono);
    EXPECT_EQ(dc.SelectObject(stock), &mono);
    EXPECT_EQ(dc.DeleteDC(), 1);
    EXPECT_EQ(dc.GetCurrentFont(), nullptr);
    EXPECT_GT(dc.GetTextExtent("0").cx, 0);  // measures on a private surface
}
