#include <gtest/gtest.h>

#include <tuple>

#include "tesk/format_time.h"

using namespace TeskUtility;

TEST(TimeValues, ValidationAndPacking) {
    const struct { unsigned h, m, s; int valid; } cases[] = {
        {0, 0, 0, 1}, {9, 30, 15, 1}, {23, 59, 59, 1}, {24, 0, 0, 1}, {24, 30, 0, 0}, {24, 0, 1, 0},
        {23, 59, 60, 0}, {23, 60, 0, 0}, {25, 0, 0, 0}, {255, 255, 255, 0}};
    for (const auto& c : cases) {
        const auto h = static_cast<unsigned char>(c.h), m = static_cast<unsigned char>(c.m),
                   s = static_cast<unsigned char>(c.s);
        EXPECT_EQ(IsValidTime(h, m, s), c.valid) << c.h << ":" << c.m << ":" << c.s;
        std::int32_t packed = -1;
        ByteToTime(packed, h, m, s);
        EXPECT_EQ(packed, c.valid ? static_cast<std::int32_t>(c.h << 16 | c.m << 8 | c.s) : 0) << c.h;
    }

    // Packed validators: any minute of hour 24 passes, the high byte is ignored, and
    // a zero month or day passes packed but not as bytes.
    const struct { bool date; std::int32_t packed; int valid; } packedCases[] = {
        {false, 0x181E00, 1}, {false, 0x190000, 0}, {false, 0x173C00, 0}, {false, 0x17003C, 0},
        {false, static_cast<std::int32_t>(0xFF091E0F), 1}, {true, 0x07E50000, 1}, {true, 0x07E50D01, 0},
        {true, 0x07E50C20, 0}, {true, 0x07E50C1F, 1},
    };
    for (const auto& c : packedCases)
        EXPECT_EQ(c.date ? IsValidDate(c.packed) : IsValidTime(c.packed), c.valid) << std::hex << c.packed;
    EXPECT_EQ(IsValidDate(std::uint16_t{2021}, 0, 1), 0);
    EXPECT_EQ(IsValidDate(std::uint16_t{0}, 12, 31), 1);
    // Date packing masks nothing and unpacks the full year.
    std::int32_t packed = 0;
    ByteToDate(packed, 2021, 13, 40);
    EXPECT_EQ(packed, 0x07E50D28);
    ByteToDate(packed, 65535, 12, 31);
    std::uint16_t y;
    unsigned char m, d;
    DateToByte(packed, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 655351231);
}

TEST(TimeTicks, ConversionsDiffsAndStrings) {
    const struct { std::int32_t packed, secTick, minTick, fromSec, fromMin; } cases[] = {
        {0x091E0F, 34215, 570, 0x091E0F, 0x091E00}, {0x180000, 86400, 1440, 0x180000, 0x180000},
        {0x190000, 90000, 1500, 0x190000, 0x190000},
    };
    for (const auto& c : cases) {
        std::int32_t sec = 0, min = 0, fromSec = 0, fromMin = 0;
        TimeToSecTick(c.packed, sec);
        TimeToMinTick(c.packed, min);
        SecTickToTime(fromSec, c.secTick);
        MinTickToTime(fromMin, c.minTick);
        EXPECT_EQ(std::tuple(sec, min, fromSec, fromMin),
                  std::tuple(c.secTick, c.minTick, c.fromSec, c.fromMin)) << std::hex << c.packed;
    }
    const std::int32_t late = 0x091E0F, early = 0x091D3B;
    EXPECT_EQ(std::tuple(SecTickDiff(late, early), MinTickDiff(late, early), SecTickDiff(early, late),
                         MinTickDiff(early, late)), std::tuple(16, 1, -16, -1));
    EXPECT_EQ(SecTickDiff(static_cast<std::int32_t>(0xFF000001), 0), 1);

    const struct { const char* text; std::int32_t tick; } strings[] = {
        {"0930", 570}, {"093015", 570}, {"093", 0}, {"", 0}, {" 930", 570}, {"-100", -60}, {"ab12", 12}};
    for (const auto& c : strings) {
        std::int32_t tick = 99;
        TimeStringToMinTick(c.text, tick);
        EXPECT_EQ(tick, c.tick) << c.text;
    }
}
