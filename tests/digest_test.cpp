#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tesk/util_digest.h"
#include "tests/io_test_support.h"
#include "util/base64.h"

using namespace TeskUtility;

struct Md5Case { std::string input; const char* digest; };

// RFC 1321 appendix A.5 test suite, plus lengths around the 56- and 64-byte padding edges.
TEST(Digest, Md5KnownAnswers) {
    const Md5Case cases[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"}, {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"}, {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
        {std::string(55, 'x'), "04364420E25C512FD958A70738AA8F72"},
        {std::string(56, 'x'), "668A72D5BA17F08E62DABCAFAD6DB14B"},
        {std::string(64, 'x'), "C1BB4F81D892B2D57947682AEB252456"},
    };
    for (const auto& c : cases) EXPECT_EQ(CalcMD5(c.input.data(), static_cast<std::uint32_t>(c.input.size())), c.digest)
        << "length " << c.input.size();
    EXPECT_EQ(CalcMD5(nullptr, 10), "");
}

// Any split of the input gives the one-call digest; Finish starts the stream over.
TEST(Digest, Md5StreamInPieces) {
    const std::string text(200, 'q');
    CMD5Stream md5;
    for (const std::size_t piece : {1u, 7u, 63u, 64u, 65u}) {
        for (std::size_t at = 0; at < text.size(); at += piece) md5.Update(text.data() + at, std::min(piece, text.size() - at));
        EXPECT_EQ(md5.Finish(), CalcMD5(text.data(), 200)) << piece;
    }
    EXPECT_EQ(md5.Finish(), "D41D8CD98F00B204E9800998ECF8427E");
}

struct BinToHexCase {
    std::uint32_t capacity;
    int lower;
    int result;
    const char* written;  // bytes expected in the 6-byte buffer pre-filled with '#'
};

TEST(Digest, BinToHexCapacityAndCase) {
    const unsigned char src[] = {0xAB, 0x01};
    const BinToHexCase cases[] = {
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
}

struct HexToBinCase { const char* text; std::uint32_t capacity; int result; std::vector<unsigned char> written; };

TEST(Digest, HexToBinTable) {
    const HexToBinCase cases[] = {
        {"aB01", 2, 1, {0xAB, 0x01}}, {"a1x2", 2, 0, {0xA1}}, {"abc", 2, 0, {}}, {"abcd", 1, 0, {}}, {"", 0, 1, {}},
        {"FfeE", 2, 1, {0xFF, 0xEE}}, {"0g", 1, 0, {}},
    };
    for (const auto& c : cases) {
        unsigned char buf[4] = {0x55, 0x55, 0x55, 0x55};
        const auto len = static_cast<std::uint32_t>(std::char_traits<char>::length(c.text));
        EXPECT_EQ(HexToBin(c.text, len, buf, c.capacity), c.result) << c.text;
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(buf[i], i < c.written.size() ? c.written[i] : 0x55) << c.text << " byte " << i;
    }
}

TEST(Digest, HexRoundTripsEveryByte) {
    unsigned char all[256];
    for (int i = 0; i < 256; ++i) all[i] = static_cast<unsigned char>(i);
    char hex[513];
    ASSERT_EQ(BinToHex(all, 256, hex, sizeof hex, 1), 1);
    unsigned char back[256];
    ASSERT_EQ(HexToBin(hex, 512, back, 256), 1);
    EXPECT_EQ(std::memcmp(all, back, 256), 0);
}

struct Base64Case {
    std::size_t length;  // of the input "abcabc..."
    std::string expected;
};

TEST(Digest, Base64LineLayout) {
    std::string line76;
    for (int i = 0; i < 19; ++i) line76 += "YWJj";
    const Base64Case cases[] = {
        {0, ""}, {1, "YQ=="}, {2, "YWI="}, {3, "YWJj"}, {4, "YWJjYQ=="}, {57, line76 + "\r\n"},
        {58, line76 + "\r\nYQ=="}, {60, line76 + "\r\nYWJj"}, {114, line76 + "\r\n" + line76 + "\r\n"},
        {116, line76 + "\r\n" + line76 + "\r\nYWI="},
    };
    for (const auto& c : cases) {
        std::string input;
        for (std::size_t i = 0; i < c.length; ++i) input += "abc"[i % 3];
        EXPECT_EQ(Base64EncodeLines(reinterpret_cast<const unsigned char*>(input.data()), input.size()), c.expected)
            << "length " << c.length;
    }
}

struct EncodeFileCase { std::string before; std::string after; };

TEST(Digest, SaveFileEncodeRewritesInPlace) {
    const EncodeFileCase cases[] = {
        {"abcd", "YWJjZAo="}, {"abcd\r\n", "YWJjZAo="}, {"abcd\n", "YWJjZAo="}, {"", ""}, {"a\r\nb\r\n", "YQpiCg=="},
        // 56 bytes plus the LF make 19 whole groups: the encoder's CR LF comes out as CR CR LF.
        {std::string(56, 'x') + "\r\n", "eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHgK\r\r\n"},
        // Longer text than its encoding: no tail of it stays behind.
        {"\r\n\r\n\r\n\r\nz\r\n", "CgoKCnoK"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const auto path = dir.Write("t.txt", c.before);
        ASSERT_EQ(SaveFileEncode(path), 1);
        EXPECT_EQ(dir.Read("t.txt"), c.after) << c.before;
    }
    EXPECT_EQ(SaveFileEncode(dir.File("missing.txt")), 0);
}
