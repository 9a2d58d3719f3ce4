// MD5 as RFC 1321 defines it. The 64 steps are unrolled with the round
// functions rewritten in their cheaper equivalent forms (Colin Plumb's public
// domain MD5 and OpenSSL's md5_locl.h use the same rewrites):
//   F(x,y,z) = (x & y) | (~x & z)  ==  z ^ (x & (y ^ z))
//   G(x,y,z) = (x & z) | (y & ~z)  ==  (x & z) + (y & ~z)   (disjoint bits, so the
//              two halves can be added separately and in parallel)
#include <algorithm>
#include <bit>
#include <cstring>

#include "tesk/util_digest.h"

static_assert(std::endian::native == std::endian::little, "message words are loaded as little-endian");

namespace TeskUtility {
namespace {

using Md5State = CMD5Stream::State;

#define TESK_MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define TESK_MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define TESK_MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))

#define TESK_MD5_STEP(f, a, b, c, d, x, t, s) \
    a += f(b, c, d) + (x) + (t);              \
    a = std::rotl(a, s) + (b)

#define TESK_MD5_STEP_G(a, b, c, d, x, t, s) \
    a += ((~(d)) & (c)) + (x) + (t);         \
    a += (d) & (b);                          \
    a = std::rotl(a, s) + (b)

// Processes `blocks` whole 64-byte blocks starting at `p`.
void Transform(Md5State& st, const unsigned char* p, std::size_t blocks) {
    std::uint32_t a = st.a, b = st.b, c = st.c, d = st.d;
    while (blocks--) {
        std::uint32_t x[16];
        std::memcpy(x, p, 64);
        const std::uint32_t aa = a, bb = b, cc = c, dd = d;

        TESK_MD5_STEP(TESK_MD5_F, a, b, c, d, x[0], 0xd76aa478, 7);
        TESK_MD5_STEP(TESK_MD5_F, d, a, b, c, x[1], 0xe8c7b756, 12);
        TESK_MD5_STEP(TESK_MD5_F, c, d, a, b, x[2], 0x242070db, 17);
        TESK_MD5_STEP(TESK_MD5_F, b, c, d, a, x[3], 0xc1bdceee, 22);
        TESK_MD5_STEP(TESK_MD5_F, a, b, c, d, x[4], 0xf57c0faf, 7);
        TESK_MD5_STEP(TESK_MD5_F, d, a, b, c, x[5], 0x4787c62a, 12);
        TESK_MD5_STEP(TESK_MD5_F, c, d, a, b, x[6], 0xa8304613, 17);
        TESK_MD5_STEP(TESK_MD5_F, b, c, d, a, x[7], 0xfd469501, 22);
        TESK_MD5_STEP(TESK_MD5_F, a, b, c, d, x[8], 0x698098d8, 7);
        TESK_MD5_STEP(TESK_MD5_F, d, a, b, c, x[9], 0x8b44f7af, 12);
        TESK_MD5_STEP(TESK_MD5_F, c, d, a, b, x[10], 0xffff5bb1, 17);
        TESK_MD5_STEP(TESK_MD5_F, b, c, d, a, x[11], 0x895cd7be, 22);
        TESK_MD5_STEP(TESK_MD5_F, a, b, c, d, x[12], 0x6b901122, 7);
        TESK_MD5_STEP(TESK_MD5_F, d, a, b, c, x[13], 0xfd987193, 12);
        TESK_MD5_STEP(TESK_MD5_F, c, d, a, b, x[14], 0xa679438e, 17);
        TESK_MD5_STEP(TESK_MD5_F, b, c, d, a, x[15], 0x49b40821, 22);

        TESK_MD5_STEP_G(a, b, c, d, x[1], 0xf61e2562, 5);
        TESK_MD5_STEP_G(d, a, b, c, x[6], 0xc040b340, 9);
        TESK_MD5_STEP_G(c, d, a, b, x[11], 0x265e5a51, 14);
        TESK_MD5_STEP_G(b, c, d, a, x[0], 0xe9b6c7aa, 20);
        TESK_MD5_STEP_G(a, b, c, d, x[5], 0xd62f105d, 5);
        TESK_MD5_STEP_G(d, a, b, c, x[10], 0x02441453, 9);
        TESK_MD5_STEP_G(c, d, a, b, x[15], 0xd8a1e681, 14);
        TESK_MD5_STEP_G(b, c, d, a, x[4], 0xe7d3fbc8, 20);
        TESK_MD5_STEP_G(a, b, c, d, x[9], 0x21e1cde6, 5);
        TESK_MD5_STEP_G(d, a, b, c, x[14], 0xc33707d6, 9);
        TESK_MD5_STEP_G(c, d, a, b, x[3], 0xf4d50d87, 14);
        TESK_MD5_STEP_G(b, c, d, a, x[8], 0x455a14ed, 20);
        TESK_MD5_STEP_G(a, b, c, d, x[13], 0xa9e3e905, 5);
        TESK_MD5_STEP_G(d, a, b, c, x[2], 0xfcefa3f8, 9);
        TESK_MD5_STEP_G(c, d, a, b, x[7], 0x676f02d9, 14);
        TESK_MD5_STEP_G(b, c, d, a, x[12], 0x8d2a4c8a, 20);

        TESK_MD5_STEP(TESK_MD5_H, a, b, c, d, x[5], 0xfffa3942, 4);
        TESK_MD5_STEP(TESK_MD5_H, d, a, b, c, x[8], 0x8771f681, 11);
        TESK_MD5_STEP(TESK_MD5_H, c, d, a, b, x[11], 0x6d9d6122, 16);
        TESK_MD5_STEP(TESK_MD5_H, b, c, d, a, x[14], 0xfde5380c, 23);
        TESK_MD5_STEP(TESK_MD5_H, a, b, c, d, x[1], 0xa4beea44, 4);
        TESK_MD5_STEP(TESK_MD5_H, d, a, b, c, x[4], 0x4bdecfa9, 11);
        TESK_MD5_STEP(TESK_MD5_H, c, d, a, b, x[7], 0xf6bb4b60, 16);
        TESK_MD5_STEP(TESK_MD5_H, b, c, d, a, x[10], 0xbebfbc70, 23);
        TESK_MD5_STEP(TESK_MD5_H, a, b, c, d, x[13], 0x289b7ec6, 4);
        TESK_MD5_STEP(TESK_MD5_H, d, a, b, c, x[0], 0xeaa127fa, 11);
        TESK_MD5_STEP(TESK_MD5_H, c, d, a, b, x[3], 0xd4ef3085, 16);
        TESK_MD5_STEP(TESK_MD5_H, b, c, d, a, x[6], 0x04881d05, 23);
        TESK_MD5_STEP(TESK_MD5_H, a, b, c, d, x[9], 0xd9d4d039, 4);
        TESK_MD5_STEP(TESK_MD5_H, d, a, b, c, x[12], 0xe6db99e5, 11);
        TESK_MD5_STEP(TESK_MD5_H, c, d, a, b, x[15], 0x1fa27cf8, 16);
        TESK_MD5_STEP(TESK_MD5_H, b, c, d, a, x[2], 0xc4ac5665, 23);

        TESK_MD5_STEP(TESK_MD5_I, a, b, c, d, x[0], 0xf4292244, 6);
        TESK_MD5_STEP(TESK_MD5_I, d, a, b, c, x[7], 0x432aff97, 10);
        TESK_MD5_STEP(TESK_MD5_I, c, d, a, b, x[14], 0xab9423a7, 15);
        TESK_MD5_STEP(TESK_MD5_I, b, c, d, a, x[5], 0xfc93a039, 21);
        TESK_MD5_STEP(TESK_MD5_I, a, b, c, d, x[12], 0x655b59c3, 6);
        TESK_MD5_STEP(TESK_MD5_I, d, a, b, c, x[3], 0x8f0ccc92, 10);
        TESK_MD5_STEP(TESK_MD5_I, c, d, a, b, x[10], 0xffeff47d, 15);
        TESK_MD5_STEP(TESK_MD5_I, b, c, d, a, x[1], 0x85845dd1, 21);
        TESK_MD5_STEP(TESK_MD5_I, a, b, c, d, x[8], 0x6fa87e4f, 6);
        TESK_MD5_STEP(TESK_MD5_I, d, a, b, c, x[15], 0xfe2ce6e0, 10);
        TESK_MD5_STEP(TESK_MD5_I, c, d, a, b, x[6], 0xa3014314, 15);
        TESK_MD5_STEP(TESK_MD5_I, b, c, d, a, x[13], 0x4e0811a1, 21);
        TESK_MD5_STEP(TESK_MD5_I, a, b, c, d, x[4], 0xf7537e82, 6);
        TESK_MD5_STEP(TESK_MD5_I, d, a, b, c, x[11], 0xbd3af235, 10);
        TESK_MD5_STEP(TESK_MD5_I, c, d, a, b, x[2], 0x2ad7d2bb, 15);
        TESK_MD5_STEP(TESK_MD5_I, b, c, d, a, x[9], 0xeb86d391, 21);

        a += aa;
        b += bb;
        c += cc;
        d += dd;
        p += 64;
    }
    st.a = a;
    st.b = b;
    st.c = c;
    st.d = d;
}

#undef TESK_MD5_F
#undef TESK_MD5_H
#undef TESK_MD5_I
#undef TESK_MD5_STEP
#undef TESK_MD5_STEP_G

void Init(Md5State& st) {
    st.a = 0x67452301;
    st.b = 0xefcdab89;
    st.c = 0x98badcfe;
    st.d = 0x10325476;
    st.byteCount = 0;
}

void Update(Md5State& st, const unsigned char* data, std::size_t length) {
    std::size_t used = static_cast<std::size_t>(st.byteCount & 63);
    st.byteCount += length;
    if (used) {
        const std::size_t take = std::min<std::size_t>(64 - used, length);
        std::memcpy(st.block + used, data, take);
        data += take;
        length -= take;
        if (used + take < 64) return;
        Transform(st, st.block, 1);
    }
    // Whole blocks straight from the caller's buffer: no copy into the state.
    Transform(st, data, length / 64);
    data += length & ~std::size_t{63};
    length &= 63;
    std::memcpy(st.block, data, length);
}

void Final(Md5State& st, unsigned char digest[16]) {
    const std::uint64_t bits = st.byteCount * 8;
    std::size_t used = static_cast<std::size_t>(st.byteCount & 63);
    st.block[used++] = 0x80;
    if (used > 56) {
        std::memset(st.block + used, 0, 64 - used);
        Transform(st, st.block, 1);
        used = 0;
    }
    std::memset(st.block + used, 0, 56 - used);
    std::memcpy(st.block + 56, &bits, 8);
    Transform(st, st.block, 1);
    const std::uint32_t words[4] = {st.a, st.b, st.c, st.d};
    std::memcpy(digest, words, 16);
    // The state may hold message bytes; leave nothing behind.
    explicit_bzero(&st, sizeof st);
}

}  // namespace

void CMD5Stream::Reset() { Init(state_); }

CMD5Stream::~CMD5Stream() { explicit_bzero(&state_, sizeof state_); }

void CMD5Stream::Update(const void* data, std::size_t length) {
    if (length) TeskUtility::Update(state_, static_cast<const unsigned char*>(data), length);
}

CStringA CMD5Stream::Finish() {
    unsigned char digest[16];
    Final(state_, digest);
    Reset();
    char hex[33];
    BinToHex(digest, sizeof digest, hex, sizeof hex, 0);
    return CStringA(hex, 32);
}

CStringA CalcMD5(const void* data, std::uint32_t length) {
    if (!data) return CStringA();
    CMD5Stream md5;
    md5.Update(data, length);
    return md5.Finish();
}

}  // namespace TeskUtility
