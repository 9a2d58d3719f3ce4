// The replaceable print handler; each half falls back to CUPS on its own.
#include <mutex>

#include "imaging/print_cups.h"
#include "tesk/imaging_print.h"

namespace TeskUtility {
namespace {

std::mutex g_printMutex;
SPrintHandler g_printHandler;

}  // namespace

void SetPrintHandler(SPrintHandler handler) {
    std::lock_guard lock(g_printMutex);
    g_printHandler = std::move(handler);
}

SPrintHandler GetPrintHandler() {
    std::lock_guard lock(g_printMutex);
    SPrintHandler handler = g_printHandler;
    if (!handler.choosePrinter) handler.choosePrinter = imaging::CupsChoosePrinter;
    if (!handler.printPage) handler.printPage = imaging::CupsPrintPage;
    return handler;
}

}  // namespace TeskUtility
