// The default print handler: CUPS's default destination.
#pragma once

#include "tesk/imaging_print.h"

namespace TeskUtility::imaging {

int CupsChoosePrinter(SPrintSetup& setup);
bool CupsPrintPage(const SPrintSetup& setup, const std::string& document, const CImage& page);

}  // namespace TeskUtility::imaging
