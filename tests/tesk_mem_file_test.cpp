#include <gtest/gtest.h>

#include <vector>

#include "tesk/settings_memfile.h"

namespace {

// Shows where the content lives.
class OpenTeskMemFile : public CTeskMemFile {
public:
    using CTeskMemFile::CTeskMemFile;
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

}  // namespace
