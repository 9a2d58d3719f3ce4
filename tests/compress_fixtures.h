// Test data shared by the compression and CRC suites.
#pragma once

#include <cstddef>
#include <random>
#include <string>

namespace compress_fixtures {

// Letters drawn at random from an alphabet of 2^bits: about bits/8 of the size
// once compressed, so tests can steer how many chunks a stream spans.
inline std::string Letters(std::size_t size, unsigned bits, unsigned seed = 7) {
    std::mt19937 rng(seed);
    std::string s(size, '\0');
    for (auto& c : s) c = static_cast<char>('a' + (rng() & ((1u << bits) - 1)));
    return s;
}

inline std::string HalfCompressible(std::size_t size) { return Letters(size, 4); }

inline std::string RandomBytes(std::size_t size, unsigned seed = 11) {
    std::mt19937 rng(seed);
    std::string s(size, '\0');
    for (auto& c : s) c = static_cast<char>(rng());
    return s;
}

}  // namespace compress_fixtures
