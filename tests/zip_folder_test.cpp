#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <tuple>

#include "tesk/compress_zip.h"
#include "tesk/platform.h"
#include "zip_test_support.h"

using namespace TeskUtility;
using namespace ziptest;

namespace {

using List = std::vector<std::string>;
using Shown = std::vector<std::pair<std::string, unsigned>>;

// Collects message boxes, text and type, instead of showing them.
struct MessageRecorder {
    MessageRecorder() {
        SetMessageBoxHandler([this](const std::string& text, const std::string&, unsigned type) {
            shown.emplace_back(text, type);
            return IDOK;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(nullptr); }
    Shown shown;
};

List Names(const std::vector<EntryInfo>& entries) {
    List names;
    for (const auto& e : entries) names.push_back(e.name);
    return names;
}

}  // namespace

// Folders come before their contents, levels are joined with backslashes, and the
// archive itself, pipes and links back up the tree are not followed.
TEST(CreateZipFromDir, EntriesInOrderWithStampsAndFlags) {
    TempDir dir;
    WriteFile(dir / "src/a.txt", "alpha");
    WriteFile(dir / "src/sub/b.txt", "beta");
    WriteFile(dir / "src/sub/deep/c.txt", "gamma");
    WriteFile(dir / "src/\xE4\xB8\xAD.txt", "x");
    fs::create_directories(dir / "src/empty");
    fs::create_directory_symlink("..", dir / "src/sub/up");
    ASSERT_EQ(mkfifo((dir / "src/pipe").c_str(), 0600), 0);
    std::tm when{};
    when.tm_year = 121, when.tm_mon = 6, when.tm_mday = 15;
    when.tm_hour = 13, when.tm_min = 45, when.tm_sec = 30, when.tm_isdst = -1;
    const std::time_t t = std::mktime(&when);
    const timespec times[2] = {{t, 0}, {t, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (dir / "src/a.txt").c_str(), times, 0), 0);

    for (unsigned codePage : {CP_BIG5, CP_UTF8}) {
        SetThreadAnsiCodePage(codePage);
        const int made = CreateZipFromDir(dir / "src", dir / "src/self.zip", 0);
        SetThreadAnsiCodePage(CP_BIG5);
        ASSERT_EQ(made, 1);
        const auto entries = ReadArchive(dir / "src/self.zip");
        // Name bytes stay as on disk.
        EXPECT_EQ(Names(entries), (List{"a.txt", "empty/", "sub/", "sub\\b.txt", "sub\\deep/",
                                        "sub\\deep\\c.txt", "sub\\up/", "\xE4\xB8\xAD.txt"}));
        // Only non-ASCII names under UTF-8 are flagged as UTF-8. Folders carry the all-zero
        // stamp, which minizip packs as day 0 of January 1980.
        for (const auto& e : entries) {
            const bool folder = e.name.back() == '/';
            const uLong utf8 = codePage == CP_UTF8 && e.name[0] == '\xE4' ? 0x800 : 0, noTime = 0x00200000;
            EXPECT_EQ(std::tuple(e.method, e.externalAttributes, e.flag & 0x800, folder ? e.dosDate : noTime),
                      std::tuple(uLong{Z_DEFLATED}, uLong{folder ? 16u : 0u}, utf8, noTime)) << e.name;
        }
        const uLong stamp = ((2021 - 1980) << 25) | (7 << 21) | (15 << 16) | (13 << 11) | (45 << 5) | 15;
        EXPECT_EQ(entries[0].dosDate, stamp) << "files carry their local last write time, in 2-second steps";
        EXPECT_EQ(entries[3].data, "beta");
    }
}

TEST(CreateZipFromDir, LeavesOutTopLevelWorkingFilesWithoutTheFlag) {
    TempDir dir;
    for (const char* file : {"commodity.SDB", "GROUP.sdb", "quorin.LOG", "Quorin_BK.log", "keep.txt",
                             "log/inside.txt", "sub/Group.sdb", "sub/LOG/x.txt", "Commodity.sdb.bak"})
        WriteFile(dir / (std::string("src/") + file), "data");
    ASSERT_EQ(CreateZipFromDir(dir / "src", dir / "out.zip", 0), 1);
    EXPECT_EQ(Names(ReadArchive(dir / "out.zip")),
              (List{"Commodity.sdb.bak", "keep.txt", "sub/", "sub\\Group.sdb", "sub\\LOG/",
                    "sub\\LOG\\x.txt"}));
    ASSERT_EQ(CreateZipFromDir(dir / "src", dir / "all.zip", 1), 1);
    EXPECT_EQ(Names(ReadArchive(dir / "all.zip")),
              (List{"Commodity.sdb.bak", "GROUP.sdb", "Quorin_BK.log", "commodity.SDB", "keep.txt", "log/",
                    "log\\inside.txt", "quorin.LOG", "sub/", "sub\\Group.sdb", "sub\\LOG/",
                    "sub\\LOG\\x.txt"}));
}

TEST(CreateZipFromDir, RoundTripRebuildsTheTree) {
    TempDir dir;
    // Sizes around the 102400-byte copy chunk, an empty file and an empty folder.
    const std::vector<std::pair<std::string, std::size_t>> files = {
        {"empty.bin", 0},       {"sub/a", 102399},      {"sub/b", 102400},
        {"sub/inner/deeper/c", 102401}, {"sub/inner/d", 307217}};
    for (const auto& [file, size] : files) WriteFile(dir / ("src/" + file), Pattern(size));
    fs::create_directories(dir / "src/sub/hollow");
    fs::create_directories(dir / "back");

    ASSERT_EQ(CreateZipFromDir(dir / "src", dir / "out.zip", 0), 1);
    ASSERT_EQ(ExtractZIPFromDir(dir / "out.zip", dir / "back"), 1);
    EXPECT_EQ(ListTree(dir / "back"), ListTree(dir / "src"));
    for (const auto& [file, size] : files) EXPECT_EQ(ReadFile(dir / ("back/" + file)), Pattern(size)) << file;
}

TEST(CreateZipFromDir, MissingOrUnreadableFilesAndFolders) {
    TempDir dir;
    MessageRecorder messages;
    ASSERT_EQ(CreateZipFromDir(dir / "nowhere", dir / "out.zip", 0), 1);
    EXPECT_TRUE(ReadArchive(dir / "out.zip").empty());
    EXPECT_EQ(ExtractZIPFromDir(dir / "out.zip", dir.Path().string()), 1);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(CreateZipFromDir(dir.Path().string(), dir / "no/such/folder/out.zip", 0), 0);
    EXPECT_EQ(messages.shown, (Shown{{"\xB5\x4C\xAA\x6B\xAB\xD8\xA5\xDFzip\xC0\xC9!", MB_OK}}));

    // Unreadable files leave empty entries and one message each.
    messages.shown.clear();
    WriteFile(dir / "src/ok.txt", "fine");
    fs::create_symlink(dir / "src/gone.txt", dir / "src/dangling");
    ASSERT_EQ(CreateZipFromDir(dir / "src", dir / "out.zip", 0), 1);
    const std::string text = " \xB5\x4C\xAA\x6B\xAB\xD8\xA5\xDF\xC0\xC9\xAE\xD7 " + (dir / "src/dangling");
    EXPECT_EQ(messages.shown, (Shown{{text + " !", MB_OK | MB_ICONWARNING}}));
    const auto entries = ReadArchive(dir / "out.zip");
    ASSERT_EQ(entries.size(), 2u);
    // A file whose time cannot be read gets the folder stamp, attributes included.
    EXPECT_EQ(std::tuple(entries[0].name, entries[0].externalAttributes, entries[0].data, entries[1].data),
              std::tuple("dangling", 16u, "", "fine"));
}
