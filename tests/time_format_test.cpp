#include "format_test_support.h"
#include "tesk/format_time.h"

using namespace TeskUtility;

using TimeDateFormat = FormatDefaults;  // every format state back to its default

struct SeparatorCase { char set, reads; const char *time, *hourMinute, *date, *yearMonth, *monthDay; };

class SeparatorRoundTrip : public TimeDateFormat, public ::testing::WithParamInterface<SeparatorCase> {};

TEST_P(SeparatorRoundTrip, EveryOverloadNarrowAndWide) {
    const auto& c = GetParam();
    TimeFormat_SetSplitSign(c.set);
    DateFormat_SetSplitSign(c.set);
    EXPECT_EQ(TimeFormat_GetSplitSign(), c.reads);
    EXPECT_EQ(DateFormat_GetSplitSign(), c.reads);

    std::string a;
    std::u16string w;
    auto both = [&](const char* expected) {
        EXPECT_EQ(a, expected);
        EXPECT_EQ(w, AnsiToWide(expected));
    };
#define BOTH(Fn, ...) (Fn##A(a, __VA_ARGS__), Fn##W(w, __VA_ARGS__))
    BOTH(TimeFormat, 9, 30, 15), both(c.time);
    BOTH(TimeFormat, 0x091E0F, static_cast<ETimeFormatType>(9)), both(c.time);
    BOTH(TimeFormat, 9, 30), both(c.hourMinute);
    BOTH(TimeFormat, 0x091E0F, HourMinute), both(c.hourMinute);
    const std::uint16_t year = 2021;
    const unsigned char month = 7, day = 26;
    BOTH(DateFormat, year, month, day), both(c.date);
    BOTH(DateFormat, 0x07E5071A, static_cast<EDateFormatType>(5)), both(c.date);
    BOTH(DateFormat, year, month), both(c.yearMonth);
    BOTH(DateFormat, 0x07E5071A, YearMonth), both(c.yearMonth);
    BOTH(DateFormat, month, day), both(c.monthDay);
    BOTH(DateFormat, 0x07E5071A, MonthDay), both(c.monthDay);
#undef BOTH
}

INSTANTIATE_TEST_SUITE_P(
    Separators, SeparatorRoundTrip,
    ::testing::Values(SeparatorCase{'-', '-', "09-30-15", "09-30", "2021-07-26", "2021-07", "07-26"},
                      SeparatorCase{' ', ' ', "093015", "0930", "20210726", "202107", "0726"},
                      SeparatorCase{'\xA1', ' ', "093015", "0930", "20210726", "202107", "0726"}));

TEST_F(TimeDateFormat, FieldsArePaddedNeverCut) {
    std::string s;
    TimeFormatA(s, 100, 5, 255);
    EXPECT_EQ(s, "100:05:255");
    TimeFormatA(s, static_cast<std::int32_t>(0xFF000000), HourMinuteSecond);
    EXPECT_EQ(s, "00:00:00");
    DateFormatA(s, std::uint16_t{7}, 1, 2);
    EXPECT_EQ(s, "0007/01/02");
    DateFormatA(s, static_cast<std::int32_t>(0xFFFF0C1F), YearMonthDay);
    EXPECT_EQ(s, "65535/12/31");
}
