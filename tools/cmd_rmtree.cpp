// teskutil rmtree DIR
#include <cstdio>
#include <sys/stat.h>

#include "command.h"
#include "tesk/compress_zip.h"

static int Run(teskutil::Args& args) {
    const auto paths = args.Positionals(1, 1);
    struct stat st {};
    if (::lstat(paths[0].c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "teskutil rmtree: %s is not a folder\n", paths[0].c_str());
        return 1;
    }
    TeskUtility::DeleteFolder(paths[0]);
    if (::lstat(paths[0].c_str(), &st) != 0) return 0;
    std::fprintf(stderr, "teskutil rmtree: %s could not be removed whole\n", paths[0].c_str());
    return 1;
}

TESKUTIL_COMMAND(rmtree, "rmtree DIR", "remove a folder tree (links inside are removed, never followed)", Run);
