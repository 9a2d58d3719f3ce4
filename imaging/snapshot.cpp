// SaveSnapshot: the whole screen at half size under the application's own
// extension.
#include <cstdio>

#include "imaging/image_dc.h"
#include "imaging/screen_grab.h"
#include "tesk/imaging_capture.h"
#include "tesk/imaging_dc.h"

namespace TeskUtility {
namespace {

constexpr char kCapturedExtension[] = ".jpg";
constexpr char kSnapshotExtension[] = ".quorin";

// The path with its ".jpg" ending replaced; unchanged when it has none.
CStringA SnapshotName(const CStringA& path) {
    const std::size_t n = sizeof kCapturedExtension - 1;
    if (path.size() <= n || path.compare(path.size() - n, n, kCapturedExtension) != 0) return path;
    return path.substr(0, path.size() - n) + kSnapshotExtension;
}

}  // namespace

// The half-size bitmap is made compatible with `dc` (or with a memory context
// when it is null) and the picture drawn into it smoothly.
BOOL SaveSnapshot(HWND /*window*/, CDC* dc, const CStringA& path) {
    CSize primary, virtualScreen;
    if (!imaging::ScreenSizes(primary, virtualScreen)) return 0;
    CScreenImage shot(path, 0);
    if (!shot.CaptureRect(CRect(0, 0, virtualScreen.cx, virtualScreen.cy), 0)) return 0;
    CImage saved;
    if (FAILED(saved.Load(path))) return 0;
    const int width = virtualScreen.cx / 2, height = virtualScreen.cy / 2;
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(dc) || !bitmap.CreateCompatibleBitmap(dc != nullptr ? dc : &memory, width, height))
        return 0;
    CBitmap* previous = memory.SelectObject(&bitmap);
    const bool drawn = saved.StretchBlt(&memory, 0, 0, width, height);
    memory.SelectObject(previous);
    if (!drawn || imaging::ImageOfBitmap(bitmap).Save(path) != S_OK) return 0;
    const CStringA renamed = SnapshotName(path);
    return renamed == path || std::rename(path.c_str(), renamed.c_str()) == 0;
}

}  // namespace TeskUtility
