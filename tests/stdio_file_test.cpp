#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <vector>

#include "io_test_support.h"
#include "tesk/settings_file.h"

namespace {

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// Whole-line reads of the text on disk, narrow and as UTF-16LE; then 0 and the position at the end.
TEST(CStdioFile, WholeLinesAcrossLineEnds) {
    const std::string x300(300, 'x'), y128(128, 'y');
    struct Case {
        const char* name;
        std::string disk;
        std::vector<std::string> lines;
    } cases[] = {
        {"crlf", "ab\r\ncd", {"ab", "cd"}},
        {"lf", "ab\ncd\n", {"ab", "cd"}},
        {"lone cr stays", "a\rb\r\n", {"a\rb"}},
        {"lone newline", "\n", {""}},
        {"blank lines", "\r\n\r\nz", {"", "", "z"}},
        {"empty file", "", {}},
        {"300 characters", x300 + "\r\n" + x300, {x300, x300}},
        {"nul stays in the line", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        {"chunk boundary", y128 + "\r\n" + y128, {y128, y128}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        CStdioFile narrow(dir.Write("n.txt", c.disk), CFile::modeRead | CFile::typeText);
        CStdioFile wide(dir.Write("w.txt", Utf16Bytes(Widen(c.disk))), CFile::modeRead);
        std::string line;
        std::u16string wline;
        for (const std::string& want : c.lines) {
            EXPECT_EQ(narrow.ReadString(line), 1);
            EXPECT_EQ(line, want);
            EXPECT_EQ(wide.ReadString(wline), 1);
            EXPECT_EQ(wline, Widen(want));
        }
        EXPECT_EQ(narrow.ReadString(line), 0);
        EXPECT_EQ(line, "");
        EXPECT_EQ(wide.ReadString(wline), 0);
        EXPECT_EQ(narrow.GetPosition(), c.disk.size());
        EXPECT_EQ(wide.GetPosition(), 2 * c.disk.size());
    }
}

TEST(CStdioFile, BufferFormStopsAtNewlineOrWhenFull) {
    TempDir dir;
    CStdioFile f(dir.Write("b.txt", "abcdef\r\ng"), CFile::modeRead);
    char buf[8];
    EXPECT_STREQ(f.ReadString(buf, 4), "abc");
    EXPECT_STREQ(f.ReadString(buf, 8), "def\n");
    EXPECT_EQ(f.GetPosition(), 8u);
    EXPECT_STREQ(f.ReadString(buf, 8), "g");
    EXPECT_EQ(f.ReadString(buf, 8), nullptr);
    EXPECT_THROW(f.ReadString(static_cast<char*>(nullptr), 8), CInvalidArgException);
    EXPECT_THROW(f.ReadString(static_cast<char16_t*>(nullptr), 8), CInvalidArgException);

    // A wide CR followed by another unit keeps both, and the position counts what was handed out.
    CStdioFile w(dir.Write("c.txt", Utf16Bytes(u"a\rb\n")), CFile::modeRead);
    char16_t wbuf[8];
    EXPECT_EQ(std::u16string(w.ReadString(wbuf, 3)), u"a\r");
    EXPECT_EQ(w.GetPosition(), 4u);
    EXPECT_EQ(std::u16string(w.ReadString(wbuf, 8)), u"b\n");
}

TEST(CStdioFile, ZeroCapacityRaisesFileError) {
    TempDir dir;
    CStdioFile f(dir.Write("z.txt", "abc"), CFile::modeRead);
    char buf[1];
    try {
        f.ReadString(buf, 0);
        ADD_FAILURE() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::genericException);
        EXPECT_EQ(e.m_strFileName, dir.File("z.txt"));
    }
}

TEST(CStdioFile, WritersTranslateLineFeedsInTextModeOnly) {
    TempDir dir;
    struct Case {
        unsigned type;
        std::string narrowDisk, wideDisk;
    } cases[] = {
        {CFile::typeText, "a\r\nb\r\n", Utf16Bytes(u"a\r\nb\r\n")},
        {CFile::typeBinary, "a\nb\n", Utf16Bytes(u"a\nb\n")},
    };
    for (const Case& c : cases) {
        {
            CStdioFile f(dir.File("n.txt"), CFile::modeCreate | CFile::modeWrite | c.type);
            f.WriteString("a\n");
            f.Write("b\n", 2);
            EXPECT_THROW(f.WriteString(static_cast<const char*>(nullptr)), CInvalidArgException);
            CStdioFile w(dir.File("w.txt"), CFile::modeCreate | CFile::modeWrite | c.type);
            w.WriteString(u"a\nb\n");
            EXPECT_THROW(w.WriteString(static_cast<const char16_t*>(nullptr)), CInvalidArgException);
        }
        EXPECT_EQ(dir.Read("n.txt"), c.narrowDisk);
        EXPECT_EQ(dir.Read("w.txt"), c.wideDisk);
    }
    // modeNoTruncate appends; opening again closes the first stream.
    {
        CStdioFile f(dir.File("n.txt"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        f.WriteString("c\n");
        ASSERT_EQ(f.Open(dir.File("n.txt"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite), 1);
        f.WriteString("d");
        EXPECT_EQ(f.Seek(-3, CFile::end), 5u);
        EXPECT_EQ(f.Seek(1, CFile::current), 6u);
    }
    EXPECT_EQ(dir.Read("n.txt"), "a\nb\nc\r\nd");
    // An adopted stream is written through as it is.
    CStdioFile adopted(std::tmpfile());
    adopted.WriteString("x\n");
    EXPECT_EQ(adopted.GetLength(), 3u);
}

TEST(CStdioFile, RawReadsLengthAndAbort) {
    TempDir dir;
    const std::u16string wide(300, u'\u4E2D');  // more units than the writer's 512-byte batch
    for (const bool text : {true, false}) {
        SCOPED_TRACE(text);
        CStdioFile f(dir.File("r.bin"), CFile::modeCreate | CFile::modeReadWrite | (text ? 0u : CFile::typeBinary));
        f.WriteString("a\nb\rc");
        f.WriteString(wide.c_str());
        EXPECT_EQ(f.GetLength(), (text ? 6u : 5u) + 600u);
        f.SeekToBegin();
        char buf[8];
        EXPECT_EQ(f.Read(buf, 5), 5u);
        EXPECT_EQ(std::string(buf, 5), "a\nb\rc");
        EXPECT_EQ(f.Read(buf, 0), 0u);
        EXPECT_THROW(f.Read(nullptr, 1), CInvalidArgException);
        f.Abort();
        EXPECT_FALSE(f.IsOpen());
        EXPECT_EQ(dir.Read("r.bin").substr(text ? 6 : 5), Utf16Bytes(wide));
    }
}

// Every failure of a text file raises CFileException with a cause and errno:
// closed files, a write-only stream read from, and a full disk (/dev/full).
TEST(CStdioFile, FailuresRaiseCauseAndErrno) {
    const std::string big(8192, 'x');
    const std::u16string wideBig(3000, u'x');
    char buf[8];
    using Op = std::function<void(CStdioFile&)>;
    struct Case {
        const char* name;
        const char* path;  // null: a closed file
        Op op;
        int cause, err;
    } cases[] = {
        {"read closed", nullptr, [&](CStdioFile& f) { f.Read(buf, 1); }, CFileException::invalidFile, EBADF},
        {"write closed", nullptr, [](CStdioFile& f) { f.Write("x", 1); }, CFileException::invalidFile, EBADF},
        {"seek closed", nullptr, [](CStdioFile& f) { f.Seek(0, CFile::begin); }, CFileException::invalidFile, EBADF},
        {"position closed", nullptr, [](CStdioFile& f) { f.GetPosition(); }, CFileException::invalidFile, EBADF},
        {"length closed", nullptr, [](CStdioFile& f) { f.GetLength(); }, CFileException::invalidFile, EBADF},
        {"set length closed", nullptr, [](CStdioFile& f) { f.SetLength(0); }, CFileException::invalidFile, EBADF},
        {"line closed", nullptr, [&](CStdioFile& f) { f.ReadString(buf, 8); }, CFileException::invalidFile, EBADF},
        {"string closed", nullptr, [](CStdioFile& f) { f.WriteString("x"); }, CFileException::diskFull, EBADF},
        {"read write-only", "/dev/full", [&](CStdioFile& f) { f.Read(buf, 1); }, CFileException::invalidFile, EBADF},
        {"narrow full", "/dev/full", [&](CStdioFile& f) { f.WriteString(big.c_str()); }, CFileException::diskFull,
         ENOSPC},
        {"wide full", "/dev/full", [&](CStdioFile& f) { f.WriteString(wideBig.c_str()); }, CFileException::diskFull,
         ENOSPC},
        {"raw full", "/dev/full", [&](CStdioFile& f) { f.Write(big.data(), 8192); }, CFileException::diskFull, ENOSPC},
        {"flush full", "/dev/full", [](CStdioFile& f) { f.WriteString("x"), f.Flush(); }, CFileException::diskFull,
         ENOSPC},
        {"close full", "/dev/full", [](CStdioFile& f) { f.WriteString("x"), f.Close(); }, CFileException::diskFull,
         ENOSPC},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStdioFile f;
        if (c.path) {
            ASSERT_EQ(f.Open(c.path, CFile::modeWrite), 1);
        }
        try {
            c.op(f);
            ADD_FAILURE() << "no exception";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, c.cause);
            EXPECT_EQ(e.m_lOsError, c.err);
        }
        f.Flush();  // nothing pending: no second failure
        f.Abort();
    }
}

}  // namespace
