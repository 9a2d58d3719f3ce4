// Display formatters beside two baselines that produce the same bytes:
//   (a) snprintf of a precomputed printf template into a 32-byte buffer, one assignment;
//   (b) a lower bound: memcpy of a ready prefix, std::to_chars, one assignment.
// Each run formats 1,000,000 values cycling through price states and dot counts.
// Ratios use CPU time, which is steadier than wall time on a shared machine.
// The program checks that all three agree before timing, then prints ratios.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "tesk/format.h"

namespace {

using namespace TeskUtility;

constexpr int kValues = 1000000;
constexpr int kDots = 5;  // dot counts 0..4

struct Inputs {
    std::vector<std::int64_t> values;
    std::vector<std::uint32_t> states;  // 1..5
    std::vector<std::int32_t> dots;
};

const Inputs& TheInputs() {
    static const Inputs in = [] {
        Inputs r;
        std::mt19937_64 rng(42);
        std::uniform_int_distribution<std::int64_t> price(-2000000, 2000000);
        for (int i = 0; i < kValues; ++i) {
            r.values.push_back(price(rng));
            r.states.push_back(1 + static_cast<std::uint32_t>(i % 5));
            r.dots.push_back(static_cast<std::int32_t>((i / 5) % kDots));
        }
        return r;
    }();
    return in;
}

// Sign prefixes of the default price state, by state (1..5) and sign.
const char* const kPrefix[6][2] = {
    {"", ""}, {"+ ", "+-"}, {"", "-"}, {"", "-"}, {"", "-"}, {"- ", "--"},
};
std::size_t PrefixLen(std::uint32_t state, bool neg) { return std::strlen(kPrefix[state][neg]); }

// ---- baseline (a): precomputed printf templates --------------------------
// The literal approach keeps, per state group and sign, a template with the
// signs already in it and a hole for the dot count ("+ %%d.%%0%dd"); each
// value costs two printf passes: dot into the template, then the numbers.
struct PriceTemplates {
    char dotted[6][2][32];
    char integer[6][2][32];
    char dotted64[6][2][32];
    char integer64[6][2][32];
    PriceTemplates() {
        for (int s = 1; s <= 5; ++s)
            for (int n = 0; n < 2; ++n) {
                std::snprintf(dotted[s][n], 32, "%s%%%%d.%%%%0%%dd", kPrefix[s][n]);
                std::snprintf(integer[s][n], 32, "%s%%d", kPrefix[s][n]);
                std::snprintf(dotted64[s][n], 32, "%s%%%%lld.%%%%0%%dlld", kPrefix[s][n]);
                std::snprintf(integer64[s][n], 32, "%s%%lld", kPrefix[s][n]);
            }
    }
};
const PriceTemplates kTemplates;

void PriceSnprintf32(std::string& out, std::int32_t v, std::uint32_t state, std::int32_t dot) {
    char pattern[32], buf[32];
    const bool neg = v < 0;
    const std::int32_t mag = neg ? -v : v;
    int n;
    if (dot > 0) {
        const std::int32_t d = DotToDivisor(dot);
        std::snprintf(pattern, sizeof pattern, kTemplates.dotted[state][neg], dot);
        n = std::snprintf(buf, sizeof buf, pattern, mag / d, mag % d);
    } else {
        n = std::snprintf(buf, sizeof buf, kTemplates.integer[state][neg], mag);
    }
    out.assign(buf, static_cast<std::size_t>(n));
}

void PriceSnprintf64(std::string& out, std::int64_t v, std::uint32_t state, std::int32_t dot) {
    char pattern[32], buf[32];
    const bool neg = v < 0;
    const long long mag = neg ? -v : v;
    int n;
    if (dot > 0) {
        const long long d = DotToDivisor64(dot);
        std::snprintf(pattern, sizeof pattern, kTemplates.dotted64[state][neg], dot);
        n = std::snprintf(buf, sizeof buf, pattern, mag / d, mag % d);
    } else {
        n = std::snprintf(buf, sizeof buf, kTemplates.integer64[state][neg], mag);
    }
    out.assign(buf, static_cast<std::size_t>(n));
}

// Inserts ',' every three digits of the text in src (digits only).
std::size_t GroupDigits(char* dst, const char* src, std::size_t n) {
    std::size_t w = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i != 0 && (n - i) % 3 == 0) dst[w++] = ',';
        dst[w++] = src[i];
    }
    return w;
}

void VolumeSnprintf(std::string& out, std::int32_t v) {
    if (v == 0) {
        out.assign(1, '0');
        return;
    }
    char digits[16], buf[32];
    const bool neg = v < 0;
    const std::uint32_t mag = neg ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
    const int n = std::snprintf(digits, sizeof digits, "%u", mag);
    std::size_t w = 0;
    if (neg) buf[w++] = '-';
    w += GroupDigits(buf + w, digits, static_cast<std::size_t>(n));
    out.assign(buf, w);
}

void CommaDotSnprintf(std::string& out, std::int32_t v, std::int32_t dot) {
    char digits[16], buf[32];
    const bool neg = v < 0;
    const std::uint32_t mag = neg ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
    const auto d = static_cast<std::uint32_t>(DotToDivisor(dot));
    std::size_t w = 0;
    if (neg) buf[w++] = '-';
    const int n = std::snprintf(digits, sizeof digits, "%u", mag / d);
    w += GroupDigits(buf + w, digits, static_cast<std::size_t>(n));
    if (dot != 0) {
        char pattern[16];  // ".%%0%dd" with the dot count substituted
        std::snprintf(pattern, sizeof pattern, ".%%0%dd", dot);
        w += static_cast<std::size_t>(std::snprintf(buf + w, sizeof buf - w, pattern, mag % d));
    }
    out.assign(buf, w);
}

// ---- baseline (b): to_chars and a ready prefix ---------------------------
template <class UInt>
char* PutPadded(char* p, UInt r, int width) {
    char tmp[24];
    const auto res = std::to_chars(tmp, tmp + sizeof tmp, r);
    const int n = static_cast<int>(res.ptr - tmp);
    for (int i = n; i < width; ++i) *p++ = '0';
    std::memcpy(p, tmp, static_cast<std::size_t>(n));
    return p + n;
}

template <class Int>
void PriceToChars(std::string& out, Int v, std::uint32_t state, std::int32_t dot) {
    using U = std::make_unsigned_t<Int>;
    char buf[40];
    const bool neg = v < 0;
    const U mag = neg ? U(0) - static_cast<U>(v) : static_cast<U>(v);
    const std::size_t plen = PrefixLen(state, neg);
    std::memcpy(buf, kPrefix[state][neg], plen);
    char* p = buf + plen;
    if (dot > 0) {
        const U d = static_cast<U>(DotToDivisor64(dot));
        p = std::to_chars(p, buf + sizeof buf, mag / d).ptr;
        *p++ = '.';
        p = PutPadded(p, mag % d, dot);
    } else {
        p = std::to_chars(p, buf + sizeof buf, mag).ptr;
    }
    out.assign(buf, static_cast<std::size_t>(p - buf));
}

void VolumeToChars(std::string& out, std::int32_t v) {
    if (v == 0) {
        out.assign(1, '0');
        return;
    }
    char digits[16], buf[32];
    const bool neg = v < 0;
    const std::uint32_t mag = neg ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
    const auto n = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, mag).ptr - digits);
    std::size_t w = 0;
    if (neg) buf[w++] = '-';
    w += GroupDigits(buf + w, digits, n);
    out.assign(buf, w);
}

void CommaDotToChars(std::string& out, std::int32_t v, std::int32_t dot) {
    char digits[16], buf[32];
    const bool neg = v < 0;
    const std::uint32_t mag = neg ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
    const auto d = static_cast<std::uint32_t>(DotToDivisor(dot));
    std::size_t w = 0;
    if (neg) buf[w++] = '-';
    const auto n = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, mag / d).ptr - digits);
    w += GroupDigits(buf + w, digits, n);
    if (dot != 0) {
        buf[w++] = '.';
        w = static_cast<std::size_t>(PutPadded(buf + w, mag % d, dot) - buf);
    }
    out.assign(buf, w);
}

// ---- the library -----------------------------------------------------------
void LibPrice32(std::string& o, std::int32_t v, std::uint32_t s, std::int32_t d) { PriceFormatA(o, v, s, d, 0, 0); }
void LibPrice64(std::string& o, std::int64_t v, std::uint32_t s, std::int32_t d) {
    PriceFormatA(o, v, s, d, std::int64_t{0}, 0);
}
void LibVolume(std::string& o, std::int32_t v) { VolumeFormatA(o, v, 0); }
void LibCommaDot(std::string& o, std::int32_t v, std::int32_t d) { CommaFormatWithDotA(o, v, d, 0, 0); }

// 64-bit inputs are the same values scaled up so they need 64 bits.
std::int64_t Wide(std::int64_t v) { return v * 1000003; }

// Formats every input once per iteration; `call(out, i)` formats input i.
template <class Call>
void RunAll(benchmark::State& st, Call call) {
    std::string out;
    out.reserve(32);
    for (auto _ : st) {
        for (int i = 0; i < kValues; ++i) {
            call(out, i);
            benchmark::DoNotOptimize(out.data());
        }
    }
    st.SetItemsProcessed(st.iterations() * kValues);
}

std::int32_t Price32At(int i) { return static_cast<std::int32_t>(TheInputs().values[i]); }
std::int32_t VolumeAt(int i) { return static_cast<std::int32_t>(TheInputs().values[i] * 100); }

template <class Fn>
void RunPrice32(benchmark::State& st, Fn fn) {
    const Inputs& in = TheInputs();
    RunAll(st, [&](std::string& out, int i) { fn(out, Price32At(i), in.states[i], in.dots[i]); });
}
template <class Fn>
void RunPrice64(benchmark::State& st, Fn fn) {
    const Inputs& in = TheInputs();
    RunAll(st, [&](std::string& out, int i) { fn(out, Wide(in.values[i]), in.states[i], in.dots[i]); });
}
template <class Fn>
void RunVolume(benchmark::State& st, Fn fn) {
    RunAll(st, [&](std::string& out, int i) { fn(out, VolumeAt(i)); });
}
template <class Fn>
void RunCommaDot(benchmark::State& st, Fn fn) {
    const Inputs& in = TheInputs();
    RunAll(st, [&](std::string& out, int i) { fn(out, VolumeAt(i), in.dots[i]); });
}

void BM_Price32_Library(benchmark::State& st) { RunPrice32(st, LibPrice32); }
void BM_Price32_Snprintf(benchmark::State& st) { RunPrice32(st, PriceSnprintf32); }
void BM_Price32_ToChars(benchmark::State& st) { RunPrice32(st, PriceToChars<std::int32_t>); }
void BM_Price64_Library(benchmark::State& st) { RunPrice64(st, LibPrice64); }
void BM_Price64_Snprintf(benchmark::State& st) { RunPrice64(st, PriceSnprintf64); }
void BM_Price64_ToChars(benchmark::State& st) { RunPrice64(st, PriceToChars<std::int64_t>); }
void BM_Volume_Library(benchmark::State& st) { RunVolume(st, LibVolume); }
void BM_Volume_Snprintf(benchmark::State& st) { RunVolume(st, VolumeSnprintf); }
void BM_Volume_ToChars(benchmark::State& st) { RunVolume(st, VolumeToChars); }
void BM_CommaDot_Library(benchmark::State& st) { RunCommaDot(st, LibCommaDot); }
void BM_CommaDot_Snprintf(benchmark::State& st) { RunCommaDot(st, CommaDotSnprintf); }
void BM_CommaDot_ToChars(benchmark::State& st) { RunCommaDot(st, CommaDotToChars); }

BENCHMARK(BM_Price32_Library)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Price32_Snprintf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Price32_ToChars)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Price64_Library)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Price64_Snprintf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Price64_ToChars)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Volume_Library)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Volume_Snprintf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Volume_ToChars)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommaDot_Library)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommaDot_Snprintf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommaDot_ToChars)->Unit(benchmark::kMillisecond);

// All three variants must write the same bytes, or the ratios mean nothing.
bool BaselinesAgree() {
    const Inputs& in = TheInputs();
    bool ok = true;
    auto agree = [&ok](const char* what, auto lib, auto a, auto b) {
        std::string x, y, z;
        lib(x);
        a(y);
        b(z);
        if (x != y || x != z) {
            std::fprintf(stderr, "%s differs: %s|%s|%s\n", what, x.c_str(), y.c_str(), z.c_str());
            ok = false;
        }
    };
    for (int i = 0; i < kValues && ok; i += 7) {
        const std::uint32_t s = in.states[i];
        const std::int32_t d = in.dots[i];
        const std::int32_t p = Price32At(i), v = VolumeAt(i);
        const std::int64_t w = Wide(in.values[i]);
        agree("price32", [&](auto& o) { LibPrice32(o, p, s, d); }, [&](auto& o) { PriceSnprintf32(o, p, s, d); },
              [&](auto& o) { PriceToChars(o, p, s, d); });
        agree("price64", [&](auto& o) { LibPrice64(o, w, s, d); }, [&](auto& o) { PriceSnprintf64(o, w, s, d); },
              [&](auto& o) { PriceToChars(o, w, s, d); });
        agree("volume", [&](auto& o) { LibVolume(o, v); }, [&](auto& o) { VolumeSnprintf(o, v); },
              [&](auto& o) { VolumeToChars(o, v); });
        agree("comma", [&](auto& o) { LibCommaDot(o, v, d); }, [&](auto& o) { CommaDotSnprintf(o, v, d); },
              [&](auto& o) { CommaDotToChars(o, v, d); });
    }
    return ok;
}


}  // namespace

int main(int argc, char** argv) {
    std::vector<tesk_bench::RatioPair> pairs;
    for (const char* family : {"Price32", "Price64", "Volume", "CommaDot"}) {
        const std::string base = std::string("BM_") + family;
        pairs.push_back({base + "_Library", base + "_Snprintf"});
        pairs.push_back({base + "_Library", base + "_ToChars"});
    }
    const int status = tesk_bench::RunWithRatios(argc, argv, pairs, BaselinesAgree);
    std::printf("goals: at least 3x faster than snprintf (a), at most 1.5x slower than to_chars (b)\n");
    return status;
}
