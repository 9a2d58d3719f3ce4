// A console reporter that also keeps each benchmark's CPU time per iteration by
// name, so a program can print its library-to-baseline ratios after the run.
// With --benchmark_repetitions the median stands for the benchmark.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tesk_bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs) {
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
            if (r.run_type == Run::RT_Iteration && medians.count(r.run_name.str())) continue;
            if (r.run_type == Run::RT_Aggregate) medians.insert(r.run_name.str());
            times[r.run_name.str()] = r.GetAdjustedCPUTime();
        }
    }
    // Library time over baseline time ("BM_X_Library" vs "BM_X_Snprintf"); 0 when one is missing.
    double Ratio(const std::string& numerator, const std::string& denominator) const {
        const auto n = times.find(numerator), d = times.find(denominator);
        return n == times.end() || d == times.end() || n->second == 0 ? 0.0 : n->second / d->second;
    }

    std::map<std::string, double> times;
    std::set<std::string> medians;
};

}  // namespace tesk_bench
