// The one ratio reporter of the benchmark programs: runs the registered
// benchmarks with the usual console output, then states each pair as
//
//   BM_Ours is 2.31x faster than BM_Baseline
//   BM_Ours is 1.19x slower than BM_Baseline
//
// always from our side, N >= 1. A new benchmark program needs only:
//
//   #include "bench/ratio_reporter.h"
//   BENCHMARK(BM_Ours);
//   BENCHMARK(BM_Baseline);
//   int main(int argc, char** argv) {
//       return tesk_bench::RunWithRatios(argc, argv, {{"BM_Ours", "BM_Baseline"}});
//   }
//
// Names are the ones the console shows ("BM_Copy/4096", "BM_X_min" for an
// aggregate). Times are CPU time per iteration, steadier than wall time on a
// shared machine; with --benchmark_repetitions=N the median stands for a
// benchmark. Pass a check as the last argument to refuse to time variants
// that do not produce the same result. Report the printed ratios, not times.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tesk_bench {

struct RatioPair {
    std::string ours;
    std::string baseline;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (!r.error_occurred && r.iterations > 0) cpuTime_[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }

    // CPU time per iteration of the named benchmark (its median when
    // repetitions ran); 0 when it did not run.
    double CpuTime(const std::string& name) const {
        auto it = cpuTime_.find(name + "_median");
        if (it == cpuTime_.end()) it = cpuTime_.find(name);
        return it == cpuTime_.end() ? 0.0 : it->second;
    }

    // Baseline time over our time: above 1 we are faster. 0 when either is missing.
    double Speedup(const std::string& ours, const std::string& baseline) const {
        const double a = CpuTime(ours), b = CpuTime(baseline);
        return a > 0 && b > 0 ? b / a : 0.0;
    }

    // "OURS is N x faster/slower than BASELINE", or a note that one did not run.
    std::string Describe(const RatioPair& p) const {
        const double s = Speedup(p.ours, p.baseline);
        char line[512];
        if (s <= 0)
            std::snprintf(line, sizeof line, "%s vs %s: not both run", p.ours.c_str(), p.baseline.c_str());
        else
            std::snprintf(line, sizeof line, "%s is %.2fx %s than %s", p.ours.c_str(), s >= 1 ? s : 1 / s,
                          s >= 1 ? "faster" : "slower", p.baseline.c_str());
        return line;
    }

    void PrintRatios(const std::vector<RatioPair>& pairs) const {
        std::printf("\n");
        for (const RatioPair& p : pairs) std::printf("%s\n", Describe(p).c_str());
    }

private:
    std::map<std::string, double> cpuTime_;
};

// Runs the benchmarks selected on the command line and prints the pairs'
// ratios. `agree`, when given, runs first; false means exit status 1, no timing.
inline int RunWithRatios(int argc, char** argv, const std::vector<RatioPair>& pairs, bool (*agree)() = nullptr) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (agree && !agree()) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(pairs);
    benchmark::Shutdown();
    return 0;
}

}  // namespace tesk_bench
