#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "compress_fixtures.h"

using namespace TeskUtility;
using namespace compress_fixtures;

namespace {

// The code, the whole capacity, and whether the capacity stayed and nothing was written behind it.
struct Outcome { EReturnCode rc; std::string bytes; bool intact; };

Outcome Call(BufferFn fn, const std::string& source, std::uint32_t capacity) {
    std::string out(capacity + 64, '\xA5');
    std::uint32_t cap = capacity;
    const EReturnCode rc = fn(source.data(), static_cast<std::uint32_t>(source.size()), out.data(), &cap);
    const bool guard = std::all_of(out.begin() + capacity, out.end(), [](char c) { return c == '\xA5'; });
    return {rc, out.substr(0, capacity), guard && cap == capacity};
}

}  // namespace

// The whole destination block goes back to the decoder: streams end themselves.
TEST(BufferRoundTrip, RestoresEveryByte) {
    const std::pair<BufferFn, BufferFn> methods[] = {
        {zlibCompress, zlibUncompress}, {RLECompress, RLEUncompress}, {FilteredCompress, FilteredUncompress},
        {HuffmanCompress, HuffmanUncompress}, {gzCompress, gzUncompress}, {gzcCompress, gzcUncompress},
        {bzlibCompress, bzlibUncompress}};
    for (std::size_t m = 0; m < std::size(methods); ++m) {
        const auto& [compress, uncompress] = methods[m];
        for (std::size_t size : {0, 1, 4096, 4097, 1 << 20}) {
            SCOPED_TRACE(testing::Message() << "method " << m << ", size " << size);
            const std::string data = HalfCompressible(size);
            const Outcome packed = Call(compress, data, static_cast<std::uint32_t>(size + size / 2 + 1024));
            ASSERT_EQ(packed.rc, RC_OK);
            const Outcome unpacked = Call(uncompress, packed.bytes, static_cast<std::uint32_t>(size + 16));
            EXPECT_EQ(unpacked.rc, RC_OK);
            EXPECT_TRUE(unpacked.bytes.compare(0, size, data) == 0);
            EXPECT_TRUE(packed.intact && unpacked.intact);
        }
    }
}

TEST(BufferResults, AnswerWithTheMethodsCode) {
    const std::string plain = HalfCompressible(3000), zlib = ExactStream(zlibCompress, plain),
                      gzip = ExactStream(gzCompress, plain), bz = ExactStream(bzlibCompress, plain);
    struct Case { const char* name; BufferFn fn; std::string source; std::uint32_t cap; EReturnCode rc; };
    const Case cases[] = {
        {"zlib_short", zlibCompress, plain, 100, RC_BUFFER_ERROR},
        {"zlib_zero", zlibCompress, plain, 0, RC_MEMORY_ERROR},
        {"bzlib_short", bzlibCompress, plain, 100, RC_FAILED},
        {"bzlib_zero", bzlibCompress, plain, 0, RC_BUFFER_ERROR},
        {"unzlib_short", zlibUncompress, zlib, 2999, RC_BUFFER_ERROR},
        {"unzlib_zero", zlibUncompress, zlib, 0, RC_MEMORY_ERROR},
        {"unbzlib_short", bzlibUncompress, bz, 2999, RC_FAILED},
        {"zlib_by_gz", gzUncompress, zlib, 3000, RC_OK},
        {"gz_by_zlib", zlibUncompress, gzip, 3000, RC_DATA_ERROR},
        {"zlib_by_bzlib", bzlibUncompress, zlib, 3000, RC_FAILED},
        {"zlib_check", zlibUncompress, CheckValueFlipped(zlib), 3000, RC_DATA_ERROR},
        // A truncated zlib stream leaves inflate asking for more input: zlib's own -5.
        {"zlib_truncated", zlibUncompress, zlib.substr(0, zlib.size() / 2), 3000, RC_BUFFER_ERROR},
        {"bzlib_check", bzlibUncompress, CheckValueFlipped(bz), 3000, RC_DATA_ERROR},
        {"needs_dictionary", zlibUncompress, DictionaryStream(), 3000, RC_FAILED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = Call(c.fn, c.source, c.cap);
        EXPECT_EQ(std::pair(o.rc, o.intact), std::pair(c.rc, true));
        EXPECT_TRUE(c.rc != RC_OK || o.bytes.substr(0, 3000) == plain);
    }
}

// Each group answers its own code for a missing source, output or capacity.
TEST(BufferArguments, MissingPointersGiveTheMethodsCode) {
    unsigned char src[16] = {}, dst[64];
    std::uint32_t cap = sizeof dst;
    const struct { std::vector<BufferFn> fns; EReturnCode source, dest, capacity; } groups[] = {
        // zlib itself refuses a missing output.
        {{zlibCompress, RLECompress, FilteredCompress, HuffmanCompress, gzCompress, gzcCompress},
         RC_MEMORY_ERROR, RC_FAILED, RC_MEMORY_ERROR},
        {{zlibUncompress, gzUncompress, gzcUncompress}, RC_FAILED, RC_MEMORY_ERROR, RC_MEMORY_ERROR},
        {{bzlibCompress, bzlibUncompress}, RC_BUFFER_ERROR, RC_BUFFER_ERROR, RC_BUFFER_ERROR},
    };
    for (const auto& g : groups) {
        for (BufferFn fn : g.fns)
            EXPECT_EQ(std::tuple(fn(nullptr, sizeof src, dst, &cap), fn(src, sizeof src, nullptr, &cap),
                                 fn(src, sizeof src, dst, nullptr)),
                      std::tuple(g.source, g.dest, g.capacity));
    }
    EXPECT_EQ(cap, sizeof dst);
}
