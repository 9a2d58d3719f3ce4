// Buffer decompressors on arbitrary bytes: any result code is fine, but the capacity
// must stay as given and nothing may be written behind it.
// Input: two bytes of capacity (little-endian, plus one), then the compressed data.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tesk/compress.h"

using namespace TeskUtility;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint32_t capacity = 1u + (data[0] | static_cast<std::uint32_t>(data[1]) << 8);
    data += 2;
    size -= 2;

    constexpr unsigned char kGuard = 0xA5;
    static std::vector<unsigned char> out(65536 + 64);
    for (auto* decode : {zlibUncompress, gzUncompress, gzcUncompress, bzlibUncompress}) {
        std::fill(out.begin() + capacity, out.end(), kGuard);
        std::uint32_t cap = capacity;
        const EReturnCode rc = decode(data, static_cast<std::uint32_t>(size), out.data(), &cap);
        if (cap != capacity) __builtin_trap();
        if (rc != RC_OK && rc != RC_FAILED && rc != RC_DATA_ERROR && rc != RC_MEMORY_ERROR &&
            rc != RC_BUFFER_ERROR)
            __builtin_trap();
        for (std::size_t i = capacity; i < out.size(); ++i)
            if (out[i] != kGuard) __builtin_trap();
    }
    return 0;
}
