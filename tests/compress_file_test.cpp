#include <gtest/gtest.h>

#include "compress_fixtures.h"
#include "io_test_support.h"
#include "tesk/settings_file.h"

using namespace TeskUtility;
using namespace compress_fixtures;

namespace {

using FileFn = EReturnCode (*)(CFile*, CFile*);

// A file that announces more bytes than it holds, as one cut short while being read.
class ShortFile : public CFile {
public:
    using CFile::CFile;
    std::uint64_t GetLength() const override { return CFile::GetLength() + 100; }
};

// What the call added behind the output's first four bytes, and the positions after it.
struct FileRun {
    int rc;
    std::string written;
    std::uint64_t inputPosition, outputPosition;
    bool operator==(const FileRun&) const = default;
};

// Runs `fn` on an input read from `skip` onwards into an output that already holds
// four bytes and stands at its end.
template <class InputFile = CFile, class Fn>
FileRun RunOnFiles(Fn fn, const std::string& input, std::size_t skip = 0) {
    TempDir dir;
    dir.Write("in", input);
    dir.Write("out", "head");
    FileRun r{};
    {
        InputFile in(dir.File("in"), CFile::modeRead);
        CFile out(dir.File("out"), CFile::modeReadWrite);
        in.Seek(static_cast<std::int64_t>(skip), CFile::begin);
        out.SeekToEnd();
        r.rc = fn(&in, &out);
        r.inputPosition = in.GetPosition();
        r.outputPosition = out.GetPosition();
    }
    r.written = dir.Read("out").substr(4);
    return r;
}

}  // namespace

TEST(FileRoundTrip, RestoresTheBytesAndLeavesFilesAtTheirEnds) {
    const struct { std::uint32_t id; FileFn compress, uncompress; } methods[] = {
        {CompressMethod_Zlib, zlibCompressVC, zlibUncompressVC},
        {CompressMethod_Gzip, gzCompressVC, gzUncompressVC},
        {CompressMethod_RawDeflate, gzcCompressVC, gzcUncompressVC},
        {CompressMethod_RLE, RLECompressVC, RLEUncompressVC},
        {CompressMethod_Filtered, FilteredCompressVC, FilteredUncompressVC},
        {CompressMethod_Huffman, HuffmanCompressVC, HuffmanUncompressVC},
        {CompressMethod_Bzip2, bzlibCompressVC, bzlibUncompressVC},
        {CompressMethod_Raw, rawCompressVC, rawUncompressVC},
    };
    for (const auto& method : methods) {
        for (std::size_t size : {0, 1, 4096, 4097, 1 << 20}) {
            SCOPED_TRACE(testing::Message() << std::hex << method.id << std::dec << " size " << size);
            const std::string data = HalfCompressible(size), skipped = "skipped prefix";
            const FileRun packed = RunOnFiles(method.compress, skipped + data, skipped.size());
            EXPECT_EQ(std::pair(packed.inputPosition, packed.outputPosition),
                      std::pair(skipped.size() + size, 4 + packed.written.size()));
            // An empty input reaches no stream end, except by the copy.
            EXPECT_EQ(packed.rc, size == 0 && method.id != CompressMethod_Raw ? RC_DATA_ERROR : RC_OK);
            EXPECT_TRUE(size != 0 || packed.written.empty());
            if (size == 0 || packed.rc != RC_OK) continue;

            const FileRun unpacked = RunOnFiles(method.uncompress, packed.written);
            EXPECT_TRUE(unpacked == (FileRun{RC_OK, data, packed.written.size(), 4 + size}));
            if (size != 4097) continue;
            // The switches pick these very variants.
            const auto viaCompress = [&](CFile* in, CFile* out) { return Compress(method.id, in, out); };
            const auto viaUncompress = [&](CFile* in, CFile* out) { return Uncompress(method.id, in, out); };
            EXPECT_EQ(RunOnFiles(viaCompress, data).written, packed.written);
            EXPECT_EQ(RunOnFiles(viaUncompress, packed.written).rc, 1);
            EXPECT_EQ(RunOnFiles(viaUncompress, "").rc, method.id == CompressMethod_Raw ? 1 : 0);
        }
    }
}

TEST(FileSwitch, UnknownIdReadsAndWritesNothing) {
    EXPECT_EQ(CompressMethod_Zlib, 0x2035315Au);  // ids are stored in files: first letter in the lowest byte
    for (std::uint32_t id : {0u, MakeCompressMethodId("Z15\0"), MakeCompressMethodId("gz  "), 0x2035315Bu}) {
        EXPECT_EQ(FindCompressMethod(id), nullptr) << std::hex << id;
        const auto viaCompress = [&](CFile* in, CFile* out) { return Compress(id, in, out); };
        const auto viaUncompress = [&](CFile* in, CFile* out) { return Uncompress(id, in, out); };
        for (const FileRun& r : {RunOnFiles(viaCompress, "data", 1), RunOnFiles(viaUncompress, "data", 1)})
            EXPECT_TRUE(r == (FileRun{0, "", 1, 4}));
    }
}

// Rows named by a size decode data that ends exactly where an output chunk ends (the
// 8192-byte stack chunk or the 524288-byte heap one): the coder must not be asked again
// after the end of its stream. Their alphabet keeps each stream within one input chunk.
TEST(FileDecoding, GivesTheStreamsResult) {
    const std::string data = HalfCompressible(30000), zlib = ExactStream(zlibCompress, data),
                      bz = ExactStream(bzlibCompress, data);
    const std::string small = Letters(8192, 2), large = Letters(524288, 3), huge = Letters(1048576, 1);
    const auto packed = [](BufferFn fn, const std::string& plain, std::size_t minSize, std::size_t maxSize) {
        std::string s = ExactStream(fn, plain);
        EXPECT_TRUE(s.size() > minSize && s.size() <= maxSize) << s.size();
        return s;
    };
    // `plain` is the decoded data of the rows that succeed.
    struct Case { const char* name; FileFn fn; std::string in; EReturnCode rc; const std::string* plain; };
    const Case cases[] = {
        {"zlib_8192", zlibUncompressVC, packed(zlibCompress, small, 0, 4096), RC_OK, &small},
        {"gzc_8192", gzcUncompressVC, packed(gzcCompress, small, 0, 4096), RC_OK, &small},
        {"bz_8192", bzlibUncompressVC, packed(bzlibCompress, small, 0, 4096), RC_OK, &small},
        {"gz_524288", gzUncompressVC, packed(gzCompress, large, 4096, 262144), RC_OK, &large},
        {"bz_524288", bzlibUncompressVC, packed(bzlibCompress, large, 4096, 262144), RC_OK, &large},
        {"bz_1048576", bzlibUncompressVC, packed(bzlibCompress, huge, 4096, 262144), RC_OK, &huge},
        {"gz_by_zlib", zlibUncompressVC, ExactStream(gzCompress, data), RC_DATA_ERROR, nullptr},
        {"zlib_by_bz", bzlibUncompressVC, zlib, RC_DATA_ERROR, nullptr},
        {"zlib_trailer", zlibUncompressVC, zlib + "trailing bytes", RC_OK, &data},
        {"zlib_truncated", zlibUncompressVC, zlib.substr(0, zlib.size() - 5), RC_DATA_ERROR, nullptr},
        {"bz_truncated", bzlibUncompressVC, bz.substr(0, bz.size() - 5), RC_DATA_ERROR, nullptr},
        {"bz_check", bzlibUncompressVC, CheckValueFlipped(bz), RC_DATA_ERROR, nullptr},
        {"needs_dictionary", zlibUncompressVC, DictionaryStream(), RC_DATA_ERROR, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FileRun r = RunOnFiles(c.fn, c.in);
        EXPECT_EQ(r.rc, c.rc);
        EXPECT_TRUE(!c.plain || r.written == *c.plain);
    }
}

TEST(FileArguments, MissingFileGivesTheVariantsCode) {
    CFile file;
    for (const auto& [fn, expected] : {std::pair<FileFn, EReturnCode>{bzlibCompressVC, RC_MEMORY_ERROR},
                                       {rawCompressVC, RC_BUFFER_ERROR}, {zlibCompressVC, RC_FAILED},
                                       {gzUncompressVC, RC_FAILED}, {bzlibUncompressVC, RC_FAILED}})
        EXPECT_EQ(std::pair(fn(nullptr, &file), fn(&file, nullptr)), std::pair(expected, expected));
}

TEST(FileEndsEarly, CopyRewindsBothFilesAndCodersReportDataError) {
    const std::string data = HalfCompressible(10000);
    const FileRun copy = RunOnFiles<ShortFile>(rawCompressVC, "xx" + data, 2);
    EXPECT_TRUE(copy == (FileRun{RC_DATA_ERROR, data, 2, 4})) << "both rewound; bytes already copied stay";
    for (FileFn fn : {zlibCompressVC, bzlibCompressVC, zlibUncompressVC}) {
        const FileRun r = RunOnFiles<ShortFile>(fn, data);
        EXPECT_EQ(r.rc, RC_DATA_ERROR);
        EXPECT_EQ(r.inputPosition, data.size());
    }
}
