// Compression and CRC-32 beside the libraries they wrap:
//   Crc32 over 64 MiB in memory against zlib's crc32();
//   zlibCompressVC and bzlibCompressVC of a 64 MiB file against a plain read/code/write
//   loop over zlib and bzip2 with the same parameters and chunk sizes.
// The file is quote-like text (about 3:1 under zlib), written once to the temp folder.
#include <bzlib.h>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "tesk/compress.h"
#include "tesk/settings_file.h"

namespace {

constexpr std::size_t kSize = 64u << 20;
constexpr std::size_t kInputChunk = 262144;
constexpr std::size_t kOutputChunk = 524288;

const std::vector<unsigned char>& RandomBlock() {
    static const std::vector<unsigned char> block = [] {
        std::vector<unsigned char> b(kSize);
        std::mt19937_64 rng(42);
        for (auto& c : b) c = static_cast<unsigned char>(rng());
        return b;
    }();
    return block;
}

struct BenchFiles {
    std::string input, output;
    BenchFiles() {
        const auto dir = std::filesystem::temp_directory_path();
        input = (dir / ("tesk_bench_compress_in_" + std::to_string(getpid()))).string();
        output = (dir / ("tesk_bench_compress_out_" + std::to_string(getpid()))).string();
        std::FILE* f = std::fopen(input.c_str(), "wb");
        std::mt19937 rng(7);
        auto below = [&](unsigned n) { return static_cast<unsigned>(rng() % n); };
        std::size_t written = 0;
        char line[96];
        while (written < kSize) {
            const int n = std::snprintf(line, sizeof line, "%04u %02u:%02u:%02u %8.2f %+6.2f %9u %9u\n",
                                        1101 + below(8000), 9 + below(5), below(60), below(60), below(200000) / 100.0,
                                        (static_cast<int>(below(2001)) - 1000) / 100.0, below(100000), below(1000000));
            std::fwrite(line, 1, static_cast<std::size_t>(n), f);
            written += static_cast<std::size_t>(n);
        }
        std::fclose(f);
    }
    ~BenchFiles() {
        std::remove(input.c_str());
        std::remove(output.c_str());
    }
};

const BenchFiles& Files() {
    static const BenchFiles files;
    return files;
}

void BM_Crc32(benchmark::State& state) {
    const auto& block = RandomBlock();
    for (auto _ : state)
        benchmark::DoNotOptimize(TeskUtility::Crc32(block.data(), static_cast<std::uint32_t>(block.size()), ~0u));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

void BM_ZlibCrc32(benchmark::State& state) {
    const auto& block = RandomBlock();
    for (auto _ : state) benchmark::DoNotOptimize(crc32(0, block.data(), static_cast<uInt>(block.size())));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

template <TeskUtility::EReturnCode (*Fn)(CFile*, CFile*)>
void BM_CompressVC(benchmark::State& state) {
    const auto& files = Files();
    for (auto _ : state) {
        CFile in(files.input, CFile::modeRead);
        CFile out(files.output, CFile::modeCreate | CFile::modeWrite);
        if (Fn(&in, &out) != TeskUtility::RC_OK) state.SkipWithError("compression failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

// The baseline: what a caller would write by hand around the library.
struct PlainFiles {
    int in, out;
    explicit PlainFiles(const BenchFiles& f)
        : in(open(f.input.c_str(), O_RDONLY)), out(open(f.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)) {}
    ~PlainFiles() {
        close(in);
        close(out);
    }
};

void BM_PlainZlibLoop(benchmark::State& state) {
    std::vector<unsigned char> inBuf(kInputChunk), outBuf(kOutputChunk);
    for (auto _ : state) {
        PlainFiles f(Files());
        z_stream s{};
        deflateInit2(&s, 9, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY);
        int rc = Z_OK;
        ssize_t got;
        while ((got = read(f.in, inBuf.data(), inBuf.size())) > 0) {
            s.next_in = inBuf.data();
            s.avail_in = static_cast<uInt>(got);
            const int flush = static_cast<std::size_t>(got) < inBuf.size() ? Z_FINISH : Z_NO_FLUSH;
            do {
                s.next_out = outBuf.data();
                s.avail_out = static_cast<uInt>(outBuf.size());
                rc = deflate(&s, flush);
                if (write(f.out, outBuf.data(), outBuf.size() - s.avail_out) < 0) state.SkipWithError("write");
            } while (s.avail_out == 0);
        }
        if (rc != Z_STREAM_END) {  // the size was a multiple of the chunk: finish now
            do {
                s.next_out = outBuf.data();
                s.avail_out = static_cast<uInt>(outBuf.size());
                rc = deflate(&s, Z_FINISH);
                if (write(f.out, outBuf.data(), outBuf.size() - s.avail_out) < 0) state.SkipWithError("write");
            } while (rc != Z_STREAM_END);
        }
        deflateEnd(&s);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

void BM_PlainBzip2Loop(benchmark::State& state) {
    std::vector<char> inBuf(kInputChunk), outBuf(kOutputChunk);
    for (auto _ : state) {
        PlainFiles f(Files());
        bz_stream s{};
        BZ2_bzCompressInit(&s, 9, 0, 30);
        ssize_t got;
        while ((got = read(f.in, inBuf.data(), inBuf.size())) > 0) {
            s.next_in = inBuf.data();
            s.avail_in = static_cast<unsigned>(got);
            do {
                s.next_out = outBuf.data();
                s.avail_out = static_cast<unsigned>(outBuf.size());
                BZ2_bzCompress(&s, BZ_RUN);
                if (write(f.out, outBuf.data(), outBuf.size() - s.avail_out) < 0) state.SkipWithError("write");
            } while (s.avail_out == 0);
        }
        int rc;
        do {
            s.next_out = outBuf.data();
            s.avail_out = static_cast<unsigned>(outBuf.size());
            rc = BZ2_bzCompress(&s, BZ_FINISH);
            if (write(f.out, outBuf.data(), outBuf.size() - s.avail_out) < 0) state.SkipWithError("write");
        } while (rc != BZ_STREAM_END);
        BZ2_bzCompressEnd(&s);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

}  // namespace

// A file run takes seconds and the machine is shared: each side runs three times and
// the ratio compares the fastest runs, the ones least disturbed by other work.
void FileRuns(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

BENCHMARK(BM_Crc32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCrc32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressVC<TeskUtility::zlibCompressVC>)->Name("BM_zlibCompressVC")->Apply(FileRuns);
BENCHMARK(BM_PlainZlibLoop)->Apply(FileRuns);
BENCHMARK(BM_CompressVC<TeskUtility::bzlibCompressVC>)->Name("BM_bzlibCompressVC")->Apply(FileRuns);
BENCHMARK(BM_PlainBzip2Loop)->Apply(FileRuns);

int main(int argc, char** argv) {
    return tesk_bench::RunWithRatios(
        argc, argv,
        {{"BM_Crc32", "BM_ZlibCrc32"},
         {"BM_zlibCompressVC/iterations:1/repeats:3_min", "BM_PlainZlibLoop/iterations:1/repeats:3_min"},
         {"BM_bzlibCompressVC/iterations:1/repeats:3_min", "BM_PlainBzip2Loop/iterations:1/repeats:3_min"}});
}
