// CScreenImage: capture, recolouring by mode, saving and printing.
#include <cstdint>

#include "imaging/image_codecs.h"
#include "imaging/image_dc.h"
#include "imaging/pixel_ops.h"
#include "imaging/screen_grab.h"
#include "tesk/imaging_capture.h"
#include "tesk/imaging_dc.h"
#include "tesk/platform.h"

using namespace TeskUtility::imaging;

namespace {

const char kPrinterFailed[] = "\xB8\xFC\xA4\x4A\xA6\x4C\xAA\xED\xBE\xF7\xA5\xA2\xB1\xD1!";  // Big5
const char kBitmapFailed[] = "Error loading bitmap!";
// A quarter turn as the printing code has always written it, not pi / 2.
constexpr float kQuarterTurn = 1.570795f;
constexpr std::uint32_t kSrcInvert = 0x00660046;  // source XOR destination

}  // namespace

CScreenImage::CScreenImage(const CStringA& filePath, int captureMode)
    : m_filePath(filePath), m_captureMode(captureMode) {}

CScreenImage::~CScreenImage() = default;

BOOL CScreenImage::CaptureRect(const CRect& rect, BOOL print) {
    Destroy();
    ERasterOp op;
    switch (m_captureMode) {
        case 0: op = ERasterOp::SourceCopy; break;
        case 1: op = ERasterOp::NotSourceCopy; break;
        case 2: op = m_isTAPanel ? ERasterOp::SourceCopy : ERasterOp::SourceInvert; break;
        default: return 0;
    }
    CImage screen, bitmap;
    if (!GrabScreenArea(rect, screen) || !bitmap.Create(screen.GetWidth(), screen.GetHeight(), 32)) return 0;
    CombinePixels(bitmap, screen, op);  // onto a fresh, black bitmap
    if (m_captureMode == 1) bitmap = ToBlackWhiteColor(bitmap);
    if (m_captureMode == 2 && m_isTAPanel) bitmap = ToCompareRedGreenColor(bitmap);
    if (bitmap.IsNull()) return 0;
    CImage::operator=(std::move(bitmap));

    if (print && !m_filePath.empty()) {
        const TeskUtility::SPrintHandler handler = TeskUtility::GetPrintHandler();
        TeskUtility::SPrintSetup printer;
        if (handler.choosePrinter(printer) == TeskUtility::IDOK) {
            if (printer.portrait) {
                CImage turned = GetRotatedBitmapNT(*this, kQuarterTurn, RGB(0, 0, 0));
                if (!turned.IsNull()) CImage::operator=(std::move(turned));
            }
            Save(m_filePath);
            PrintBitmap(m_filePath, printer);
        }
    } else if (!m_filePath.empty()) {
        Save(m_filePath);
    }
    return 1;
}

BOOL CScreenImage::CaptureScreen(BOOL print, int width, int height) {
    if (width == 0 || height == 0) {
        CSize primary, virtualScreen;
        if (!ScreenSizes(primary, virtualScreen)) return 0;
        width = primary.cx;
        height = primary.cy;
    }
    return CaptureRect(CRect(0, 0, width, height), print);
}

BOOL CScreenImage::CaptureWindow(HWND window, BOOL print) {
    CRect rect;
    if (window == nullptr || !WindowScreenRect(window, rect)) return 0;
    return CaptureRect(rect, print);
}

// The page is the printer's printable area, white; the saved file is stretched
// over all of it. Only bitmap files can be read back here, as on the original
// platform, so other formats end in the loading message.
void CScreenImage::PrintBitmap(const CStringA& filePath, const TeskUtility::SPrintSetup& printer) {
    CDC printerDC;
    CBitmap page;
    if (!printerDC.CreateCompatibleDC(nullptr) ||
        !page.CreateCompatibleBitmap(&printerDC, printer.pageWidth, printer.pageHeight)) {
        TeskUtility::MessageBox(kPrinterFailed);
        return;
    }
    printerDC.m_bPrinting = 1;
    CBitmap* blank = printerDC.SelectObject(&page);
    printerDC.FillSolidRect(0, 0, printer.pageWidth, printer.pageHeight, RGB(255, 255, 255));
    CImage bitmap;
    bool ok = FormatOfPath(filePath.c_str()) == EImageFormat::Bmp && SUCCEEDED(bitmap.Load(filePath));
    if (!ok) TeskUtility::MessageBox(kBitmapFailed);  // the document is abandoned: nothing reaches the printer
    const std::uint32_t rop = m_captureMode == 2 && !m_isTAPanel ? kSrcInvert : SRCCOPY;
    ok = ok && bitmap.StretchBlt(&printerDC, 0, 0, printer.pageWidth, printer.pageHeight, rop);
    if (ok) TeskUtility::GetPrintHandler().printPage(printer, filePath, ImageOfBitmap(page));
    printerDC.SelectObject(blank);
}
