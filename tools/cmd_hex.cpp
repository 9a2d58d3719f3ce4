#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "command.h"
#include "file_bytes.h"
#include "tesk/util_digest.h"

static int Run(teskutil::Args& args) {
    const int lower = args.Flag("--lower") ? 1 : 0;
    const auto pos = args.Positionals(1, 1);
    constexpr std::size_t kBytesPerLine = 32;
    unsigned char pending[kBytesPerLine];
    std::size_t held = 0;
    char line[kBytesPerLine * 2 + 1];
    auto flush = [&] {
        TeskUtility::BinToHex(pending, static_cast<std::uint32_t>(held), line, sizeof line, lower);
        std::puts(line);
        held = 0;
        // Stop at the first failed write instead of converting the rest of a large file.
        if (std::ferror(stdout)) throw std::runtime_error(std::string("cannot write standard output: ") +
                                                          std::strerror(errno));
    };
    teskutil::ForEachChunk(pos[0], [&](const unsigned char* data, std::size_t n) {
        while (n > 0) {
            const std::size_t take = std::min(n, kBytesPerLine - held);
            std::memcpy(pending + held, data, take);
            held += take;
            data += take;
            n -= take;
            if (held == kBytesPerLine) flush();
        }
    });
    if (held) flush();
    return 0;
}

TESKUTIL_COMMAND(hex, "hex FILE [--lower]", "print a file's bytes as hexadecimal, 32 bytes a line", Run);
