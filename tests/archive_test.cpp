#include <gtest/gtest.h>

#include "temp_dir.h"
#include "tesk/settings_archive.h"
#include "tesk/settings_memfile.h"

namespace {

std::string Contents(CMemFile& mem) {
    std::string bytes(mem.GetLength(), '\0');
    mem.SeekToBegin();
    mem.Read(bytes.data(), static_cast<unsigned>(bytes.size()));
    return bytes;
}

TEST(CArchive, CountEncoding) {
    struct Case {
        std::uint32_t count;
        std::string bytes;
    } cases[] = {
        {0, std::string("\x00\x00", 2)},
        {0x1234, "\x34\x12"},
        {0xFFFE, "\xFE\xFF"},
        {0xFFFF, std::string("\xFF\xFF\xFF\xFF\x00\x00", 6)},
        {0x12345678, std::string("\xFF\xFF\x78\x56\x34\x12", 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        CMemFile mem;
        {
            CArchive ar(mem, CArchive::store);
            ar.WriteCount(c.count);
        }
        EXPECT_EQ(Contents(mem), c.bytes);
        mem.SeekToBegin();
        CArchive in(mem, CArchive::load);
        EXPECT_EQ(in.ReadCount(), c.count);
    }
}

TEST(CArchive, ValuesAreLittleEndianAndRoundTrip) {
    CMemFile mem;
    {
        CArchive ar(mem, CArchive::store);
        ar << std::uint8_t{0xAB} << std::int16_t{-2} << std::uint32_t{0x01020304} << std::int64_t{-1} << true
           << 1.5 << char16_t{u'\u4E2D'};
    }
    const std::string bytes = Contents(mem);
    EXPECT_EQ(bytes.substr(0, 7), "\xAB\xFE\xFF\x04\x03\x02\x01");
    EXPECT_EQ(bytes.size(), 1u + 2 + 4 + 8 + 1 + 8 + 2);
    mem.SeekToBegin();
    CArchive ar(mem, CArchive::load);
    std::uint8_t b;
    std::int16_t s;
    std::uint32_t d;
    std::int64_t q;
    bool flag;
    double x;
    char16_t w;
    ar >> b >> s >> d >> q >> flag >> x >> w;
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(d, 0x01020304u);
    EXPECT_EQ(q, -1);
    EXPECT_TRUE(flag);
    EXPECT_EQ(x, 1.5);
    EXPECT_EQ(w, u'\u4E2D');
}

TEST(CArchive, ReadingPastTheEnd) {
    unsigned char data[] = {1, 2, 3};
    CMemFile mem(data, sizeof data);
    CArchive ar(mem, CArchive::load);
    std::uint32_t v = 0;
    try {
        ar >> v;
        ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
    CMemFile mem2(data, sizeof data);
    CArchive ar2(mem2, CArchive::load);
    unsigned char buf[8];
    EXPECT_EQ(ar2.Read(buf, 8), 3u);
    EXPECT_EQ(ar2.Read(buf, 8), 0u);
    std::uint8_t one;
    EXPECT_THROW(ar2 >> one, CArchiveException);
    EXPECT_THROW(ar2.ReadCount(), CArchiveException);
}

TEST(CArchive, DirectionIsEnforced) {
    CMemFile mem;
    CArchive in(mem, CArchive::load);
    EXPECT_TRUE(in.IsLoading());
    EXPECT_FALSE(in.IsStoring());
    EXPECT_EQ(in.GetFile(), &mem);
    EXPECT_THROW(in << 1, CArchiveException);
    CArchive out(mem, CArchive::store);
    EXPECT_TRUE(out.IsStoring());
    int v;
    EXPECT_THROW(out >> v, CArchiveException);
}

TEST(CArchive, BufferingAcrossSizes) {
    // Writes smaller than, equal to and larger than the buffer, interleaved.
    std::string expect;
    CMemFile mem;
    {
        CArchive ar(mem, CArchive::store, 128);
        for (unsigned size : {1u, 127u, 128u, 129u, 1000u, 3u}) {
            std::string chunk(size, static_cast<char>('a' + size % 26));
            ar.Write(chunk.data(), size);
            expect += chunk;
        }
        ar.Close();
        EXPECT_EQ(ar.GetFile(), nullptr);
    }
    EXPECT_EQ(Contents(mem), expect);
    mem.SeekToBegin();
    CArchive ar(mem, CArchive::load, 128);
    std::string back;
    for (unsigned size : {5u, 300u, 1u, 2000u}) {
        std::string chunk(size, '\0');
        chunk.resize(ar.Read(chunk.data(), size));
        back += chunk;
    }
    EXPECT_EQ(back, expect);
}

TEST(CArchive, FlushOnDeleteAndLoadingFlushRewinds) {
    CMemFile mem;
    { CArchive ar(mem, CArchive::store | CArchive::bNoFlushOnDelete); ar << std::uint32_t{1}; }
    EXPECT_EQ(mem.GetLength(), 0u);
    { CArchive ar(mem, CArchive::store); ar << std::uint32_t{0x04030201} << std::uint32_t{5}; }
    mem.SeekToBegin();
    CArchive in(mem, CArchive::load);
    std::uint8_t first;
    in >> first;
    EXPECT_EQ(mem.GetPosition(), 8u) << "the archive read ahead";
    in.Flush();
    EXPECT_EQ(mem.GetPosition(), 1u);
}

TEST(CArchive, OverARealFile) {
    TempDir dir;
    {
        CFile f(dir.File("a.bin"), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(f, CArchive::store);
        ar.WriteCount(70000);
    }
    EXPECT_EQ(dir.Read("a.bin"), std::string("\xFF\xFF\x70\x11\x01\x00", 6));
}

}  // namespace
