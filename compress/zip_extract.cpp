// Unpacking a zip archive into a folder, never writing outside it.
#include "compress/zip_extract_root.h"
#include "compress/zip_reader.h"
#include "tesk/compress_zip.h"

namespace TeskUtility {

int ExtractZIPFromDir(const CStringA& zipPath, const CStringA& destDir) {
    zipfs::UnzipHandle zip(unzOpen64(zipPath.c_str()));
    if (!zip) return zipfs::IsEmptyArchive(zipPath) ? 1 : 0;
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(zip.get(), &global) != UNZ_OK) return 0;
    zipfs::ExtractionRoot root(destDir);
    std::vector<char> name;
    std::vector<char> buffer;
    zipfs::EntryHeader entry;
    zipfs::EntryPath path;
    for (ZPOS64_T i = 0; i < global.number_entry; ++i) {
        if (i > 0 && unzGoToNextFile(zip.get()) != UNZ_OK) return 0;
        if (!zipfs::ReadCurrentEntry(zip.get(), name, entry)) return 0;
        if (!zipfs::SplitEntryName(entry.name, entry.utf8Name, path)) return 0;
        if (entry.folder) {
            root.MakeFolder(path);  // a folder that exists already, or cannot be made, is not a failure
            continue;
        }
        const posix::Fd target = root.CreateFile(path);
        if (!target.Valid() || !zipfs::CopyCurrentEntry(zip.get(), target.Get(), buffer)) return 0;
    }
    return 1;
}

}  // namespace TeskUtility
