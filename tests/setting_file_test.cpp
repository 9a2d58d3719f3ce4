#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
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

// What LoadFileA, the wide loader (the same bytes as UTF-16LE units) and LoadFileByFileOrder
// make of a file; an unset expectation is that of LoadFileA.
struct GrammarCase {
    const char* name;
    std::string file;
    Expect narrow;
    std::optional<Expect> wide = {}, fileOrder = {};
};

const GrammarCase kGrammar[] = {
    {"first_value_wins", "[Price]\r\nUp=1\r\nUp=2\r\n", {"[Price]", "Price:Up=1"}},
    {"pair_before_header", "k=v\n[S]\n", {"[S]"}}, {"indented_header_is_a_pair", " [S]\nk=v\n", {}},
    {"split_at_first_equals", "[S]\n=v\nk\nk==v\n k = v \nz=\n", {"[S]", "S:k==v", "S: k = v ", "S:z="}},
    {"comments", "[S]\n#k=v\n//k=v\nx=a#b\n", {"[S]", "S:x=a#b"}, Expect{"[S]", "S://k=v", "S:x=a#b"}},
    {"header_trailing_space", "[S]  \nk=v\n", {"[S]", "S:k=v"}, Expect{"[S]  ]", "S]  :k=v"},
     Expect{"[S]  ]", "S]  :k=v"}},
    {"double_brackets", "[[S]]\nk=v\n", {"[S]", "S:k=v"}}, {"empty_name", "[]\nk=v\n", {"[]", ":k=v"}},
    {"unclosed_header", "[Price\nk=v", {"[Price]", "Price:k=v"}},
    {"duplicate_sections_merge", "[S]\na=1\n[T]\nb=2\n[S]\na=3\nc=4\n", {"[S]", "[T]", "S:a=1", "S:c=4", "T:b=2"}},
    // A lone CR does not end a line: the whole file is one header line.
    {"cr_only_line_ends", "[S]\rk=v\r", {"[S]\rk=v]"}, Expect{"[S]\rk=v\r]"}, Expect{"[S]\rk=v\r]"}},
    {"crlf_and_blank_lines", "\r\n[S]\r\n\r\nk=v\r\n\n", {"[S]", "S:k=v"}},
    // Names end where a C string would: a NUL cuts them, so every listed name can be queried.
    {"nul_cuts_names", std::string("[s\0t]\nk\0x=v\n\0y=w\n", 17), {"[s]", "s:k=v"}},
    // A UTF-8 mark is not stripped: the first header is not a header.
    {"utf8_mark_hides_the_first_section", "\xEF\xBB\xBF[S]\nk=v\n[T]\nx=1\n", {"[T]", "T:x=1"}},
    // Wide lines go through the code page; U+00E9 has no Big5 form.
    {"wide_outside_the_code_page", "[S]\nk=\xE9\n", {"[S]", "S:k=\xE9"}, Expect{"[S]", "S:k=?"}},
};

}  // namespace

class SettingGrammar : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(SettingGrammar, EachLoader) {
    const auto& c = GetParam();
    TempDir dir;
    const std::string narrow = dir.Write("n.ini", c.file), wide = dir.Write("w.ini", Utf16Bytes(c.file));
    CTeskSetting a, w(1), o;
    ASSERT_EQ(a.LoadFileA(narrow.c_str()) + w.LoadFile(wide.c_str()) + o.LoadFileByFileOrder(narrow.c_str()),
              3);
    EXPECT_EQ(Dump(a), c.narrow);
    EXPECT_EQ(Dump(w), c.wide.value_or(c.narrow));
    EXPECT_EQ(Dump(o), c.fileOrder.value_or(c.narrow));
}

INSTANTIATE_TEST_SUITE_P(Lines, SettingGrammar, ::testing::ValuesIn(kGrammar),
                         [](const auto& info) { return std::string(info.param.name); });

// A load merges, keeping the values already held; a file that cannot be read changes nothing.
TEST(SettingFile, LoadMergesAndMissingFilesChangeNothing) {
    TempDir dir;
    CTeskSetting s;
    s.AddSection("S");
    s.AddString("S", "k", "old");
    s.AddSection("Kept");
    for (const auto& path : {dir.File("none.ini"), dir.File(""), dir.File("no/such/dir.ini")}) {
        EXPECT_EQ(s.LoadFileA(path.c_str()), 0);
        EXPECT_EQ(s.LoadFileW(path.c_str()), 0);
        EXPECT_EQ(s.LoadFileByFileOrder(path.c_str()), 0);
    }
    EXPECT_EQ(s.LoadFileA(nullptr) + s.SaveFileA(nullptr), 0);
    EXPECT_EQ(s.SaveFileW(dir.File("no/such/dir.ini").c_str()), 0);
    EXPECT_EQ(s.IsLoaded(), 0);
    EXPECT_EQ(Dump(s), (Expect{"[Kept]", "[S]", "S:k=old"}));
    ASSERT_EQ(s.LoadFile(dir.Write("a.ini", "[S]\nk=new\nj=2\n").c_str()), 1);
    EXPECT_EQ(s.IsLoaded(), 1);
    EXPECT_EQ(Dump(s), (Expect{"[Kept]", "[S]", "S:k=old", "S:j=2"}));
}

// Narrow files are CR LF lines, wide ones UTF-16LE with LF; a save replaces the file and reads back.
TEST(SettingFile, SavedBytesReadBack) {
    TempDir dir;
    CTeskSetting narrow(0), wide(1);
    for (CTeskSetting* s : {&narrow, &wide}) {
        s->AddSection("\xA4\xA4");
        s->AddString("\xA4\xA4", "k", "\xA1\xB6");
    }
    const struct { const CTeskSetting& s; const char* name; std::string bytes; } cases[] = {
        {narrow, "n.ini", "[\xA4\xA4]\r\nk=\xA1\xB6\r\n"},
        {wide, "w.ini", std::string("[\0\x2D\x4E]\0\n\0k\0=\0\xB2\x25\n\0", 16)},
    };
    for (const auto& c : cases) {
        const std::string path = dir.Write(c.name, std::string(5000, 'x'));
        ASSERT_EQ(c.s.SaveFile(path.c_str()), 1);
        EXPECT_EQ(dir.Read(c.name), c.bytes);
        CTeskSetting back(c.s.IsStoreUCS2LE());
        ASSERT_EQ(back.LoadFile(path.c_str()), 1);
        EXPECT_EQ(Dump(back), Dump(c.s));
    }
}

// GetKeyListByFileOrder into `capacity` slots: "answer:" and the slots ("-" for an empty one).
std::string ByFileOrder(const CTeskSetting& s, const char* section, std::uint32_t capacity) {
    std::vector<const char*> keys(capacity);
    std::string out = std::to_string(s.GetKeyListByFileOrder(section, keys.data(), capacity)) + ":";
    for (const char* k : keys) out += std::string(" ") + (k ? k : "-");
    return out;
}

TEST(SettingFile, KeysInFileOrder) {
    TempDir dir;
    const auto path = dir.Write("o.ini", "[S]\nb=1\na=2\nc=3\n[]\nz=1\n[T]\nq=1\nq=2\n[T]\np=1\n");
    CTeskSetting s;
    s.AddSection("Gone");
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(s.LoadFileByFileOrder(path.c_str()), 1);
        EXPECT_EQ(s.IsExist("Gone"), 0);
        EXPECT_EQ(ByFileOrder(s, "S", 4), "3: b a c -");
        EXPECT_EQ(ByFileOrder(s, "S", 2), "2: b a");
        // The list keeps the duplicate; the count is that of the key table.
        EXPECT_EQ(ByFileOrder(s, "T", 4), "2: q q p -");
        // The unnamed section is loaded but has no order list.
        EXPECT_EQ(ByFileOrder(s, "", 2), "1: - -");
    }
    EXPECT_EQ(ByFileOrder(s, "Missing", 2), "0: - -");
    EXPECT_EQ(s.GetKeyListByFileOrder("S", nullptr, 2), 0u);
}

// A megabyte line with no final newline, and random bytes, load without harm.
TEST(SettingFile, LongLinesAndGarbage) {
    TempDir dir;
    const std::string value(1 << 20, 'x');
    CTeskSetting big;
    ASSERT_EQ(big.LoadFileA(dir.Write("big.ini", "[S]\nk=" + value + "\nj=" + value).c_str()), 1);
    EXPECT_EQ(big.QueryString("S", "k"), value);
    EXPECT_EQ(big.QueryString("S", "j"), value);
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
