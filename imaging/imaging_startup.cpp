// The imaging library's reference-counted start-up. Like the format states it
// is process-wide and unlocked: callers start and stop it from one thread.
#include "imaging/image_codecs.h"
#include "tesk/imaging_capture.h"

namespace {

int g_initedCount = 0;

}  // namespace

BOOL GdiplusInitialize() {
    if (g_initedCount == 0 && !TeskUtility::imaging::CodecLibrariesUsable()) return 0;
    ++g_initedCount;
    return 1;
}

BOOL GdiplusFinalize() {
    if (g_initedCount == 0) return 0;
    --g_initedCount;
    return 1;
}

int GdiplusInitedCount() { return g_initedCount; }
