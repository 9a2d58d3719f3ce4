#include <gtest/gtest.h>

#include <cerrno>

#include "io_test_support.h"
#include "tesk/settings_file.h"

namespace {

using FE = CFileException;

TEST(CFile, OpenFailuresReportCauseAndErrno) {
    TempDir dir;
    const struct { std::string path; unsigned flags; int cause, err; } cases[] = {
        {dir.File("missing"), CFile::modeRead, FE::fileNotFound, ENOENT},
        {dir.File("no/such/dir/f"), CFile::modeCreate | CFile::modeWrite, FE::fileNotFound, ENOENT},
        {dir.File(""), CFile::modeRead, FE::accessDenied, EISDIR},
        {"", CFile::modeRead, FE::badPath, ENOENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const CFileException e = Raised([&] { CFile opened(c.path, c.flags); });
        EXPECT_EQ(e.m_cause, c.cause);
        EXPECT_EQ(e.m_lOsError, c.err);
        EXPECT_FALSE(e.GetErrorMessage().empty());
        CFile f;
        EXPECT_EQ(f.Open(c.path, c.flags), 0);
        EXPECT_FALSE(f.IsOpen());
    }
}

TEST(CFile, PositionAndLengthFollowEachCall) {
    TempDir dir;
    CFile f(dir.File("p.bin"), CFile::modeCreate | CFile::modeReadWrite);
    f.Write("0123456789", 10);
    EXPECT_EQ(f.GetPosition(), 10u);
    EXPECT_EQ(f.GetLength(), 10u);
    EXPECT_EQ(f.Seek(3, CFile::begin), 3u);
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 4), 4u);
    EXPECT_EQ(std::string(buf, 4), "3456");
    EXPECT_EQ(f.GetPosition(), 7u);
    EXPECT_EQ(f.Seek(-2, CFile::current), 5u);
    EXPECT_EQ(f.SeekToEnd(), 10u);
    EXPECT_EQ(f.Read(buf, 4), 0u);
    f.SetLength(4);
    EXPECT_EQ(f.GetLength(), 4u);
    f.SeekToBegin();
    EXPECT_EQ(f.Read(buf, 8), 4u);
    EXPECT_EQ(f.GetPosition(), 4u);
    EXPECT_THROW(f.Seek(-5, CFile::current), CFileException);
    // Past 4 GiB: positions are 64-bit.
    EXPECT_EQ(f.Seek(std::int64_t{5} << 30, CFile::begin), std::uint64_t{5} << 30);
    EXPECT_EQ(f.Read(buf, 0), 0u);
    f.Write(nullptr, 0);
    EXPECT_THROW(f.Read(nullptr, 1), CInvalidArgException);
    EXPECT_THROW(f.Write(nullptr, 1), CInvalidArgException);
    f.Flush();
    // Opening again closes the first file.
    ASSERT_EQ(f.Open(dir.File("q.bin"), CFile::modeCreate | CFile::modeWrite), 1);
    f.Close();
    EXPECT_FALSE(f.IsOpen());
    f.Close();
    f.Flush();
    EXPECT_THROW(f.Read(buf, 1), CFileException);
}

// Create truncates, but not with modeNoTruncate, and not when the sharing check refuses the open.
TEST(CFile, TruncationAndSharing) {
    TempDir dir;
    const std::string path = dir.Write("t.txt", "abcdef");
    {
        CFile f(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(f.GetLength(), 6u);
        f.Write("XY", 2);
    }
    EXPECT_EQ(dir.Read("t.txt"), "XYcdef");
    CFile reader(path, CFile::modeRead | CFile::shareDenyWrite), writer;
    EXPECT_EQ(reader.GetFileName(), "t.txt");
    EXPECT_EQ(writer.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive), 0);
    EXPECT_EQ(dir.Read("t.txt"), "XYcdef");
    reader.Close();
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(f.GetLength(), 0u);
    EXPECT_EQ(dir.Read("t.txt"), "");
    f.Close();

    constexpr unsigned R = CFile::modeRead, W = CFile::modeWrite, RW = CFile::modeReadWrite;
    constexpr unsigned DenyW = CFile::shareDenyWrite, DenyR = CFile::shareDenyRead;
    constexpr unsigned None = CFile::shareDenyNone, Excl = CFile::shareExclusive;
    const struct { unsigned first, second; bool secondOpens; } cases[] = {
        {R | DenyW, R | DenyW, true},   {R | DenyW, W | None, false},    {R | None, R | None, true},
        {R | None, W | Excl, false},    {W | Excl, R | None, false},     {R | DenyR, R | None, false},
        {R | DenyR, W | None, true},    {W | None, R | DenyW, false},    {RW | None, RW | None, true},
        {R, R, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.first << " then " << c.second);
        CFile a;
        ASSERT_EQ(a.Open(path, c.first), 1);
        CFile b;
        CFileException e;
        EXPECT_EQ(b.Open(path, c.second, &e), c.secondOpens ? 1 : 0);
        if (!c.secondOpens) {
            EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
            a.Close();
            EXPECT_EQ(b.Open(path, c.second), 1) << "the denial ends with the first open";
        }
    }
}

}  // namespace
