// Zip folder archives against Info-ZIP on one generated tree: CreateZipFromDir
// beside `zip -r -q`, ExtractZIPFromDir beside `unzip -q` (both extract the
// archive CreateZipFromDir made). The tools run as child processes, so every
// figure is wall time. The tree (2,000 files, 200 MB, half text, half random)
// is made once per run under $TMPDIR and removed at exit.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tesk/compress_zip.h"

extern char** environ;

namespace {

constexpr int kFiles = 2000;
constexpr std::uint64_t kTotalBytes = 200ull << 20;

struct Rng {
    std::uint64_t state;
    std::uint64_t Next() {  // xorshift64*
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1Dull;
    }
};

void FillText(Rng& rng, std::string& out, std::size_t size) {
    static const char* const kWords[] = {"2330", "TSMC", "bid", "ask", "volume", "limit", "open", "close",
                                         "high", "low", "futures", "option", "TXF", "call", "put", "settle"};
    out.clear();
    while (out.size() < size) {
        out += kWords[rng.Next() % 16];
        out += ' ';
        out += std::to_string(rng.Next() % 100000);
        out += '.';
        out += std::to_string(rng.Next() % 100);
        out += (rng.Next() % 8 == 0) ? '\n' : ' ';
    }
    out.resize(size);
}

void FillRandom(Rng& rng, std::string& out, std::size_t size) {
    out.resize(size);
    for (std::size_t i = 0; i < size; i += 8) {
        const std::uint64_t v = rng.Next();
        for (std::size_t k = 0; k < 8 && i + k < size; ++k) out[i + k] = static_cast<char>(v >> (8 * k));
    }
}

class Workspace {
public:
    Workspace() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp ? tmp : "/tmp") + "/bench_zip.XXXXXX";
        root_ = mkdtemp(pattern.data()) ? pattern : std::string();
        if (root_.empty()) std::abort();
        MakeTree(root_ + "/tree");
    }
    ~Workspace() { TeskUtility::DeleteFolder(root_); }

    const std::string& Root() const { return root_; }
    std::string Tree() const { return root_ + "/tree"; }

private:
    static void MakeTree(const std::string& tree) {
        Rng rng{0x9E3779B97F4A7C15ull};
        std::string data;
        const std::uint64_t average = kTotalBytes / kFiles;
        std::uint64_t written = 0;
        ::mkdir(tree.c_str(), 0777);
        for (int i = 0; i < kFiles; ++i) {
            // 40 folders, every fourth one nested inside the one before.
            const int folder = i % 40;
            std::string dir = tree + "/d" + std::to_string(folder - folder % 4);
            ::mkdir(dir.c_str(), 0777);
            if (folder % 4) {
                dir += "/n" + std::to_string(folder);
                ::mkdir(dir.c_str(), 0777);
            }
            const std::uint64_t left = kTotalBytes - written;
            const std::uint64_t size = i + 1 == kFiles ? left : std::min<std::uint64_t>(left, rng.Next() % (2 * average));
            const bool text = i % 2 == 0;
            if (text) FillText(rng, data, size); else FillRandom(rng, data, size);
            const std::string path = dir + "/f" + std::to_string(i) + (text ? ".txt" : ".bin");
            std::FILE* f = std::fopen(path.c_str(), "wb");
            if (!f || std::fwrite(data.data(), 1, data.size(), f) != data.size()) std::abort();
            std::fclose(f);
            written += size;
        }
    }

    std::string root_;
};

Workspace& Space() {
    static Workspace space;
    return space;
}

int RunTool(const std::vector<std::string>& argv, const std::string& cwd) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {}
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_CreateZipFromDir(benchmark::State& state) {
    const std::string zip = Space().Root() + "/ours.zip";
    for (auto _ : state) {
        if (!TeskUtility::CreateZipFromDir(Space().Tree(), zip, 1)) state.SkipWithError("CreateZipFromDir failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotalBytes));
}

void BM_InfoZip_zip(benchmark::State& state) {
    const std::string zip = Space().Root() + "/infozip.zip";
    for (auto _ : state) {
        state.PauseTiming();
        ::unlink(zip.c_str());  // zip would otherwise update the archive in place
        state.ResumeTiming();
        if (RunTool({"zip", "-r", "-q", zip, "."}, Space().Tree()) != 0) state.SkipWithError("zip failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotalBytes));
}

std::string OurArchive() {
    const std::string zip = Space().Root() + "/extract_source.zip";
    static const bool made = TeskUtility::CreateZipFromDir(Space().Tree(), zip, 1) == 1;
    if (!made) std::abort();
    return zip;
}

void BM_ExtractZIPFromDir(benchmark::State& state) {
    const std::string zip = OurArchive();
    const std::string out = Space().Root() + "/out_ours";
    for (auto _ : state) {
        state.PauseTiming();
        TeskUtility::DeleteFolder(out);
        ::mkdir(out.c_str(), 0777);
        state.ResumeTiming();
        if (!TeskUtility::ExtractZIPFromDir(zip, out)) state.SkipWithError("ExtractZIPFromDir failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotalBytes));
}

void BM_InfoZip_unzip(benchmark::State& state) {
    const std::string zip = OurArchive();
    const std::string out = Space().Root() + "/out_infozip";
    for (auto _ : state) {
        state.PauseTiming();
        TeskUtility::DeleteFolder(out);
        ::mkdir(out.c_str(), 0777);
        state.ResumeTiming();
        // Exit status 1 is unzip's warning about the backslash separators of these names.
        if (RunTool({"unzip", "-q", "-o", zip, "-d", out}, Space().Root()) > 1) state.SkipWithError("unzip failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotalBytes));
}

}  // namespace

BENCHMARK(BM_CreateZipFromDir)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_InfoZip_zip)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ExtractZIPFromDir)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_InfoZip_unzip)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

BENCHMARK_MAIN();
