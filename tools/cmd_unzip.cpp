// teskutil unzip ZIP DIR
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

#include "command.h"
#include "tesk/compress_zip.h"
#include "zip_console.h"

static int Run(teskutil::Args& args) {
    const auto paths = args.Positionals(2, 2);
    // The library wants an existing folder; the command makes the last level, as unzip -d does.
    if (::mkdir(paths[1].c_str(), 0777) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "teskutil unzip: cannot make folder %s\n", paths[1].c_str());
        return 1;
    }
    teskutil::ZipConsole console("unzip");
    if (TeskUtility::ExtractZIPFromDir(paths[0], paths[1])) return 0;
    std::fprintf(stderr, "teskutil unzip: %s could not be extracted whole into %s\n", paths[0].c_str(),
                 paths[1].c_str());
    return 1;
}

TESKUTIL_COMMAND(unzip, "unzip ZIP DIR", "extract an archive into a folder (refuses names leading outside)", Run);
