// Unpacking a zip archive into a folder, never writing outside it: the exact
// rules of ExtractZIPFromDir, and the rules for archives from any zip tool.
#include <vector>

#include "compress/zip_archive_check.h"
#include "compress/zip_entry_data.h"
#include "compress/zip_extract_root.h"
#include "compress/zip_reader.h"
#include "tesk/compress_zip.h"

namespace TeskUtility {
namespace {

constexpr std::uint32_t kDirectoryBit = 0x10;

bool Fail(SZipFailure& failure, EZipFailure cause, std::string_view entry) {
    failure.cause = cause;
    failure.entry.assign(entry);
    return false;
}

// Other tools mark folders by a trailing separator, or set the directory bit
// among the Unix mode bits they keep in the upper half.
bool IsAnyToolFolder(const zipfs::EntryHeader& entry) {
    return (entry.attributes & kDirectoryBit) != 0 ||
           (!entry.name.empty() && (entry.name.back() == '/' || entry.name.back() == '\\'));
}

bool Extract(const CStringA& zipPath, const CStringA& destDir, const SZipExtractOptions& options,
             SZipFailure& failure) {
    zipfs::UnzipHandle zip(unzOpen64(zipPath.c_str()));
    if (!zip) return zipfs::IsEmptyArchive(zipPath) || Fail(failure, ZipFailure_Open, {});
    if (!zipfs::CheckArchive(zip.get(), failure)) return false;
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(zip.get(), &global) != UNZ_OK) return Fail(failure, ZipFailure_Open, {});
    const bool exact = options.exactFolders != 0;
    zipfs::ExtractionRoot root(destDir, !exact);
    std::vector<char> name;
    std::vector<char> buffer;
    zipfs::EntryHeader entry;
    zipfs::EntryPath path;
    std::uint64_t total = 0;
    for (ZPOS64_T i = 0; i < global.number_entry; ++i) {
        if ((i > 0 && unzGoToNextFile(zip.get()) != UNZ_OK) || !zipfs::ReadCurrentEntry(zip.get(), name, entry))
            return Fail(failure, ZipFailure_Open, {});
        if (!zipfs::SplitEntryName(entry.name, entry.utf8Name, path)) return Fail(failure, ZipFailure_Name, entry.name);
        if (exact ? entry.folder : IsAnyToolFolder(entry)) {
            root.MakeFolder(path);  // a folder that exists already, or cannot be made, is not a failure
            continue;
        }
        if (options.maxTotalBytes && (entry.size > options.maxTotalBytes - total))
            return Fail(failure, ZipFailure_Limit, entry.name);
        const posix::Fd target = root.CreateFile(path);
        if (!target.Valid()) return Fail(failure, ZipFailure_Create, entry.name);
        if (!zipfs::WriteEntryData(zip.get(), entry, target.Get(), buffer, failure)) {
            failure.entry.assign(entry.name);
            return false;
        }
        total += entry.size;
    }
    return true;
}

}  // namespace

int ExtractZIPFromDir(const CStringA& zipPath, const CStringA& destDir) {
    SZipFailure ignored;
    return Extract(zipPath, destDir, SZipExtractOptions{1, 0}, ignored) ? 1 : 0;
}

int ExtractZipArchive(const CStringA& zipPath, const CStringA& destDir, const SZipExtractOptions& options,
                      SZipFailure* failure) {
    SZipFailure local;
    return Extract(zipPath, destDir, options, failure ? *failure : local) ? 1 : 0;
}

}  // namespace TeskUtility
