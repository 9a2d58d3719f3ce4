// The replaceable print handler; each half falls back to CUPS on its own.
#include "imaging/print_cups.h"
#include "platform/handler_slot.h"
#include "tesk/imaging_print.h"

namespace TeskUtility {
namespace {

platform::HandlerSlot<SPrintHandler> g_printHandler;

}  // namespace

void SetPrintHandler(SPrintHandler handler) { g_printHandler.Set(std::move(handler)); }

SPrintHandler GetPrintHandler() {
    SPrintHandler handler = g_printHandler.Get();
    if (!handler.choosePrinter) handler.choosePrinter = imaging::CupsChoosePrinter;
    if (!handler.printPage) handler.printPage = imaging::CupsPrintPage;
    return handler;
}

}  // namespace TeskUtility
