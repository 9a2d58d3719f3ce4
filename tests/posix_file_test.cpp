// The POSIX file layer under injected faults: interrupted and short calls must
// change nothing; a write that fails halfway or a full disk must surface as a
// failure with errno and path, through every object built on the layer.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/posix_file.h"
#include "tesk/compress_zip.h"
#include "tesk/settings_file.h"
#include "zip_test_support.h"

namespace {

using namespace TeskUtility;

struct Faults {
    bool storm = false;                // every other call is interrupted, reads and writes move 1000 bytes at most
    std::size_t writeBudget = SIZE_MAX;  // bytes writes may still put down, then writeError
    bool failStream = false;             // fdopen fails with ENOMEM
    int writeError = 0, readError = 0;   // readError: every read fails with it
    int lockCommand = -1, lockError = 0;  // this fcntl lock command fails with lockError
} g_faults;

bool Interrupted() {
    static unsigned calls = 0;
    return g_faults.storm && ++calls % 2 == 1 && (errno = EINTR);
}

std::size_t Capped(std::size_t size) { return g_faults.storm && size > 1000 ? 1000 : size; }

const posix::Syscalls& Real() { return posix::SystemCalls(); }

const posix::Syscalls kFaulty = {
    [](const char* p, int f, mode_t m) { return Interrupted() ? -1 : Real().open(p, f, m); },
    [](int d, const char* n, int f, mode_t m) { return Interrupted() ? -1 : Real().openat(d, n, f, m); },
    [](int fd, void* b, std::size_t n) -> ssize_t {
        errno = g_faults.readError;
        return Interrupted() || g_faults.readError ? -1 : Real().read(fd, b, Capped(n));
    },
    [](int fd, const void* b, std::size_t n) -> ssize_t {
        if (Interrupted()) return -1;
        if (g_faults.writeBudget == 0) return (errno = g_faults.writeError) ? -1 : 0;
        const ssize_t done = Real().write(fd, b, std::min(Capped(n), g_faults.writeBudget));
        if (done > 0 && g_faults.writeBudget != SIZE_MAX) g_faults.writeBudget -= static_cast<std::size_t>(done);
        return done;
    },
    ::lseek, ::fstat,
    [](int fd, off_t n) { return Interrupted() ? -1 : Real().ftruncate(fd, n); },
    [](int fd) { return Interrupted() ? -1 : Real().fdatasync(fd); },
    ::close,
    [](int d, const char* n, mode_t m) { return Interrupted() ? -1 : Real().mkdirat(d, n, m); },
    ::unlinkat,
    [](int fd, int c, struct flock* l) {
        if (c == g_faults.lockCommand) return errno = g_faults.lockError, -1;
        return c == F_OFD_SETLK && Interrupted() ? -1 : Real().lock(fd, c, l);
    },
    [](int fd, const char* m) { return g_faults.failStream ? (errno = ENOMEM, nullptr) : ::fdopen(fd, m); },
};

// Installs the faulty table for one test and restores the real one after it.
class FaultyCalls : public ::testing::Test {
protected:
    void SetUp() override {
        g_faults = Faults{};
        posix::SetSyscalls(&kFaulty);
    }
    void TearDown() override { posix::SetSyscalls(nullptr); }
};

TEST_F(FaultyCalls, AStormOfInterruptsAndShortTransfersChangesNothing) {
    TempDir dir;
    const std::string data = ziptest::Pattern(70000);
    ziptest::WriteArchive(dir / "in.zip", {{"d/", 16, ""}, {"d/big.bin", 0, data}, {"small.txt", 0, "s"}});
    std::filesystem::create_directories(dir / "out");
    g_faults.storm = true;

    EXPECT_EQ(ExtractZIPFromDir(dir / "in.zip", dir / "out"), 1);
    EXPECT_EQ(ReadFile(dir / "out/d/big.bin"), data);
    EXPECT_EQ(CreateZipFromDir(dir / "out", dir / "again.zip", 1), 1);
    EXPECT_EQ(ziptest::ReadArchive(dir / "again.zip").size(), 3u);

    CFile shared(dir / "c.bin", CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite);
    shared.Write(data.data(), static_cast<unsigned>(data.size()));
    shared.SetLength(5000);
    shared.Flush();
    shared.SeekToBegin();
    std::string back(6000, '\0');
    EXPECT_EQ(shared.Read(back.data(), 6000), 5000u);
    EXPECT_EQ(back.substr(0, 5000), data.substr(0, 5000));
    CFile second;
    CFileException why;
    EXPECT_EQ(second.Open(dir / "c.bin", CFile::modeWrite, &why), 0);
    EXPECT_EQ(why.m_cause, CFileException::sharingViolation);
}

TEST_F(FaultyCalls, FailedWritesSurfaceWithErrnoAndPath) {
    // `budget` bytes are written before the failure; error 0: the write stops making progress.
    const struct { const char* name; std::size_t budget; int error, expected, cause; } cases[] = {
        {"fails halfway", 30000, EIO, EIO, CFileException::hardIO},
        {"disk full", 0, ENOSPC, ENOSPC, CFileException::diskFull},
        {"no progress", 100, 0, ENOSPC, CFileException::diskFull},
    };
    TempDir dir;
    const std::string data = ziptest::Pattern(70000);
    ziptest::WriteArchive(dir / "in.zip", {{"big.bin", 0, data}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string out = dir / c.name;
        std::filesystem::create_directories(out);
        const std::string path = dir / "f.bin";
        posix::Result<posix::Fd> file = posix::Open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC);
        ASSERT_TRUE(file.ok());
        g_faults = {.writeBudget = c.budget, .writeError = c.error};
        const posix::Status written = posix::WriteAll(file.value.Get(), data.data(), data.size(), path);
        EXPECT_EQ(written.error, c.expected);
        EXPECT_EQ(written.path, path);
        EXPECT_EQ(ReadFile(path), data.substr(0, c.budget));

        g_faults.writeBudget = c.budget;
        EXPECT_EQ(ExtractZIPFromDir(dir / "in.zip", out), 0);
        CFile object(path, CFile::modeCreate | CFile::modeWrite);
        g_faults.writeBudget = c.budget;
        const auto e = Raised([&] { object.Write(data.data(), static_cast<unsigned>(data.size())); });
        EXPECT_EQ(e.m_lOsError, c.expected);
        EXPECT_EQ(e.m_cause, c.cause);
        EXPECT_EQ(e.m_strFileName, path);
    }
}

// A file system without locks opens unlocked; losing a race for a lock is a sharing
// violation; a stream that cannot be made fails the open; a failed read is a hard I/O error.
TEST_F(FaultyCalls, LockStreamAndReadFailures) {
    TempDir dir;
    const std::string path = dir.Write("l.txt", "data");
    const struct { Faults faults; int opens, cause, err; } cases[] = {
        {{.lockCommand = F_OFD_GETLK, .lockError = ENOLCK}, 1, CFileException::none, -1},
        {{.lockCommand = F_OFD_SETLK, .lockError = EINVAL}, 1, CFileException::none, -1},
        {{.lockCommand = F_OFD_SETLK, .lockError = EAGAIN}, 0, CFileException::sharingViolation, EBUSY},
        {{.failStream = true}, 0, CFileException::genericException, ENOMEM},
    };
    for (const auto& c : cases) {
        g_faults = c.faults;
        CStdioFile file;
        CFileException why;
        EXPECT_EQ(file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &why), c.opens) << c.err;
        EXPECT_EQ(file.IsOpen(), c.opens == 1);
        EXPECT_EQ(why.m_cause, c.cause);
        EXPECT_EQ(why.m_lOsError, c.err);
    }
    g_faults = Faults{.readError = EIO};
    CFile file(path, CFile::modeRead);
    char buf[4];
    const CFileException e = Raised([&] { file.Read(buf, 4); });
    EXPECT_EQ(e.m_cause, CFileException::hardIO);
    EXPECT_EQ(e.m_strFileName, path);
}

TEST(PosixFile, FailuresCarryErrnoAndPath) {
    TempDir dir;
    const std::string missing = dir / "missing";
    const posix::Result<posix::Fd> open = posix::Open(missing.c_str(), O_RDONLY);
    EXPECT_EQ(open.status.error, ENOENT);
    EXPECT_EQ(open.status.path, missing);
    EXPECT_EQ(posix::MakeDirAt(AT_FDCWD, dir.Path().c_str()).error, EEXIST);
    EXPECT_EQ(posix::Truncate(0, UINT64_MAX, "x").error, EINVAL);
    EXPECT_EQ(posix::ListFolder(-1, "y").status.path, "y");
    EXPECT_EQ(posix::StatPath(missing.c_str(), false).status.error, ENOENT);
    EXPECT_EQ(posix::Close(-1).error, EBADF);
    EXPECT_EQ(posix::Seek(-1, 0, SEEK_SET).status.error, EBADF);
}

}  // namespace
