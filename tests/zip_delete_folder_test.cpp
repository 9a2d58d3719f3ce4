#include <gtest/gtest.h>

#include "tesk/compress_zip.h"
#include "zip_test_support.h"

using namespace TeskUtility;
using namespace ziptest;

TEST(DeleteFolder, RemovesTheWholeTreeWithItsLinksButNeverTheirTargets) {
    for (const char* spelling : {"tree", "tree/", "tree//"}) {
        TempDir dir;
        WriteFile(dir / "tree/a.txt", "a");
        WriteFile(dir / "tree/sub/deeper/c.txt", "c");
        fs::create_directories(dir / "tree/empty");
        WriteFile(dir / "outside/keep.txt", "keep");
        fs::create_directory_symlink(dir / "outside", dir / "tree/sub/to_outside");
        fs::create_symlink(dir / "outside/keep.txt", dir / "tree/file_link");
        fs::create_directory_symlink("..", dir / "tree/sub/loop");

        DeleteFolder(dir / spelling);
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "tree"))) << spelling;
        EXPECT_EQ(ReadFile(dir / "outside/keep.txt"), "keep") << spelling;
    }
}

TEST(DeleteFolder, LeavesALinkGivenAsTheFolder) {
    TempDir dir;
    WriteFile(dir / "outside/keep.txt", "keep");
    fs::create_directory_symlink(dir / "outside", dir / "link");
    for (const char* spelling : {"link", "link/"}) {
        DeleteFolder(dir / spelling);
        EXPECT_TRUE(fs::is_symlink(dir / "link")) << spelling;
        EXPECT_EQ(ReadFile(dir / "outside/keep.txt"), "keep") << spelling;
    }
}
