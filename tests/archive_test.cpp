#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "tesk/settings_archive.h"
#include "tesk/settings_memfile.h"

namespace {

// Shows where the content lives.
class OpenTeskMemFile : public CTeskMemFile {
public:
    using CTeskMemFile::CTeskMemFile;
    const unsigned char* Block() const { return m_lpBuffer; }
};

std::string Contents(CMemFile& mem) {
    std::string bytes(mem.GetLength(), '\0');
    mem.SeekToBegin();
    mem.Read(bytes.data(), static_cast<unsigned>(bytes.size()));
    return bytes;
}

TEST(CArchive, CountEncoding) {
    struct Case { std::uint32_t count; std::string bytes; } cases[] = {
        {0, std::string("\x00\x00", 2)}, {0x1234, "\x34\x12"}, {0xFFFE, "\xFE\xFF"},
        {0xFFFF, std::string("\xFF\xFF\xFF\xFF\x00\x00", 6)}, {0x12345678, "\xFF\xFF\x78\x56\x34\x12"},
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
    const auto values =
        std::tuple(std::uint8_t{0xAB}, std::int16_t{-2}, 0x01020304u, std::int64_t{-1}, true, 1.5);
    CMemFile mem;
    {
        CArchive ar(mem, CArchive::store);
        std::apply([&](auto... v) { (ar << ... << v); }, values);
    }
    EXPECT_EQ(Contents(mem).substr(0, 7), "\xAB\xFE\xFF\x04\x03\x02\x01");
    EXPECT_EQ(mem.GetLength(), 1u + 2 + 4 + 8 + 1 + 8);
    mem.SeekToBegin();
    CArchive ar(mem, CArchive::load);
    std::remove_const_t<decltype(values)> back{};
    std::apply([&](auto&... v) { (ar >> ... >> v); }, back);
    EXPECT_EQ(back, values);
}

TEST(CArchive, ReadingPastTheEndAndAgainstTheDirection) {
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
    mem.SeekToBegin();
    CArchive raw(mem, CArchive::load);
    unsigned char buf[8];
    EXPECT_EQ(raw.Read(buf, 8), 3u) << "Read answers what there is";
    EXPECT_EQ(raw.Read(buf, 8), 0u);
    EXPECT_THROW(raw.ReadCount(), CArchiveException);
    EXPECT_THROW(raw << 1, CArchiveException);
    CArchive out(&mem, CArchive::store);
    EXPECT_THROW(CArchive(nullptr, CArchive::load), CInvalidArgException);
    EXPECT_THROW(out >> v, CArchiveException);
}

TEST(CArchive, BufferingAcrossSizes) {
    // Writes and reads smaller than, equal to and larger than the buffer, interleaved.
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

TEST(CTeskMemFile, BlocksStayAlignedAsTheFileGrows) {
    OpenTeskMemFile mem(1000);
    std::vector<unsigned char> written;
    for (unsigned size : {1u, 999u, 2048u, 2049u, 70001u}) {
        for (unsigned i = 0; i < size; ++i) written.push_back(static_cast<unsigned char>(i * 13 + size));
        mem.Write(written.data() + written.size() - size, size);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(mem.Block()) % 16, 0u);
    }
    std::vector<unsigned char> back(written.size());
    mem.SeekToBegin();
    ASSERT_EQ(mem.Read(back.data(), static_cast<unsigned>(back.size())), written.size());
    EXPECT_EQ(back, written);
}

}  // namespace
