#include <gtest/gtest.h>

#include <cstdlib>

#include "tesk/settings_memfile.h"

namespace {

TEST(CMemFile, GrowsInSteps) {
    CMemFile mem(100);
    struct Step {
        unsigned write;
        std::size_t bufferSize;
    } steps[] = {{1, 100}, {99, 100}, {1, 200}, {250, 400}};
    std::uint64_t length = 0;
    for (const Step& s : steps) {
        std::string bytes(s.write, 'q');
        mem.Write(bytes.data(), s.write);
        length += s.write;
        EXPECT_EQ(mem.GetBufferSize(), s.bufferSize);
        EXPECT_EQ(mem.GetLength(), length);
        EXPECT_EQ(mem.GetPosition(), length);
    }
}

TEST(CMemFile, SeekPastEndFillsGapWithZeros) {
    CMemFile mem(16);
    mem.Write("ab", 2);
    EXPECT_EQ(mem.Seek(5, CFile::current), 7u);
    mem.Write("z", 1);
    mem.SeekToBegin();
    char buf[16];
    ASSERT_EQ(mem.Read(buf, sizeof buf), 8u);
    EXPECT_EQ(std::string(buf, 8), std::string("ab\0\0\0\0\0z", 8));
    mem.SetLength(10);
    mem.Seek(8, CFile::begin);
    ASSERT_EQ(mem.Read(buf, 4), 2u);
    EXPECT_EQ(std::string(buf, 2), std::string("\0\0", 2));
    EXPECT_THROW(mem.Seek(-11, CFile::end), CFileException);
    mem.SetLength(3);
    EXPECT_EQ(mem.GetPosition(), 3u);
}

TEST(CMemFile, AttachedBuffer) {
    unsigned char data[4] = {'w', 'x', 'y', 'z'};
    CMemFile fixed(data, sizeof data);
    EXPECT_EQ(fixed.GetLength(), 4u);
    fixed.Seek(2, CFile::begin);
    fixed.Write("Y", 1);
    EXPECT_EQ(data[2], 'Y');
    fixed.SeekToEnd();
    EXPECT_THROW(fixed.Write("!", 1), CMemoryException);

    CMemFile growing(data, sizeof data, 8);
    EXPECT_EQ(growing.GetLength(), 0u);
    growing.Write("12345", 5);
    EXPECT_EQ(data[0], 'w') << "the caller's buffer is left alone once outgrown";
    unsigned char* block = growing.Detach();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block), 5), "12345");
    EXPECT_EQ(growing.GetLength(), 0u);
    std::free(block);
}

// Every storage step goes through the virtual members.
class CountingMemFile : public CMemFile {
public:
    using CMemFile::CMemFile;
    ~CountingMemFile() override { Close(); }
    int allocs = 0, reallocs = 0, copies = 0, frees = 0;

protected:
    unsigned char* Alloc(std::size_t size) override { ++allocs; return CMemFile::Alloc(size); }
    unsigned char* Realloc(unsigned char* b, std::size_t size) override {
        ++reallocs;
        return size > 1000 ? nullptr : CMemFile::Realloc(b, size);
    }
    unsigned char* Memcpy(unsigned char* d, const unsigned char* s, std::size_t n) override {
        ++copies;
        return CMemFile::Memcpy(d, s, n);
    }
    void Free(unsigned char* b) override { ++frees; CMemFile::Free(b); }
};

TEST(CMemFile, StorageStepsAreReplaceable) {
    CountingMemFile mem(500);
    mem.Write("a", 1);
    mem.Write(std::string(600, 'b').data(), 600);
    EXPECT_EQ(mem.allocs, 1);
    EXPECT_EQ(mem.reallocs, 1);
    EXPECT_EQ(mem.copies, 2);
    EXPECT_THROW(mem.Write(std::string(600, 'c').data(), 600), CMemoryException);
    EXPECT_EQ(mem.GetLength(), 601u) << "a failed grow keeps the content";
    mem.Close();
    EXPECT_EQ(mem.frees, 1);
}

}  // namespace
