// Time, date and unit formatters beside the straightforward version: snprintf of
// the printf template the state describes ("%02u:%02u:%02u"), one assignment.
// Each run formats 1,000,000 values; ratios use CPU time. The program checks
// that both produce the same bytes before timing, then prints the ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "tesk/format.h"

namespace {

using namespace TeskUtility;

constexpr int kValues = 1000000;

struct Inputs {
    std::vector<std::int32_t> times;
    std::vector<std::int32_t> dates;
    std::vector<std::int32_t> volumes;
};

const Inputs& TheInputs() {
    static const Inputs in = [] {
        Inputs r;
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> hour(0, 23), minute(0, 59), month(1, 12), day(1, 31), year(1990, 2040);
        std::uniform_int_distribution<std::int32_t> volume(-2000000000, 2000000000);
        for (int i = 0; i < kValues; ++i) {
            r.times.push_back(hour(rng) << 16 | minute(rng) << 8 | minute(rng));
            r.dates.push_back(year(rng) << 16 | month(rng) << 8 | day(rng));
            r.volumes.push_back(volume(rng) >> (i % 24));  // every unit, small and large
        }
        return r;
    }();
    return in;
}

// ---- the straightforward versions
void TimeSnprintf(std::string& out, std::int32_t t) {
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", (t >> 16) & 0xFF, (t >> 8) & 0xFF, t & 0xFF);
    out.assign(buf, static_cast<std::size_t>(n));
}

void DateSnprintf(std::string& out, std::int32_t d) {
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%04u/%02u/%02u", static_cast<std::uint32_t>(d) >> 16, (d >> 8) & 0xFF,
                                d & 0xFF);
    out.assign(buf, static_cast<std::size_t>(n));
}

// Auto unit of a 32-bit value, quotient with "%d", then the unit letter.
void UnitSnprintf(std::string& out, std::int32_t v) {
    const std::int64_t m = v < 0 ? -std::int64_t{v} : v;
    const std::int32_t divisor = m <= 1000 ? 1 : m <= 1000000 ? 1000 : m <= 1000000000 ? 1000000 : 1000000000;
    const char* sign = divisor == 1 ? "" : divisor == 1000 ? "K" : divisor == 1000000 ? "M" : "B";
    char buf[32];
    const int n = v == 0 ? std::snprintf(buf, sizeof buf, "0") : std::snprintf(buf, sizeof buf, "%d%s", v / divisor, sign);
    out.assign(buf, static_cast<std::size_t>(n));
}

void TimeLibrary(std::string& out, std::int32_t t) { TimeFormatA(out, t, HourMinuteSecond); }
void DateLibrary(std::string& out, std::int32_t d) { DateFormatA(out, d, YearMonthDay); }
void UnitLibrary(std::string& out, std::int32_t v) { NumberConvertA(v, out, Auto, Plain, 0); }

template <void (*Format)(std::string&, std::int32_t), std::vector<std::int32_t> Inputs::*Column>
void Run(benchmark::State& st) {
    const auto& values = TheInputs().*Column;
    std::string out;
    for (auto _ : st) {
        for (std::int32_t v : values) {
            Format(out, v);
            benchmark::DoNotOptimize(out.data());
        }
    }
    st.SetItemsProcessed(st.iterations() * kValues);
}

BENCHMARK(Run<TimeLibrary, &Inputs::times>)->Name("BM_Time_Library")->Unit(benchmark::kMillisecond);
BENCHMARK(Run<TimeSnprintf, &Inputs::times>)->Name("BM_Time_Snprintf")->Unit(benchmark::kMillisecond);
BENCHMARK(Run<DateLibrary, &Inputs::dates>)->Name("BM_Date_Library")->Unit(benchmark::kMillisecond);
BENCHMARK(Run<DateSnprintf, &Inputs::dates>)->Name("BM_Date_Snprintf")->Unit(benchmark::kMillisecond);
BENCHMARK(Run<UnitLibrary, &Inputs::volumes>)->Name("BM_Unit_Library")->Unit(benchmark::kMillisecond);
BENCHMARK(Run<UnitSnprintf, &Inputs::volumes>)->Name("BM_Unit_Snprintf")->Unit(benchmark::kMillisecond);

bool BaselinesAgree() {
    const Inputs& in = TheInputs();
    std::string a, b;
    for (int i = 0; i < kValues; i += 7) {
        const std::pair<void (*)(std::string&, std::int32_t), void (*)(std::string&, std::int32_t)> pairs[] = {
            {TimeLibrary, TimeSnprintf}, {DateLibrary, DateSnprintf}, {UnitLibrary, UnitSnprintf}};
        const std::int32_t values[] = {in.times[i], in.dates[i], in.volumes[i]};
        for (int k = 0; k < 3; ++k) {
            pairs[k].first(a, values[k]);
            pairs[k].second(b, values[k]);
            if (a != b) return std::fprintf(stderr, "differs on %d: %s|%s\n", values[k], a.c_str(), b.c_str()), false;
        }
    }
    return true;
}


}  // namespace

int main(int argc, char** argv) {
    std::vector<tesk_bench::RatioPair> pairs;
    for (const char* family : {"Time", "Date", "Unit"}) {
        const std::string base = std::string("BM_") + family;
        pairs.push_back({base + "_Library", base + "_Snprintf"});
    }
    return tesk_bench::RunWithRatios(argc, argv, pairs, BaselinesAgree);
}
