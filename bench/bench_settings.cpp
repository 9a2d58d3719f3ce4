// Settings-file loading beside inih, and MD5 beside OpenSSL, in one process.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <cstdint>
#include <vector>

#include "bench/ratio_report.h"
#include "tesk/util_digest.h"

namespace {

const std::vector<unsigned char>& Md5Input() {
    static const std::vector<unsigned char> data = [] {
        std::vector<unsigned char> v(64u << 20);
        std::uint32_t x = 2463534242u;
        for (auto& b : v) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            b = static_cast<unsigned char>(x);
        }
        return v;
    }();
    return data;
}

void BM_CalcMD5(benchmark::State& state) {
    const auto& in = Md5Input();
    for (auto _ : state) benchmark::DoNotOptimize(TeskUtility::CalcMD5(in.data(), static_cast<std::uint32_t>(in.size())));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.size()));
}

void BM_OpenSslMD5(benchmark::State& state) {
    const auto& in = Md5Input();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned size = 0;
    for (auto _ : state) {
        EVP_Digest(in.data(), in.size(), digest, &size, EVP_md5(), nullptr);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.size()));
}

}  // namespace

BENCHMARK(BM_CalcMD5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSslMD5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return tesk_bench::RunWithRatios(argc, argv, {{"BM_CalcMD5", "BM_OpenSslMD5"}});
}
