#include "compress/zip_archive_check.h"

#include <algorithm>
#include <string>
#include <vector>

#include "compress/zip_reader.h"

namespace TeskUtility::zipfs {
namespace {

struct DataSpan {
    std::uint64_t start, end;  // the entry's compressed data; an empty entry still owns its start
    std::size_t index;
};

bool Fail(SZipFailure& failure, EZipFailure cause, std::string_view entry) {
    failure.cause = cause;
    failure.entry.assign(entry);
    return false;
}

}  // namespace

bool IsDecodedMethod(std::uint32_t method) { return method == 0 || method == Z_DEFLATED || method == 12; }

bool CheckArchive(unzFile zip, SZipFailure& failure) {
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(zip, &global) != UNZ_OK) return Fail(failure, ZipFailure_Open, {});
    std::vector<char> name;
    std::vector<std::string> names;
    std::vector<DataSpan> spans;
    EntryHeader entry;
    for (ZPOS64_T i = 0; i < global.number_entry; ++i) {
        if ((i > 0 && unzGoToNextFile(zip) != UNZ_OK) || !ReadCurrentEntry(zip, name, entry))
            return Fail(failure, ZipFailure_Open, {});
        names.emplace_back(entry.name);
        if (entry.encrypted) return Fail(failure, ZipFailure_Encrypted, entry.name);
        if (!IsDecodedMethod(entry.method)) {
            failure.method = entry.method;
            return Fail(failure, ZipFailure_Method, entry.name);
        }
        // Opened raw: only the local header is read, to learn where the data starts.
        if (unzOpenCurrentFile2(zip, nullptr, nullptr, 1) != UNZ_OK) return Fail(failure, ZipFailure_Data, entry.name);
        const std::uint64_t start = unzGetCurrentFileZStreamPos64(zip);
        unzCloseCurrentFile(zip);
        spans.push_back({start, start + std::max<std::uint64_t>(entry.compressedSize, 1), spans.size()});
    }
    std::sort(spans.begin(), spans.end(), [](const DataSpan& a, const DataSpan& b) { return a.start < b.start; });
    for (std::size_t i = 1; i < spans.size(); ++i)
        if (spans[i].start < spans[i - 1].end)
            return Fail(failure, ZipFailure_Overlap, names[std::max(spans[i].index, spans[i - 1].index)]);
    if (global.number_entry > 0 && unzGoToFirstFile(zip) != UNZ_OK) return Fail(failure, ZipFailure_Open, {});
    return true;
}

}  // namespace TeskUtility::zipfs
