// Imaging beside its baselines, on 1920x1080 pixels:
//   capture through XShm against plain XGetImage (needs a display: run under
//     xvfb-run -s "-screen 0 1920x1080x24" or on a desktop; skipped without one);
//   the black-and-white and print-palette recolouring against a straightforward
//     GetPixel/SetPixel loop computing the same colours;
//   PNG save against cairo_surface_write_to_png of the same pixels.
// Ratios use CPU time, except capture, whose work happens in the X server: real time.
#include <benchmark/benchmark.h>
#include <cairo.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bench/ratio_reporter.h"
#include "imaging/pixel_ops.h"
#include "imaging/screen_grab.h"
#include "tesk/imaging_image.h"

namespace {

namespace img = TeskUtility::imaging;
constexpr int kWidth = 1920, kHeight = 1080;

// A chart-like screen: dark background, coloured lines and cells, some text-like noise.
const CImage& Screen() {
    static const CImage image = [] {
        CImage s;
        s.Create(kWidth, kHeight, 32);
        const COLORREF palette[] = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0), RGB(255, 255, 255),
                                    RGB(128, 128, 128), RGB(0x66, 0xFF, 0xFF), RGB(30, 30, 60)};
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const unsigned k = (x / 24 + y / 18) % 8 == 0 ? ((x * 7 + y * 13) >> 3) % 8 : (y % 18 == 0 ? 5 : 0);
                s.SetPixel(x, y, palette[k]);
            }
        return s;
    }();
    return image;
}

// ---- recolouring: the straightforward loop
std::uint32_t WordOfPixel(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }
COLORREF ColourOfWord(std::uint32_t w) { return RGB(w >> 16, w >> 8, w); }

template <CImage (*Library)(const CImage&)>
void RecolourLibrary(benchmark::State& st) {
    for (auto _ : st) {
        CImage out = Library(Screen());
        benchmark::DoNotOptimize(out.GetBits());
    }
}

// The same rule for each pixel, read and written through GetPixel/SetPixel.
template <std::uint32_t (*Rule)(std::uint32_t)>
void RecolourPerPixel(benchmark::State& st) {
    for (auto _ : st) {
        CImage out;
        out.Create(kWidth, kHeight, 32);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t w = WordOfPixel(Screen().GetPixel(x, y));
                out.SetPixel(x, y, ColourOfWord(Rule(w)));
            }
        benchmark::DoNotOptimize(out.GetBits());
    }
}

// ---- PNG save
std::string ScratchFile(const char* name) {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp ? tmp : "/tmp") + "/bench_imaging_" + std::to_string(getpid()) + name;
}

void PngLibrary(benchmark::State& st) {
    const std::string path = ScratchFile(".png");
    for (auto _ : st)
        if (Screen().Save(path) != S_OK) st.SkipWithError("save failed");
    std::remove(path.c_str());
}

void PngCairo(benchmark::State& st) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < kHeight; ++y)
        std::memcpy(data + y * stride, Screen().GetPixelAddress(0, y), kWidth * 4);
    cairo_surface_mark_dirty(surface);
    const std::string path = ScratchFile("-cairo.png");
    for (auto _ : st)
        if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS) st.SkipWithError("cairo failed");
    cairo_surface_destroy(surface);
    std::remove(path.c_str());
}

// ---- capture
template <img::EGrabMethod Method>
void Capture(benchmark::State& st) {
    CImage shot;
    if (!img::GrabScreenArea(CRect(0, 0, kWidth, kHeight), shot, Method)) {
        st.SkipWithError("no display, or no shared-memory extension");
        return;
    }
    for (auto _ : st) {
        img::GrabScreenArea(CRect(0, 0, kWidth, kHeight), shot, Method);
        benchmark::DoNotOptimize(shot.GetBits());
    }
}

}  // namespace

BENCHMARK(RecolourLibrary<img::ToBlackWhiteColor>)->Name("BM_BlackWhite_Library")->Unit(benchmark::kMillisecond);
BENCHMARK(RecolourPerPixel<img::BlackWhiteWord>)->Name("BM_BlackWhite_PerPixel")->Unit(benchmark::kMillisecond);
BENCHMARK(RecolourLibrary<img::ToCompareRedGreenColor>)->Name("BM_RedGreen_Library")->Unit(benchmark::kMillisecond);
BENCHMARK(RecolourPerPixel<img::CompareRedGreenWord>)->Name("BM_RedGreen_PerPixel")->Unit(benchmark::kMillisecond);
BENCHMARK(PngLibrary)->Name("BM_PngSave_Library")->Unit(benchmark::kMillisecond);
BENCHMARK(PngCairo)->Name("BM_PngSave_Cairo")->Unit(benchmark::kMillisecond);
BENCHMARK(Capture<img::EGrabMethod::SharedMemory>)->Name("BM_Capture_XShm")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Capture<img::EGrabMethod::GetImage>)->Name("BM_Capture_XGetImage")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    tesk_bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios({{"BM_BlackWhite_Library", "BM_BlackWhite_PerPixel"},
                          {"BM_RedGreen_Library", "BM_RedGreen_PerPixel"},
                          {"BM_PngSave_Library", "BM_PngSave_Cairo"},
                          {"BM_Capture_XShm/real_time", "BM_Capture_XGetImage/real_time"}});
    benchmark::Shutdown();
    return 0;
}
