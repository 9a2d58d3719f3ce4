// teskutil unzip ZIP DIR [--exact] [--max-size BYTES]
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "command.h"
#include "tesk/compress_zip.h"
#include "zip_console.h"

namespace {

std::string Describe(const TeskUtility::SZipFailure& f) {
    using namespace TeskUtility;
    const std::string entry = "entry '" + f.entry + "'";
    switch (f.cause) {
        case ZipFailure_Open: return "not a zip archive, or its directory is damaged";
        case ZipFailure_Encrypted: return entry + " is encrypted; nothing was extracted";
        case ZipFailure_Method:
            return entry + " uses compression method " + std::to_string(f.method) +
                   ", which is not supported (stored, deflate and bzip2 are); nothing was extracted";
        case ZipFailure_Overlap:
            return entry + " shares its data with another entry (a zip bomb's shape); nothing was extracted";
        case ZipFailure_Name: return entry + " names a path outside the destination";
        case ZipFailure_Create:
            return entry + " cannot be created (a folder on its way is missing, is a file or is a link)";
        case ZipFailure_Data: return entry + " is damaged: its data does not match its declared size or checksum";
        case ZipFailure_Write: return entry + " could not be written: " + std::strerror(f.osError);
        case ZipFailure_Limit: return entry + " would take the total past --max-size";
        default: return "failed";
    }
}

int Run(teskutil::Args& args) {
    TeskUtility::SZipExtractOptions options;
    options.exactFolders = args.Flag("--exact") ? 1 : 0;
    const std::int64_t cap = args.IntOption("--max-size", 0);
    if (cap < 0) throw teskutil::UsageError("--max-size: a number of bytes");
    options.maxTotalBytes = static_cast<std::uint64_t>(cap);
    const auto paths = args.Positionals(2, 2);
    // The library wants an existing folder; the command makes the last level, as unzip -d does,
    // and takes it away again when nothing could be extracted into it.
    const bool made = ::mkdir(paths[1].c_str(), 0777) == 0;
    if (!made && errno != EEXIST) {
        std::fprintf(stderr, "teskutil unzip: cannot make folder %s: %s\n", paths[1].c_str(), std::strerror(errno));
        return 1;
    }
    teskutil::ZipConsole console("unzip");
    TeskUtility::SZipFailure failure;
    if (TeskUtility::ExtractZipArchive(paths[0], paths[1], options, &failure)) return 0;
    std::fprintf(stderr, "teskutil unzip: %s: %s\n", paths[0].c_str(), Describe(failure).c_str());
    if (made) ::rmdir(paths[1].c_str());  // only while still empty
    return 1;
}

}  // namespace

TESKUTIL_COMMAND(unzip, "unzip ZIP DIR [--exact] [--max-size BYTES]",
                 "extract an archive from any zip tool (--exact: only the library's own folder rules)", Run);
