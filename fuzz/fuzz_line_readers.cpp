// Archive line readers over arbitrary bytes. The first byte picks the reader
// and the buffer-form maximum; the rest is the archive's content. Each reader
// must stop at the end of the data and never write past its buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tesk/settings_memfile.h"
#include "tesk/settings_string_io.h"

using namespace TeskUtility;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    std::vector<unsigned char> body(data + 1, data + size);
    CMemFile mem(body.data(), static_cast<unsigned>(body.size()));
    CArchive ar(mem, CArchive::load, 128 + (mode & 0x3F));
    // Maxima from 0 to 15, kept or dropped line ends.
    const int limit = (mode >> 2) & 0x0F;
    const unsigned max = (mode & 0x40) ? 0u - static_cast<unsigned>(limit) : static_cast<unsigned>(limit);
    std::size_t guard = body.size() + 2;  // each read consumes at least one unit
    switch (mode & 3) {
        case 0: {
            std::string line;
            while (ArchiveReadStringA(ar, line) && guard--) {}
            break;
        }
        case 1: {
            std::u16string line;
            while (ArchiveReadStringW(ar, line) && guard--) {}
            break;
        }
        case 2: {
            std::vector<char> buf(static_cast<std::size_t>(limit) + 1);
            while (ArchiveReadStringA(ar, buf.data(), max) && guard--) {
                if (std::strlen(buf.data()) > static_cast<std::size_t>(limit)) __builtin_trap();
                if (limit == 0) break;  // a zero maximum reads nothing and would repeat forever
            }
            break;
        }
        default: {
            std::vector<char16_t> buf(static_cast<std::size_t>(limit) + 1);
            while (ArchiveReadStringW(ar, buf.data(), max) && guard--) {
                if (limit == 0) break;
            }
            break;
        }
    }
    return 0;
}
