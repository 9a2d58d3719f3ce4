#include "format_test_support.h"

using namespace TeskUtility;

TEST(CompactText, SizesAmountsDecimalsAndDates) {
    const struct { const char* text; int length; CSize size; } cases[] = {
        {"1024x768", -1, {1024, 768}}, {"1024x768", 0, {1024, 768}}, {"800x", -1, {800, 0}},
        {"x768", -1, {0, 0}}, {"1024*768", -1, {0, 0}}, {"-5x7", -1, {-5, 7}}, {"", -1, {0, 0}},
        {"1024x768", 4, {0, 0}}, {"10x20x30", -1, {10, 20}}, {"12x34", 4, {12, 3}}, {" 1x2", -1, {0, 2}},
    };
    for (const auto& c : cases) EXPECT_EQ(ConvertStringToSize(c.text, c.length, 'x'), c.size) << c.text;
    EXPECT_EQ(ConvertStringToSize(nullptr, 5, 'x'), CSize(0, 0));

    const struct { const char* in; int trim; const char* out; } amounts[] = {
        {"1234567.890", 0, "1,234,567.890"}, {"1234567.890", 1, "1,234,567.89"}, {"-1234.5", 0, "-1,234.5"},
        {"12", 0, "12"}, {"1234567", 0, "1,234,567"}, {"123", 0, "123"}, {"1000", 1, "1,000"},
        {"12.000", 1, "12"},
        {"999999999999999", 0, "999,999,999,999,999"},  // 19 characters: still fits
        {"1000000000000000", 0, ""},                   // would need 21
        {"12a4.5", 0, ".5"}, {"-12a4.5", 0, "-.5"}, {".5", 0, ".5"}, {"", 0, ""},
    };
    for (const auto& c : amounts) EXPECT_EQ(AmouontFormatStrNumber(c.in, c.trim), c.out) << c.in;

    const struct { const char* in; int decimals; int result; const char* out; } trims[] = {
        {"12.3456", 2, 1, "12.34"}, {"12.5", 3, 1, "12.500"}, {"12", 2, 1, "12"},   {"5", 2, 0, "5"},
        {"12.", 2, 1, "12.00"},     {"12.345", 0, 1, "12"},   {"12.345", -1, 1, "12"}, {".", 3, 0, "."},
        {"-0.999", 1, 1, "-0.9"},   {"", 2, 1, ""},
    };
    for (const auto& c : trims) {
        std::string text = c.in;
        EXPECT_EQ(TrimStringToDotNum(text, c.decimals), c.result) << c.in;
        EXPECT_EQ(text, c.out) << c.in;
    }

    // Failures leave the fields alone; nothing is validated.
    const struct { const char* text; int ok, ymd; } dates[] = {
        {"20210726", 1, 20210726}, {"2021/7/26", 0, 20210726}, {"2021726", 0, 20210726},
        {"abcd1399", 1, 1399}};
    int y = -1, m = -1, d = -1;
    for (const auto& c : dates) {
        EXPECT_EQ(GetYearMonthDayFormateByString(c.text, y, m, d), c.ok) << c.text;
        EXPECT_EQ(y * 10000 + m * 100 + d, c.ymd) << c.text;
    }

    EXPECT_EQ(SpecificDotFloatStringFormat(2) + SpecificDotFloatStringFormat(0), "%.2f%.0f");
    const struct { const char* in; unsigned decimals; const char* out; } floats[] = {
        {"0.00", 2, "-"}, {"0.0", 5, "-"}, {"0.000", 2, "0.00"}, {"3.14159", 3, "3.142"}, {"3", 1, "3.0"},
        {"abc", 2, "0.00"}, {"-2.5", 0, "-2"}, {"1e3", 1, "1000.0"},
    };
    for (const auto& c : floats) EXPECT_EQ(SpecificDotFloatString(c.in, c.decimals), c.out) << c.in;
    EXPECT_EQ(SpecificDotFloatString("1", 4000000000u).size(), 1102u);  // capped, no giant allocation
}

TEST_F(FormatDefaults, FlowStringAndCommaAutoShorten) {
    const struct { std::int64_t bytes; const char* text; } cases[] = {
        {0, "       - B "},         {1023, "   1,023 B "},        {-1, "      -1 B "},
        {1024, "    1.00 KB"},      {1535, "    1.49 KB"},        {1536, "    1.50 KB"},
        {1048575, "1,023.99 KB"},   {1048576, "    1.00 MB"},     {5368709120, "5,120.00 MB"},
        {INT64_MAX, "8,796,093,022,207.99 MB"},
    };
    for (const auto& c : cases) EXPECT_EQ(MakeFlowString(c.bytes), c.text) << c.bytes;

    const struct { std::int64_t value; std::int32_t dot; int shorten; const char* text; } shortens[] = {
        {1234567, 2, 1, "12K"}, {1234567, 2, 0, "12,345.67"}, {999, 0, 1, "999"},
        {123456789, 0, 1, "123,456K"}, {-1234500, 2, 1, "-12K"}, {0, 2, 1, "-"},
    };
    std::string out;
    for (const auto& c : shortens) {
        CommaAutoShortenFormatWithDot(out, c.value, c.dot, 0, 1, c.shorten);
        EXPECT_EQ(out, c.text) << c.value;
    }
    VolumeFormat_SetCommaSign(' ');
    CommaAutoShortenFormatWithDot(out, 1234567, 2, 0, 1, 1);
    EXPECT_EQ(out.find('K'), std::string::npos);
}

// Texts are digits|unit|decimals; a unit without a sign is not used.
TEST_F(FormatDefaults, ShortenVolumeAndPrice) {
    std::string digits, unit;
    unsigned decimals = 99;
    auto shorten = [&](std::int64_t value) {
        ShortenVolume(value, digits, unit, decimals);
        return digits + "|" + unit + "|" + std::to_string(decimals);
    };
    const struct { std::int64_t value; const char* text; } volumes[] = {
        {1234567, "123|M|2"}, {25000, "2500|K|2"}, {999, "999||0"}, {-25000, "-2500|K|2"}, {1000, "100|K|2"},
        {5000000000000, "500|T|2"}, {1999999, "199|M|2"}, {0, "0||0"}, {INT64_MAX, "922337203|T|2"},
    };
    for (const auto& v : volumes) EXPECT_EQ(shorten(v.value), v.text);
    NumberConvert_SetSign(Kilo, '\0');
    EXPECT_EQ(shorten(25000), "25000||0");

    const struct { const char* price; const char* digits; unsigned decimals; } prices[] = {
        {"123", "123", 0}, {"1.2.3", "123", 3}, {"\xA1\xB6+12.34", "\xA1\xB6+1234", 2}, {"12.", "12", 0}};
    for (const auto& p : prices) {
        ShortenPrice(p.price, digits, decimals);
        EXPECT_EQ(digits, p.digits);
        EXPECT_EQ(decimals, p.decimals);
    }
}
