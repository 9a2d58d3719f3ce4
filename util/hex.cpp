#include <array>

#include "tesk/util_digest.h"

namespace TeskUtility {
namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";
constexpr char kLowerDigits[] = "0123456789abcdef";

// Nibble value of each byte, or -1 for a byte that is not a hex digit.
constexpr std::array<signed char, 256> MakeNibbleTable() {
    std::array<signed char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = -1;
    for (int i = 0; i < 10; ++i) t['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        t['A' + i] = static_cast<signed char>(10 + i);
        t['a' + i] = static_cast<signed char>(10 + i);
    }
    return t;
}
constexpr auto kNibble = MakeNibbleTable();

}  // namespace

int BinToHex(const void* source, std::uint32_t length, char* dest, std::uint32_t capacity, int lowerCase) {
    const std::uint64_t need = std::uint64_t{length} * 2;
    if (need > capacity) return 0;
    const char* digits = lowerCase ? kLowerDigits : kUpperDigits;
    const auto* in = static_cast<const unsigned char*>(source);
    for (std::uint32_t i = 0; i < length; ++i) {
        *dest++ = digits[in[i] >> 4];
        *dest++ = digits[in[i] & 0x0F];
    }
    if (need < capacity) *dest = '\0';
    return 1;
}

int HexToBin(const char* source, std::uint32_t length, void* dest, std::uint32_t capacity) {
    if (length == 0) return 1;
    if ((length & 1) || capacity < length / 2) return 0;
    auto* out = static_cast<unsigned char*>(dest);
    const auto* in = reinterpret_cast<const unsigned char*>(source);
    for (std::uint32_t i = 0; i < length; i += 2) {
        const int hi = kNibble[in[i]];
        const int lo = kNibble[in[i + 1]];
        if (hi < 0 || lo < 0) return 0;
        *out++ = static_cast<unsigned char>(hi << 4 | lo);
    }
    return 1;
}

}  // namespace TeskUtility
