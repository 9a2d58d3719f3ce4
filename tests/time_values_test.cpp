#include <gtest/gtest.h>

#include "tesk/format_time.h"

using namespace TeskUtility;

struct TimeBytes { unsigned h, m, s; int valid; };

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

// Packed validators: any minute of hour 24 passes, the high byte is ignored, and
// a zero month or day passes packed but not as bytes.
TEST(TimeValues, PackedValidators) {
    const struct { bool date; std::int32_t packed; int valid; } cases[] = {
        {false, 0x181E00, 1}, {false, 0x190000, 0}, {false, 0x173C00, 0}, {false, 0x17003C, 0},
        {false, static_cast<std::int32_t>(0xFF091E0F), 1}, {true, 0x07E50000, 1}, {true, 0x07E50D01, 0},
        {true, 0x07E50C20, 0}, {true, 0x07E50C1F, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.date ? IsValidDate(c.packed) : IsValidTime(c.packed), c.valid) << std::hex << c.packed;
    EXPECT_EQ(IsValidDate(std::uint16_t{2021}, 0, 1), 0);
    EXPECT_EQ(IsValidDate(std::uint16_t{0}, 12, 31), 1);
}

TEST(DateValues, PackingMasksNothingAndUnpacksTheFullYear) {
    std::int32_t packed = 0;
    ByteToDate(packed, 2021, 13, 40);
    EXPECT_EQ(packed, 0x07E50D28);
    ByteToDate(packed, 65535, 12, 31);
    std::uint16_t y;
    unsigned char m, d;
    DateToByte(packed, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 655351231);
}

TEST(TimeTicks, ConversionsAndSignedFieldwiseDiffs) {
    const struct { std::int32_t packed, secTick, minTick, fromSec, fromMin; } cases[] = {
        {0x091E0F, 34215, 570, 0x091E0F, 0x091E00}, {0x180000, 86400, 1440, 0x180000, 0x180000},
        {0x190000, 90000, 1500, 0x190000, 0x190000},
    };
    for (const auto& c : cases) {
        std::int32_t tick = 0, packed = 0;
        TimeToSecTick(c.packed, tick);
        EXPECT_EQ(tick, c.secTick);
        TimeToMinTick(c.packed, tick);
        EXPECT_EQ(tick, c.minTick);
        SecTickToTime(packed, c.secTick);
        EXPECT_EQ(packed, c.fromSec);
        MinTickToTime(packed, c.minTick);
        EXPECT_EQ(packed, c.fromMin);
    }
    EXPECT_EQ(SecTickDiff(0x091E0F, 0x091D3B), 16);
    EXPECT_EQ(MinTickDiff(0x091E0F, 0x091D3B), 1);
    EXPECT_EQ(SecTickDiff(0x091D3B, 0x091E0F), -16);
    EXPECT_EQ(MinTickDiff(0x091D3B, 0x091E0F), -1);
    EXPECT_EQ(SecTickDiff(static_cast<std::int32_t>(0xFF000001), 0), 1);
}

TEST(TimeTicks, StringToMinTick) {
    const struct { const char* text; std::int32_t tick; } cases[] = {
        {"0930", 570}, {"093015", 570}, {"093", 0}, {"", 0}, {" 930", 570}, {"-100", -60}, {"ab12", 12}};
    for (const auto& c : cases) {
        std::int32_t tick = 99;
        TimeStringToMinTick(c.text, tick);
        EXPECT_EQ(tick, c.tick) << c.text;
    }
}
