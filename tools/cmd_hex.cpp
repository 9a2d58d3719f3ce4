#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "command.h"
#include "file_bytes.h"
#include "tesk/util_digest.h"

static int Run(teskutil::Args& args) {
    const int lower = args.Flag("--lower") ? 1 : 0;
    const auto pos = args.Positionals(1, 1);
    const auto bytes = teskutil::ReadFileBytes(pos[0]);
    constexpr std::size_t kBytesPerLine = 32;
    char line[kBytesPerLine * 2 + 1];
    for (std::size_t at = 0; at < bytes.size(); at += kBytesPerLine) {
        const auto n = static_cast<std::uint32_t>(std::min(kBytesPerLine, bytes.size() - at));
        TeskUtility::BinToHex(bytes.data() + at, n, line, sizeof line, lower);
        std::puts(line);
    }
    return 0;
}

TESKUTIL_COMMAND(hex, "hex FILE [--lower]", "print a file's bytes as hexadecimal, 32 bytes a line", Run);
