// Runs the registered benchmarks and then prints, for each pair (ours,
// baseline), the speed ratio baseline CPU time / our CPU time (CPU time because
// the machine's cores are shared): above 1.0 we are faster.
//
//   int main(int argc, char** argv) {
//       return tesk_bench::RunWithRatios(argc, argv, {{"BM_CalcMD5", "BM_OpenSslMD5"}});
//   }
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tesk_bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs)
            if (!r.error_occurred && r.iterations > 0) seconds_[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios(const std::vector<std::pair<std::string, std::string>>& pairs) const {
        std::printf("\n");
        for (const auto& [ours, base] : pairs) {
            const auto a = seconds_.find(ours), b = seconds_.find(base);
            if (a == seconds_.end() || b == seconds_.end() || a->second <= 0) continue;
            std::printf("ratio %-28s vs %-28s %.2fx\n", ours.c_str(), base.c_str(), b->second / a->second);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

inline int RunWithRatios(int argc, char** argv, const std::vector<std::pair<std::string, std::string>>& pairs) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(pairs);
    benchmark::Shutdown();
    return 0;
}

}  // namespace tesk_bench
