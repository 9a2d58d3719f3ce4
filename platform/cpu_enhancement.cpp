#include <malloc.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "platform/memory_routines.h"
#include "tesk/host_cpu.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace {

constexpr std::size_t kAlignment = 16;

// Reads the feature flags; 0 where there is no identification instruction.
std::uint32_t ProbeCapabilities() {
    std::uint32_t mask = 0;
#if defined(__i386__) || defined(__x86_64__)
    unsigned a, b, c, d;
    // __get_cpuid_max performs the flags-register ID toggle test on 32-bit x86.
    if (__get_cpuid_max(0, nullptr) >= 1 && __get_cpuid(1, &a, &b, &c, &d)) {
        if (d & (1u << 23)) mask |= CCPUEnhancement::CPU_MMX;
        if (d & (1u << 25)) mask |= CCPUEnhancement::CPU_SSE;
        if (d & (1u << 26)) mask |= CCPUEnhancement::CPU_SSE2;
    }
    if (__get_cpuid_max(0x80000000, nullptr) >= 0x80000001 && __get_cpuid(0x80000001, &a, &b, &c, &d)) {
        if (d & (1u << 31)) mask |= CCPUEnhancement::CPU_3DNOW;
    }
#endif
    return mask;
}

}  // namespace

CCPUEnhancement::CopyRoutine CCPUEnhancement::fast_memcpy = nullptr;
CCPUEnhancement::ZeroRoutine CCPUEnhancement::fast_zero_memory = nullptr;
const std::uint32_t CCPUEnhancement::CPUCapabilities = CCPUEnhancement::GetCPUCapabilities();

std::uint32_t CCPUEnhancement::GetCPUCapabilities() {
    static const bool initialised = (InitCPUEnhancement(), true);
    (void)initialised;
    return ProbeCapabilities();
}

namespace TeskUtility::detail {

RoutineChoice ChooseRoutines(std::uint32_t capabilities) {
    using Copy = RoutineChoice::Copy;
    using Zero = RoutineChoice::Zero;
    if (capabilities & CCPUEnhancement::CPU_SSE2) return {Copy(Stream128Copy), Zero(Stream128Zero)};
    if (capabilities & CCPUEnhancement::CPU_SSE) return {Copy(Stream128Copy), Block64Zero};
    if (capabilities & CCPUEnhancement::CPU_MMX) return {Block64Copy, Block64Zero};
    return {nullptr, nullptr};
}

}  // namespace TeskUtility::detail

void CCPUEnhancement::InitCPUEnhancement() {
    const TeskUtility::detail::RoutineChoice chosen = TeskUtility::detail::ChooseRoutines(ProbeCapabilities());
    fast_memcpy = chosen.copy;
    fast_zero_memory = chosen.zero;
}

void CCPUEnhancement::FastMemoryCopy(void* dest, const void* src, int count) {
    if (!dest || !src || count <= 0) return;
    if (count > kFastThreshold && fast_memcpy) return fast_memcpy(dest, src, static_cast<std::size_t>(count));
    // The same bytes as a word loop, in the C library's tuned copy.
    std::memcpy(dest, src, static_cast<std::size_t>(count));
}

void CCPUEnhancement::FastZeroMemory(void* dest, int count) {
    if (!dest || count <= 0) return;
    if (count > kFastThreshold && fast_zero_memory) return fast_zero_memory(dest, static_cast<std::size_t>(count));
    std::memset(dest, 0, static_cast<std::size_t>(count));
}

void* CCPUEnhancement::AllocMemory(std::size_t size) {
    void* block = nullptr;
    return posix_memalign(&block, kAlignment, size ? size : 1) == 0 ? block : nullptr;
}

void* CCPUEnhancement::ReAllocMemory(void* block, std::size_t size) {
    if (!block) return AllocMemory(size);
    if (size == 0) {
        std::free(block);
        return nullptr;
    }
    // glibc's malloc already aligns to 16 bytes on 64-bit targets, so realloc keeps it.
    if constexpr (alignof(std::max_align_t) >= kAlignment) return std::realloc(block, size);
    void* aligned = AllocMemory(size);
    if (!aligned) return nullptr;
    const std::size_t oldSize = malloc_usable_size(block);
    std::memcpy(aligned, block, oldSize < size ? oldSize : size);
    std::free(block);
    return aligned;
}

void CCPUEnhancement::FreeMemory(void*& block) {
    if (!block) return;
    std::free(block);
    block = nullptr;
}
