#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tesk/compress_zip.h"
#include "tesk/platform.h"
#include "zip_test_support.h"

using namespace TeskUtility;
using namespace ziptest;

namespace {

// Collects message boxes instead of showing them.
class MessageRecorder {
public:
    MessageRecorder() {
        SetMessageBoxHandler([this](const std::string& text, const std::string&, unsigned type) {
            texts.push_back(text);
            types.push_back(type);
            return IDOK;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(nullptr); }
    std::vector<std::string> texts;
    std::vector<unsigned> types;
};

std::vector<std::string> Names(const std::vector<EntryInfo>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name);
    return names;
}

}  // namespace

TEST(CreateZipFromDir, NamesFoldersBeforeContentsWithBackslashLevels) {
    TempDir dir;
    WriteFile(dir / "src/a.txt", "alpha");
    WriteFile(dir / "src/sub/b.txt", "beta");
    WriteFile(dir / "src/sub/deep/c.txt", "gamma");
    fs::create_directories(dir / "src/empty");

    ASSERT_EQ(CreateZipFromDir(dir / "src", dir / "out.zip", 0), 1);
    const auto entries = ReadArchive(dir / "out.zip");
    EXPECT_EQ(Names(entries), (std::vector<std::string>{"a.txt", "empty/", "sub/", "sub\\b.txt", "sub\\deep/",
                                                        "sub\\deep\\c.txt"}));
    for (const auto& e : entries) {
        const bool folder = e.name.back() == '/';
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.method, static_cast<uLong>(Z_DEFLATED));
        EXPECT_EQ(e.externalAttributes, folder ? 16u : 0u);
        EXPECT_EQ(e.flag & 0x800, 0u);
        // Folders carry the all-zero stamp, which minizip packs as day 0 of January 1980.
        if (folder) {
            EXPECT_EQ(e.dosDate, 0x00200000u);
        }
    }
    EXPECT_EQ(entries[3].data, "beta");
}

TEST(CreateZipFromDir, FileTimeIsLocalLastWriteTime) {
    TempDir dir;
    WriteFile(dir / "src/t.txt", "x");
    std::tm when{};
    when.tm_year = 121, when.tm_mon = 6, when.tm_mday = 15, when.tm_hour = 13, when.tm_min = 45, when.tm_sec = 30;
    when.tm_isdst = -1;
    const std::time_t t = std::mktime(&when);
    const timespec times[2] = {{t, 0}, {t, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (dir / "src/t.txt").c_str(), times, 0), 0);

    ASSERT_EQ(CreateZipFromDir(dir / "src", dir / "out.zip", 0), 1);
    const auto entries = ReadArchive(dir / "out.zip");
    ASSERT_EQ(entries.size(), 1u);
    const uLong expected = ((2021 - 1980) << 25) | (7 << 21) | (15 << 16) | (13 << 11) | (45 << 5) | (30 / 2);
    EXPECT_EQ(entries[0].dosDate, expected);
}

struct LeftOutCase {
    const char* name;
    int includeAll;
    std::vector<std::string> expected;
};

class CreateZipLeftOut : public ::testing::TestWithParam<LeftOutCase> {};

TEST_P(CreateZipLeftOut, OnlyTopLevelWorkingFilesWithoutFlag) {
    TempDir dir;
    for (const char* file : {"commodity.SDB", "GROUP.sdb", "quorin.LOG", "Quorin_BK.log", "keep.txt",
                             "log/inside.txt", "sub/Group.sdb", "sub/LOG/x.txt", "Commodity.sdb.bak"})
        WriteFile(dir / (std::string("src/") + file), "data");

    ASSERT_EQ(CreateZipFromDir(dir / "src", dir / "out.zip", GetParam().includeAll), 1);
    EXPECT_EQ(Names(ReadArchive(dir / "out.zip")), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, CreateZipLeftOut,
    ::testing::Values(LeftOutCase{"left_out", 0,
                                  {"Commodity.sdb.bak", "keep.txt", "sub/", "sub\\Group.sdb", "sub\\LOG/",
                                   "sub\\LOG\\x.txt"}},
                      LeftOutCase{"all_taken", 1,
                                  {"Commodity.sdb.bak", "GROUP.sdb", "Quorin_BK.log", "commodity.SDB", "keep.txt",
                                   "log/", "log\\inside.txt", "quorin.LOG", "sub/", "sub\\Group.sdb", "sub\\LOG/",
                                   "sub\\LOG\\x.txt"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CreateZipFromDir, RoundTripRebuildsTheTree) {
    TempDir dir;
    // Sizes around the 102400-byte copy chunk, an empty file and an empty folder.
    const std::vector<std::pair<std::string, std::size_t>> files = {
        {"empty.bin", 0}, {"sub/a", 102399}, {"sub/b", 102400}, {"sub/inner/deeper/c", 102401}, {"sub/inner/d", 307217}};
    for (const auto& [file, size] : files) WriteFile(dir / ("src/" + file), Pattern(size));
    fs::create_directories(dir / "src/sub/hollow");
    fs::create_directories(dir / "back");

    ASSERT_EQ(CreateZipFromDir(dir / "src", dir / "out.zip", 0), 1);
    ASSERT_EQ(ExtractZIPFromDir(dir / "out.zip", dir / "back"), 1);
    EXPECT_EQ(ListTree(dir / "back"), ListTree(dir / "src"));
    for (const auto& [file, size] : files) EXPECT_EQ(ReadFile(dir / ("back/" + file)), Pattern(size)) << file;
}

TEST(CreateZipFromDir, MissingSourceGivesAnEmptyArchive) {
    TempDir dir;
    ASSERT_EQ(CreateZipFromDir(dir / "nowhere", dir / "out.zip", 0), 1);
    EXPECT_TRUE(fs::exists(dir / "out.zip"));
    EXPECT_TRUE(ReadArchive(dir / "out.zip").empty());
    EXPECT_EQ(ExtractZIPFromDir(dir / "out.zip", dir.Path().string()), 1);
}

TEST(CreateZipFromDir, ArchiveThatCannotBeCreatedShowsTheMessage) {
    TempDir dir;
    MessageRecorder messages;
    EXPECT_EQ(CreateZipFromDir(dir.Path().string(), dir / "no/such/folder/out.zip", 0), 0);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "\xB5\x4C\xAA\x6B\xAB\xD8\xA5\xDFzip\xC0\xC9!");
    EXPECT_EQ(messages.types[0], MB_OK);
}

TEST(CreateZipFromDir, UnreadableFilesLeaveEmptyEntriesAndOneMessageEach) {
    TempDir dir;
    WriteFile(dir / "src/ok.txt", "fine");
    fs::create_symlink(dir / "src/gone.txt", dir / "src/dangling");
    MessageRecorder messages;

    ASSERT_EQ(CreateZipFromDir(dir / "src", dir / "out.zip", 0), 1);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], " \xB5\x4C\xAA\x6B\xAB\xD8\xA5\xDF\xC0\xC9\xAE\xD7 " + (dir / "src/dangling") + " !");
    EXPECT_EQ(messages.types[0], MB_OK | MB_ICONWARNING);
    const auto entries = ReadArchive(dir / "out.zip");
    ASSERT_EQ(entries.size(), 2u);
    // A file whose time cannot be read gets the folder stamp, attributes included.
    EXPECT_EQ(entries[0].name, "dangling");
    EXPECT_EQ(entries[0].externalAttributes, 16u);
    EXPECT_EQ(entries[0].data, "");
    EXPECT_EQ(entries[1].data, "fine");
}

TEST(CreateZipFromDir, SkipsItsOwnArchiveAndLinkLoops) {
    TempDir dir;
    WriteFile(dir / "src/a.txt", "alpha");
    fs::create_directories(dir / "src/sub");
    fs::create_directory_symlink("..", dir / "src/sub/up");
    ASSERT_EQ(mkfifo((dir / "src/pipe").c_str(), 0600), 0);

    ASSERT_EQ(CreateZipFromDir(dir / "src", dir / "src/self.zip", 0), 1);
    EXPECT_EQ(Names(ReadArchive(dir / "src/self.zip")), (std::vector<std::string>{"a.txt", "sub/", "sub\\up/"}));
}

TEST(CreateZipFromDir, FlagsNonAsciiNamesOnlyUnderUtf8) {
    TempDir dir;
    WriteFile(dir / "src/\xE4\xB8\xAD.txt", "x");
    WriteFile(dir / "src/plain.txt", "y");
    for (unsigned codePage : {CP_UTF8, CP_BIG5}) {
        SetThreadAnsiCodePage(codePage);
        const int made = CreateZipFromDir(dir / "src", dir / "out.zip", 0);
        SetThreadAnsiCodePage(CP_BIG5);
        ASSERT_EQ(made, 1);
        const auto entries = ReadArchive(dir / "out.zip");
        ASSERT_EQ(Names(entries), (std::vector<std::string>{"plain.txt", "\xE4\xB8\xAD.txt"}));  // bytes as on disk
        EXPECT_EQ(entries[0].flag & 0x800, 0u);
        EXPECT_EQ(entries[1].flag & 0x800, codePage == CP_UTF8 ? 0x800u : 0u);
    }
}
