#include "format_test_support.h"
#include "tesk/format_signs.h"

using namespace TeskUtility;

// `market` 0 calls the form without a tag.
struct AccountCase {
    int type; const char *first, *second, *third; int ok; const char* text; unsigned char market = 0;
};

// Only the low bits of the type select; market tags are exact Big5 bytes (U+671F, U+8B49).
// Narrow and wide agree (the wide text is the narrow one converted); a null `text`
// means the output is left as it was.
TEST_F(FormatDefaults, AccountDelimitersEmptyAndNullPartsAndMarketTags) {
    const AccountCase cases[] = {
        {7, "9801", "1234567", "0", 1, "9801-1234567-0"}, {7, "", "A", "B", 1, "A-B"},
        {7, "A", "", "B", 1, "A--B"}, {7, "A", "B", "", 1, "A-B-"}, {7, "", "", "", 0, ""},
        {7, nullptr, "A", "B", 0, nullptr}, {7, "A", "B", nullptr, 0, nullptr},
        {2, nullptr, "X", nullptr, 1, "X"}, {3, nullptr, "X", nullptr, 0, nullptr},
        {5, "A", nullptr, "C", 1, "A-C"}, {0, nullptr, nullptr, nullptr, 0, ""},
        {0x104, "A", "B", "C", 1, "C"}, {7, "F001", "123", "4", 1, "F001-123-4 [\xB4\xC1]", 'F'},
        {7, "9801", "1", "2", 1, "9801-1-2 [\xC3\xD2]", 'S'}, {7, "A", "B", "C", 1, "A-B-C", 'Q'},
        {7, "", "", "", 0, "", 'F'}, {7, nullptr, "", "", 0, nullptr, 'S'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " market " << int{c.market});
        AccountFormat_SetFormatType(static_cast<EAccountFormatType>(c.type));
        std::u16string w1, w2, w3;
        auto wide = [](const char* p, auto& w) { return p ? (w = AnsiToWide(p)).c_str() : nullptr; };
        const char16_t *p1 = wide(c.first, w1), *p2 = wide(c.second, w2), *p3 = wide(c.third, w3);
        std::string a = "old";
        std::u16string w = u"old";
        EXPECT_EQ(c.market ? AccountFormatA(a, c.first, c.second, c.third, c.market)
                           : AccountFormatA(a, c.first, c.second, c.third), c.ok);
        EXPECT_EQ(c.market ? AccountFormatW(w, p1, p2, p3, c.market) : AccountFormatW(w, p1, p2, p3), c.ok);
        EXPECT_EQ(a, c.text ? c.text : "old");
        EXPECT_EQ(w, c.text ? AnsiToWide(c.text) : u"old");
    }
    std::string key = "old";
    GetAccountUserKey(key, "1234", "7654321", 'S');
    EXPECT_EQ(key, "1234_7654321_S");
}
