#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "settings/name_table.h"
#include "tesk/settings_store.h"

// Adding needs an existing section; names are exact bytes, the empty one included;
// a stored null reads as empty, a missing key as the default, a null name as null.
TEST(SettingStore, SectionsKeysAndNames) {
    CTeskSetting s;
    const char* def = "dflt";
    EXPECT_EQ(s.AddString("S", "k", "v"), 0);
    EXPECT_EQ(s.IsExist("S"), 0);
    EXPECT_EQ(s.AddSection("S") + s.AddSection("S") + s.AddSection(""), 3);
    EXPECT_EQ(s.AddString("S", "k", "v") + s.AddString("S", "k", "w") + s.AddString("S", "empty", nullptr), 3);
    EXPECT_EQ(s.AddString("", "Key", "1") + s.AddString("", "key", "2") + s.AddString("", "", "3"), 3);
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

    // Sections and keys come and go; lists stop at their capacity.
    EXPECT_EQ(s.DeleteSection("none"), 1);
    EXPECT_EQ(s.DeleteSection(nullptr), 0);
    s.AddSection("D");
    for (const char* k : {"a", "b", "c", "d", "e"}) s.AddString("D", k, "1");
    EXPECT_EQ(s.Delete("D", "zz") + s.Delete("T", "a"), 0);
    EXPECT_EQ(s.Delete("D", "a"), 1);
    EXPECT_EQ(s.IsExist("D", "a"), 0);
    EXPECT_EQ(s.IsExist("D", "b"), 1);
    const char* keys[5] = {};
    EXPECT_EQ(s.GetKeyList("D", keys, 2), 2u);
    EXPECT_EQ(s.GetKeyList("D", keys, 5), 4u);
    EXPECT_EQ(std::set<std::string>(keys, keys + 4), (std::set<std::string>{"b", "c", "d", "e"}));
    EXPECT_EQ(s.GetKeyList("D", nullptr, 2), 0u);
    EXPECT_EQ(s.GetKeyList("T", keys, 2), 0u);
    EXPECT_EQ(s.DeleteSection("D"), 1);
    EXPECT_EQ(s.IsExist("D"), 0);
    EXPECT_EQ(s.GetKeyListCount("D"), 0u);
}

// Every type is kept as its text; numbers read up to the first stray character.
TEST(SettingStore, TypedValuesAreText) {
    CTeskSetting s;
    s.AddSection("T");
    const unsigned char bytes[] = {0x00, 0xAB, 0x7F};
    EXPECT_EQ(s.AddDouble("T", "d", 0.05) + s.AddInteger("T", "i", INT32_MIN) +
                  s.AddInteger64("T", "l", INT64_MIN) + s.AddBinary("T", "b", bytes, 3) +
                  s.AddBinary("T", "e", bytes, 0) + s.AddString("T", "m", " -42abc"),
              6);
    const struct { const char* key; const char* text; } stored[] = {
        {"d", "5.e-002"}, {"i", "-2147483648"}, {"l", "-9223372036854775808"}, {"b", "00AB7F"}, {"e", ""},
    };
    for (const auto& c : stored) EXPECT_STREQ(s.QueryString("T", c.key), c.text) << c.key;
    EXPECT_EQ(s.QueryDouble("T", "d", 1.0), 0.05);
    EXPECT_EQ(s.QueryInteger("T", "i", 0), INT32_MIN);
    EXPECT_EQ(s.QueryInteger64("T", "l", 0), INT64_MIN);
    EXPECT_EQ(s.QueryInteger("T", "m", 7), -42);
    EXPECT_EQ(s.QueryInteger("T", "missing", 7), 7);
    EXPECT_EQ(s.QueryInteger64("T", "missing", -7), -7);
    EXPECT_EQ(s.QueryDouble("T", "missing", 7.5), 7.5);
    EXPECT_EQ(s.QueryInteger(nullptr, "m", 9), 9);
    EXPECT_EQ(s.AddDouble("T", nullptr, 1.0) + s.AddInteger("missing", "k", 1) +
                  s.AddBinary("T", nullptr, bytes, 3) + s.AddBinary("T", "n", nullptr, 3),
              0);
}

TEST(SettingStore, QueryBinaryProtocol) {
    // Asking for the size and a buffer too small both answer the need; a decoded value keeps the
    // capacity as the size; bad hex or a missing key (null) answer 0.
    const struct { const char* stored; bool nullBuffer; std::uint32_t capacity; bool returnsBuffer;
                   std::uint32_t sizeAfter; } cases[] = {
        {"00AB7F", true, 0, false, 3}, {"00AB7F", false, 2, false, 3}, {"00AB7F", false, 3, true, 3},
        {"00ab7f", false, 8, true, 8}, {"0G", false, 4, false, 0}, {"ABC", false, 4, false, 0},
        {"ABC", true, 4, false, 0}, {nullptr, false, 4, false, 0}, {nullptr, true, 4, false, 0},
        {"", false, 4, true, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        CTeskSetting s;
        s.AddSection("S");
        if (c.stored) s.AddString("S", "k", c.stored);
        unsigned char buf[8] = {};
        std::uint32_t size = c.capacity;
        void* got = s.QueryBinary("S", "k", c.nullBuffer ? nullptr : buf, size);
        EXPECT_EQ(got, c.returnsBuffer ? buf : nullptr);
        EXPECT_EQ(size, c.sizeAfter);
        EXPECT_EQ(buf[1], c.returnsBuffer && c.stored && *c.stored ? 0xAB : 0);
    }
    CTeskSetting s;
    std::uint32_t size = 5;
    EXPECT_EQ(s.QueryBinary(nullptr, "k", nullptr, size), nullptr);
    EXPECT_EQ(size, 5u);
}

// Names hash with every byte signed; the table grows and still enumerates every section.
TEST(SettingStore, HashAndGrowth) {
    using TeskUtility::detail::HashName;
    EXPECT_EQ(HashName(""), 0u);
    EXPECT_EQ(HashName("ab"), 97u * 5 + 98);
    EXPECT_EQ(HashName("\xA1"), static_cast<std::uint32_t>(-95));
    EXPECT_EQ(HashName("\x01\xFF"), 5u - 1);
    CTeskSetting s;
    EXPECT_EQ(s.DeleteSection("none"), 1);  // nothing to erase from yet
    for (int i = 0; i < 500; ++i) s.AddSection(("Section" + std::to_string(i)).c_str());
    for (int i = 0; i < 500; i += 2) s.DeleteSection(("Section" + std::to_string(i)).c_str());
    std::vector<const char*> list(300);
    ASSERT_EQ(s.GetSectionList(list.data(), 300), 250u);
    const std::set<std::string> names(list.begin(), list.begin() + 250);
    EXPECT_EQ(names.size(), 250u);
    EXPECT_TRUE(names.count("Section499") && !names.count("Section498"));
    EXPECT_EQ(s.GetSectionList(list.data(), 3), 3u);
    EXPECT_EQ(s.GetSectionList(nullptr, 3), 0u);
}

// Copies share nothing with their source; a swap exchanges the flag and the sections without copying.
TEST(SettingStore, CopiesAndSwap) {
    auto original = std::make_unique<CTeskSetting>(1);
    original->AddSection("S");
    original->AddString("S", "k", "v");
    CTeskSetting copy(*original), assigned;
    assigned.AddSection("Old");
    assigned = *original;
    EXPECT_EQ(assigned.IsExist("Old"), 0);
    original->AddString("S", "k", "changed");
    original->AddSection("New");
    original.reset();
    for (CTeskSetting* s : {&copy, &assigned}) {
        EXPECT_EQ(s->IsStoreUCS2LE(), 1);
        EXPECT_STREQ(s->QueryString("S", "k"), "v");
        EXPECT_EQ(s->IsExist("New"), 0);
    }
    assigned = assigned;
    EXPECT_STREQ(assigned.QueryString("S", "k"), "v");

    CTeskSetting other(0);
    other.AddSection("B");
    const char* pointerIntoAssigned = assigned.QueryString("S", "k");
    assigned.Swap(other);
    EXPECT_EQ(assigned.IsStoreUCS2LE(), 0);
    EXPECT_EQ(other.IsStoreUCS2LE(), 1);
    EXPECT_EQ(assigned.IsExist("B"), 1);
    EXPECT_EQ(other.QueryString("S", "k"), pointerIntoAssigned);
}
