// The block copy and zero routines behind CCPUEnhancement and their choice, exposed to tests.
// Each answers the same bytes as memcpy/memset; they differ in how.
#pragma once

#include <cstddef>
#include <cstdint>

namespace TeskUtility::detail {

// count / 4 32-bit words, then count % 4 bytes.
void WordCopy(void* dest, const void* src, std::size_t count);
void WordZero(void* dest, std::size_t count);

// Both addresses 8-aligned: 64-byte blocks of 8-byte moves, then the tail
// byte by byte; otherwise WordCopy.
void Block64Copy(void* dest, const void* src, std::size_t count);
void Block64Zero(void* dest, std::size_t count);

// Both addresses 16-aligned: 128-byte blocks of 16-byte aligned loads and
// stores, then the tail byte by byte; otherwise the 64-byte routine.
// nonTemporal: stores bypass the cache, loads prefetch ahead with a
// non-temporal hint, and a store fence ends the copy.
void Stream128Copy(void* dest, const void* src, std::size_t count, bool nonTemporal);
void Stream128Zero(void* dest, std::size_t count, bool nonTemporal);
// The routines CCPUEnhancement picks: memcpy/memset below NonTemporalThreshold()
// bytes, the non-temporal blocks from there on.
void Stream128Copy(void* dest, const void* src, std::size_t count);
void Stream128Zero(void* dest, std::size_t count);
std::size_t NonTemporalThreshold();

struct RoutineChoice {
    using Copy = void (*)(void* dest, const void* src, std::size_t count);
    using Zero = void (*)(void* dest, std::size_t count);
    Copy copy;
    Zero zero;
};
// The routines for a capability mask, first match wins: SSE2 streams both;
// SSE streams copies and zeroes in 64-byte blocks; MMX uses 64-byte blocks for
// both; without any of the three there is none (the callers copy themselves).
RoutineChoice ChooseRoutines(std::uint32_t capabilities);

}  // namespace TeskUtility::detail
