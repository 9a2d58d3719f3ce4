#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

#include "compress_fixtures.h"
#include "tesk/compress.h"

using namespace TeskUtility;
using compress_fixtures::HalfCompressible;
using compress_fixtures::RandomBytes;

namespace {

using BufferFn = EReturnCode (*)(const void*, std::uint32_t, void*, std::uint32_t*);

struct BufferMethod {
    const char* name;
    BufferFn compress;
    BufferFn uncompress;
};

const BufferMethod kBufferMethods[] = {
    {"zlib", zlibCompress, zlibUncompress},          {"RLE", RLECompress, RLEUncompress},
    {"Filtered", FilteredCompress, FilteredUncompress}, {"Huffman", HuffmanCompress, HuffmanUncompress},
    {"gz", gzCompress, gzUncompress},                {"gzc", gzcCompress, gzcUncompress},
    {"bzlib", bzlibCompress, bzlibUncompress},
};

constexpr unsigned char kGuard = 0xA5;

// The caller's whole destination block: streams carry their own end marker, so
// the bytes behind it are handed back to the decoder as they are.
std::string PackedBlock(BufferFn compress, const std::string& data) {
    std::string out(data.size() + data.size() / 2 + 1024, '\x5A');
    std::uint32_t cap = static_cast<std::uint32_t>(out.size());
    EXPECT_EQ(compress(data.data(), static_cast<std::uint32_t>(data.size()), out.data(), &cap), RC_OK);
    EXPECT_EQ(cap, out.size()) << "the capacity is never written";
    return out;
}

// The stream alone. The buffer API does not report lengths, so the length is the
// smallest capacity that still succeeds.
std::string PackedExact(BufferFn compress, const std::string& data) {
    const std::string block = PackedBlock(compress, data);
    std::uint32_t lo = 1, hi = static_cast<std::uint32_t>(block.size());
    while (lo < hi) {
        std::uint32_t mid = lo + (hi - lo) / 2;
        std::string probe(mid, '\0');
        if (compress(data.data(), static_cast<std::uint32_t>(data.size()), probe.data(), &mid) == RC_OK) hi = mid;
        else lo = mid + 1;
    }
    return block.substr(0, lo);
}

struct Decoded {
    EReturnCode rc;
    std::string bytes;   // the first `expected` bytes of the destination
    bool guardIntact;    // nothing written behind the capacity
};

Decoded Unpack(BufferFn uncompress, const std::string& packed, std::uint32_t capacity, std::size_t expected) {
    std::vector<unsigned char> out(capacity + 64, kGuard);
    std::uint32_t cap = capacity;
    Decoded d;
    d.rc = uncompress(packed.data(), static_cast<std::uint32_t>(packed.size()), out.data(), &cap);
    EXPECT_EQ(cap, capacity) << "the capacity is never written";
    d.bytes.assign(reinterpret_cast<const char*>(out.data()), std::min<std::size_t>(expected, capacity));
    d.guardIntact = std::all_of(out.begin() + capacity, out.end(), [](unsigned char c) { return c == kGuard; });
    return d;
}

}  // namespace

class BufferRoundTrip : public ::testing::TestWithParam<std::tuple<BufferMethod, std::size_t>> {};

TEST_P(BufferRoundTrip, RestoresEveryByte) {
    const auto& [method, size] = GetParam();
    const std::string data = HalfCompressible(size);
    const std::string packed = PackedBlock(method.compress, data);
    const Decoded d = Unpack(method.uncompress, packed, static_cast<std::uint32_t>(size + 16), size);
    EXPECT_EQ(d.rc, RC_OK);
    EXPECT_TRUE(d.bytes == data);
    EXPECT_TRUE(d.guardIntact);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BufferRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kBufferMethods),
                                            ::testing::Values(0, 1, 4096, 4097, 1 << 20)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST(CompressMethodIds, SpellTheirCodeInLittleEndianOrder) {
    EXPECT_EQ(CompressMethod_Zlib, 0x2035315Au);
    EXPECT_EQ(CompressMethod_Gzip, 0x20205A47u);
    EXPECT_EQ(CompressMethod_RawDeflate, 0x20435A47u);
    EXPECT_EQ(CompressMethod_RLE, 0x20454C52u);
    EXPECT_EQ(CompressMethod_Filtered, 0x544C4946u);
    EXPECT_EQ(CompressMethod_Huffman, 0x4D465548u);
    EXPECT_EQ(CompressMethod_Bzip2, 0x20205A42u);
    EXPECT_EQ(CompressMethod_Raw, 0x20574152u);
}

struct CrossCase {
    const char* name;
    BufferFn compress;
    BufferFn uncompress;
    EReturnCode expected;
};

class BufferCrossDecoding : public ::testing::TestWithParam<CrossCase> {};

TEST_P(BufferCrossDecoding, FollowsTheStreamFormat) {
    const auto& c = GetParam();
    const std::string data = HalfCompressible(5000);
    const Decoded d = Unpack(c.uncompress, PackedExact(c.compress, data), 6000, data.size());
    EXPECT_EQ(d.rc, c.expected);
    if (c.expected == RC_OK) {
        EXPECT_TRUE(d.bytes == data);
    }
    EXPECT_TRUE(d.guardIntact);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, BufferCrossDecoding,
    ::testing::Values(CrossCase{"rle_by_zlib", RLECompress, zlibUncompress, RC_OK},
                      CrossCase{"filtered_by_zlib", FilteredCompress, zlibUncompress, RC_OK},
                      CrossCase{"huffman_by_zlib", HuffmanCompress, zlibUncompress, RC_OK},
                      CrossCase{"zlib_by_huffman", zlibCompress, HuffmanUncompress, RC_OK},
                      CrossCase{"zlib_by_gz", zlibCompress, gzUncompress, RC_OK},
                      CrossCase{"gz_by_zlib", gzCompress, zlibUncompress, RC_DATA_ERROR},
                      CrossCase{"gzc_by_zlib", gzcCompress, zlibUncompress, RC_DATA_ERROR},
                      CrossCase{"bzlib_by_zlib", bzlibCompress, zlibUncompress, RC_DATA_ERROR},
                      CrossCase{"zlib_by_bzlib", zlibCompress, bzlibUncompress, RC_FAILED}),
    [](const auto& info) { return std::string(info.param.name); });

struct CapacityCase {
    const char* name;
    BufferFn fn;
    bool decoding;        // the source is the method's own stream of the data
    BufferFn encoder;     // for decoding cases
    std::uint32_t capacity;
    EReturnCode expected;
};

class BufferCapacity : public ::testing::TestWithParam<CapacityCase> {};

TEST_P(BufferCapacity, AnswersWithTheMethodsCode) {
    const auto& c = GetParam();
    const std::string data = HalfCompressible(3000);
    const std::string source = c.decoding ? PackedExact(c.encoder, data) : data;
    const Decoded d = Unpack(c.fn, source, c.capacity, 0);
    EXPECT_EQ(d.rc, c.expected);
    EXPECT_TRUE(d.guardIntact);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BufferCapacity,
    ::testing::Values(CapacityCase{"zlib_compress_short", zlibCompress, false, nullptr, 100, RC_BUFFER_ERROR},
                      CapacityCase{"zlib_compress_zero", zlibCompress, false, nullptr, 0, RC_MEMORY_ERROR},
                      CapacityCase{"gz_compress_short", gzCompress, false, nullptr, 100, RC_BUFFER_ERROR},
                      CapacityCase{"gzc_compress_zero", gzcCompress, false, nullptr, 0, RC_MEMORY_ERROR},
                      CapacityCase{"zlib_uncompress_short", zlibUncompress, true, zlibCompress, 2999, RC_BUFFER_ERROR},
                      CapacityCase{"zlib_uncompress_zero", zlibUncompress, true, zlibCompress, 0, RC_MEMORY_ERROR},
                      CapacityCase{"gz_uncompress_short", gzUncompress, true, gzCompress, 1000, RC_BUFFER_ERROR},
                      CapacityCase{"bzlib_compress_short", bzlibCompress, false, nullptr, 100, RC_FAILED},
                      CapacityCase{"bzlib_compress_zero", bzlibCompress, false, nullptr, 0, RC_BUFFER_ERROR},
                      CapacityCase{"bzlib_uncompress_short", bzlibUncompress, true, bzlibCompress, 2999, RC_FAILED},
                      CapacityCase{"bzlib_uncompress_zero", bzlibUncompress, true, bzlibCompress, 0,
                                   RC_BUFFER_ERROR}),
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

struct DamageCase {
    const char* name;
    BufferMethod method;
    std::string (*damage)(std::string packed);
    EReturnCode expected;
};

namespace {

std::string FlipLastByte(std::string s) {  // inside the check value (Adler-32, CRC-32, bzip2 CRC)
    s[s.size() - 2] ^= 0x10;
    return s;
}
std::string CutInHalf(std::string s) { return s.substr(0, s.size() / 2); }
std::string Foreign(std::string s) { return RandomBytes(s.size()); }

}  // namespace

class BufferDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(BufferDamage, IsReportedWithoutOverrun) {
    const auto& c = GetParam();
    const std::string data = HalfCompressible(20000);
    const Decoded d = Unpack(c.method.uncompress, c.damage(PackedExact(c.method.compress, data)), 30000, 0);
    EXPECT_EQ(d.rc, c.expected);
    EXPECT_TRUE(d.guardIntact);
}

// A truncated zlib stream leaves inflate waiting for input: zlib's own answer is -5.
INSTANTIATE_TEST_SUITE_P(
    Streams, BufferDamage,
    ::testing::Values(DamageCase{"zlib_check", kBufferMethods[0], FlipLastByte, RC_DATA_ERROR},
                      DamageCase{"zlib_truncated", kBufferMethods[0], CutInHalf, RC_BUFFER_ERROR},
                      DamageCase{"zlib_foreign", kBufferMethods[0], Foreign, RC_DATA_ERROR},
                      DamageCase{"gz_check", kBufferMethods[4], FlipLastByte, RC_DATA_ERROR},
                      DamageCase{"gz_truncated", kBufferMethods[4], CutInHalf, RC_BUFFER_ERROR},
                      DamageCase{"gz_foreign", kBufferMethods[4], Foreign, RC_DATA_ERROR},
                      DamageCase{"gzc_truncated", kBufferMethods[5], CutInHalf, RC_BUFFER_ERROR},
                      DamageCase{"bzlib_check", kBufferMethods[6], FlipLastByte, RC_DATA_ERROR},
                      DamageCase{"bzlib_truncated", kBufferMethods[6], CutInHalf, RC_FAILED},
                      DamageCase{"bzlib_foreign", kBufferMethods[6], Foreign, RC_FAILED}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BufferDictionary, StreamThatNeedsAPresetDictionaryFails) {
    const std::string dict = "quote board dictionary", data = "quote board quote board";
    std::vector<unsigned char> packed(256);
    z_stream s{};
    ASSERT_EQ(deflateInit(&s, 9), Z_OK);
    deflateSetDictionary(&s, reinterpret_cast<const Bytef*>(dict.data()), static_cast<uInt>(dict.size()));
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    s.avail_in = static_cast<uInt>(data.size());
    s.next_out = packed.data();
    s.avail_out = static_cast<uInt>(packed.size());
    ASSERT_EQ(deflate(&s, Z_FINISH), Z_STREAM_END);
    packed.resize(s.total_out);
    deflateEnd(&s);
    const Decoded d = Unpack(zlibUncompress, std::string(packed.begin(), packed.end()), 100, 0);
    EXPECT_EQ(d.rc, RC_FAILED);
}
