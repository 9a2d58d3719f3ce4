#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tesk/settings_store.h"
#include "tests/io_test_support.h"

namespace {

// Every section as "[name]" and every pair as "name:key=value".
std::set<std::string> Dump(const CTeskSetting& s) {
    std::set<std::string> out;
    std::vector<const char*> sections(s.GetSectionListCount());
    s.GetSectionList(sections.data(), static_cast<std::uint32_t>(sections.size()));
    for (const char* name : sections) {
        out.insert(std::string(1, '[').append(name).append("]"));
        std::vector<const char*> keys(s.GetKeyListCount(name));
        s.GetKeyList(name, keys.data(), static_cast<std::uint32_t>(keys.size()));
        for (const char* k : keys) out.insert(std::string(name) + ":" + k + "=" + s.QueryString(name, k));
    }
    return out;
}

using Expect = std::set<std::string>;

struct GrammarCase {
    const char* name;
    std::string file;
    Expect narrow;      // LoadFileA
    Expect wide;        // LoadFileW of the same lines in UTF-16LE
    Expect fileOrder;   // LoadFileByFileOrder
};

const GrammarCase kGrammar[] = {
    {"first_value_wins", "[Price]\r\nUp=1\r\nUp=2\r\n", {"[Price]", "Price:Up=1"}, {"[Price]", "Price:Up=1"},
     {"[Price]", "Price:Up=1"}},
    {"pair_before_header_ignored", "k=v\n[S]\n", {"[S]"}, {"[S]"}, {"[S]"}},
    {"split_at_first_equals", "[S]\n=v\nk\nk==v\n k = v \nz=\n",
     {"[S]", "S:k==v", "S: k = v ", "S:z="}, {"[S]", "S:k==v", "S: k = v ", "S:z="},
     {"[S]", "S:k==v", "S: k = v ", "S:z="}},
    {"comments", "[S]\n#k=v\n//k=v\nx=a#b\n", {"[S]", "S:x=a#b"}, {"[S]", "S://k=v", "S:x=a#b"},
     {"[S]", "S:x=a#b"}},
    {"indented_header_is_a_key_line", " [S]\nk=v\n", {}, {}, {}},
    {"header_trailing_space", "[S]  \nk=v\n", {"[S]", "S:k=v"}, {"[S]  ]", "S]  :k=v"}, {"[S]  ]", "S]  :k=v"}},
    {"double_brackets", "[[S]]\nk=v\n", {"[S]", "S:k=v"}, {"[S]", "S:k=v"}, {"[S]", "S:k=v"}},
    {"empty_section_name", "[]\nk=v\n", {"[]", ":k=v"}, {"[]", ":k=v"}, {"[]", ":k=v"}},
    {"unclosed_header", "[Price\nk=v", {"[Price]", "Price:k=v"}, {"[Price]", "Price:k=v"},
     {"[Price]", "Price:k=v"}},
    {"duplicate_sections_merge", "[S]\na=1\n[T]\nb=2\n[S]\na=3\nc=4\n", {"[S]", "[T]", "S:a=1", "S:c=4", "T:b=2"},
     {"[S]", "[T]", "S:a=1", "S:c=4", "T:b=2"}, {"[S]", "[T]", "S:a=1", "S:c=4", "T:b=2"}},
    // A lone CR does not end a line: the whole file is one header line.
    {"cr_only_line_ends", "[S]\rk=v\r", {"[S]\rk=v]"}, {"[S]\rk=v\r]"}, {"[S]\rk=v\r]"}},
    {"crlf_and_blank_lines", "\r\n[S]\r\n\r\nk=v\r\n\n", {"[S]", "S:k=v"}, {"[S]", "S:k=v"}, {"[S]", "S:k=v"}},
    // Names end where a C string would: a NUL cuts them, so every listed name can be queried.
    {"nul_cuts_names", std::string("[s\0t]\nk\0x=v\n\0y=w\n", 17), {"[s]", "s:k=v"}, {"[s]", "s:k=v"},
     {"[s]", "s:k=v"}},
};

}  // namespace

class SettingGrammar : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(SettingGrammar, EachLoader) {
    const auto& c = GetParam();
    TempDir dir;
    const std::string narrow = dir.Write("n.ini", c.file);
    const std::string wide = dir.Write("w.ini", Utf16Bytes(c.file));
    CTeskSetting a, w, o;
    ASSERT_EQ(a.LoadFileA(narrow.c_str()), 1);
    ASSERT_EQ(w.LoadFileW(wide.c_str()), 1);
    ASSERT_EQ(o.LoadFileByFileOrder(narrow.c_str()), 1);
    EXPECT_EQ(Dump(a), c.narrow);
    EXPECT_EQ(Dump(w), c.wide);
    EXPECT_EQ(Dump(o), c.fileOrder);
}

INSTANTIATE_TEST_SUITE_P(Lines, SettingGrammar, ::testing::ValuesIn(kGrammar),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingFile, Utf8BomHidesTheFirstSection) {
    TempDir dir;
    const auto path = dir.Write("bom.ini", "\xEF\xBB\xBF[S]\nk=v\n[T]\nx=1\n");
    CTeskSetting s;
    ASSERT_EQ(s.LoadFileA(path.c_str()), 1);
    EXPECT_EQ(Dump(s), (Expect{"[T]", "T:x=1"}));
}

TEST(SettingFile, LoadMergesWithoutOverwriting) {
    TempDir dir;
    const auto path = dir.Write("a.ini", "[S]\nk=new\nj=2\n");
    CTeskSetting s;
    s.AddSection("S");
    s.AddString("S", "k", "old");
    s.AddSection("Kept");
    EXPECT_EQ(s.IsLoaded(), 0);
    ASSERT_EQ(s.LoadFile(path.c_str()), 1);
    EXPECT_EQ(s.IsLoaded(), 1);
    EXPECT_EQ(Dump(s), (Expect{"[Kept]", "[S]", "S:k=old", "S:j=2"}));
}

TEST(SettingFile, MissingFilesLeaveTheStoreAlone) {
    TempDir dir;
    CTeskSetting s;
    s.AddSection("S");
    for (const auto& path : {dir.File("none.ini"), dir.File(""), dir.File("no/such/dir.ini")}) {
        EXPECT_EQ(s.LoadFileA(path.c_str()), 0);
        EXPECT_EQ(s.LoadFileW(path.c_str()), 0);
        EXPECT_EQ(s.LoadFileByFileOrder(path.c_str()), 0);
    }
    EXPECT_EQ(s.LoadFileA(nullptr), 0);
    EXPECT_EQ(s.SaveFileA(nullptr), 0);
    EXPECT_EQ(s.SaveFileW(dir.File("no/such/dir.ini").c_str()), 0);
    EXPECT_EQ(s.IsLoaded(), 0);
    EXPECT_EQ(Dump(s), Expect{"[S]"});
}

TEST(SettingFile, SavedBytesInBothFormats) {
    TempDir dir;
    CTeskSetting s;
    s.AddSection("S");
    s.AddString("S", "a", "1");
    ASSERT_EQ(s.SaveFileA(dir.File("n.ini").c_str()), 1);
    EXPECT_EQ(dir.Read("n.ini"), "[S]\r\na=1\r\n");
    ASSERT_EQ(s.SaveFileW(dir.File("w.ini").c_str()), 1);
    EXPECT_EQ(dir.Read("w.ini"), Utf16Bytes("[S]\na=1\n"));

    CTeskSetting big5(1);
    big5.AddSection("\xA4\xA4");
    big5.AddString("\xA4\xA4", "k", "\xA1\xB6");
    ASSERT_EQ(big5.SaveFile(dir.File("b.ini").c_str()), 1);
    EXPECT_EQ(dir.Read("b.ini"), std::string("[\0\x2D\x4E]\0\n\0k\0=\0\xB2\x25\n\0", 16));
}

TEST(SettingFile, SaveTruncatesAndRoundTrips) {
    TempDir dir;
    const auto path = dir.Write("r.ini", std::string(5000, 'x'));
    CTeskSetting s;
    for (int i = 0; i < 40; ++i) {
        const std::string section = "Sec" + std::to_string(i);
        s.AddSection(section.c_str());
        for (int k = 0; k < 30; ++k)
            s.AddString(section.c_str(), ("key" + std::to_string(k)).c_str(), ("\xA1\xB6 v" + std::to_string(i * k)).c_str());
    }
    s.AddSection("Empty");
    for (const int wide : {0, 1}) {
        CTeskSetting reader(wide);
        ASSERT_EQ(wide ? s.SaveFileW(path.c_str()) : s.SaveFileA(path.c_str()), 1);
        ASSERT_EQ(reader.LoadFile(path.c_str()), 1);
        EXPECT_EQ(Dump(reader), Dump(s)) << "wide " << wide;
    }
}

TEST(SettingFile, WideLinesOutsideTheCodePageBecomeQuestionMarks) {
    TempDir dir;
    const auto path = dir.Write("w.ini", std::string("[\0S\0]\0\n\0k\0=\0\xE9\0\n\0", 16));
    CTeskSetting s(1);
    ASSERT_EQ(s.LoadFile(path.c_str()), 1);
    EXPECT_STREQ(s.QueryString("S", "k"), "?");
}

// GetKeyListByFileOrder into `capacity` slots: its answer, then the slots ("-" for an empty one).
using Listing = std::pair<std::uint32_t, std::vector<std::string>>;
Listing ByFileOrder(const CTeskSetting& s, const char* section, std::uint32_t capacity) {
    std::vector<const char*> keys(capacity);
    const auto n = s.GetKeyListByFileOrder(section, keys.data(), capacity);
    std::vector<std::string> slots;
    for (const char* k : keys) slots.push_back(k ? k : "-");
    return {n, slots};
}

TEST(SettingFile, KeysInFileOrder) {
    TempDir dir;
    const auto path = dir.Write("o.ini", "[S]\nb=1\na=2\nc=3\n[]\nz=1\n[T]\nq=1\nq=2\n[T]\np=1\n");
    CTeskSetting s;
    s.AddSection("Gone");
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(s.LoadFileByFileOrder(path.c_str()), 1);
        EXPECT_EQ(s.IsExist("Gone"), 0);
        EXPECT_EQ(ByFileOrder(s, "S", 4), (Listing{3, {"b", "a", "c", "-"}}));
        EXPECT_EQ(ByFileOrder(s, "S", 2), (Listing{2, {"b", "a"}}));
        // The list keeps the duplicate; the count is that of the key table.
        EXPECT_EQ(ByFileOrder(s, "T", 4), (Listing{2, {"q", "q", "p", "-"}}));
        // The unnamed section is loaded but has no order list.
        EXPECT_EQ(ByFileOrder(s, "", 2), (Listing{1, {"-", "-"}}));
    }
    EXPECT_EQ(ByFileOrder(s, "Missing", 2).first, 0u);
    EXPECT_EQ(s.GetKeyListByFileOrder("S", nullptr, 2), 0u);
}

TEST(SettingFile, MegabyteLineAndNoFinalNewline) {
    TempDir dir;
    const std::string value(1 << 20, 'x');
    const auto path = dir.Write("big.ini", "[S]\nk=" + value + "\nj=" + value);
    CTeskSetting s;
    ASSERT_EQ(s.LoadFileA(path.c_str()), 1);
    EXPECT_EQ(s.QueryString("S", "k"), value);
    EXPECT_EQ(s.QueryString("S", "j"), value);
}

TEST(SettingFile, BinaryGarbageLoadsWithoutHarm) {
    TempDir dir;
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(4096, '\0');
        for (auto& b : bytes) b = static_cast<char>(rng() % 8 == 0 ? "[]=\n\r#/"[rng() % 7] : rng());
        const auto path = dir.Write("g.ini", bytes);
        CTeskSetting a, w, o;
        EXPECT_EQ(a.LoadFileA(path.c_str()) + w.LoadFileW(path.c_str()) + o.LoadFileByFileOrder(path.c_str()), 3);
        ASSERT_EQ(a.SaveFileA(dir.File("out.ini").c_str()), 1);
    }
}
