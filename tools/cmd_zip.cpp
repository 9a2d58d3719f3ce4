// teskutil zip DIR OUT.zip [--all]
#include <cstdio>
#include <sys/stat.h>

#include "command.h"
#include "tesk/compress_zip.h"
#include "replace_file.h"
#include "zip_console.h"

static int Run(teskutil::Args& args) {
    const bool all = args.Flag("--all");
    TeskUtility::SZipCreateOptions options;
    options.portable = args.Flag("--portable") ? 1 : 0;
    const auto paths = args.Positionals(2, 2);
    // The library packs a missing folder as an empty archive; on a command line that is a typo.
    struct stat st {};
    if (::stat(paths[0].c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "teskutil zip: %s is not a folder\n", paths[0].c_str());
        return 1;
    }
    teskutil::ReplacedFile output(paths[1]);
    teskutil::ZipConsole console("zip");
    if (!TeskUtility::CreateZipArchive(paths[0], output.TempPath(), all ? 1 : 0, options)) return 1;
    // Files that could not be read were reported and left empty: keep the old archive.
    if (console.MessagesShown() != 0) return 1;
    output.Commit();
    return 0;
}

TESKUTIL_COMMAND(zip, "zip DIR OUT.zip [--all] [--portable]",
                 "pack a folder tree; without --all the top-level Commodity.sdb, Group.sdb, Quorin.log, "
                 "Quorin_bk.log and LOG are left out; --portable: '/' separators and folder times for other tools",
                 Run);
