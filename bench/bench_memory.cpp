// FastMemoryCopy beside glibc memcpy on the same 16-byte aligned buffers
// (as CTeskMemFile hands them out), at 4 KiB, 1 MiB and 64 MiB.
// Ratios are throughput of FastMemoryCopy over memcpy (1.00x = as fast).
// The program checks that both produce the same bytes before timing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tesk/host_cpu.h"

namespace {

constexpr int kSizes[] = {4 << 10, 1 << 20, 64 << 20};

struct Buffers {
    explicit Buffers(int size) : n(size) {
        src = static_cast<unsigned char*>(CCPUEnhancement::AllocMemory(static_cast<std::size_t>(n)));
        dst = static_cast<unsigned char*>(CCPUEnhancement::AllocMemory(static_cast<std::size_t>(n)));
        for (int i = 0; i < n; ++i) src[i] = static_cast<unsigned char>(i * 131 + 7);
        std::memset(dst, 0, static_cast<std::size_t>(n));
    }
    ~Buffers() {
        void* s = src;
        void* d = dst;
        CCPUEnhancement::FreeMemory(s);
        CCPUEnhancement::FreeMemory(d);
    }
    int n;
    unsigned char* src;
    unsigned char* dst;
};

void BM_Memcpy(benchmark::State& state) {
    Buffers b(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::memcpy(b.dst, b.src, static_cast<std::size_t>(b.n));
        benchmark::DoNotOptimize(b.dst);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * b.n);
}

void BM_FastMemoryCopy(benchmark::State& state) {
    Buffers b(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CCPUEnhancement::FastMemoryCopy(b.dst, b.src, b.n);
        benchmark::DoNotOptimize(b.dst);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * b.n);
}

void Sizes(benchmark::internal::Benchmark* bm) {
    for (int n : kSizes) bm->Arg(n);
}
BENCHMARK(BM_Memcpy)->Apply(Sizes);
BENCHMARK(BM_FastMemoryCopy)->Apply(Sizes);

bool CopiesAgree() {
    for (int n : kSizes) {
        Buffers b(n);
        CCPUEnhancement::FastMemoryCopy(b.dst, b.src, n);
        if (std::memcmp(b.dst, b.src, static_cast<std::size_t>(n)) != 0) {
            std::fprintf(stderr, "FastMemoryCopy differs from the source at %d bytes\n", n);
            return false;
        }
    }
    return true;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs)
            if (r.run_type == Run::RT_Iteration) times[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!CopiesAgree()) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-8s %s\n", "size", "FastMemoryCopy throughput / memcpy");
    for (int n : kSizes) {
        const std::string arg = std::string("/").append(std::to_string(n));
        const auto lib = reporter.times.find("BM_FastMemoryCopy" + arg);
        const auto base = reporter.times.find("BM_Memcpy" + arg);
        if (lib == reporter.times.end() || base == reporter.times.end()) continue;
        const char* unit = n >= (1 << 20) ? "MiB" : "KiB";
        std::printf("%4d %s %8.2fx\n", n >= (1 << 20) ? n >> 20 : n >> 10, unit, base->second / lib->second);
    }
    std::printf("goal: >= 0.90x at each size\n");
    return 0;
}
