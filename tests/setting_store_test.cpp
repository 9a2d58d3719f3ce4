#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "settings/name_table.h"
#include "tesk/settings_store.h"

namespace {

std::set<std::string> Keys(const CTeskSetting& s, const char* section) {
    std::vector<const char*> list(s.GetKeyListCount(section) + 1);
    const auto n = s.GetKeyList(section, list.data(), static_cast<std::uint32_t>(list.size()));
    return {list.begin(), list.begin() + n};
}

}  // namespace

TEST(SettingStore, NameHashTakesBytesAsSigned) {
    using TeskUtility::detail::HashName;
    EXPECT_EQ(HashName(""), 0u);
    EXPECT_EQ(HashName("ab"), 97u * 5 + 98);
    EXPECT_EQ(HashName("\xA1"), static_cast<std::uint32_t>(-95));
    EXPECT_EQ(HashName("\x01\xFF"), 5u - 1);
}

// Adding needs an existing section; names are exact bytes, the empty one included;
// a stored null reads as empty, a missing key as the default, a null name as null.
TEST(SettingStore, AddQueryAndNames) {
    CTeskSetting s;
    const char* def = "dflt";
    EXPECT_EQ(s.AddString("S", "k", "v"), 0);
    EXPECT_EQ(s.IsExist("S"), 0);
    EXPECT_EQ(s.AddSection("S") + s.AddSection("S") + s.AddSection(""), 3);
    EXPECT_EQ(s.AddString("S", "k", "v") + s.AddString("S", "k", "w") + s.AddString("S", "empty", nullptr), 3);
    s.AddString("", "Key", "1");
    s.AddString("", "key", "2");
    s.AddString("", "", "3");
    const struct { const char* section; const char* key; const char* expected; } cases[] = {
        {"S", "k", "w"}, {"S", "empty", ""}, {"S", "missing", def}, {"T", "k", def}, {"S", nullptr, nullptr},
        {nullptr, "k", nullptr}, {"", "Key", "1"}, {"", "key", "2"}, {"", "", "3"},
    };
    for (const auto& c : cases) {
        const char* got = s.QueryString(c.section, c.key, def);
        EXPECT_EQ(got ? std::string(got) : "(null)", c.expected ? std::string(c.expected) : "(null)");
    }
    EXPECT_EQ(s.GetKeyListCount(""), 3u);
    EXPECT_EQ(s.AddSection(nullptr) + s.AddString(nullptr, "k", "v") + s.AddString("S", nullptr, "v"), 0);
}

TEST(SettingStore, NumbersReadFromText) {
    CTeskSetting s;
    s.AddSection("S");
    s.AddString("S", "mixed", " -42abc");
    s.AddString("S", "word", "abc");
    EXPECT_EQ(s.QueryInteger("S", "mixed", 7), -42);
    EXPECT_EQ(s.QueryInteger("S", "word", 7), 0);
    EXPECT_EQ(s.QueryInteger64("S", "word", 7), 0);
    EXPECT_EQ(s.QueryDouble("S", "word", 7.5), 0.0);
    EXPECT_EQ(s.QueryInteger("S", "missing", 7), 7);
    EXPECT_EQ(s.QueryInteger64("S", "missing", -7), -7);
    EXPECT_EQ(s.QueryDouble("S", "missing", 7.5), 7.5);
    EXPECT_EQ(s.QueryInteger(nullptr, "word", 9), 9);
}

struct TypedCase { const char* name; double value; const char* stored; };

TEST(SettingStore, TypedRoundTrips) {
    CTeskSetting s;
    s.AddSection("T");
    const TypedCase doubles[] = {{"a", 0.05, "5.e-002"}, {"b", 100.0, "100."}, {"c", 1e12, "1.e+012"}, {"d", -2.5, "-2.5"}};
    for (const auto& c : doubles) {
        ASSERT_EQ(s.AddDouble("T", c.name, c.value), 1);
        EXPECT_STREQ(s.QueryString("T", c.name), c.stored);
        EXPECT_EQ(s.QueryDouble("T", c.name, 1.0), c.value);
    }
    ASSERT_EQ(s.AddInteger("T", "i", -5), 1);
    EXPECT_STREQ(s.QueryString("T", "i"), "-5");
    EXPECT_EQ(s.QueryInteger("T", "i", 0), -5);
    ASSERT_EQ(s.AddInteger("T", "imin", INT32_MIN), 1);
    EXPECT_EQ(s.QueryInteger("T", "imin", 0), INT32_MIN);
    ASSERT_EQ(s.AddInteger64("T", "l", INT64_MIN), 1);
    EXPECT_STREQ(s.QueryString("T", "l"), "-9223372036854775808");
    EXPECT_EQ(s.QueryInteger64("T", "l", 0), INT64_MIN);
    EXPECT_EQ(s.AddDouble("T", nullptr, 1.0), 0);
    EXPECT_EQ(s.AddInteger("missing", "k", 1), 0);
}

struct BinaryQueryCase {
    const char* stored;  // null: key missing
    bool nullBuffer;
    std::uint32_t capacity;
    bool returnsBuffer;
    std::uint32_t sizeAfter;
};

TEST(SettingStore, QueryBinaryProtocol) {
    const BinaryQueryCase cases[] = {
        {"00AB7F", true, 0, false, 3},   // ask for the size
        {"00AB7F", false, 2, false, 3},  // too small: the need
        {"00AB7F", false, 3, true, 3},
        {"00ab7f", false, 8, true, 8},   // size keeps the capacity
        {"0G", false, 4, false, 0}, {"ABC", false, 4, false, 0}, {"ABC", true, 4, false, 0},
        {nullptr, false, 4, false, 0}, {nullptr, true, 4, false, 0}, {"", false, 4, true, 4},
    };
    for (const auto& c : cases) {
        CTeskSetting s;
        s.AddSection("S");
        if (c.stored) s.AddString("S", "k", c.stored);
        unsigned char buf[8] = {};
        std::uint32_t size = c.capacity;
        void* got = s.QueryBinary("S", "k", c.nullBuffer ? nullptr : buf, size);
        EXPECT_EQ(got, c.returnsBuffer ? static_cast<void*>(buf) : nullptr) << (c.stored ? c.stored : "(missing)");
        EXPECT_EQ(size, c.sizeAfter) << (c.stored ? c.stored : "(missing)");
        if (c.returnsBuffer && c.stored && *c.stored) {
            EXPECT_EQ(buf[1], 0xAB);
        }
    }
    CTeskSetting s;
    std::uint32_t size = 5;
    EXPECT_EQ(s.QueryBinary(nullptr, "k", nullptr, size), nullptr);
    EXPECT_EQ(size, 5u);
}

TEST(SettingStore, AddBinaryStoresUpperHex) {
    CTeskSetting s;
    s.AddSection("S");
    const unsigned char bytes[] = {0x00, 0xAB, 0x7F};
    ASSERT_EQ(s.AddBinary("S", "k", bytes, 3), 1);
    EXPECT_STREQ(s.QueryString("S", "k"), "00AB7F");
    ASSERT_EQ(s.AddBinary("S", "e", bytes, 0), 1);
    EXPECT_STREQ(s.QueryString("S", "e"), "");
    EXPECT_EQ(s.AddBinary("S", nullptr, bytes, 3), 0);
}

TEST(SettingStore, SectionsAndKeysComeAndGo) {
    CTeskSetting s;
    EXPECT_EQ(s.DeleteSection("none"), 1);
    EXPECT_EQ(s.DeleteSection(nullptr), 0);
    s.AddSection("S");
    for (const char* k : {"a", "b", "c", "d", "e"}) s.AddString("S", k, "1");
    EXPECT_EQ(s.Delete("S", "zz"), 0);
    EXPECT_EQ(s.Delete("T", "a"), 0);
    EXPECT_EQ(s.Delete("S", "a"), 1);
    EXPECT_EQ(s.IsExist("S", "a"), 0);
    EXPECT_EQ(s.IsExist("S", "b"), 1);
    const char* two[2] = {};
    EXPECT_EQ(s.GetKeyList("S", two, 2), 2u);
    EXPECT_TRUE(two[0] && two[1]);
    EXPECT_EQ(Keys(s, "S"), (std::set<std::string>{"b", "c", "d", "e"}));
    EXPECT_EQ(s.GetKeyList("S", nullptr, 2), 0u);
    EXPECT_EQ(s.GetKeyList("T", two, 2), 0u);
    EXPECT_EQ(s.DeleteSection("S"), 1);
    EXPECT_EQ(s.IsExist("S"), 0);
    EXPECT_EQ(s.GetKeyListCount("S"), 0u);
}

TEST(SettingStore, EnumeratesEverySectionAfterGrowth) {
    CTeskSetting s;
    for (int i = 0; i < 500; ++i) s.AddSection(("Section" + std::to_string(i)).c_str());
    for (int i = 0; i < 500; i += 2) s.DeleteSection(("Section" + std::to_string(i)).c_str());
    std::vector<const char*> list(300);
    ASSERT_EQ(s.GetSectionList(list.data(), 300), 250u);
    std::set<std::string> names(list.begin(), list.begin() + 250);
    EXPECT_EQ(names.size(), 250u);
    EXPECT_TRUE(names.count("Section499"));
    EXPECT_FALSE(names.count("Section498"));
    EXPECT_EQ(s.GetSectionList(list.data(), 3), 3u);
    EXPECT_EQ(s.GetSectionList(nullptr, 3), 0u);
}

TEST(SettingStore, CopiesAreIndependent) {
    auto original = std::make_unique<CTeskSetting>(1);
    original->AddSection("S");
    original->AddString("S", "k", "v");

    CTeskSetting copy(*original);
    CTeskSetting assigned;
    assigned.AddSection("Old");
    assigned = *original;
    EXPECT_EQ(assigned.IsExist("Old"), 0);
    EXPECT_EQ(assigned.IsStoreUCS2LE(), 1);
    EXPECT_EQ(copy.IsStoreUCS2LE(), 1);

    original->AddString("S", "k", "changed");
    original->AddSection("New");
    original.reset();
    for (CTeskSetting* s : {&copy, &assigned}) {
        EXPECT_STREQ(s->QueryString("S", "k"), "v");
        EXPECT_EQ(s->IsExist("New"), 0);
    }
    copy.AddString("S", "k", "c");
    EXPECT_STREQ(assigned.QueryString("S", "k"), "v");
    assigned = assigned;
    EXPECT_STREQ(assigned.QueryString("S", "k"), "v");
}

TEST(SettingStore, SwapExchangesFlagsAndSections) {
    CTeskSetting a(1), b(0);
    a.AddSection("A");
    b.AddSection("B");
    a.AddString("A", "k", "v");
    const char* pointerIntoA = a.QueryString("A", "k");
    a.Swap(b);
    EXPECT_EQ(a.IsStoreUCS2LE(), 0);
    EXPECT_EQ(b.IsStoreUCS2LE(), 1);
    EXPECT_EQ(a.IsExist("B"), 1);
    EXPECT_EQ(b.IsExist("A"), 1);
    EXPECT_EQ(b.QueryString("A", "k"), pointerIntoA);  // nothing was copied
    b.DeleteSection("A");
    EXPECT_EQ(a.IsExist("A"), 0);
}
