#include <gtest/gtest.h>

#include <vector>

#include "temp_dir.h"
#include "tesk/settings_file.h"

namespace {

std::string Utf16Bytes(const std::u16string& text) {
    std::string bytes;
    for (char16_t u : text) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

struct LineCase {
    const char* name;
    std::string disk;
    std::vector<std::string> lines;  // then the reader answers 0
};

std::vector<LineCase> LineCases() {
    const std::string x300(300, 'x');
    const std::string x128(128, 'y');
    return {
        {"crlf", "ab\r\ncd", {"ab", "cd"}},
        {"lf", "ab\ncd\n", {"ab", "cd"}},
        {"lone cr stays", "a\rb\r\n", {"a\rb"}},
        {"lone newline", "\n", {""}},
        {"blank lines", "\r\n\r\nz", {"", "", "z"}},
        {"empty file", "", {}},
        {"300 characters", x300 + "\r\n" + x300, {x300, x300}},
        {"chunk boundary", x128 + "\r\n" + x128, {x128, x128}},
    };
}

TEST(CStdioFile, NarrowLinesAcrossLineEnds) {
    for (const LineCase& c : LineCases()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        CStdioFile f(dir.Write("t.txt", c.disk), CFile::modeRead | CFile::typeText);
        std::string line;
        for (const std::string& want : c.lines) {
            EXPECT_EQ(f.ReadString(line), 1);
            EXPECT_EQ(line, want);
        }
        EXPECT_EQ(f.ReadString(line), 0);
        EXPECT_EQ(line, "");
        EXPECT_EQ(f.GetPosition(), c.disk.size());
    }
}

TEST(CStdioFile, WideLinesAcrossLineEnds) {
    for (const LineCase& c : LineCases()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string disk = Utf16Bytes(Widen(c.disk));
        CStdioFile f(dir.Write("w.txt", disk), CFile::modeRead);
        std::u16string line;
        for (const std::string& want : c.lines) {
            EXPECT_EQ(f.ReadString(line), 1);
            EXPECT_EQ(line, Widen(want));
        }
        EXPECT_EQ(f.ReadString(line), 0);
        EXPECT_EQ(f.GetPosition(), disk.size());
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

TEST(CStdioFile, WritersTranslateLineFeeds) {
    TempDir dir;
    struct Case {
        unsigned type;
        std::string narrowDisk;
        std::string wideDisk;
    } cases[] = {
        {CFile::typeText, "a\r\nb\r\n", Utf16Bytes(u"a\r\nb\r\n")},
        {CFile::typeBinary, "a\nb\n", Utf16Bytes(u"a\nb\n")},
    };
    for (const Case& c : cases) {
        {
            CStdioFile f(dir.File("n.txt"), CFile::modeCreate | CFile::modeWrite | c.type);
            f.WriteString("a\n");
            f.WriteString("b\n");
            EXPECT_THROW(f.WriteString(static_cast<const char*>(nullptr)), CInvalidArgException);
            CStdioFile w(dir.File("w.txt"), CFile::modeCreate | CFile::modeWrite | c.type);
            w.WriteString(u"a\nb\n");
            EXPECT_THROW(w.WriteString(static_cast<const char16_t*>(nullptr)), CInvalidArgException);
        }
        EXPECT_EQ(dir.Read("n.txt"), c.narrowDisk);
        EXPECT_EQ(dir.Read("w.txt"), c.wideDisk);
    }
}

TEST(CStdioFile, WideCrWithoutLfKeepsTheNextUnit) {
    TempDir dir;
    CStdioFile f(dir.Write("c.txt", Utf16Bytes(u"a\rb\n")), CFile::modeRead);
    char16_t buf[8];
    EXPECT_EQ(std::u16string(f.ReadString(buf, 3)), u"a\r");
    EXPECT_EQ(f.GetPosition(), 4u);
    EXPECT_EQ(std::u16string(f.ReadString(buf, 8)), u"b\n");
}

TEST(CStdioFile, AppendWhenNotTruncating) {
    TempDir dir;
    const std::string path = dir.Write("log.txt", "one\r\n");
    {
        CStdioFile f(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        f.WriteString("two\n");
    }
    EXPECT_EQ(dir.Read("log.txt"), "one\r\ntwo\r\n");
}

TEST(CStdioFile, ReadTranslatesLikeTheLineReader) {
    TempDir dir;
    CStdioFile f(dir.Write("r.txt", "a\r\nb\rc"), CFile::modeRead);
    char buf[16];
    EXPECT_EQ(f.Read(buf, sizeof buf), 5u);
    EXPECT_EQ(std::string(buf, 5), "a\nb\rc");
    EXPECT_EQ(f.GetLength(), 6u);
}

}  // namespace
