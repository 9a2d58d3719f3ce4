#include <gtest/gtest.h>
#include <zlib.h>

#include "compress/crc32_kernels.h"
#include "compress_fixtures.h"
#include "io_test_support.h"
#include "tesk/settings_file.h"

using namespace TeskUtility;
using compress_fixtures::RandomBytes;

// zlib complements the register on the way in and out; ours is left as it is.
static std::uint32_t Reference(const std::string& s, std::size_t start, std::size_t n, std::uint32_t reg) {
    return ~crc32(~reg, reinterpret_cast<const Bytef*>(s.data() + start), static_cast<uInt>(n));
}

TEST(Crc32, CheckValuesAndChainedCalls) {
    EXPECT_EQ(Crc32("123456789", 9, 0xFFFFFFFFu), 0x340BC6D9u);  // ~0xCBF43926
    EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog", 43, 0xFFFFFFFFu), ~0x414FA339u);
    EXPECT_EQ(Crc32("", 0, 0x12345678u), 0x12345678u);
    EXPECT_EQ(Crc32(nullptr, 0, 0x12345678u), 0x12345678u);
    const std::string data = RandomBytes(1 << 20);
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    const std::uint32_t first = Crc32(p, 333333, 0xFFFFFFFFu);
    EXPECT_EQ(Crc32(p + 333333, static_cast<std::uint32_t>(data.size() - 333333), first),
              Reference(data, 0, data.size(), 0xFFFFFFFFu));
}

// Every length around the kernels' steps (8-byte slices, 16-byte folds, 64-byte
// blocks), every alignment, odd registers: each kernel equals the plain update.
TEST(Crc32, KernelsAgreeAtEveryLengthAndAlignment) {
    const std::string data = RandomBytes(1200);
    const bool clmul = detail::Crc32ClmulAvailable();
    for (std::size_t offset = 0; offset < 8; ++offset) {
        for (std::size_t length = 0; length + offset <= 1100; length += (length < 300 ? 1 : 37)) {
            const auto* p = reinterpret_cast<const unsigned char*>(data.data() + offset);
            const std::uint32_t start = 0x9E3779B9u * static_cast<std::uint32_t>(length + offset);
            const std::uint32_t want = Reference(data, offset, length, start);
            ASSERT_EQ(detail::Crc32Portable(p, length, start), want) << length << "@" << offset;
            ASSERT_EQ(Crc32(p, static_cast<std::uint32_t>(length), start), want) << length << "@" << offset;
            if (clmul && length >= detail::kCrc32ClmulMinLength) {
                ASSERT_EQ(detail::Crc32Clmul(p, length, start), want) << length << "@" << offset;
            }
        }
    }
}

TEST(Crc32File, CoversTheRangeClippedToTheEndAndKeepsThePosition) {
    TempDir dir;
    const std::string data = RandomBytes(300000);
    CFile file(dir.Write("data", data), CFile::modeRead);
    file.Seek(1234, CFile::begin);
    struct Range { std::uint64_t start, count; std::size_t covered; };  // covered: bytes from start on
    const std::size_t n = data.size();
    for (const Range& r : {Range{0, n, n}, Range{17, 200000, 200000}, Range{n - 10, 1000, 10},
                           Range{5, ~0ull, n - 5}, Range{n, 5, 0}, Range{100, 0, 0}, Range{n + 1, 10, 0}}) {
        const std::uint32_t want = Reference(data, std::min<std::size_t>(r.start, n), r.covered, 0xABCDEF01u);
        EXPECT_EQ(Crc32File(&file, r.start, r.count, 0xABCDEF01u), want) << r.start << "+" << r.count;
        EXPECT_EQ(file.GetPosition(), 1234u);
    }
    EXPECT_EQ(Crc32File(nullptr, 0, 10, 0xABCDEF01u), 0xABCDEF01u);
}
