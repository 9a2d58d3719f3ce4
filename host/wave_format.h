// RIFF/WAVE files with PCM samples: what the sound manager can play.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace TeskUtility::detail {

struct PcmFormat {
    unsigned rate = 0;      // frames per second
    unsigned channels = 0;  // 1 or 2
    unsigned bits = 0;      // 8 (unsigned samples) or 16 (signed little-endian)
};

struct WaveData {
    PcmFormat format;
    const std::uint8_t* samples = nullptr;  // into the parsed bytes
    std::size_t bytes = 0;                  // whole frames only
};

// Parses a wave file held in memory: PCM (or extensible PCM), 8 or 16 bits, mono or stereo, any
// rate. False for anything else, and for a data chunk that ends before its stated size.
bool ParseWave(std::string_view file, WaveData& wave);

}  // namespace TeskUtility::detail
