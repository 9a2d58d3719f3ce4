// SaveSnapshot: the whole screen at half size under the application's own
// extension.
#include <cstdio>

#include "imaging/image_scale.h"
#include "imaging/screen_grab.h"
#include "tesk/imaging_capture.h"

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

// The device context only chose the pixel format of the half-size bitmap on
// the original platform; here every bitmap is 32-bit, so it may be null.
BOOL SaveSnapshot(HWND /*window*/, CDC* /*dc*/, const CStringA& path) {
    CSize primary, virtualScreen;
    if (!imaging::ScreenSizes(primary, virtualScreen)) return 0;
    CScreenImage shot(path, 0);
    if (!shot.CaptureRect(CRect(0, 0, virtualScreen.cx, virtualScreen.cy), 0)) return 0;
    CImage saved;
    if (FAILED(saved.Load(path))) return 0;
    const CImage half = imaging::StretchedCopy(saved, virtualScreen.cx / 2, virtualScreen.cy / 2);
    if (half.IsNull() || half.Save(path) != S_OK) return 0;
    const CStringA renamed = SnapshotName(path);
    return renamed == path || std::rename(path.c_str(), renamed.c_str()) == 0;
}

}  // namespace TeskUtility
