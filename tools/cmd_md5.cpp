#include <cstdint>
#include <cstdio>

#include "command.h"
#include "file_bytes.h"
#include "tesk/util_digest.h"

static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    const auto bytes = teskutil::ReadFileBytes(pos[0]);
    if (bytes.size() > UINT32_MAX) {
        std::fprintf(stderr, "teskutil md5: %s: larger than 4 GiB\n", pos[0].c_str());
        return 1;
    }
    const auto digest = TeskUtility::CalcMD5(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    std::printf("%s  %s\n", digest.c_str(), pos[0].c_str());
    return 0;
}

TESKUTIL_COMMAND(md5, "md5 FILE", "print the MD5 digest of a file (upper-case hex)", Run);
