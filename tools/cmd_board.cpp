// teskutil board --png OUT.png: the demo's quote board drawn off-screen and saved.
#include <cstdio>
#include <cstring>

#include "board_painter.h"
#include "command.h"
#include "tesk/imaging.h"

namespace {

// The bitmap's pixels as a 24-bit image (the board is opaque).
bool CopyToImage(const CBitmap& bitmap, CImage& image) {
    BITMAP info{};
    if (!bitmap.GetBitmap(&info) || !image.Create(info.bmWidth, info.bmHeight, 24)) return false;
    for (int y = 0; y < info.bmHeight; ++y) {
        const auto* in = static_cast<const unsigned char*>(info.bmBits) + static_cast<std::ptrdiff_t>(y) * info.bmWidthBytes;
        auto* out = static_cast<unsigned char*>(image.GetPixelAddress(0, y));
        for (int x = 0; x < info.bmWidth; ++x, in += 4, out += 3) std::memcpy(out, in, 3);
    }
    return true;
}

int RunBoard(teskutil::Args& args) {
    const auto png = args.Option("--png");
    args.Positionals(0, 0);
    if (!png) throw teskutil::UsageError("--png OUT.png is required");

    const CSize size = teskutil::QuoteBoardSize();
    CDC window;
    CBitmap pixels;
    if (!window.CreateCompatibleDC(nullptr) || !pixels.CreateCompatibleBitmap(&window, size.cx, size.cy)) {
        std::fprintf(stderr, "teskutil board: cannot create a %dx%d drawing surface\n", size.cx, size.cy);
        return 1;
    }
    CBitmap* stock = window.SelectObject(&pixels);
    teskutil::PaintQuoteBoard(window);
    window.SelectObject(stock);

    CImage image;
    if (!CopyToImage(pixels, image) || image.Save(*png) != S_OK) {
        std::fprintf(stderr, "teskutil board: cannot write %s\n", png->c_str());
        return 1;
    }
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(board, "board --png OUT.png", "draw the demo's quote board into a PNG picture", RunBoard);
