#include <gtest/gtest.h>

#include <unistd.h>

#include <tuple>

#include "tesk/compress_zip.h"
#include "tesk/platform.h"
#include "zip_test_support.h"

using namespace TeskUtility;
using namespace ziptest;
using List = std::vector<std::string>;

// Each archive is extracted into dest/, which sits beside a sentinel folder:
// nothing may ever appear outside dest/. `tree` is what dest/ holds afterwards.
TEST(ExtractZIPFromDir, HostileArchivesStayInsideTheDestination) {
    struct Case { const char* name; std::vector<RawEntry> in; int result; List tree; unsigned cp = CP_BIG5; };
    const Case cases[] = {
        {"slash_levels", {{"a/", 16, ""}, {"a/b.txt", 0, "b"}}, 1, {"a/", "a/b.txt"}},
        {"backslash_levels", {{"a/", 16, ""}, {"a\\b/", 16, ""}, {"a\\b\\c.txt", 0, "c"}}, 1,
         {"a/", "a/b/", "a/b/c.txt"}},
        {"dot_levels_collapse", {{"x/", 16, ""}, {"./x//y.txt", 0, "y"}}, 1, {"x/", "x/y.txt"}},
        {"parent_climb", {{"ok.txt", 0, "1"}, {"../outside/evil.txt", 0, "x"}, {"late.txt", 0, "2"}}, 0,
         {"ok.txt"}},
        {"parent_climb_backslash", {{"..\\outside\\evil.txt", 0, "x"}}, 0, {}},
        {"parent_inside_name", {{"a/", 16, ""}, {"a/../../outside/evil.txt", 0, "x"}}, 0, {"a/"}},
        {"parent_folder_entry", {{"../outside/made/", 16, ""}}, 0, {}},
        {"absolute", {{"/tmp/tesk_zip_escape", 0, "x"}}, 0, {}},
        {"absolute_backslash", {{"\\tmp\\tesk_zip_escape", 0, "x"}}, 0, {}},
        {"file_without_folder_entry", {{"missing/f.txt", 0, "x"}}, 0, {}},
        {"folder_with_extra_attribute_bits", {{"d/", 0x10 | 0x20, ""}}, 0, {}},
        {"folder_with_unix_mode", {{"d/", (040755u << 16) | 0x10, ""}}, 0, {}},
        {"folder_entry_without_parent_is_ignored", {{"p/q/", 16, ""}, {"r.txt", 0, "r"}}, 1, {"r.txt"}},
        {"file_named_like_folder", {{"f/", 0, ""}}, 0, {}},
        {"existing_folder_entry_twice", {{"d/", 16, ""}, {"d/", 16, ""}}, 1, {"d/"}},
        {"file_over_folder", {{"d/", 16, ""}, {"d", 0, "x"}}, 0, {"d/"}},
        {"empty_archive", {}, 1, {}},
        // In Big5 the character A5 5C ends in a backslash byte that is not a separator.
        {"big5_trail_byte", {{"d/", 16, ""}, {"d\\\xA5\x5C.txt", 0, "x"}}, 1, {"d/", "d/\xA5\x5C.txt"}},
        {"utf8_splits_every_backslash", {{"d/", 16, ""}, {"d\\\xA5/", 16, ""}, {"d\\\xA5\x5C.txt", 0, "x"}},
         1, {"d/", "d/\xA5/", "d/\xA5/.txt"}, CP_UTF8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        fs::create_directories(dir / "dest");
        fs::create_directories(dir / "outside");
        WriteArchive(dir / "in.zip", c.in);
        SetThreadAnsiCodePage(c.cp);
        const int result = ExtractZIPFromDir(dir / "in.zip", dir / "dest");
        SetThreadAnsiCodePage(CP_BIG5);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(ListTree(dir / "dest"), c.tree);
        EXPECT_TRUE(fs::is_empty(dir / "outside"));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 3);
        EXPECT_FALSE(fs::exists("/tmp/tesk_zip_escape"));
    }
}

TEST(ExtractZIPFromDir, DamagedArchivesFailAndLinksAreNotFollowed) {
    TempDir dir;
    fs::create_directories(dir / "dest");
    WriteArchive(dir / "whole.zip", {{"a.txt", 0, Pattern(50000)}, {"b.txt", 0, "bee"}});
    const std::string whole = ReadFile(dir / "whole.zip");
    for (std::size_t keep : {std::size_t{0}, std::size_t{10}, whole.size() / 2, whole.size() - 22}) {
        WriteFile(dir / "cut.zip", whole.substr(0, keep));
        EXPECT_EQ(ExtractZIPFromDir(dir / "cut.zip", dir / "dest"), 0) << keep;
    }
    // Corrupt the compressed bytes but keep the directory: the data or its checksum fails.
    std::string damaged = whole;
    for (std::size_t i = 40; i < whole.size() / 2; i += 7) damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
    WriteFile(dir / "damaged.zip", damaged);
    EXPECT_EQ(ExtractZIPFromDir(dir / "damaged.zip", dir / "dest"), 0);
    EXPECT_EQ(ExtractZIPFromDir(dir / "absent.zip", dir / "dest"), 0);
    // A missing destination fails at the first file.
    WriteArchive(dir / "folders.zip", {{"d/", 16, ""}});
    EXPECT_EQ(ExtractZIPFromDir(dir / "folders.zip", dir / "none"), 1);
    EXPECT_EQ(ExtractZIPFromDir(dir / "whole.zip", dir / "none"), 0);
    EXPECT_FALSE(fs::exists(dir / "none"));

    // Links in the destination are never written through.
    fs::create_directories(dir / "outside");
    WriteFile(dir / "outside/victim.txt", "original");
    fs::create_directory_symlink(dir / "outside", dir / "dest/linkdir");
    fs::create_symlink(dir / "outside/victim.txt", dir / "dest/linkfile");
    fs::create_hard_link(dir / "outside/victim.txt", dir / "dest/hard.txt");
    WriteFile(dir / "dest/long.txt", "a much longer previous content");

    WriteArchive(dir / "via_dir.zip", {{"linkdir/victim.txt", 0, "evil"}});
    EXPECT_EQ(ExtractZIPFromDir(dir / "via_dir.zip", dir / "dest"), 0);

    // Existing names are replaced whole: the links go, their targets stay.
    WriteArchive(dir / "over.zip",
                 {{"linkfile", 0, "new1"}, {"hard.txt", 0, "new2"}, {"long.txt", 0, "short"}});
    EXPECT_EQ(ExtractZIPFromDir(dir / "over.zip", dir / "dest"), 1);
    EXPECT_FALSE(fs::is_symlink(dir / "dest/linkfile"));
    EXPECT_EQ(std::tuple(ReadFile(dir / "outside/victim.txt"), ReadFile(dir / "dest/linkfile"),
                         ReadFile(dir / "dest/hard.txt"), ReadFile(dir / "dest/long.txt")),
              std::tuple("original", "new1", "new2", "short"));
}
