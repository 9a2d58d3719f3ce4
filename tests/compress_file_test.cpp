#include <gtest/gtest.h>
#include <zlib.h>

#include "compress_fixtures.h"
#include "temp_dir.h"
#include "tesk/compress.h"
#include "tesk/settings_file.h"

using namespace TeskUtility;
using compress_fixtures::HalfCompressible;
using compress_fixtures::RandomBytes;

namespace {

using FileFn = EReturnCode (*)(CFile*, CFile*);

struct FileMethod {
    const char* name;
    std::uint32_t id;
    FileFn compress;
    FileFn uncompress;
};

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

// A file that announces more bytes than it holds, as one cut short while being read.
class ShortFile : public CFile {
public:
    using CFile::CFile;
    std::uint64_t GetLength() const override { return CFile::GetLength() + 100; }
};

struct FileRun {
    int rc;
    std::string written;           // what the call added behind the output's prefix
    bool prefixKept;
    std::uint64_t inputPosition;   // after the call
    std::uint64_t outputPosition;
};

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

std::string Encoded(FileFn fn, const std::string& data) {
    const FileRun r = RunOnFiles(fn, data, 0, "");
    EXPECT_EQ(r.rc, RC_OK);
    return r.written;
}

}  // namespace

class FileRoundTrip : public ::testing::TestWithParam<std::tuple<FileMethod, std::size_t>> {};

TEST_P(FileRoundTrip, RestoresTheBytesAndLeavesFilesAtTheirEnds) {
    const auto& [method, size] = GetParam();
    const std::string data = HalfCompressible(size);
    const std::string skipped = "skipped prefix";

    const FileRun packed = RunOnFiles(method.compress, skipped + data, skipped.size());
    EXPECT_EQ(packed.inputPosition, skipped.size() + size);
    EXPECT_EQ(packed.outputPosition, 4 + packed.written.size());
    EXPECT_TRUE(packed.prefixKept);
    if (size == 0) {  // nothing to code: no stream end was reached, except for the copy
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
}

INSTANTIATE_TEST_SUITE_P(Sizes, FileRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kFileMethods),
                                            ::testing::Values(0, 1, 4096, 4097, 1 << 20)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

class FileSwitch : public ::testing::TestWithParam<FileMethod> {};

TEST_P(FileSwitch, IdPicksTheMethodsFileVariants) {
    const auto& method = GetParam();
    const std::string data = HalfCompressible(10000);
    const std::string direct = Encoded(method.compress, data);
    const FileRun viaId = RunOnFiles([&](CFile* in, CFile* out) { return Compress(method.id, in, out); }, data, 0, "");
    EXPECT_EQ(viaId.rc, 1);
    EXPECT_TRUE(viaId.written == direct);
    const FileRun back = RunOnFiles([&](CFile* in, CFile* out) { return Uncompress(method.id, in, out); }, direct, 0, "");
    EXPECT_EQ(back.rc, 1);
    EXPECT_TRUE(back.written == data);
    const FileRun failed = RunOnFiles([&](CFile* in, CFile* out) { return Uncompress(method.id, in, out); }, "", 0, "");
    EXPECT_EQ(failed.rc, method.id == CompressMethod_Raw ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Methods, FileSwitch, ::testing::ValuesIn(kFileMethods),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileSwitchUnknown, ReadsAndWritesNothing) {
    for (std::uint32_t id : {0u, MakeCompressMethodId("Z15\0"), MakeCompressMethodId("gz  "), 0x2035315Bu}) {
        const FileRun c = RunOnFiles([&](CFile* in, CFile* out) { return Compress(id, in, out); }, "data", 1);
        const FileRun u = RunOnFiles([&](CFile* in, CFile* out) { return Uncompress(id, in, out); }, "data", 1);
        EXPECT_EQ(FindCompressMethod(id), nullptr) << std::hex << id;
        for (const FileRun& r : {c, u}) {
            EXPECT_EQ(r.rc, 0);
            EXPECT_EQ(r.inputPosition, 1u);
            EXPECT_EQ(r.written, "");
        }
    }
}

// Decoded data that ends exactly where an output chunk ends: the coder must not be
// asked again after the end of its stream. The alphabet keeps each stream within one
// input chunk, so its end falls on the 8192-byte stack chunk or the 524288-byte heap one.
struct BoundaryCase {
    const char* name;
    FileFn compress;
    FileFn uncompress;
    std::size_t size;
    unsigned letterBits;
};

class FileChunkBoundary : public ::testing::TestWithParam<BoundaryCase> {};

TEST_P(FileChunkBoundary, CompleteStreamGivesSuccess) {
    const auto& c = GetParam();
    const std::string data = compress_fixtures::Letters(c.size, c.letterBits);
    const std::string packed = Encoded(c.compress, data);
    if (c.size <= 8192) ASSERT_LE(packed.size(), 4096u);
    else ASSERT_TRUE(packed.size() > 4096 && packed.size() <= 262144) << packed.size();
    const FileRun r = RunOnFiles(c.uncompress, packed);
    EXPECT_EQ(r.rc, RC_OK);
    EXPECT_TRUE(r.written == data);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FileChunkBoundary,
    ::testing::Values(BoundaryCase{"zlib_8192", zlibCompressVC, zlibUncompressVC, 8192, 2},
                      BoundaryCase{"gz_8192", gzCompressVC, gzUncompressVC, 8192, 2},
                      BoundaryCase{"gzc_8192", gzcCompressVC, gzcUncompressVC, 8192, 2},
                      BoundaryCase{"bz_8192", bzlibCompressVC, bzlibUncompressVC, 8192, 2},
                      BoundaryCase{"zlib_524288", zlibCompressVC, zlibUncompressVC, 524288, 3},
                      BoundaryCase{"bz_524288", bzlibCompressVC, bzlibUncompressVC, 524288, 3},
                      BoundaryCase{"bz_1048576", bzlibCompressVC, bzlibUncompressVC, 1048576, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct FileDecodeCase {
    const char* name;
    FileFn compress;
    FileFn uncompress;
    std::string (*alter)(std::string packed);
    EReturnCode expected;
};

namespace {

std::string Same(std::string s) { return s; }
std::string WithTrailer(std::string s) { return s + "trailing bytes after the stream"; }
std::string Truncated(std::string s) { return s.substr(0, s.size() - 5); }
std::string CheckFlipped(std::string s) {
    s[s.size() - 2] ^= 0x10;
    return s;
}
std::string Foreign(std::string s) { return RandomBytes(s.size()); }

}  // namespace

class FileDecoding : public ::testing::TestWithParam<FileDecodeCase> {};

TEST_P(FileDecoding, GivesTheStreamsResult) {
    const auto& c = GetParam();
    const std::string data = HalfCompressible(30000);
    const FileRun r = RunOnFiles(c.uncompress, c.alter(Encoded(c.compress, data)));
    EXPECT_EQ(r.rc, c.expected);
    if (c.expected == RC_OK) {
        EXPECT_TRUE(r.written == data);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, FileDecoding,
    ::testing::Values(FileDecodeCase{"rle_by_zlib", RLECompressVC, zlibUncompressVC, Same, RC_OK},
                      FileDecodeCase{"zlib_by_filtered", zlibCompressVC, FilteredUncompressVC, Same, RC_OK},
                      FileDecodeCase{"zlib_by_gz", zlibCompressVC, gzUncompressVC, Same, RC_OK},
                      FileDecodeCase{"gz_by_zlib", gzCompressVC, zlibUncompressVC, Same, RC_DATA_ERROR},
                      FileDecodeCase{"bz_by_zlib", bzlibCompressVC, zlibUncompressVC, Same, RC_DATA_ERROR},
                      FileDecodeCase{"zlib_by_bz", zlibCompressVC, bzlibUncompressVC, Same, RC_DATA_ERROR},
                      FileDecodeCase{"zlib_trailer", zlibCompressVC, zlibUncompressVC, WithTrailer, RC_OK},
                      FileDecodeCase{"gz_trailer", gzCompressVC, gzUncompressVC, WithTrailer, RC_OK},
                      FileDecodeCase{"bz_trailer", bzlibCompressVC, bzlibUncompressVC, WithTrailer, RC_OK},
                      FileDecodeCase{"zlib_truncated", zlibCompressVC, zlibUncompressVC, Truncated, RC_DATA_ERROR},
                      FileDecodeCase{"gzc_truncated", gzcCompressVC, gzcUncompressVC, Truncated, RC_DATA_ERROR},
                      FileDecodeCase{"bz_truncated", bzlibCompressVC, bzlibUncompressVC, Truncated, RC_DATA_ERROR},
                      FileDecodeCase{"gz_check", gzCompressVC, gzUncompressVC, CheckFlipped, RC_DATA_ERROR},
                      FileDecodeCase{"bz_check", bzlibCompressVC, bzlibUncompressVC, CheckFlipped, RC_DATA_ERROR},
                      FileDecodeCase{"zlib_foreign", zlibCompressVC, zlibUncompressVC, Foreign, RC_DATA_ERROR},
                      FileDecodeCase{"bz_foreign", bzlibCompressVC, bzlibUncompressVC, Foreign, RC_DATA_ERROR}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileDictionary, StreamThatNeedsAPresetDictionaryIsADataError) {
    const std::string dict = "quote board dictionary", data = "quote board quote board";
    std::string packed(256, '\0');
    z_stream s{};
    ASSERT_EQ(deflateInit(&s, 9), Z_OK);
    deflateSetDictionary(&s, reinterpret_cast<const Bytef*>(dict.data()), static_cast<uInt>(dict.size()));
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    s.avail_in = static_cast<uInt>(data.size());
    s.next_out = reinterpret_cast<Bytef*>(packed.data());
    s.avail_out = static_cast<uInt>(packed.size());
    ASSERT_EQ(deflate(&s, Z_FINISH), Z_STREAM_END);
    packed.resize(s.total_out);
    deflateEnd(&s);
    EXPECT_EQ(RunOnFiles(zlibUncompressVC, packed).rc, RC_DATA_ERROR);
}

TEST(FileMissing, EachVariantAnswersWithItsCode) {
    CFile file;
    struct Case {
        FileFn fn;
        EReturnCode expected;
    };
    for (const Case& c : {Case{bzlibCompressVC, RC_MEMORY_ERROR}, Case{rawCompressVC, RC_BUFFER_ERROR},
                          Case{zlibCompressVC, RC_FAILED}, Case{gzUncompressVC, RC_FAILED},
                          Case{bzlibUncompressVC, RC_FAILED}}) {
        EXPECT_EQ(c.fn(nullptr, &file), c.expected);
        EXPECT_EQ(c.fn(&file, nullptr), c.expected);
    }
    EXPECT_EQ(Compress(CompressMethod_Bzip2, nullptr, nullptr), 0);
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
