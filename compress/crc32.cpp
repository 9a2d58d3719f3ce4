// Crc32(): the portable slicing kernel and the choice between it and the folding one.
#include <bit>
#include <cstring>

#include "compress/crc32_kernels.h"
#include "tesk/compress_crc.h"

namespace TeskUtility {
namespace detail {

namespace {

std::uint64_t LoadLittleEndian64(const unsigned char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
    return v;
}

}  // namespace

std::uint32_t Crc32Portable(const unsigned char* data, std::size_t length, std::uint32_t crc) {
    const auto& t = kCrc32Tables;
    for (; length >= 8; data += 8, length -= 8) {
        const std::uint64_t w = LoadLittleEndian64(data) ^ crc;
        crc = t[7][w & 0xFF] ^ t[6][(w >> 8) & 0xFF] ^ t[5][(w >> 16) & 0xFF] ^ t[4][(w >> 24) & 0xFF] ^
              t[3][(w >> 32) & 0xFF] ^ t[2][(w >> 40) & 0xFF] ^ t[1][(w >> 48) & 0xFF] ^ t[0][w >> 56];
    }
    for (; length != 0; ++data, --length) crc = (crc >> 8) ^ t[0][(crc ^ *data) & 0xFF];
    return crc;
}

}  // namespace detail

std::uint32_t Crc32(const void* data, std::uint32_t length, std::uint32_t crc) {
    if (length == 0 || !data) return crc;
    const auto* bytes = static_cast<const unsigned char*>(data);
    static const bool clmul = detail::Crc32ClmulAvailable();
    if (clmul && length >= detail::kCrc32ClmulMinLength) return detail::Crc32Clmul(bytes, length, crc);
    return detail::Crc32Portable(bytes, length, crc);
}

}  // namespace TeskUtility
