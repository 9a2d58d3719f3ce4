// The CRC-32 update kernels behind Crc32(). File-private to compress/ (and its tests).
//
// All of them perform the plain table-driven update of the reflected polynomial
// 0xEDB88320, register = (register >> 8) ^ table[(register ^ byte) & 0xFF], with no
// complement in or out, and give identical results.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace TeskUtility::detail {

inline constexpr std::uint32_t kCrc32Polynomial = 0xEDB88320u;

// Slicing-by-8 (Kounavis and Berry, Intel 2005): table k maps a byte to its effect on
// the register after k more zero bytes, so eight bytes cost eight independent lookups.
using Crc32Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Crc32Tables MakeCrc32Tables() {
    Crc32Tables t{};
    for (std::uint32_t b = 0; b < 256; ++b) {
        std::uint32_t r = b;
        for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? (r >> 1) ^ kCrc32Polynomial : r >> 1;
        t[0][b] = r;
    }
    for (std::size_t k = 1; k < t.size(); ++k)
        for (std::size_t b = 0; b < 256; ++b) t[k][b] = (t[k - 1][b] >> 8) ^ t[0][t[k - 1][b] & 0xFF];
    return t;
}

inline constexpr Crc32Tables kCrc32Tables = MakeCrc32Tables();

// Any length, any CPU.
std::uint32_t Crc32Portable(const unsigned char* data, std::size_t length, std::uint32_t crc);

// Carry-less multiplication folding; needs length >= kCrc32ClmulMinLength and a CPU
// with PCLMULQDQ (Crc32ClmulAvailable()).
inline constexpr std::size_t kCrc32ClmulMinLength = 64;
bool Crc32ClmulAvailable();
std::uint32_t Crc32Clmul(const unsigned char* data, std::size_t length, std::uint32_t crc);

}  // namespace TeskUtility::detail
