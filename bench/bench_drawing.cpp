// A quote board's paint pass (40 rows x 8 cells, DrawText_Bigger in each) through
// CTeskMemDC, which adds a bitmap, a background fill and one block copy, against the
// same drawing straight onto the target. Goal: at most 1.3x the direct pass.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "tesk/imaging.h"

namespace {

constexpr int kRows = 40;
constexpr int kCells = 8;
constexpr int kCellWidth = 120;
constexpr int kRowHeight = 20;

struct Board {
    Board() {
        window.CreateCompatibleDC(nullptr);
        pixels.CreateCompatibleBitmap(&window, kCells * kCellWidth, kRows * kRowHeight);
        window.SelectObject(&pixels);
        window.SetBkColor(RGB(0, 0, 0));
        font.CreatePointFont(100, "DejaVu Sans");
        for (int i = 0; i < kRows * kCells; ++i) {
            const int value = 100000 + i * 7919 % 900000;  // 1,000.00 to 9,999.99
            char text[16];
            std::snprintf(text, sizeof text, "%d,%03d.%02d", value / 100000, value % 100000 / 100, value % 100);
            prices.emplace_back(text);
        }
    }
    CDC window;
    CBitmap pixels;
    CFont font;
    std::vector<std::string> prices;
};

Board& TheBoard() {
    static Board board;
    return board;
}

void PaintCells(CDC& dc, const Board& board) {
    CFont* previous = dc.SelectObject(const_cast<CFont*>(&board.font));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 72, 72));
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCells; ++c) {
            RECT box{c * kCellWidth, r * kRowHeight, (c + 1) * kCellWidth - 4, (r + 1) * kRowHeight};
            CTeskMemDC::DrawText_Bigger(dc, board.prices[r * kCells + c], &box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, 2);
        }
    dc.SelectObject(previous);
}

void BM_BoardPaint_MemDC(benchmark::State& state) {
    Board& board = TheBoard();
    for (auto _ : state) {
        CTeskMemDC dc(board.window);
        PaintCells(dc, board);
    }
}

void BM_BoardPaint_Direct(benchmark::State& state) {
    Board& board = TheBoard();
    const RECT all{0, 0, kCells * kCellWidth, kRows * kRowHeight};
    for (auto _ : state) {
        board.window.FillSolidRect(&all, RGB(0, 0, 0));
        PaintCells(board.window, board);
    }
}

BENCHMARK(BM_BoardPaint_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoardPaint_MemDC)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    tesk_bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios({{"BM_BoardPaint_MemDC", "BM_BoardPaint_Direct"}});  // goal: at most 1.3x slower
    return 0;
}
