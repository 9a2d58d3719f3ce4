#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tesk/util_digest.h"
#include "tests/io_test_support.h"
#include "util/base64.h"

using namespace TeskUtility;

// RFC 1321 answers plus lengths around the 56- and 64-byte padding edges; any split of
// the input in a stream gives the one-call digest, and Finish starts the stream over.
TEST(Digest, Md5) {
    const std::pair<std::string, const char*> cases[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"}, {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
        {std::string(55, 'x'), "04364420E25C512FD958A70738AA8F72"},
        {std::string(56, 'x'), "668A72D5BA17F08E62DABCAFAD6DB14B"},
        {std::string(64, 'x'), "C1BB4F81D892B2D57947682AEB252456"},
    };
    for (const auto& [input, digest] : cases)
        EXPECT_EQ(CalcMD5(input.data(), static_cast<std::uint32_t>(input.size())), digest) << input.size();
    EXPECT_EQ(CalcMD5(nullptr, 10), "");
    const std::string text(200, 'q');
    CMD5Stream md5;
    for (const std::size_t piece : {1u, 7u, 63u, 64u, 65u}) {
        for (std::size_t at = 0; at < 200; at += piece) md5.Update(&text[at], std::min(piece, 200 - at));
        EXPECT_EQ(md5.Finish(), CalcMD5(text.data(), 200)) << piece;
    }
    EXPECT_EQ(md5.Finish(), "D41D8CD98F00B204E9800998ECF8427E");
}

TEST(Digest, BinToHexAndHexToBin) {
    const unsigned char src[] = {0xAB, 0x01};
    // Bytes expected in a 6-byte buffer pre-filled with '#'.
    const struct { std::uint32_t capacity; int lower, result; const char* written; } cases[] = {
        {4, 0, 1, "AB01##"}, {4, 1, 1, "ab01##"}, {5, 0, 1, "AB01\0#"}, {3, 0, 0, "######"},
    };
    for (const auto& c : cases) {
        char buf[6];
        std::fill(std::begin(buf), std::end(buf), '#');
        EXPECT_EQ(BinToHex(src, 2, buf, c.capacity, c.lower), c.result);
        EXPECT_EQ(std::string(buf, 6), std::string(c.written, 6)) << "capacity " << c.capacity;
    }
    char one = '#';
    EXPECT_EQ(BinToHex(src, 0, &one, 1, 0), 1);
    EXPECT_EQ(one, '\0');

    struct Case { std::string text; std::uint32_t cap; int result; std::vector<unsigned char> out; };
    const Case hexCases[] = {
        {"aB01", 2, 1, {0xAB, 0x01}}, {"a1x2", 2, 0, {0xA1}}, {"abc", 2, 0, {}}, {"abcd", 1, 0, {}},
        {"", 0, 1, {}}, {"FfeE", 2, 1, {0xFF, 0xEE}}, {"0g", 1, 0, {}},
    };
    for (const auto& c : hexCases) {
        unsigned char buf[4] = {0x55, 0x55, 0x55, 0x55};
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HexToBin(c.text.c_str(), std::uint32_t(c.text.size()), buf, c.cap), c.result);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(buf[i], i < c.out.size() ? c.out[i] : 0x55) << " byte " << i;
    }
    unsigned char all[256], back[256];
    for (int i = 0; i < 256; ++i) all[i] = static_cast<unsigned char>(i);
    char hex[513];
    ASSERT_EQ(BinToHex(all, 256, hex, sizeof hex, 1), 1);
    ASSERT_EQ(HexToBin(hex, 512, back, 256), 1);
    EXPECT_EQ(std::memcmp(all, back, 256), 0);
}

TEST(Digest, Base64LinesAndFileEncoding) {
    std::string line76;
    for (int i = 0; i < 19; ++i) line76 += "YWJj";
    const std::pair<std::size_t, std::string> cases[] = {  // length of the input "abcabc...", encoding
        {0, ""}, {1, "YQ=="}, {2, "YWI="}, {3, "YWJj"}, {4, "YWJjYQ=="}, {57, line76 + "\r\n"},
        {58, line76 + "\r\nYQ=="}, {60, line76 + "\r\nYWJj"}, {114, line76 + "\r\n" + line76 + "\r\n"},
        {116, line76 + "\r\n" + line76 + "\r\nYWI="},
    };
    for (const auto& [length, expected] : cases) {
        std::string input;
        for (std::size_t i = 0; i < length; ++i) input += "abc"[i % 3];
        const auto* bytes = reinterpret_cast<const unsigned char*>(input.data());
        EXPECT_EQ(Base64EncodeLines(bytes, length), expected) << length;
    }

    const std::pair<std::string, std::string> files[] = {
        {"abcd", "YWJjZAo="}, {"abcd\r\n", "YWJjZAo="}, {"abcd\n", "YWJjZAo="}, {"", ""},
        {"a\r\nb\r\n", "YQpiCg=="},
        // 56 bytes plus the LF make 19 whole groups: the encoder's CR LF comes out as CR CR LF.
        {std::string(56, 'x') + "\r\n",
         "eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHgK\r\r\n"},
        // Longer text than its encoding: no tail of it stays behind.
        {"\r\n\r\n\r\n\r\nz\r\n", "CgoKCnoK"},
    };
    TempDir dir;
    for (const auto& [before, after] : files) {
        ASSERT_EQ(SaveFileEncode(dir.Write("t.txt", before)), 1);
        EXPECT_EQ(dir.Read("t.txt"), after) << before;
    }
    EXPECT_EQ(SaveFileEncode(dir.File("missing.txt")), 0);
}
