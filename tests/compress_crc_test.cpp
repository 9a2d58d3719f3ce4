#include <gtest/gtest.h>
#include <zlib.h>

#include <limits>

#include "compress/crc32_kernels.h"
#include "compress_fixtures.h"
#include "temp_dir.h"
#include "tesk/compress.h"
#include "tesk/settings_file.h"

using namespace TeskUtility;
using compress_fixtures::RandomBytes;

namespace {

// Bit at a time, straight from the definition: no table shared with the library.
std::uint32_t Crc32Bitwise(const std::string& bytes, std::uint32_t crc) {
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int i = 0; i < 8; ++i) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return crc;
}

}  // namespace

struct CrcCase {
    const char* name;
    std::string bytes;
    std::uint32_t start;
    std::uint32_t expected;
};

class Crc32Values : public ::testing::TestWithParam<CrcCase> {};

TEST_P(Crc32Values, MatchTheStandardRegister) {
    const auto& c = GetParam();
    EXPECT_EQ(Crc32(c.bytes.data(), static_cast<std::uint32_t>(c.bytes.size()), c.start), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, Crc32Values,
    ::testing::Values(CrcCase{"check_string", "123456789", 0xFFFFFFFFu, 0x340BC6D9u},  // ~0xCBF43926
                      CrcCase{"empty_keeps_register", "", 0x12345678u, 0x12345678u},
                      CrcCase{"zero_register_zero_byte", std::string(1, '\0'), 0u, 0u},
                      CrcCase{"fox", "The quick brown fox jumps over the lazy dog", 0xFFFFFFFFu, ~0x414FA339u}),
    [](const auto& info) { return std::string(info.param.name); });

// Every length around the kernels' steps (8-byte slices, 16-byte folds, 64-byte
// blocks), every alignment, odd registers: the fast paths must equal the definition.
TEST(Crc32Kernels, AgreeWithTheBitwiseDefinition) {
    const std::string data = RandomBytes(1200);
    const bool clmul = detail::Crc32ClmulAvailable();
    for (std::size_t offset = 0; offset < 8; ++offset) {
        for (std::size_t length = 0; length + offset <= 1100; length += (length < 300 ? 1 : 37)) {
            const std::string slice = data.substr(offset, length);
            const auto* p = reinterpret_cast<const unsigned char*>(data.data() + offset);
            const std::uint32_t start = 0x9E3779B9u * static_cast<std::uint32_t>(length + offset);
            const std::uint32_t want = Crc32Bitwise(slice, start);
            ASSERT_EQ(detail::Crc32Portable(p, length, start), want) << length << "@" << offset;
            ASSERT_EQ(Crc32(p, static_cast<std::uint32_t>(length), start), want) << length << "@" << offset;
            if (clmul && length >= detail::kCrc32ClmulMinLength) {
                ASSERT_EQ(detail::Crc32Clmul(p, length, start), want) << length << "@" << offset;
            }
        }
    }
}

TEST(Crc32Kernels, ChainingEqualsOneCallAndMatchesZlib) {
    const std::string data = RandomBytes(1 << 20);
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    const std::uint32_t whole = Crc32(p, static_cast<std::uint32_t>(data.size()), 0xFFFFFFFFu);
    EXPECT_EQ(Crc32(p + 333333, static_cast<std::uint32_t>(data.size() - 333333), Crc32(p, 333333, 0xFFFFFFFFu)),
              whole);
    EXPECT_EQ(~whole, crc32(0, p, static_cast<uInt>(data.size())));
}

TEST(MakeI64, PacksWordsLowestFirstWithoutSignExtension) {
    static_assert(MakeI64(1, 2, 3, 4) == 0x0004000300020001);
    static_assert(MakeI64(0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF) == -1);
    static_assert(MakeI64(0xFFFF, 0, 0, 0) == 0xFFFF);
    static_assert(MakeI64(0, 0, 0, 0x8000) == std::numeric_limits<std::int64_t>::min());
    SUCCEED();
}

class Crc32FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = RandomBytes(300000);
        dir_.Write("data", data_);
        file_.Open(dir_.File("data"), CFile::modeRead);
        file_.Seek(1234, CFile::begin);
    }
    std::uint32_t Expected(std::size_t start, std::size_t count, std::uint32_t reg) const {
        return ~crc32(~reg, reinterpret_cast<const Bytef*>(data_.data() + start), static_cast<uInt>(count));
    }

    TempDir dir_;
    std::string data_;
    CFile file_;
};

TEST_F(Crc32FileTest, CoversTheRangeClippedToTheEndAndKeepsThePosition) {
    struct Range {
        std::uint64_t start, count;
        std::size_t coveredStart, coveredCount;
    };
    const std::size_t n = data_.size();
    for (const Range& r : {Range{0, n, 0, n}, Range{17, 200000, 17, 200000}, Range{n - 10, 1000, n - 10, 10},
                           Range{5, ~0ull, 5, n - 5}, Range{n, 5, n, 0}, Range{100, 0, 100, 0}}) {
        EXPECT_EQ(Crc32File(&file_, r.start, r.count, 0xFFFFFFFFu), Expected(r.coveredStart, r.coveredCount, ~0u))
            << r.start << "+" << r.count;
        EXPECT_EQ(file_.GetPosition(), 1234u);
    }
}

TEST_F(Crc32FileTest, StartBeyondTheEndOrNoFileReturnsTheRegister) {
    EXPECT_EQ(Crc32File(&file_, data_.size() + 1, 10, 0xABCDEF01u), 0xABCDEF01u);
    EXPECT_EQ(file_.GetPosition(), 1234u);
    EXPECT_EQ(Crc32File(nullptr, 0, 10, 0xABCDEF01u), 0xABCDEF01u);
}
