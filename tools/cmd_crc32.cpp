#include <cstdio>

#include "command.h"
#include "file_bytes.h"
#include "tesk/compress.h"

// Read to the end of the stream rather than to the reported length, which is 0 for /proc files.
static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    std::uint32_t reg = 0xFFFFFFFFu;
    teskutil::ForEachChunk(pos[0], [&](const unsigned char* data, std::size_t n) {
        reg = TeskUtility::Crc32(data, static_cast<std::uint32_t>(n), reg);
    });
    std::printf("%08x\n", ~reg);  // the usual CRC-32, as zlib and PNG compute it
    return 0;
}

TESKUTIL_COMMAND(crc32, "crc32 FILE", "print the CRC-32 of a file", Run);
