#include <gtest/gtest.h>

#include <vector>

#include "temp_dir.h"
#include "tesk/settings_memfile.h"
#include "tesk/settings_string_io.h"

namespace {

using namespace TeskUtility;

// A loading archive over a copy of `bytes`.
struct Loaded {
    explicit Loaded(const std::string& bytes) : data(bytes.begin(), bytes.end()), mem(data.data(), Size()), ar(mem, CArchive::load) {}
    unsigned Size() const { return static_cast<unsigned>(data.size()); }
    std::vector<unsigned char> data;
    CMemFile mem;
    CArchive ar;
};

std::string Utf16Bytes(const std::u16string& text) {
    std::string bytes;
    for (char16_t u : text) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

struct LineCase {
    const char* name;
    std::string input;
    std::vector<std::pair<std::string, int>> reads;  // line and flag, in order
};

std::vector<LineCase> ArchiveLineCases() {
    const std::string x300(300, 'x');
    const std::string y128(128, 'y');
    const std::string z127(127, 'z');
    return {
        {"crlf", "ab\r\ncd", {{"ab", 1}, {"cd", 1}, {"", 0}}},
        {"unit after cr stays", "ab\rcd\n", {{"abc", 1}, {"d", 1}, {"", 0}}},
        {"lf", "ab\n\ncd\n", {{"ab", 1}, {"", 1}, {"cd", 1}, {"", 0}}},
        {"cr at the very end", "ab\r", {{"ab", 1}, {"", 0}}},
        {"lone cr", "\r", {{"", 1}, {"", 0}}},
        {"empty", "", {{"", 0}}},
        {"300 characters", x300 + "\r\n" + x300, {{x300, 1}, {x300, 1}, {"", 0}}},
        {"128 then lf", y128 + "\n", {{y128, 1}, {"", 0}}},
        {"127 then crlf", z127 + "\r\n", {{z127, 1}, {"", 0}}},
        // A full chunk that meets the end reports the end, keeping the text.
        {"128 at the end", y128, {{y128, 0}}},
        {"embedded nul kept", std::string("a\0b\n", 4), {{std::string("a\0b", 3), 1}}},
    };
}

TEST(ArchiveReadString, NarrowStringForm) {
    for (const LineCase& c : ArchiveLineCases()) {
        SCOPED_TRACE(c.name);
        Loaded in(c.input);
        for (const auto& [line, flag] : c.reads) {
            std::string got = "junk";
            EXPECT_EQ(ArchiveReadStringA(in.ar, got), flag);
            EXPECT_EQ(got, line);
        }
    }
}

TEST(ArchiveReadString, WideStringForm) {
    for (const LineCase& c : ArchiveLineCases()) {
        SCOPED_TRACE(c.name);
        Loaded in(Utf16Bytes(std::u16string(c.input.begin(), c.input.end())));
        for (const auto& [line, flag] : c.reads) {
            std::u16string got = u"junk";
            EXPECT_EQ(ArchiveReadStringW(in.ar, got), flag);
            EXPECT_EQ(got, std::u16string(line.begin(), line.end()));
        }
    }
}

TEST(ArchiveReadString, BufferForm) {
    struct Case {
        std::string input;
        int max;  // negative keeps the line end
        const char* want;  // null: null result
    } cases[] = {
        {"abc\r\nd", 10, "abc"},
        {"abc\r\nd", -10, "abc\n"},
        {"abc\rxd", -10, "abcx"},
        {"abcdef", 3, "abc"},
        {"abcdef", -3, "abc"},
        {"ab", 10, "ab"},
        {"", 10, nullptr},
        {"abc", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(c.input) << " max " << c.max);
        Loaded in(c.input);
        char buf[16];
        const char* got = ArchiveReadStringA(in.ar, buf, static_cast<unsigned>(c.max));
        if (!c.want) {
            EXPECT_EQ(got, nullptr);
        } else {
            ASSERT_EQ(got, buf);
            EXPECT_STREQ(got, c.want);
        }
    }
    Loaded in("abc");
    EXPECT_EQ(ArchiveReadStringA(in.ar, nullptr, 4), nullptr);
    EXPECT_EQ(ArchiveReadStringW(in.ar, nullptr, 4), nullptr);
    char16_t wide[8];
    Loaded w(Utf16Bytes(u"\u4E2D\r\n"));
    EXPECT_EQ(std::u16string(ArchiveReadStringW(w.ar, wide, static_cast<unsigned>(-7))), u"\u4E2D\n");
}

TEST(ArchiveReadString, OtherArchiveErrorsPropagate) {
    CMemFile mem;
    CArchive storing(mem, CArchive::store);
    std::string line;
    EXPECT_THROW(ArchiveReadStringA(storing, line), CArchiveException);
}

TEST(ArchiveWriteString, WritesUnitsWithoutTerminator) {
    CMemFile mem;
    {
        CArchive ar(mem, CArchive::store);
        ArchiveWriteStringA(ar, "k\n");
        ArchiveWriteStringA(ar, nullptr);
        ArchiveWriteStringW(ar, u"\u4E2Dv");
        ArchiveWriteStringW(ar, nullptr);
    }
    std::string bytes(mem.GetLength(), '\0');
    mem.SeekToBegin();
    mem.Read(bytes.data(), static_cast<unsigned>(bytes.size()));
    EXPECT_EQ(bytes, std::string("k\n\x2D\x4Ev\0", 6));
}

TEST(StdioFileString, FreeFunctionsRoundTrip) {
    TempDir dir;
    {
        CStdioFile out(dir.File("t.txt"), CFile::modeCreate | CFile::modeWrite);
        StdioFileWriteStringA(out, "[S]\na=1\n");
        EXPECT_THROW(StdioFileWriteStringA(out, nullptr), CInvalidArgException);
        CStdioFile wout(dir.File("w.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        StdioFileWriteStringW(wout, u"[S]\na=1\n");
    }
    EXPECT_EQ(dir.Read("t.txt"), "[S]\r\na=1\r\n");
    EXPECT_EQ(dir.Read("w.txt"), Utf16Bytes(u"[S]\na=1\n"));
    CStdioFile in(dir.File("t.txt"), CFile::modeRead);
    std::string line;
    EXPECT_EQ(StdioFileReadStringA(in, line), 1);
    EXPECT_EQ(line, "[S]");
    char buf[8];
    EXPECT_STREQ(StdioFileReadStringA(in, buf, 8), "a=1\n");
    EXPECT_EQ(StdioFileReadStringA(in, line), 0);
    CStdioFile win(dir.File("w.txt"), CFile::modeRead);
    std::u16string wline;
    EXPECT_EQ(StdioFileReadStringW(win, wline), 1);
    EXPECT_EQ(wline, u"[S]");
    char16_t wbuf[8];
    EXPECT_EQ(std::u16string(StdioFileReadStringW(win, wbuf, 8)), u"a=1\n");
    EXPECT_EQ(StdioFileReadStringW(win, wbuf, 8), nullptr);
}

}  // namespace
