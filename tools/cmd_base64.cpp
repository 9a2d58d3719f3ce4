#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "command.h"
#include "replace_file.h"
#include "tesk/util_digest.h"

static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    // Encoded in a copy, so that a failure half-way leaves the file as it was.
    teskutil::ReplacedFile output(pos[0]);
    {
        const int fd = ::open(output.TempPath().c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) throw std::runtime_error("cannot write a copy of " + pos[0]);
        try {
            teskutil::AppendFileTo(fd, pos[0]);
        } catch (...) {
            ::close(fd);
            throw;
        }
        ::close(fd);
    }
    if (!TeskUtility::SaveFileEncode(output.TempPath())) {
        std::fprintf(stderr, "teskutil base64: cannot open %s for reading and writing\n", pos[0].c_str());
        return 1;
    }
    output.Commit();
    return 0;
}

TESKUTIL_COMMAND(base64, "base64 FILE", "rewrite a text file in place as its Base64 encoding", Run);
