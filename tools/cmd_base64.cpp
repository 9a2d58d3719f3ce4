#include <cstdio>

#include "command.h"
#include "tesk/util_digest.h"

static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    if (!TeskUtility::SaveFileEncode(pos[0])) {
        std::fprintf(stderr, "teskutil base64: cannot open %s for reading and writing\n", pos[0].c_str());
        return 1;
    }
    return 0;
}

TESKUTIL_COMMAND(base64, "base64 FILE", "rewrite a text file in place as its Base64 encoding", Run);
