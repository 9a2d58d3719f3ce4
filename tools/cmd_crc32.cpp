#include <cstdio>

#include "command.h"
#include "tesk/compress.h"
#include "tesk/settings_file.h"

static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    CFile file(pos[0], CFile::modeRead | CFile::shareDenyWrite);
    const std::uint32_t reg = TeskUtility::Crc32File(&file, 0, file.GetLength(), 0xFFFFFFFFu);
    std::printf("%08x\n", ~reg);  // the usual CRC-32, as zlib and PNG compute it
    return 0;
}

TESKUTIL_COMMAND(crc32, "crc32 FILE", "print the CRC-32 of a file", Run);
