// FastMemoryCopy beside glibc memcpy on the same 16-byte aligned buffers
// (as CTeskMemFile hands them out), at 4 KiB, 1 MiB and 64 MiB.
// Ratios are throughput of FastMemoryCopy over memcpy (1.00x = as fast).
// The program checks that both produce the same bytes before timing.
// Ratios use CPU time (steadier on a shared machine); run with
// --benchmark_repetitions=5 to take medians.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
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
        // With --benchmark_repetitions the median wins over single runs.
        for (const auto& r : runs) {
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
            if (r.run_type == Run::RT_Iteration && medians.count(r.run_name.str())) continue;
            if (r.run_type == Run::RT_Aggregate) medians.insert(r.run_name.str());
            times[r.run_name.str()] = r.GetAdjustedCPUTime();
        }
    }
    std::map<std::string, double> times;
    std::set<std::string> medians;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!CopiesAgree()) return 1;
    // Each size's pair runs back to back, so that both see the same machine load.
    for (int n : kSizes) {
        benchmark::RegisterBenchmark("BM_Memcpy", BM_Memcpy)->Arg(n);
        benchmark::RegisterBenchmark("BM_FastMemoryCopy", BM_FastMemoryCopy)->Arg(n);
    }
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
