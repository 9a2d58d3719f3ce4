#include <gtest/gtest.h>

#include <vector>

#include "io_test_support.h"
#include "tesk/settings_memfile.h"
#include "tesk/settings_string_io.h"

namespace {

using namespace TeskUtility;

// A loading archive over a copy of `bytes`.
struct Loaded {
    explicit Loaded(const std::string& bytes)
        : data(bytes.begin(), bytes.end()), mem(data.data(), static_cast<unsigned>(data.size())), ar(mem, CArchive::load) {}
    std::vector<unsigned char> data;
    CMemFile mem;
    CArchive ar;
};

// Successive whole-line reads, narrow and as UTF-16LE: each line with its flag; then the
// buffer form and the writers.
TEST(ArchiveString, ReadsAndWrites) {
    const std::string x300(300, 'x'), y128(128, 'y'), z127(127, 'z');
    using Reads = std::vector<std::pair<std::string, int>>;
    const struct { const char* name; std::string input; Reads reads; } cases[] = {
        {"crlf", "ab\r\ncd", {{"ab", 1}, {"cd", 1}, {"", 0}}},
        {"unit after cr stays", "ab\rcd\n", {{"abc", 1}, {"d", 1}, {"", 0}}},
        {"lf", "ab\n\ncd\n", {{"ab", 1}, {"", 1}, {"cd", 1}, {"", 0}}},
        {"cr at the very end", "ab\r", {{"ab", 1}, {"", 0}}}, {"lone cr", "\r", {{"", 1}, {"", 0}}},
        {"empty", "", {{"", 0}}}, {"300 characters", x300 + "\r\n" + x300, {{x300, 1}, {x300, 1}, {"", 0}}},
        {"128 then lf", y128 + "\n", {{y128, 1}, {"", 0}}},
        {"127 then crlf", z127 + "\r\n", {{z127, 1}, {"", 0}}},
        // A full chunk that meets the end reports the end, keeping the text.
        {"128 at the end", y128, {{y128, 0}}},
        {"embedded nul kept", std::string("a\0b\n", 4), {{std::string("a\0b", 3), 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded narrow(c.input);
        Loaded wide(Utf16Bytes(std::u16string(c.input.begin(), c.input.end())));
        for (const auto& [line, flag] : c.reads) {
            std::string got = "junk";
            std::u16string wgot = u"junk";
            EXPECT_EQ(ArchiveReadStringA(narrow.ar, got), flag);
            EXPECT_EQ(got, line);
            EXPECT_EQ(ArchiveReadStringW(wide.ar, wgot), flag);
            EXPECT_EQ(wgot, std::u16string(line.begin(), line.end()));
        }
    }

    // The buffer form: max < 0 keeps the line end; a null want is a null result.
    const struct { std::string input; int max; const char* want; } buffers[] = {
        {"abc\r\nd", 10, "abc"}, {"abc\r\nd", -10, "abc\n"}, {"abc\rxd", -10, "abcx"}, {"abcdef", 3, "abc"},
        {"abcdef", -3, "abc"},   {"ab", 10, "ab"},           {"", 10, nullptr},         {"abc", 0, ""},
    };
    for (const auto& c : buffers) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(c.input) << " max " << c.max);
        Loaded in(c.input);
        char buf[16];
        const char* got = ArchiveReadStringA(in.ar, buf, static_cast<unsigned>(c.max));
        EXPECT_EQ(got, c.want ? buf : nullptr);
        EXPECT_STREQ(got, c.want);
    }
    Loaded in("abc");
    EXPECT_EQ(ArchiveReadStringA(in.ar, nullptr, 4), nullptr);
    EXPECT_EQ(ArchiveReadStringW(in.ar, nullptr, 4), nullptr);
    char16_t wide[8];
    Loaded w(Utf16Bytes(u"\u4E2D\r\n"));
    EXPECT_EQ(std::u16string(ArchiveReadStringW(w.ar, wide, static_cast<unsigned>(-7))), u"\u4E2D\n");
    // Errors other than the end pass through; the writers put down units without a terminator.
    CMemFile mem;
    CArchive storing(mem, CArchive::store);
    std::string line;
    EXPECT_THROW(ArchiveReadStringA(storing, line), CArchiveException);
    ArchiveWriteStringA(storing, "k\n");
    ArchiveWriteStringA(storing, nullptr);
    ArchiveWriteStringW(storing, u"\u4E2Dv");
    ArchiveWriteStringW(storing, nullptr);
    storing.Close();
    std::string bytes(mem.GetLength(), '\0');
    mem.SeekToBegin();
    mem.Read(bytes.data(), static_cast<unsigned>(bytes.size()));
    EXPECT_EQ(bytes, std::string("k\n\x2D\x4Ev\0", 6));
}

}  // namespace
