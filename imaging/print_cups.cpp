// Every CUPS call of the library. The page goes to the printer as a PNG at the
// resolution it was laid out for, so that it fills the printable area.
#include <cups/cups.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "imaging/print_cups.h"

namespace TeskUtility::imaging {
namespace {

constexpr int kPageDpi = 150;
constexpr int kA4Width = 21000, kA4Length = 29700, kA4Margin = 635;  // hundredths of a millimetre

int HundredthsMmToPixels(int hundredths) { return static_cast<int>(static_cast<long long>(hundredths) * kPageDpi / 2540); }

// IPP orientation-requested: 3 portrait, 4 landscape, 5 reverse landscape, 6 reverse portrait.
bool PortraitOrientation(cups_dest_t* dest, cups_dinfo_t* info) {
    if (const char* value = cupsGetOption("orientation-requested", dest->num_options, dest->options)) {
        const int o = std::atoi(value);
        return o != 4 && o != 5;
    }
    if (info != nullptr) {
        if (ipp_attribute_t* a = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "orientation-requested")) {
            const int o = ippGetInteger(a, 0);
            return o != 4 && o != 5;
        }
    }
    return true;
}

}  // namespace

int CupsChoosePrinter(SPrintSetup& setup) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (dest == nullptr) return IDCANCEL;  // no server, or no destination
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    cups_size_t size{};
    if (info == nullptr || !cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size) || size.width <= 0 ||
        size.length <= 0) {
        size.width = kA4Width;
        size.length = kA4Length;
        size.left = size.right = size.top = size.bottom = kA4Margin;
    }
    setup.printer = dest->name;
    setup.portrait = PortraitOrientation(dest, info);
    setup.pageWidth = HundredthsMmToPixels(size.width - size.left - size.right);
    setup.pageHeight = HundredthsMmToPixels(size.length - size.top - size.bottom);
    if (!setup.portrait) std::swap(setup.pageWidth, setup.pageHeight);
    cupsFreeDestInfo(info);
    cupsFreeDests(1, dest);
    return IDOK;
}

bool CupsPrintPage(const SPrintSetup& setup, const std::string& document, const CImage& page) {
    const char* tmp = std::getenv("TMPDIR");
    std::string file = std::string(tmp != nullptr && *tmp ? tmp : "/tmp") + "/tesk-print-XXXXXX.png";
    const int fd = mkstemps(file.data(), 4);
    if (fd < 0) return false;
    close(fd);
    bool ok = page.Save(file) == S_OK;
    if (ok) {
        cups_option_t* options = nullptr;
        int count = cupsAddOption("ppi", std::to_string(kPageDpi).c_str(), 0, &options);
        ok = cupsPrintFile2(CUPS_HTTP_DEFAULT, setup.printer.c_str(), file.c_str(), document.c_str(), count, options) > 0;
        cupsFreeOptions(count, options);
    }
    unlink(file.c_str());
    return ok;
}

}  // namespace TeskUtility::imaging
