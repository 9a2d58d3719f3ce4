// RegexMatchA of "^\d*\.\d+$" over a million short texts, beside PCRE2 used
// directly with the equivalent pattern compiled once (interpreter and JIT).
// Prints the CPU time as ratios to both baselines.
#define PCRE2_CODE_UNIT_WIDTH 8
#include <benchmark/benchmark.h>
#include <pcre2.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "tesk/util_regex.h"

namespace {

constexpr std::size_t kTexts = 1'000'000;

const std::vector<std::string>& Texts() {
    static const std::vector<std::string> texts = [] {
        static const char* const kShapes[] = {"12.5", ".75", "1234", "3.", "1.2.3", "", "abc", "0.0001", "99.9x"};
        std::mt19937 rng(42);
        std::vector<std::string> out;
        out.reserve(kTexts);
        for (std::size_t i = 0; i < kTexts; ++i) {
            std::string t = kShapes[rng() % std::size(kShapes)];
            for (unsigned n = rng() % 4; n > 0; --n) t.insert(t.begin(), static_cast<char>('0' + rng() % 10));
            out.push_back(std::move(t));
        }
        return out;
    }();
    return texts;
}

void BM_RegexMatchA(benchmark::State& state) {
    const auto& texts = Texts();
    for (auto _ : state) {
        std::size_t hits = 0;
        for (const auto& t : texts) hits += TeskUtility::RegexMatchA("^\\d*\\.\\d+$", t.c_str(), 1);
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
}

void Pcre2Direct(benchmark::State& state, bool jit) {
    int err;
    PCRE2_SIZE offset;
    pcre2_code* code =
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>("^[0-9]*\\.[0-9]+\\z"), PCRE2_ZERO_TERMINATED, 0, &err, &offset, nullptr);
    if (jit) pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    pcre2_match_data* md = pcre2_match_data_create_from_pattern(code, nullptr);
    const std::uint32_t options = jit ? 0 : PCRE2_NO_JIT;
    const auto& texts = Texts();
    for (auto _ : state) {
        std::size_t hits = 0;
        for (const auto& t : texts)
            hits += pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(t.c_str()), t.size(), 0, options, md, nullptr) >= 0;
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
    pcre2_match_data_free(md);
    pcre2_code_free(code);
}

void BM_Pcre2Interpreter(benchmark::State& state) { Pcre2Direct(state, false); }
void BM_Pcre2Jit(benchmark::State& state) { Pcre2Direct(state, true); }

BENCHMARK(BM_Pcre2Interpreter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pcre2Jit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexMatchA)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    Texts();
    return tesk_bench::RunWithRatios(argc, argv,
                                     {{"BM_RegexMatchA", "BM_Pcre2Interpreter"}, {"BM_RegexMatchA", "BM_Pcre2Jit"}});
}
