#include <gtest/gtest.h>

#include "format_test_support.h"
#include "tesk/format_signs.h"
#include "tesk/platform.h"

using namespace TeskUtility;

using AccountFormat = FormatDefaults;  // every format state back to its default

struct AccountCase { int type; const char* first; const char* second; const char* third; int ok; const char* text; };

// Narrow and wide agree (the wide text is the narrow one converted); a null
// `text` means the output is left as it was. `market` 0 calls the form without a tag.
void ExpectAccount(const AccountCase& c, unsigned char market) {
    auto wide = [](const char* p) { return p ? AnsiToWide(p) : std::u16string(); };
    const std::u16string w1 = wide(c.first), w2 = wide(c.second), w3 = wide(c.third);
    const char16_t* p1 = c.first ? w1.c_str() : nullptr;
    const char16_t* p2 = c.second ? w2.c_str() : nullptr;
    const char16_t* p3 = c.third ? w3.c_str() : nullptr;
    std::string a = "old";
    std::u16string w = u"old";
    EXPECT_EQ(market ? AccountFormatA(a, c.first, c.second, c.third, market)
                     : AccountFormatA(a, c.first, c.second, c.third), c.ok) << c.type;
    EXPECT_EQ(market ? AccountFormatW(w, p1, p2, p3, market) : AccountFormatW(w, p1, p2, p3), c.ok) << c.type;
    EXPECT_EQ(a, c.text ? c.text : "old") << c.type;
    EXPECT_EQ(w, c.text ? AnsiToWide(c.text) : u"old") << c.type;
}

TEST_F(AccountFormat, DelimitersWithEmptyAndNullParts) {
    const AccountCase cases[] = {
        {7, "9801", "1234567", "0", 1, "9801-1234567-0"}, {7, "", "A", "B", 1, "A-B"}, {7, "A", "", "B", 1, "A--B"},
        {7, "A", "B", "", 1, "A-B-"}, {7, "", "", "", 0, ""}, {7, nullptr, "A", "B", 0, nullptr},
        {7, "A", "B", nullptr, 0, nullptr}, {2, nullptr, "X", nullptr, 1, "X"},
        {3, nullptr, "X", nullptr, 0, nullptr}, {5, "A", nullptr, "C", 1, "A-C"},
        {0, nullptr, nullptr, nullptr, 0, ""},
        {0x104, "A", "B", "C", 1, "C"},  // only the low bits select
    };
    for (const auto& c : cases) {
        AccountFormat_SetFormatType(static_cast<EAccountFormatType>(c.type));
        ExpectAccount(c, 0);
    }
}

TEST_F(AccountFormat, MarketTagsAreExactBytes) {
    const struct { unsigned char market; AccountCase c; } cases[] = {
        {'F', {7, "F001", "123", "4", 1, "F001-123-4 [\xB4\xC1]"}},  // U+671F
        {'S', {7, "9801", "1", "2", 1, "9801-1-2 [\xC3\xD2]"}},       // U+8B49
        {'Q', {7, "A", "B", "C", 1, "A-B-C"}}, {'F', {7, "", "", "", 0, ""}}, {'S', {7, nullptr, "", "", 0, nullptr}},
    };
    for (const auto& c : cases) ExpectAccount(c.c, c.market);
}

TEST_F(AccountFormat, UserKey) {
    std::string key = "old";
    GetAccountUserKey(key, "1234", "7654321", 'S');
    EXPECT_EQ(key, "1234_7654321_S");
}
