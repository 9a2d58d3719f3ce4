// Screen capture, snapshots and the imaging start-up counter.
//
//   CScreenImage shot("board.png", 0);            // path, capture mode
//   if (!shot.CaptureRect(CRect(0, 0, 800, 600), 0)) ...   // no display, empty area
//   // the capture is in `shot` (a CImage) and saved to board.png
//   TeskUtility::SaveSnapshot(nullptr, nullptr, "/tmp/screen.jpg");   // -> /tmp/screen.quorin
//
// Capture modes: 0 plain colours, 1 black and white, 2 print palette (with
// SetIsTAPanel(1): chart colours recoloured for paper). Any other mode
// captures nothing and answers 0.
#pragma once

#include "tesk/imaging_image.h"
#include "tesk/imaging_print.h"
#include "tesk/types.h"

// Reference-counted start-up of the imaging library (the image codecs); no
// display needed. Initialize answers 1, or 0 when the codecs cannot start;
// Finalize answers 0 when nothing was started.
BOOL GdiplusInitialize();
BOOL GdiplusFinalize();
int GdiplusInitedCount();

class CScreenImage : public CImage {
public:
    explicit CScreenImage(const CStringA& filePath = CStringA(), int captureMode = 0);
    CScreenImage(const CScreenImage& other) = default;
    CScreenImage& operator=(const CScreenImage& other) = default;
    ~CScreenImage() override;

    // Captures the screen area into this image (32 bits, bottom-up); parts off
    // the screen are black. With `print` and a path: the print handler chooses
    // a printer, a portrait printer gets the image turned a quarter, then the
    // image is saved to the path and printed. Otherwise a path gets the image
    // saved. Answers 1 when the screen was read.
    BOOL CaptureRect(const CRect& rect, BOOL print);
    // (0, 0, width, height), or the primary screen when either is 0.
    BOOL CaptureScreen(BOOL print, int width = 0, int height = 0);
    // The window's rectangle on the screen; 0 for a handle that is no window.
    BOOL CaptureWindow(HWND window, BOOL print);
    void SetIsTAPanel(BOOL isTAPanel) { m_isTAPanel = isTAPanel; }

    const CStringA& GetFilePath() const { return m_filePath; }
    int GetCaptureMode() const { return m_captureMode; }

private:
    void PrintBitmap(const CStringA& filePath, const TeskUtility::SPrintSetup& printer);

    CStringA m_filePath;
    int m_captureMode;
    int m_isTAPanel = 0;
};

class CDC;

namespace TeskUtility {

// Saves a half-size picture of the whole (virtual) screen: captured to `path`,
// scaled down, saved again, then renamed with ".jpg" turned into ".quorin".
// A path that does not end in ".jpg" keeps its name. `window` and `dc` may be
// null. Answers 1 when the snapshot file exists.
BOOL SaveSnapshot(HWND window, CDC* dc, const CStringA& path);

}  // namespace TeskUtility
