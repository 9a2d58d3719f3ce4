#include <gtest/gtest.h>

#include "tesk/format_time.h"

using namespace TeskUtility;

struct TimeBytes {
    unsigned h, m, s;
    int valid;
};

class TimeValidation : public ::testing::TestWithParam<TimeBytes> {};

TEST_P(TimeValidation, BytesAndByteToTimeAgree) {
    const auto& c = GetParam();
    const auto h = static_cast<unsigned char>(c.h), m = static_cast<unsigned char>(c.m),
               s = static_cast<unsigned char>(c.s);
    EXPECT_EQ(IsValidTime(h, m, s), c.valid);
    std::int32_t packed = -1;
    ByteToTime(packed, h, m, s);
    EXPECT_EQ(packed, c.valid ? static_cast<std::int32_t>(c.h << 16 | c.m << 8 | c.s) : 0);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, TimeValidation,
                         ::testing::Values(TimeBytes{0, 0, 0, 1}, TimeBytes{9, 30, 15, 1}, TimeBytes{23, 59, 59, 1},
                                           TimeBytes{24, 0, 0, 1}, TimeBytes{24, 30, 0, 0}, TimeBytes{24, 0, 1, 0},
                                           TimeBytes{23, 59, 60, 0}, TimeBytes{23, 60, 0, 0},
                                           TimeBytes{25, 0, 0, 0}, TimeBytes{255, 255, 255, 0}));

TEST(TimeValues, PackedValidatorLetsAnyMinuteOfHour24Through) {
    EXPECT_EQ(IsValidTime(std::int32_t{0x181E00}), 1);  // 24:30:00
    EXPECT_EQ(IsValidTime(std::int32_t{0x190000}), 0);
    EXPECT_EQ(IsValidTime(std::int32_t{0x173C00}), 0);  // minute 60
    EXPECT_EQ(IsValidTime(std::int32_t{0x17003C}), 0);  // second 60
    EXPECT_EQ(IsValidTime(static_cast<std::int32_t>(0xFF091E0F)), 1);  // high byte ignored
}

TEST(DateValues, ValidatorsAndPacking) {
    EXPECT_EQ(IsValidDate(std::int32_t{0x07E50000}), 1);  // zero month and day pass packed
    EXPECT_EQ(IsValidDate(std::int32_t{0x07E50D01}), 0);
    EXPECT_EQ(IsValidDate(std::int32_t{0x07E50C20}), 0);
    EXPECT_EQ(IsValidDate(std::int32_t{0x07E50C1F}), 1);
    EXPECT_EQ(IsValidDate(std::uint16_t{2021}, 0, 1), 0);
    EXPECT_EQ(IsValidDate(std::uint16_t{0}, 12, 31), 1);

    std::int32_t packed = 0;
    ByteToDate(packed, 2021, 13, 40);
    EXPECT_EQ(packed, 0x07E50D28);
    ByteToDate(packed, 65535, 12, 31);
    std::uint16_t y;
    unsigned char m, d;
    DateToByte(packed, y, m, d);
    EXPECT_EQ(y, 65535);
    EXPECT_EQ(m, 12);
    EXPECT_EQ(d, 31);
}

TEST(TimeTicks, ConversionsBothWays) {
    std::int32_t tick = 0, packed = 0;
    TimeToSecTick(0x091E0F, tick);
    EXPECT_EQ(tick, 34215);
    TimeToMinTick(0x091E0F, tick);
    EXPECT_EQ(tick, 570);
    SecTickToTime(packed, 34215);
    EXPECT_EQ(packed, 0x091E0F);
    MinTickToTime(packed, 570);
    EXPECT_EQ(packed, 0x091E00);
    SecTickToTime(packed, 86400);
    EXPECT_EQ(packed, 0x180000);
    SecTickToTime(packed, 90000);
    EXPECT_EQ(packed, 0x190000);
    TimeToSecTick(0x180000, tick);
    EXPECT_EQ(tick, 86400);
}

TEST(TimeTicks, DiffsAreSignedAndFieldwise) {
    EXPECT_EQ(SecTickDiff(0x091E0F, 0x091D3B), 16);
    EXPECT_EQ(MinTickDiff(0x091E0F, 0x091D3B), 1);
    EXPECT_EQ(SecTickDiff(0x091D3B, 0x091E0F), -16);
    EXPECT_EQ(MinTickDiff(0x091D3B, 0x091E0F), -1);
    EXPECT_EQ(SecTickDiff(static_cast<std::int32_t>(0xFF000001), 0), 1);
}

TEST(TimeTicks, StringToMinTick) {
    const struct {
        const char* text;
        std::int32_t tick;
    } cases[] = {{"0930", 570}, {"093015", 570}, {"093", 0}, {"", 0}, {" 930", 570}, {"-100", -60}, {"ab12", 12}};
    for (const auto& c : cases) {
        std::int32_t tick = 99;
        TimeStringToMinTick(c.text, tick);
        EXPECT_EQ(tick, c.tick) << c.text;
    }
}
