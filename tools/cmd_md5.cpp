#include <cstdio>

#include "command.h"
#include "file_bytes.h"
#include "tesk/util_digest.h"

static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    TeskUtility::CMD5Stream md5;
    teskutil::ForEachChunk(pos[0], [&](const unsigned char* data, std::size_t n) { md5.Update(data, n); });
    std::printf("%s  %s\n", md5.Finish().c_str(), pos[0].c_str());
    return 0;
}

TESKUTIL_COMMAND(md5, "md5 FILE", "print the MD5 digest of a file (upper-case hex)", Run);
