#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <vector>

#include "io_test_support.h"
#include "tesk/settings_file.h"
#include "tesk/settings_string_io.h"

namespace {

using namespace TeskUtility;
using FE = CFileException;
using File = CStdioFile;

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// Whole-line reads of the text on disk, narrow and as UTF-16LE; then 0 and the position at the end.
// The free-function names of the readers and writers are used in turn with the members.
TEST(CStdioFile, WholeLinesAcrossLineEnds) {
    const std::string x300(300, 'x'), y128(128, 'y');
    const struct { const char* name; std::string disk; std::vector<std::string> lines; } cases[] = {
        {"crlf", "ab\r\ncd", {"ab", "cd"}}, {"lf", "ab\ncd\n", {"ab", "cd"}},
        {"lone cr stays", "a\rb\r\n", {"a\rb"}}, {"lone newline", "\n", {""}},
        {"blank lines", "\r\n\r\nz", {"", "", "z"}}, {"empty file", "", {}},
        {"300 characters", x300 + "\r\n" + x300, {x300, x300}},
        {"nul stays in the line", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        {"chunk boundary", y128 + "\r\n" + y128, {y128, y128}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        CStdioFile narrow(dir.Write("n.txt", c.disk), CFile::modeRead | CFile::typeText);
        CStdioFile wide(dir.Write("w.txt", Utf16Bytes(Widen(c.disk))), CFile::modeRead);
        std::string line;
        std::u16string wline;
        for (const std::string& want : c.lines) {
            EXPECT_EQ(narrow.ReadString(line), 1);
            EXPECT_EQ(line, want);
            EXPECT_EQ(StdioFileReadStringW(wide, wline), 1);
            EXPECT_EQ(wline, Widen(want));
        }
        EXPECT_EQ(StdioFileReadStringA(narrow, line), 0);
        EXPECT_EQ(line, "");
        EXPECT_EQ(wide.ReadString(wline), 0);
        EXPECT_EQ(narrow.GetPosition(), c.disk.size());
        EXPECT_EQ(wide.GetPosition(), 2 * c.disk.size());
    }
}

TEST(CStdioFile, BufferFormAndRawReads) {
    TempDir dir;
    CStdioFile f(dir.Write("b.txt", "abcdef\r\ng"), CFile::modeRead);
    char buf[8];
    EXPECT_STREQ(f.ReadString(buf, 4), "abc");
    EXPECT_STREQ(StdioFileReadStringA(f, buf, 8), "def\n");
    EXPECT_EQ(f.GetPosition(), 8u);
    EXPECT_STREQ(f.ReadString(buf, 8), "g");
    EXPECT_EQ(StdioFileReadStringA(f, buf, 8), nullptr);
    EXPECT_THROW(f.ReadString(static_cast<char*>(nullptr), 8), CInvalidArgException);
    EXPECT_THROW(f.ReadString(static_cast<char16_t*>(nullptr), 8), CInvalidArgException);

    // A wide CR followed by another unit keeps both, and the position counts what was handed out.
    CStdioFile w(dir.Write("c.txt", Utf16Bytes(u"a\rb\n")), CFile::modeRead);
    char16_t wbuf[8];
    EXPECT_EQ(std::u16string(StdioFileReadStringW(w, wbuf, 3)), u"a\r");
    EXPECT_EQ(w.GetPosition(), 4u);
    EXPECT_EQ(std::u16string(w.ReadString(wbuf, 8)), u"b\n");

    // Raw reads take the bytes as text mode reads them; wide writes go out in 512-byte batches.
    const std::u16string wide(300, u'\u4E2D');  // more units than the writer's 512-byte batch
    for (const bool text : {true, false}) {
        SCOPED_TRACE(text);
        const unsigned type = text ? CFile::typeText : CFile::typeBinary;
        CStdioFile raw(dir.File("r.bin"), CFile::modeCreate | CFile::modeReadWrite | type);
        raw.WriteString("a\nb\rc");
        raw.WriteString(wide.c_str());
        EXPECT_EQ(raw.GetLength(), (text ? 6u : 5u) + 600u);
        raw.SeekToBegin();
        EXPECT_EQ(raw.Read(buf, 5), 5u);
        EXPECT_EQ(std::string(buf, 5), "a\nb\rc");
        EXPECT_EQ(raw.Read(buf, 0), 0u);
        EXPECT_THROW(raw.Read(nullptr, 1), CInvalidArgException);
        raw.Abort();
        EXPECT_FALSE(raw.IsOpen());
        EXPECT_EQ(dir.Read("r.bin").substr(text ? 6 : 5), Utf16Bytes(wide));
    }
}

TEST(CStdioFile, WritersTranslateLineFeedsInTextModeOnly) {
    TempDir dir;
    const struct { unsigned type; std::string narrowDisk, wideDisk; } cases[] = {
        {CFile::typeText, "a\r\nb\r\n", Utf16Bytes(u"a\r\nb\r\n")},
        {CFile::typeBinary, "a\nb\n", Utf16Bytes(u"a\nb\n")},
    };
    for (const auto& c : cases) {
        {
            CStdioFile f(dir.File("n.txt"), CFile::modeCreate | CFile::modeWrite | c.type);
            StdioFileWriteStringA(f, "a\n");
            f.Write("b\n", 2);
            EXPECT_THROW(f.WriteString(static_cast<const char*>(nullptr)), CInvalidArgException);
            CStdioFile w(dir.File("w.txt"), CFile::modeCreate | CFile::modeWrite | c.type);
            StdioFileWriteStringW(w, u"a\nb\n");
            EXPECT_THROW(w.WriteString(static_cast<const char16_t*>(nullptr)), CInvalidArgException);
        }
        EXPECT_EQ(dir.Read("n.txt"), c.narrowDisk);
        EXPECT_EQ(dir.Read("w.txt"), c.wideDisk);
    }
    // modeNoTruncate appends; opening again closes the first stream.
    {
        CStdioFile f(dir.File("n.txt"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        f.WriteString("c\n");
        ASSERT_EQ(f.Open(dir.File("n.txt"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite),
                  1);
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

// Every failure of a text file raises CFileException with a cause, errno and the path:
// closed files, a write-only stream read from, no room for a line, and a full disk (/dev/full).
TEST(CStdioFile, FailuresRaiseCauseAndErrno) {
    const std::string big(8192, 'x');
    const std::u16string wideBig(3000, u'x');
    char buf[8];
    const char* full = "/dev/full";
    // A null path is a closed file.
    using Op = std::function<void(File&)>;
    const struct { const char* name; const char* path; Op op; int cause, err; } cases[] = {
        {"read closed", nullptr, [&](File& f) { f.Read(buf, 1); }, FE::invalidFile, EBADF},
        {"write closed", nullptr, [](File& f) { f.Write("x", 1); }, FE::invalidFile, EBADF},
        {"seek closed", nullptr, [](File& f) { f.Seek(0, CFile::begin); }, FE::invalidFile, EBADF},
        {"position closed", nullptr, [](File& f) { f.GetPosition(); }, FE::invalidFile, EBADF},
        {"length closed", nullptr, [](File& f) { f.GetLength(); }, FE::invalidFile, EBADF},
        {"set length closed", nullptr, [](File& f) { f.SetLength(0); }, FE::invalidFile, EBADF},
        {"line closed", nullptr, [&](File& f) { f.ReadString(buf, 8); }, FE::invalidFile, EBADF},
        {"string closed", nullptr, [](File& f) { f.WriteString("x"); }, FE::diskFull, EBADF},
        {"read write-only", full, [&](File& f) { f.Read(buf, 1); }, FE::invalidFile, EBADF},
        {"zero capacity", full, [&](File& f) { f.ReadString(buf, 0); }, FE::genericException, EINVAL},
        {"narrow full", full, [&](File& f) { f.WriteString(big.c_str()); }, FE::diskFull, ENOSPC},
        {"wide full", full, [&](File& f) { f.WriteString(wideBig.c_str()); }, FE::diskFull, ENOSPC},
        {"raw full", full, [&](File& f) { f.Write(big.data(), 8192); }, FE::diskFull, ENOSPC},
        {"flush full", full, [](File& f) { f.WriteString("x"), f.Flush(); }, FE::diskFull, ENOSPC},
        {"close full", full, [](File& f) { f.WriteString("x"), f.Close(); }, FE::diskFull, ENOSPC},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CStdioFile f;
        ASSERT_TRUE(!c.path || f.Open(c.path, CFile::modeWrite));
        const CFileException e = Raised([&] { c.op(f); });
        EXPECT_EQ(e.m_cause, c.cause);
        EXPECT_EQ(e.m_lOsError, c.err);
        EXPECT_EQ(e.m_strFileName, c.path ? c.path : "");
        f.Flush();  // nothing pending: no second failure
    }
}

}  // namespace
