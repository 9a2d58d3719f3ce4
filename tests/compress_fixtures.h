// Test data and streams shared by the compression and CRC suites.
#pragma once

#include <cstddef>
#include <random>
#include <string>

#include "tesk/compress.h"

namespace compress_fixtures {

using BufferFn = TeskUtility::EReturnCode (*)(const void*, std::uint32_t, void*, std::uint32_t*);

// Bytes from 'a' on, drawn at random from 2^bits values: about bits/8 of the size
// once compressed, so tests can steer how many chunks a stream spans.
inline std::string Letters(std::size_t size, unsigned bits, unsigned seed = 7) {
    std::mt19937 rng(seed);
    std::string s(size, '\0');
    for (auto& c : s) c = static_cast<char>('a' + (rng() & ((1u << bits) - 1)));
    return s;
}

inline std::string HalfCompressible(std::size_t size) { return Letters(size, 4); }
inline std::string RandomBytes(std::size_t size) { return Letters(size, 8, 11); }

// The stream alone. The buffer API reports no lengths, so the length is the
// smallest capacity that still succeeds.
inline std::string ExactStream(BufferFn compress, const std::string& data) {
    const auto size = static_cast<std::uint32_t>(data.size());
    std::uint32_t lo = 1, hi = size + size / 2 + 1024;
    while (lo < hi) {
        std::uint32_t mid = lo + (hi - lo) / 2;
        std::string probe(mid, '\0');
        if (compress(data.data(), size, probe.data(), &mid) == TeskUtility::RC_OK) hi = mid;
        else lo = mid + 1;
    }
    std::string out(lo, '\0');
    compress(data.data(), size, out.data(), &lo);
    return out;
}

// The second-last byte lies in the check value of every stream kind used here
// (Adler-32, gzip's CRC-32, bzip2's combined CRC).
inline std::string CheckValueFlipped(std::string s) {
    s[s.size() - 2] ^= 0x10;
    return s;
}

// A zlib header with the preset-dictionary flag (FLG 0xF9) and a dictionary id:
// inflate stops right behind it and asks for the dictionary.
inline std::string DictionaryStream() {
    return std::string("\x78\xF9\x12\x34\x56\x78\x4B\x4C\x4A\x06\x00", 11);
}

}  // namespace compress_fixtures
