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

// Counts below 0xFFFF take two bytes, others an escape and four more.
TEST(CArchive, CountsAndValuesAreLittleEndianAndRoundTrip) {
    const std::uint32_t counts[] = {0, 0x1234, 0xFFFE, 0xFFFF, 0x12345678};
    const auto values =
        std::tuple(std::uint8_t{0xAB}, std::int16_t{-2}, 0x01020304u, std::int64_t{-1}, true, 1.5);
    CMemFile mem;
    {
        CArchive dropped(mem, CArchive::store | CArchive::bNoFlushOnDelete);
        dropped << std::uint32_t{1};
    }
    EXPECT_EQ(mem.GetLength(), 0u);
    {
        CArchive ar(mem, CArchive::store);
        for (std::uint32_t count : counts) ar.WriteCount(count);
        std::apply([&](auto... v) { (ar << ... << v); }, values);
    }
    EXPECT_EQ(Contents(mem).substr(0, 25),
              std::string("\x00\x00\x34\x12\xFE\xFF\xFF\xFF\xFF\xFF\x00\x00\xFF\xFF\x78\x56\x34\x12"
                          "\xAB\xFE\xFF\x04\x03\x02\x01", 25));
    EXPECT_EQ(mem.GetLength(), 18u + 1 + 2 + 4 + 8 + 1 + 8);
    mem.SeekToBegin();
    CArchive ar(mem, CArchive::load);
    EXPECT_EQ(ar.ReadCount(), 0u);
    EXPECT_EQ(mem.GetPosition(), mem.GetLength()) << "the archive read ahead";
    ar.Flush();
    EXPECT_EQ(mem.GetPosition(), 2u) << "and gives back what it did not use";
    for (std::size_t i = 1; i < std::size(counts); ++i) EXPECT_EQ(ar.ReadCount(), counts[i]);
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
