#include <gtest/gtest.h>

#include "compress_fixtures.h"
#include "io_test_support.h"
#include "tesk/settings_file.h"

using namespace TeskUtility;

static std::string Header(const char* checkValue) { return std::string("TESK") + std::string(checkValue, 4); }

TEST(ConfigHeader, WriterGoesThroughReservedFilledSealed) {
    TempDir dir;
    const std::string path = dir.Write("setting.cfg", "old!");  // the header overwrites in place
    CFile f(path, CFile::modeReadWrite);
    ASSERT_EQ(PrepareConfigHeader(&f), 1);
    EXPECT_EQ(f.GetPosition(), 8u);
    EXPECT_EQ(dir.Read("setting.cfg"), Header("\xFF\xFF\xFF\xFF"));
    EXPECT_EQ(VerifyConfig(&f), 1) << "FF FF FF FF is the check value of empty content";

    f.Write("123456789", 9);
    EXPECT_EQ(VerifyConfig(&f), 0) << "filled, not yet sealed";
    EXPECT_EQ(f.GetPosition(), 8u);

    f.Seek(3, CFile::begin);
    ASSERT_EQ(ChecksumConfig(&f), 1);
    EXPECT_EQ(f.GetPosition(), 3u);
    EXPECT_EQ(dir.Read("setting.cfg"), Header("\xD9\xC6\x0B\x34") + "123456789");
    EXPECT_EQ(VerifyConfig(&f), 1);
    EXPECT_EQ(f.GetPosition(), 8u);

    // Content over several read chunks is sealed whole, and a change in a late chunk is caught.
    const std::string more = compress_fixtures::RandomBytes(3 * 4096 + 5);
    f.SeekToEnd();
    f.Write(more.data(), static_cast<unsigned>(more.size()));
    ASSERT_EQ(ChecksumConfig(&f), 1);
    EXPECT_EQ(VerifyConfig(&f), 1);
    f.Seek(8 + 2 * 4096 + 1, CFile::begin);
    f.Write("\x00\x01", 2);
    EXPECT_EQ(VerifyConfig(&f), 0);
}

TEST(ConfigHeader, OnlyTheCheckValueAndTheContentDecide) {
    const struct { std::size_t offset; char value; int verifies; } cases[] = {
        {8, '1', 1}, {0, 'X', 1}, {5, 0, 0}, {8, '0', 0}, {16, '8', 0}};
    for (const auto& c : cases) {
        TempDir dir;
        std::string bytes = Header("\xD9\xC6\x0B\x34") + "123456789";
        bytes[c.offset] = c.value;
        CFile f(dir.Write("setting.cfg", bytes), CFile::modeRead);
        EXPECT_EQ(VerifyConfig(&f), c.verifies) << "byte " << c.offset;
        EXPECT_EQ(f.GetPosition(), 8u);
    }
}

// Below 8 bytes nothing is sealed or verified; the header alone seals with the empty value.
TEST(ConfigHeader, ShortFilesAndTheHeaderAlone) {
    TempDir dir;
    CFile f(dir.Write("setting.cfg", "1234567"), CFile::modeReadWrite);
    EXPECT_EQ(ChecksumConfig(&f) + VerifyConfig(&f), 0);
    EXPECT_EQ(dir.Read("setting.cfg"), "1234567");
    EXPECT_EQ(PrepareConfigHeader(nullptr) + ChecksumConfig(nullptr) + VerifyConfig(nullptr), 0);
    CFile h(dir.Write("header.cfg", Header("\0\0\0\0")), CFile::modeReadWrite);
    ASSERT_EQ(ChecksumConfig(&h), 1);
    EXPECT_EQ(dir.Read("header.cfg"), Header("\xFF\xFF\xFF\xFF"));
}
