#include <gtest/gtest.h>

#include <algorithm>

#include "compress_fixtures.h"

using namespace TeskUtility;
using namespace compress_fixtures;

namespace {

struct BufferMethod { const char* name; BufferFn compress; BufferFn uncompress; };

constexpr unsigned char kGuard = 0xA5;

// The code, the whole capacity, and whether the capacity stayed and nothing was written behind it.
struct Outcome { EReturnCode rc; std::string bytes; bool intact; };

Outcome Call(BufferFn fn, const std::string& source, std::uint32_t capacity) {
    std::string out(capacity + 64, static_cast<char>(kGuard));
    std::uint32_t cap = capacity;
    const EReturnCode rc = fn(source.data(), static_cast<std::uint32_t>(source.size()), out.data(), &cap);
    const bool guard = std::all_of(out.begin() + capacity, out.end(), [](char c) { return c == char(kGuard); });
    return {rc, out.substr(0, capacity), guard && cap == capacity};
}

}  // namespace

class BufferRoundTrip : public ::testing::TestWithParam<std::tuple<BufferMethod, std::size_t>> {};

// The whole destination block goes back to the decoder: streams end themselves.
TEST_P(BufferRoundTrip, RestoresEveryByte) {
    const auto& [method, size] = GetParam();
    const std::string data = HalfCompressible(size);
    const Outcome packed = Call(method.compress, data, static_cast<std::uint32_t>(size + size / 2 + 1024));
    ASSERT_EQ(packed.rc, RC_OK);
    const Outcome unpacked = Call(method.uncompress, packed.bytes, static_cast<std::uint32_t>(size + 16));
    EXPECT_EQ(unpacked.rc, RC_OK);
    EXPECT_TRUE(unpacked.bytes.compare(0, size, data) == 0);
    EXPECT_TRUE(packed.intact && unpacked.intact);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, BufferRoundTrip,
    ::testing::Combine(::testing::Values(BufferMethod{"zlib", zlibCompress, zlibUncompress},
                                         BufferMethod{"RLE", RLECompress, RLEUncompress},
                                         BufferMethod{"Filtered", FilteredCompress, FilteredUncompress},
                                         BufferMethod{"Huffman", HuffmanCompress, HuffmanUncompress},
                                         BufferMethod{"gz", gzCompress, gzUncompress},
                                         BufferMethod{"gzc", gzcCompress, gzcUncompress},
                                         BufferMethod{"bzlib", bzlibCompress, bzlibUncompress}),
                       ::testing::Values(0, 1, 4096, 4097, 1 << 20)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::to_string(std::get<1>(info.param));
    });

// The ids are written to files: the code's first letter is the lowest byte.
TEST(CompressMethodIds, SpellTheirCodeInLittleEndianOrder) { EXPECT_EQ(CompressMethod_Zlib, 0x2035315Au); }

namespace {

std::string Plain() { return HalfCompressible(3000); }
std::string Zlib() { return ExactStream(zlibCompress, Plain()); }
std::string Gzip() { return ExactStream(gzCompress, Plain()); }
std::string Bzip2() { return ExactStream(bzlibCompress, Plain()); }
std::string Half(std::string s) { return s.substr(0, s.size() / 2); }

struct ResultCase {
    const char* name; BufferFn fn; std::string (*source)(); std::uint32_t capacity; EReturnCode expected;
};

}  // namespace

class BufferResults : public ::testing::TestWithParam<ResultCase> {};

TEST_P(BufferResults, AnswerWithTheMethodsCode) {
    const auto& c = GetParam();
    const std::string source = c.source();
    const Outcome o = Call(c.fn, source, c.capacity);
    EXPECT_EQ(o.rc, c.expected);
    EXPECT_TRUE(o.intact);
    if (c.expected == RC_OK) {
        EXPECT_EQ(o.bytes.substr(0, 3000), Plain());
    }
}

// A truncated zlib stream leaves inflate asking for more input: zlib's own -5.
INSTANTIATE_TEST_SUITE_P(
    Cases, BufferResults,
    ::testing::Values(
        ResultCase{"zlib_short", zlibCompress, Plain, 100, RC_BUFFER_ERROR},
        ResultCase{"zlib_zero", zlibCompress, Plain, 0, RC_MEMORY_ERROR},
        ResultCase{"gzc_zero", gzcCompress, Plain, 0, RC_MEMORY_ERROR},
        ResultCase{"bzlib_short", bzlibCompress, Plain, 100, RC_FAILED},
        ResultCase{"bzlib_zero", bzlibCompress, Plain, 0, RC_BUFFER_ERROR},
        ResultCase{"unzlib_short", zlibUncompress, Zlib, 2999, RC_BUFFER_ERROR},
        ResultCase{"unzlib_zero", zlibUncompress, Zlib, 0, RC_MEMORY_ERROR},
        ResultCase{"unbzlib_short", bzlibUncompress, Bzip2, 2999, RC_FAILED},
        ResultCase{"unbzlib_zero", bzlibUncompress, Bzip2, 0, RC_BUFFER_ERROR},
        ResultCase{"rle_by_zlib", zlibUncompress, [] { return ExactStream(RLECompress, Plain()); }, 3000, RC_OK},
        ResultCase{"zlib_by_huffman", HuffmanUncompress, Zlib, 3000, RC_OK},
        ResultCase{"zlib_by_gz", gzUncompress, Zlib, 3000, RC_OK},
        ResultCase{"gz_by_zlib", zlibUncompress, Gzip, 3000, RC_DATA_ERROR},
        ResultCase{"gzc_by_zlib", zlibUncompress, [] { return ExactStream(gzcCompress, Plain()); }, 3000,
                   RC_DATA_ERROR},
        ResultCase{"bzlib_by_zlib", zlibUncompress, Bzip2, 3000, RC_DATA_ERROR},
        ResultCase{"zlib_by_bzlib", bzlibUncompress, Zlib, 3000, RC_FAILED},
        ResultCase{"zlib_check", zlibUncompress, [] { return CheckValueFlipped(Zlib()); }, 3000, RC_DATA_ERROR},
        ResultCase{"zlib_truncated", zlibUncompress, [] { return Half(Zlib()); }, 3000, RC_BUFFER_ERROR},
        ResultCase{"gz_check", gzUncompress, [] { return CheckValueFlipped(Gzip()); }, 3000, RC_DATA_ERROR},
        ResultCase{"gz_foreign", gzUncompress, [] { return RandomBytes(500); }, 3000, RC_DATA_ERROR},
        ResultCase{"bzlib_check", bzlibUncompress, [] { return CheckValueFlipped(Bzip2()); }, 3000, RC_DATA_ERROR},
        ResultCase{"bzlib_truncated", bzlibUncompress, [] { return Half(Bzip2()); }, 3000, RC_FAILED},
        ResultCase{"bzlib_foreign", bzlibUncompress, [] { return RandomBytes(500); }, 3000, RC_FAILED},
        ResultCase{"needs_dictionary", zlibUncompress, DictionaryStream, 3000, RC_FAILED}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BufferArguments, MissingPointersGiveTheMethodsCode) {
    unsigned char src[16] = {}, dst[64];
    std::uint32_t cap = sizeof dst;
    for (BufferFn fn : {zlibCompress, RLECompress, FilteredCompress, HuffmanCompress, gzCompress, gzcCompress}) {
        EXPECT_EQ(fn(nullptr, sizeof src, dst, &cap), RC_MEMORY_ERROR);
        EXPECT_EQ(fn(src, sizeof src, dst, nullptr), RC_MEMORY_ERROR);
        EXPECT_EQ(fn(src, sizeof src, nullptr, &cap), RC_FAILED);  // zlib refuses the missing output
    }
    for (BufferFn fn : {zlibUncompress, gzUncompress, gzcUncompress}) {
        EXPECT_EQ(fn(src, sizeof src, nullptr, &cap), RC_MEMORY_ERROR);
        EXPECT_EQ(fn(src, sizeof src, dst, nullptr), RC_MEMORY_ERROR);
        EXPECT_EQ(fn(nullptr, sizeof src, dst, &cap), RC_FAILED);
    }
    for (BufferFn fn : {bzlibCompress, bzlibUncompress}) {
        EXPECT_EQ(fn(src, sizeof src, nullptr, &cap), RC_BUFFER_ERROR);
        EXPECT_EQ(fn(src, sizeof src, dst, nullptr), RC_BUFFER_ERROR);
        EXPECT_EQ(fn(nullptr, sizeof src, dst, &cap), RC_BUFFER_ERROR);
    }
    EXPECT_EQ(cap, sizeof dst);
}
