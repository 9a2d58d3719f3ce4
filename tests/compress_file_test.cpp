#include <gtest/gtest.h>

#include "compress_fixtures.h"
#include "io_test_support.h"
#include "tesk/settings_file.h"

using namespace TeskUtility;
using namespace compress_fixtures;

namespace {

using FileFn = EReturnCode (*)(CFile*, CFile*);

struct FileMethod { const char* name; std::uint32_t id; FileFn compress; FileFn uncompress; };

// A file that announces more bytes than it holds, as one cut short while being read.
class ShortFile : public CFile {
public:
    using CFile::CFile;
    std::uint64_t GetLength() const override { return CFile::GetLength() + 100; }
};

// What the call added behind the output's prefix, and the positions after it.
struct FileRun { int rc; std::string written; bool prefixKept; std::uint64_t inputPosition, outputPosition; };

// Runs `fn` on an input read from `skip` onwards into an output that already holds
// `prefix` and stands at its end.
template <class InputFile = CFile, class Fn>
FileRun RunOnFiles(Fn fn, const std::string& input, std::size_t skip = 0, const std::string& prefix = "head") {
    TempDir dir;
    dir.Write("in", input);
    dir.Write("out", prefix);
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
    const std::string all = dir.Read("out");
    r.prefixKept = all.compare(0, prefix.size(), prefix) == 0;
    r.written = all.substr(std::min(prefix.size(), all.size()));
    return r;
}

}  // namespace

class FileRoundTrip : public ::testing::TestWithParam<std::tuple<FileMethod, std::size_t>> {};

TEST_P(FileRoundTrip, RestoresTheBytesAndLeavesFilesAtTheirEnds) {
    const auto& [method, size] = GetParam();
    const std::string data = HalfCompressible(size), skipped = "skipped prefix";
    const FileRun packed = RunOnFiles(method.compress, skipped + data, skipped.size());
    EXPECT_EQ(packed.inputPosition, skipped.size() + size);
    EXPECT_EQ(packed.outputPosition, 4 + packed.written.size());
    EXPECT_TRUE(packed.prefixKept);
    if (size == 0) {  // no stream end was reached, except by the copy
        EXPECT_EQ(packed.rc, method.id == CompressMethod_Raw ? RC_OK : RC_DATA_ERROR);
        EXPECT_EQ(packed.written, "");
        return;
    }
    ASSERT_EQ(packed.rc, RC_OK);

    const FileRun unpacked = RunOnFiles(method.uncompress, packed.written);
    EXPECT_EQ(unpacked.rc, RC_OK);
    EXPECT_TRUE(unpacked.written == data);
    EXPECT_EQ(unpacked.inputPosition, packed.written.size());
    EXPECT_EQ(unpacked.outputPosition, 4 + size);

    if (size == 4097) {  // the switches pick these very variants
        const auto viaCompress = [&](CFile* in, CFile* out) { return Compress(method.id, in, out); };
        const auto viaUncompress = [&](CFile* in, CFile* out) { return Uncompress(method.id, in, out); };
        EXPECT_EQ(RunOnFiles(viaCompress, data).written, packed.written);
        EXPECT_EQ(RunOnFiles(viaUncompress, packed.written).rc, 1);
        EXPECT_EQ(RunOnFiles(viaUncompress, "").rc, method.id == CompressMethod_Raw ? 1 : 0);
    }
}

const FileMethod kFileMethods[] = {
    {"Z15", CompressMethod_Zlib, zlibCompressVC, zlibUncompressVC},
    {"GZ", CompressMethod_Gzip, gzCompressVC, gzUncompressVC},
    {"GZC", CompressMethod_RawDeflate, gzcCompressVC, gzcUncompressVC},
    {"RLE", CompressMethod_RLE, RLECompressVC, RLEUncompressVC},
    {"FILT", CompressMethod_Filtered, FilteredCompressVC, FilteredUncompressVC},
    {"HUFM", CompressMethod_Huffman, HuffmanCompressVC, HuffmanUncompressVC},
    {"BZ", CompressMethod_Bzip2, bzlibCompressVC, bzlibUncompressVC},
    {"RAW", CompressMethod_Raw, rawCompressVC, rawUncompressVC},
};

INSTANTIATE_TEST_SUITE_P(Sizes, FileRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kFileMethods), ::testing::Values(0, 1, 4096, 4097, 1 << 20)),
                         [](const auto& info) {
                             const FileMethod& m = std::get<0>(info.param);
                             return std::string(m.name) + "_" + std::to_string(std::get<1>(info.param));
                         });

TEST(FileSwitch, UnknownIdReadsAndWritesNothing) {
    for (std::uint32_t id : {0u, MakeCompressMethodId("Z15\0"), MakeCompressMethodId("gz  "), 0x2035315Bu}) {
        EXPECT_EQ(FindCompressMethod(id), nullptr) << std::hex << id;
        for (const FileRun& r : {RunOnFiles([&](CFile* in, CFile* out) { return Compress(id, in, out); }, "data", 1),
                                 RunOnFiles([&](CFile* in, CFile* out) { return Uncompress(id, in, out); }, "data", 1)}) {
            EXPECT_EQ(r.rc, 0);
            EXPECT_EQ(r.inputPosition, 1u);
            EXPECT_EQ(r.written, "");
        }
    }
}

// Decoded data that ends exactly where an output chunk ends: the coder must not be
// asked again after the end of its stream. The alphabet keeps each stream within one
// input chunk, so its end falls on the 8192-byte stack chunk or the 524288-byte heap one.
struct BoundaryCase { const char* name; BufferFn compress; FileFn uncompress; std::size_t size; unsigned letterBits; };

class FileChunkBoundary : public ::testing::TestWithParam<BoundaryCase> {};

TEST_P(FileChunkBoundary, CompleteStreamGivesSuccess) {
    const auto& c = GetParam();
    const std::string data = Letters(c.size, c.letterBits);
    const std::string packed = ExactStream(c.compress, data);
    if (c.size <= 8192) ASSERT_LE(packed.size(), 4096u);
    else ASSERT_TRUE(packed.size() > 4096 && packed.size() <= 262144) << packed.size();
    const FileRun r = RunOnFiles(c.uncompress, packed);
    EXPECT_EQ(r.rc, RC_OK);
    EXPECT_TRUE(r.written == data);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FileChunkBoundary,
                         ::testing::Values(BoundaryCase{"zlib_8192", zlibCompress, zlibUncompressVC, 8192, 2},
                                           BoundaryCase{"gzc_8192", gzcCompress, gzcUncompressVC, 8192, 2},
                                           BoundaryCase{"bz_8192", bzlibCompress, bzlibUncompressVC, 8192, 2},
                                           BoundaryCase{"gz_524288", gzCompress, gzUncompressVC, 524288, 3},
                                           BoundaryCase{"bz_524288", bzlibCompress, bzlibUncompressVC, 524288, 3},
                                           BoundaryCase{"bz_1048576", bzlibCompress, bzlibUncompressVC, 1048576, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

std::string Data() { return HalfCompressible(30000); }
std::string Zlib() { return ExactStream(zlibCompress, Data()); }
std::string Bzip2() { return ExactStream(bzlibCompress, Data()); }
std::string Cut(std::string s) { return s.substr(0, s.size() - 5); }

struct DecodeCase {
    const char* name;
    FileFn uncompress;
    std::string (*source)();
    EReturnCode expected;
};

}  // namespace

class FileDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(FileDecoding, GivesTheStreamsResult) {
    const auto& c = GetParam();
    const FileRun r = RunOnFiles(c.uncompress, c.source());
    EXPECT_EQ(r.rc, c.expected);
    if (c.expected == RC_OK) {
        EXPECT_TRUE(r.written == Data());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, FileDecoding,
    ::testing::Values(
        DecodeCase{"rle_by_zlib", zlibUncompressVC, [] { return ExactStream(RLECompress, Data()); }, RC_OK},
        DecodeCase{"zlib_by_filtered", FilteredUncompressVC, Zlib, RC_OK},
        DecodeCase{"zlib_by_gz", gzUncompressVC, Zlib, RC_OK},
        DecodeCase{"gz_by_zlib", zlibUncompressVC, [] { return ExactStream(gzCompress, Data()); }, RC_DATA_ERROR},
        DecodeCase{"bz_by_zlib", zlibUncompressVC, Bzip2, RC_DATA_ERROR},
        DecodeCase{"zlib_by_bz", bzlibUncompressVC, Zlib, RC_DATA_ERROR},
        DecodeCase{"zlib_trailer", zlibUncompressVC, [] { return Zlib() + "trailing bytes"; }, RC_OK},
        DecodeCase{"bz_trailer", bzlibUncompressVC, [] { return Bzip2() + "trailing bytes"; }, RC_OK},
        DecodeCase{"zlib_truncated", zlibUncompressVC, [] { return Cut(Zlib()); }, RC_DATA_ERROR},
        DecodeCase{"gzc_truncated", gzcUncompressVC, [] { return Cut(ExactStream(gzcCompress, Data())); },
                   RC_DATA_ERROR},
        DecodeCase{"bz_truncated", bzlibUncompressVC, [] { return Cut(Bzip2()); }, RC_DATA_ERROR},
        DecodeCase{"bz_check", bzlibUncompressVC, [] { return CheckValueFlipped(Bzip2()); }, RC_DATA_ERROR},
        DecodeCase{"gz_foreign", gzUncompressVC, [] { return RandomBytes(9000); }, RC_DATA_ERROR},
        DecodeCase{"bz_foreign", bzlibUncompressVC, [] { return RandomBytes(9000); }, RC_DATA_ERROR},
        DecodeCase{"needs_dictionary", zlibUncompressVC, DictionaryStream, RC_DATA_ERROR}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileArguments, MissingFileGivesTheVariantsCode) {
    CFile file;
    for (const auto& [fn, expected] : {std::pair<FileFn, EReturnCode>{bzlibCompressVC, RC_MEMORY_ERROR}, {rawCompressVC, RC_BUFFER_ERROR},
                                       {zlibCompressVC, RC_FAILED}, {gzUncompressVC, RC_FAILED},
                                       {bzlibUncompressVC, RC_FAILED}}) {
        EXPECT_EQ(fn(nullptr, &file), expected);
        EXPECT_EQ(fn(&file, nullptr), expected);
    }
}

TEST(FileEndsEarly, CopyRewindsBothFilesAndCodersReportDataError) {
    const std::string data = HalfCompressible(10000);
    const FileRun copy = RunOnFiles<ShortFile>(rawCompressVC, "xx" + data, 2);
    EXPECT_EQ(copy.rc, RC_DATA_ERROR);
    EXPECT_EQ(copy.inputPosition, 2u);
    EXPECT_EQ(copy.outputPosition, 4u);
    EXPECT_TRUE(copy.written == data) << "bytes already copied stay";

    for (FileFn fn : {zlibCompressVC, bzlibCompressVC, zlibUncompressVC}) {
        const FileRun r = RunOnFiles<ShortFile>(fn, data);
        EXPECT_EQ(r.rc, RC_DATA_ERROR);
        EXPECT_EQ(r.inputPosition, data.size());
    }
}
