#include <gtest/gtest.h>

#include "tesk/format_signs.h"
#include "tesk/platform.h"

using namespace TeskUtility;

class AccountFormat : public ::testing::Test {
protected:
    void TearDown() override { AccountFormat_LoadDefault(); }
};

struct AccountCase {
    int type;
    const char* first;
    const char* second;
    const char* third;
    int ok;
    const char* text;  // nullptr: output untouched
};

TEST_F(AccountFormat, DelimitersWithEmptyAndNullParts) {
    const AccountCase cases[] = {
        {7, "9801", "1234567", "0", 1, "9801-1234567-0"},
        {7, "", "A", "B", 1, "A-B"},
        {7, "A", "", "B", 1, "A--B"},
        {7, "A", "B", "", 1, "A-B-"},
        {7, "", "", "", 0, ""},
        {7, nullptr, "A", "B", 0, nullptr},
        {7, "A", "B", nullptr, 0, nullptr},
        {2, nullptr, "X", nullptr, 1, "X"},
        {3, nullptr, "X", nullptr, 0, nullptr},
        {5, "A", nullptr, "C", 1, "A-C"},
        {0, nullptr, nullptr, nullptr, 0, ""},
        {0x104, "A", "B", "C", 1, "C"},  // only the low bits select
    };
    for (const auto& c : cases) {
        AccountFormat_SetFormatType(static_cast<EAccountFormatType>(c.type));
        auto wide = [](const char* p) { return p ? AnsiToWide(p) : std::u16string(); };
        const std::u16string w1 = wide(c.first), w2 = wide(c.second), w3 = wide(c.third);
        std::string a = "old";
        std::u16string w = u"old";
        EXPECT_EQ(AccountFormatA(a, c.first, c.second, c.third), c.ok) << c.type;
        EXPECT_EQ(AccountFormatW(w, c.first ? w1.c_str() : nullptr, c.second ? w2.c_str() : nullptr,
                                 c.third ? w3.c_str() : nullptr),
                  c.ok);
        EXPECT_EQ(a, c.text ? c.text : "old") << c.type;
        EXPECT_EQ(w, c.text ? AnsiToWide(c.text) : u"old") << c.type;
    }
}

TEST_F(AccountFormat, MarketTagsAreExactBytes) {
    std::string a;
    std::u16string w;
    EXPECT_EQ(AccountFormatA(a, "F001", "123", "4", 'F'), 1);
    EXPECT_EQ(a, "F001-123-4 [\xB4\xC1]");
    EXPECT_EQ(AccountFormatW(w, u"F001", u"123", u"4", 'F'), 1);
    EXPECT_EQ(w, u"F001-123-4 [\u671F]");
    EXPECT_EQ(AccountFormatA(a, "9801", "1", "2", 'S'), 1);
    EXPECT_EQ(a, "9801-1-2 [\xC3\xD2]");
    EXPECT_EQ(AccountFormatW(w, u"9801", u"1", u"2", 'S'), 1);
    EXPECT_EQ(w, u"9801-1-2 [\u8B49]");
    EXPECT_EQ(WideToAnsi(w), "9801-1-2 [\xC3\xD2]");

    EXPECT_EQ(AccountFormatA(a, "A", "B", "C", 'Q'), 1);
    EXPECT_EQ(a, "A-B-C");
    a = "keep";
    EXPECT_EQ(AccountFormatA(a, "", "", "", 'F'), 0);
    EXPECT_EQ(a, "");
    a = "keep";
    EXPECT_EQ(AccountFormatA(a, nullptr, "", "", 'S'), 0);
    EXPECT_EQ(a, "keep");
}

TEST_F(AccountFormat, UserKey) {
    std::string key = "old";
    GetAccountUserKey(key, "1234", "7654321", 'S');
    EXPECT_EQ(key, "1234_7654321_S");
}
