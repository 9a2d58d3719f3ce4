#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tesk/settings_memfile.h"

namespace {

// Exposes the protected storage steps.
class OpenTeskMemFile : public CTeskMemFile {
public:
    using CTeskMemFile::CTeskMemFile;
    using CTeskMemFile::Alloc;
    using CTeskMemFile::Free;
    using CTeskMemFile::Memcpy;
    const unsigned char* Block() const { return m_lpBuffer; }
};

TEST(CTeskMemFile, BlocksStayAlignedAsTheFileGrows) {
    OpenTeskMemFile mem(1000);
    std::vector<unsigned char> written;
    for (unsigned size : {1u, 999u, 2048u, 2049u, 70001u}) {
        std::vector<unsigned char> chunk(size);
        for (unsigned i = 0; i < size; ++i) chunk[i] = static_cast<unsigned char>(i * 13 + size);
        mem.Write(chunk.data(), size);
        written.insert(written.end(), chunk.begin(), chunk.end());
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(mem.Block()) % 16, 0u);
    }
    std::vector<unsigned char> back(written.size());
    mem.SeekToBegin();
    ASSERT_EQ(mem.Read(back.data(), static_cast<unsigned>(back.size())), written.size());
    EXPECT_EQ(back, written);
}

TEST(CTeskMemFile, MemcpyAroundTheThreshold) {
    OpenTeskMemFile mem;
    for (std::size_t n : {0u, 3u, 2047u, 2048u, 2049u, 2051u, 65536u}) {
        for (std::size_t offset : {0u, 4u, 8u}) {
            SCOPED_TRACE(testing::Message() << n << " +" << offset);
            unsigned char* src = mem.Alloc(n + 16);
            unsigned char* dst = mem.Alloc(n + 16);
            for (std::size_t i = 0; i < n + 16; ++i) src[i] = static_cast<unsigned char>(i ^ 0x5A), dst[i] = 0xEE;
            EXPECT_EQ(mem.Memcpy(dst + offset, src + offset, n), dst + offset);
            EXPECT_EQ(std::memcmp(dst + offset, src + offset, n), 0);
            EXPECT_EQ(dst[offset + n], 0xEE);
            mem.Free(src);
            mem.Free(dst);
        }
    }
    mem.Free(nullptr);
}

}  // namespace
