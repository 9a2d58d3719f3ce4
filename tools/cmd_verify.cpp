#include <cstdio>

#include "command.h"
#include "tesk/compress.h"
#include "tesk/settings_file.h"

static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    CFile file(pos[0], CFile::modeRead | CFile::shareDenyWrite);
    if (TeskUtility::VerifyConfig(&file)) {
        std::printf("%s: sealed, content intact\n", pos[0].c_str());
        return 0;
    }
    std::printf("%s: not sealed or content changed\n", pos[0].c_str());
    return 1;
}

TESKUTIL_COMMAND(verify, "verify FILE", "check a sealed config file (exit 1 when it fails)", Run);
