#include <gtest/gtest.h>

#include "compress_fixtures.h"
#include "temp_dir.h"
#include "tesk/compress.h"
#include "tesk/settings_file.h"

using namespace TeskUtility;

namespace {

constexpr unsigned kReadWrite = CFile::modeReadWrite;
constexpr unsigned kCreate = CFile::modeCreate | CFile::modeReadWrite;

std::string Header(const char* checkValue) { return std::string("TESK") + std::string(checkValue, 4); }

}  // namespace

class ConfigHeader : public ::testing::Test {
protected:
    std::string Path() const { return dir_.File("setting.cfg"); }
    TempDir dir_;
};

TEST_F(ConfigHeader, WriterStatesReservedFilledSealed) {
    CFile f(Path(), kCreate);
    f.Write("old!", 4);  // the header overwrites in place
    ASSERT_EQ(PrepareConfigHeader(&f), 1);
    EXPECT_EQ(f.GetPosition(), 8u);
    EXPECT_EQ(dir_.Read("setting.cfg"), Header("\xFF\xFF\xFF\xFF"));
    EXPECT_EQ(VerifyConfig(&f), 1) << "reserved with empty content: FF FF FF FF is the empty check value";

    f.Seek(8, CFile::begin);
    f.Write("123456789", 9);
    EXPECT_EQ(VerifyConfig(&f), 0) << "filled, not yet sealed";
    EXPECT_EQ(f.GetPosition(), 8u);

    f.Seek(3, CFile::begin);
    ASSERT_EQ(ChecksumConfig(&f), 1);
    EXPECT_EQ(f.GetPosition(), 3u);
    EXPECT_EQ(dir_.Read("setting.cfg"), Header("\xD9\xC6\x0B\x34") + "123456789");
    EXPECT_EQ(VerifyConfig(&f), 1);
    EXPECT_EQ(f.GetPosition(), 8u);
}

struct TamperCase {
    const char* name;
    std::size_t offset;
    char value;
    int verifies;
};

class ConfigTamper : public ConfigHeader, public ::testing::WithParamInterface<TamperCase> {};

TEST_P(ConfigTamper, OnlyTheCheckValueAndContentCount) {
    const auto& c = GetParam();
    std::string bytes = Header("\xD9\xC6\x0B\x34") + "123456789";
    bytes[c.offset] = c.value;
    dir_.Write("setting.cfg", bytes);
    CFile f(Path(), kReadWrite);
    EXPECT_EQ(VerifyConfig(&f), c.verifies);
    EXPECT_EQ(f.GetPosition(), 8u);
}

INSTANTIATE_TEST_SUITE_P(Bytes, ConfigTamper,
                         ::testing::Values(TamperCase{"untouched", 8, '1', 1}, TamperCase{"magic", 0, 'X', 1},
                                           TamperCase{"check_value", 5, 0, 0}, TamperCase{"first_content", 8, '0', 0},
                                           TamperCase{"last_content", 16, '8', 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigHeader, ShortFilesAreNeitherSealedNorVerified) {
    dir_.Write("setting.cfg", "1234567");
    CFile f(Path(), kReadWrite);
    EXPECT_EQ(ChecksumConfig(&f), 0);
    EXPECT_EQ(VerifyConfig(&f), 0);
    EXPECT_EQ(dir_.Read("setting.cfg"), "1234567");
}

TEST_F(ConfigHeader, HeaderAloneSealsAsUnsealedValue) {
    dir_.Write("setting.cfg", Header("\x00\x00\x00\x00"));
    CFile f(Path(), kReadWrite);
    ASSERT_EQ(ChecksumConfig(&f), 1);
    EXPECT_EQ(dir_.Read("setting.cfg"), Header("\xFF\xFF\xFF\xFF"));
    EXPECT_EQ(VerifyConfig(&f), 1);
}

TEST_F(ConfigHeader, ContentAcrossManyChunksSealsAndTamperingIsCaught) {
    const std::string content = compress_fixtures::RandomBytes(3 * 4096 + 5);
    CFile f(Path(), kCreate);
    PrepareConfigHeader(&f);
    f.Write(content.data(), static_cast<unsigned>(content.size()));
    ASSERT_EQ(ChecksumConfig(&f), 1);
    EXPECT_EQ(f.GetPosition(), 8u + content.size());
    EXPECT_EQ(VerifyConfig(&f), 1);
    f.Seek(8 + 2 * 4096 + 1, CFile::begin);
    f.Write("\x00\x01", 2);
    EXPECT_EQ(VerifyConfig(&f), 0);
}

TEST(ConfigHeaderNull, MissingFileGivesZero) {
    EXPECT_EQ(PrepareConfigHeader(nullptr), 0);
    EXPECT_EQ(ChecksumConfig(nullptr), 0);
    EXPECT_EQ(VerifyConfig(nullptr), 0);
}
