// Settings-file loading beside inih, and MD5 beside OpenSSL, in one process.
#include <benchmark/benchmark.h>
#include <ini.h>
#include <openssl/evp.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/ratio_reporter.h"
#include "tesk/settings_store.h"
#include "tesk/util_digest.h"

namespace {

constexpr int kSections = 10000;
constexpr int kKeysPerSection = 50;

// A narrow settings file of about 20 MB: 10,000 sections of 50 keys, CR LF
// line ends, values of typical setting length. Removed at exit.
class SettingsFile {
public:
    SettingsFile() {
        path_ = (std::filesystem::temp_directory_path() / ("tesk-bench-" + std::to_string(::getpid()) + ".ini")).string();
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        if (!f) return;
        for (int s = 0; s < kSections; ++s) {
            std::fprintf(f, "[Quote.Board.%05d]\r\n", s);
            for (int k = 0; k < kKeysPerSection; ++k)
                std::fprintf(f, "ColumnWidth%02d=%d,%d,%d;visible=1;align=right\r\n", k, s, k * 7, s * k % 977);
        }
        std::fclose(f);
    }
    ~SettingsFile() { std::remove(path_.c_str()); }
    const char* Path() const { return path_.c_str(); }
    std::int64_t Bytes() const { return static_cast<std::int64_t>(std::filesystem::file_size(path_)); }

private:
    std::string path_;
};

const SettingsFile& BenchFile() {
    static const SettingsFile file;
    return file;
}

void BM_LoadFileA(benchmark::State& state) {
    const auto& file = BenchFile();
    for (auto _ : state) {
        CTeskSetting store;
        if (!store.LoadFileA(file.Path())) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(store.GetSectionListCount());
    }
    state.SetBytesProcessed(state.iterations() * file.Bytes());
}

// Baseline: inih parsing the same file into nested hash maps, first value kept.
using IniMap = std::unordered_map<std::string, std::unordered_map<std::string, std::string>>;

int InihHandler(void* user, const char* section, const char* name, const char* value) {
    (*static_cast<IniMap*>(user))[section].try_emplace(name, value);
    return 1;
}

void BM_InihParse(benchmark::State& state) {
    const auto& file = BenchFile();
    for (auto _ : state) {
        IniMap map;
        if (ini_parse(file.Path(), InihHandler, &map) < 0) state.SkipWithError("inih failed");
        benchmark::DoNotOptimize(map.size());
    }
    state.SetBytesProcessed(state.iterations() * file.Bytes());
}

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

BENCHMARK(BM_LoadFileA)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InihParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcMD5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSslMD5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return tesk_bench::RunWithRatios(argc, argv, {{"BM_LoadFileA", "BM_InihParse"}, {"BM_CalcMD5", "BM_OpenSslMD5"}});
}
