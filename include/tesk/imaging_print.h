// Printing of captured images: a replaceable print handler stands in for the
// print dialog and the printer. The default one prints through CUPS.
//
//   TeskUtility::SetPrintHandler({
//       [](TeskUtility::SPrintSetup& setup) { setup.portrait = false; return TeskUtility::IDOK; },
//       [](const TeskUtility::SPrintSetup&, const std::string& document, const CImage& page) {
//           return page.Save("/tmp/page.png") == S_OK; }});
#pragma once

#include <functional>
#include <string>

#include "tesk/imaging_image.h"
#include "tesk/platform.h"

namespace TeskUtility {

// What the print dialog settled on.
struct SPrintSetup {
    std::string printer;   // destination name; empty: the handler's default
    bool portrait = true;  // the printer's orientation
    int pageWidth = 0;     // printable area in printer pixels
    int pageHeight = 0;
};

struct SPrintHandler {
    // The print dialog: fills `setup` and answers IDOK, or IDCANCEL (no printer,
    // no print server, the user said no).
    std::function<int(SPrintSetup& setup)> choosePrinter;
    // Prints one document of one page, `page` being pageWidth x pageHeight;
    // false when the job could not be completed (it is then cancelled).
    std::function<bool(const SPrintSetup& setup, const std::string& document, const CImage& page)> printPage;
};

// Replaces the process-wide handler; an empty function restores the default for
// that half: CUPS's default destination, portrait unless its
// orientation-requested default says landscape, 150 dpi pages of its default
// media less the margins, each page sent as a PNG job.
void SetPrintHandler(SPrintHandler handler);
SPrintHandler GetPrintHandler();

}  // namespace TeskUtility
