#include "compress/zip_entry_info.h"

namespace TeskUtility::zipfs {

zip_fileinfo FolderEntryInfo() {
    zip_fileinfo info{};
    info.external_fa = kFolderAttributes;
    return info;
}

zip_fileinfo FileEntryInfo(std::time_t lastWrite) {
    std::tm local{};
    zip_fileinfo info{};
    if (!localtime_r(&lastWrite, &local)) return FolderEntryInfo();
    const int year = local.tm_year + 1900;
    // minizip packs the year as year - 1980 into seven bits; outside that it would wrap.
    if (year < 1980) {
        info.tmz_date = tm_zip{0, 0, 0, 1, 0, 1980};
    } else if (year > 2107) {
        info.tmz_date = tm_zip{58, 59, 23, 31, 11, 2107};
    } else {
        info.tmz_date = tm_zip{static_cast<uInt>(local.tm_sec), static_cast<uInt>(local.tm_min),
                               static_cast<uInt>(local.tm_hour), static_cast<uInt>(local.tm_mday),
                               static_cast<uInt>(local.tm_mon), static_cast<uInt>(year)};
    }
    return info;
}

}  // namespace TeskUtility::zipfs
