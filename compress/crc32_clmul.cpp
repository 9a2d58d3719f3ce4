// CRC-32 by folding with carry-less multiplication, after Gopal et al., "Fast CRC
// Computation for Generic Polynomials Using PCLMULQDQ Instruction" (Intel, 2009).
//
// Four 128-bit lanes of the message are carried 512 bits forward per step: a lane
// X = H*x^64 + L moves by S bits as H*(x^(S+64) mod P) + L*(x^S mod P), each a 64x32-bit
// carry-less product that fits in 128 bits again. The lanes are then folded into one,
// and instead of a Barrett reduction the last 128 bits go through the table kernel
// starting from a zero register: that costs 16 byte steps per call and keeps the
// reduction obviously identical to the table-driven update.
#include "compress/crc32_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace TeskUtility::detail {

#if defined(__x86_64__) || defined(__i386__)

namespace {

// x^e mod P in the bit-reflected form the products need. A reflected 64-bit lane
// half times a 33-bit reflected constant lands 32 bits low, hence e = S - 32 and
// the shift by one.
constexpr std::uint64_t FoldConstant(unsigned e) {
    std::uint32_t r = 0x80000000u;  // x^0, reflected
    for (unsigned i = 0; i < e; ++i) r = (r & 1) ? (r >> 1) ^ kCrc32Polynomial : r >> 1;
    return static_cast<std::uint64_t>(r) << 1;
}

// H sits in the low 64 bits of a loaded lane (the first bytes carry the highest powers),
// so the low half of each constant pair moves H by S + 64 bits and the high half moves L by S.
constexpr std::uint64_t kFold512H = FoldConstant(512 + 64 - 32);
constexpr std::uint64_t kFold512L = FoldConstant(512 - 32);
constexpr std::uint64_t kFold128H = FoldConstant(128 + 64 - 32);
constexpr std::uint64_t kFold128L = FoldConstant(128 - 32);

__attribute__((target("pclmul,sse2"))) inline __m128i Fold(__m128i lane, __m128i k, __m128i next) {
    const __m128i h = _mm_clmulepi64_si128(lane, k, 0x00);
    const __m128i l = _mm_clmulepi64_si128(lane, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(h, l), next);
}

__attribute__((target("pclmul,sse2"))) inline __m128i Load(const unsigned char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

}  // namespace

bool Crc32ClmulAvailable() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
}

__attribute__((target("pclmul,sse2"))) std::uint32_t Crc32Clmul(const unsigned char* data, std::size_t length,
                                                                std::uint32_t crc) {
    __m128i x0 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i x1 = Load(data + 16);
    __m128i x2 = Load(data + 32);
    __m128i x3 = Load(data + 48);
    data += 64;
    length -= 64;

    const __m128i k512 = _mm_set_epi64x(static_cast<long long>(kFold512L), static_cast<long long>(kFold512H));
    for (; length >= 64; data += 64, length -= 64) {
        x0 = Fold(x0, k512, Load(data));
        x1 = Fold(x1, k512, Load(data + 16));
        x2 = Fold(x2, k512, Load(data + 32));
        x3 = Fold(x3, k512, Load(data + 48));
    }

    const __m128i k128 = _mm_set_epi64x(static_cast<long long>(kFold128L), static_cast<long long>(kFold128H));
    __m128i x = Fold(Fold(Fold(x0, k128, x1), k128, x2), k128, x3);
    for (; length >= 16; data += 16, length -= 16) x = Fold(x, k128, Load(data));

    alignas(16) unsigned char residue[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(residue), x);
    return Crc32Portable(data, length, Crc32Portable(residue, sizeof residue, 0));
}

#else

bool Crc32ClmulAvailable() { return false; }

std::uint32_t Crc32Clmul(const unsigned char* data, std::size_t length, std::uint32_t crc) {
    return Crc32Portable(data, length, crc);
}

#endif

}  // namespace TeskUtility::detail
