// Processor-tuned block copy and zero, chosen once per process, and 16-byte
// aligned heap blocks.
//
//   if (CCPUEnhancement::CPUCapabilities & CCPUEnhancement::CPU_SSE2) { ... }
//   CCPUEnhancement::FastMemoryCopy(dst, src, n);   // n > 2048: the tuned routine
//   void* p = CCPUEnhancement::AllocMemory(4096);   // 16-byte aligned, or null
//   CCPUEnhancement::FreeMemory(p);                 // p is null afterwards
//
// All members are static and thread-safe; the choice is made while the library
// loads. Aligned blocks may also be released with free().
#pragma once

#include <cstddef>
#include <cstdint>

class CCPUEnhancement {
public:
    enum Capability : std::uint32_t { CPU_MMX = 1, CPU_SSE = 2, CPU_SSE2 = 4, CPU_3DNOW = 8 };
    // Counts above this go to the tuned routines; the block routines always run at least one block.
    static constexpr int kFastThreshold = 2048;

    // The processor's capability bits, set while the library loads.
    static const std::uint32_t CPUCapabilities;

    CCPUEnhancement() { InitCPUEnhancement(); }
    ~CCPUEnhancement() = default;
    CCPUEnhancement(const CCPUEnhancement&) = default;
    CCPUEnhancement& operator=(const CCPUEnhancement&) { return *this; }

    // Copies count bytes; the ranges must not overlap. count <= 0 or a null pointer does nothing.
    static void FastMemoryCopy(void* dest, const void* src, int count);
    static void FastZeroMemory(void* dest, int count);

    // A 16-byte aligned block (size 0 gives a unique block), or null when memory is exhausted.
    static void* AllocMemory(std::size_t size);
    // Resizes keeping the alignment; a null block allocates; size 0 frees and answers null.
    // On failure answers null and leaves the block as it was.
    static void* ReAllocMemory(void* block, std::size_t size);
    // Frees a non-null block and nulls the caller's pointer.
    static void FreeMemory(void*& block);

    using CopyRoutine = void (*)(void* dest, const void* src, std::size_t count);
    using ZeroRoutine = void (*)(void* dest, std::size_t count);

private:
    static std::uint32_t GetCPUCapabilities();
    static void InitCPUEnhancement();

    static CopyRoutine fast_memcpy;
    static ZeroRoutine fast_zero_memory;
};
