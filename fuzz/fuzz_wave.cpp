// The wave reader on arbitrary bytes: it may refuse anything, but what it accepts must lie inside
// the input and hold whole frames.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/wave_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TeskUtility::detail::WaveData wave;
    if (!TeskUtility::detail::ParseWave(std::string_view(reinterpret_cast<const char*>(data), size), wave))
        return 0;
    const unsigned frame = wave.format.channels * wave.format.bits / 8;
    const bool inside = wave.samples >= data && wave.samples + wave.bytes <= data + size;
    if (!inside || frame == 0 || wave.bytes % frame != 0) __builtin_trap();
    return 0;
}
