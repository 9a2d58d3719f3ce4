#include <gtest/gtest.h>

#include <cstdlib>

#include "tesk/settings_memfile.h"

namespace {

TEST(CMemFile, GrowsInStepsAndZeroFillsGaps) {
    CMemFile mem(100);
    const struct { unsigned write; std::size_t size; } steps[] = {{1, 100}, {99, 100}, {1, 200}, {250, 400}};
    std::uint64_t length = 0;
    for (const auto& s : steps) {
        mem.Write(std::string(s.write, 'q').data(), s.write);
        length += s.write;
        EXPECT_EQ(mem.GetBufferSize(), s.size);
        EXPECT_EQ(mem.GetLength(), length);
        EXPECT_EQ(mem.GetPosition(), length);
    }
    EXPECT_EQ(mem.Seek(5, CFile::end), length + 5);
    mem.Write("z", 1);
    mem.SetLength(length + 8);
    char tail[8];
    mem.Seek(static_cast<std::int64_t>(length), CFile::begin);
    ASSERT_EQ(mem.Read(tail, sizeof tail), 8u);
    EXPECT_EQ(std::string(tail, 8), std::string("\0\0\0\0\0z\0\0", 8));
    EXPECT_THROW(mem.Seek(-1, CFile::begin), CFileException);
    mem.SetLength(3);
    EXPECT_EQ(mem.GetPosition(), 3u);
    mem.Seek(INT64_MAX, CFile::begin);
    EXPECT_THROW(mem.Seek(1, CFile::current), CFileException);
    EXPECT_THROW(mem.Write(nullptr, 1), CInvalidArgException);
    mem.SeekToBegin();
    EXPECT_THROW(mem.Read(nullptr, 1), CInvalidArgException);
    CFileException why;
    EXPECT_EQ(mem.Open("m", CFile::modeRead, &why), 0);
    EXPECT_EQ(why.m_cause, CFileException::genericException);
}

// Every storage step goes through the virtual members; a failed grow keeps the content.
class CountingMemFile : public CMemFile {
public:
    using CMemFile::CMemFile;
    ~CountingMemFile() override { Close(); }
    int allocs = 0, reallocs = 0, copies = 0, frees = 0;

protected:
    unsigned char* Alloc(std::size_t size) override { return ++allocs, CMemFile::Alloc(size); }
    unsigned char* Realloc(unsigned char* b, std::size_t size) override {
        return ++reallocs, size > 1000 ? nullptr : CMemFile::Realloc(b, size);
    }
    unsigned char* Memcpy(unsigned char* d, const unsigned char* s, std::size_t n) override {
        return ++copies, CMemFile::Memcpy(d, s, n);
    }
    void Free(unsigned char* b) override { ++frees, CMemFile::Free(b); }
};

TEST(CMemFile, StorageStepsAndCallersBuffers) {
    CountingMemFile mem(500);
    mem.Write("a", 1);
    mem.Write(std::string(600, 'b').data(), 600);
    EXPECT_EQ(mem.allocs, 1);
    EXPECT_EQ(mem.reallocs, 1);
    EXPECT_EQ(mem.copies, 2);
    EXPECT_THROW(mem.Write(std::string(600, 'c').data(), 600), CMemoryException);
    EXPECT_EQ(mem.GetLength(), 601u);
    mem.Close();
    EXPECT_EQ(mem.frees, 1);

    // A caller's buffer: fixed without a growth step, left alone once outgrown.
    unsigned char data[4] = {'w', 'x', 'y', 'z'};
    CMemFile fixed(data, sizeof data);
    EXPECT_EQ(fixed.GetLength(), 4u);
    fixed.Seek(2, CFile::begin);
    fixed.Write("Y", 1);
    EXPECT_EQ(data[2], 'Y');
    EXPECT_THROW(fixed.Write("!!", 2), CMemoryException) << "growth 0: the buffer is all there is";

    CMemFile growing(data, sizeof data, 8);
    growing.Write("12345", 5);
    EXPECT_EQ(data[0], 'w') << "an outgrown caller's buffer is left alone";
    unsigned char* block = growing.Detach();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block), 5), "12345");
    EXPECT_EQ(growing.GetLength(), 0u);
    std::free(block);
}

}  // namespace
