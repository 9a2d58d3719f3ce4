#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "platform/memory_routines.h"
#include "tesk/host_cpu.h"

namespace {

using namespace TeskUtility::detail;
using CPU = CCPUEnhancement;

constexpr std::size_t kSizes[] = {0,   1,   3,    4,    5,    63,   64,   65,  127,
                                  128, 129, 2047, 2048, 2049, 4096, 4097, 100003};
constexpr std::size_t kGuard = 32;
constexpr unsigned char kCanary = 0xCD;

// Buffers from the aligned allocator, so that offset 0 is 16-aligned and the
// other offsets exercise each fallback.
struct Arena {
    explicit Arena(std::size_t n) : size(n + 2 * kGuard + 16) {
        block = static_cast<unsigned char*>(CPU::AllocMemory(size));
        std::memset(block, kCanary, size);
    }
    ~Arena() {
        void* p = block;
        CPU::FreeMemory(p);
    }
    unsigned char* At(std::size_t offset) { return block + kGuard + offset; }
    bool GuardsIntact(std::size_t offset, std::size_t n) const {
        const auto canary = [](unsigned char c) { return c == kCanary; };
        const unsigned char *first = block, *last = block + size, *from = first + kGuard + offset;
        return std::all_of(first, from, canary) && std::all_of(from + n, last, canary);
    }
    std::size_t size;
    unsigned char* block;
};

// Each copy is zeroed again by the same routine family, at both ends of every alignment pair.
TEST(CCPUEnhancement, CopiesAndZeroesEqualMemcpyAndMemsetAtEverySizeAndAlignment) {
    const struct {
        const char* name;
        std::function<void(void*, const void*, std::size_t)> copy;
        std::function<void(void*, std::size_t)> zero;
    } routines[] = {
        {"FastMemoryCopy",
         [](void* d, const void* s, std::size_t n) { CPU::FastMemoryCopy(d, s, static_cast<int>(n)); },
         [](void* d, std::size_t n) { CPU::FastZeroMemory(d, static_cast<int>(n)); }},
        {"words", WordCopy, WordZero},
        {"64-byte blocks", Block64Copy, Block64Zero},
        {"128-byte cached", [](void* d, const void* s, std::size_t n) { Stream128Copy(d, s, n, false); },
         [](void* d, std::size_t n) { Stream128Zero(d, n, false); }},
        {"128-byte streaming", [](void* d, const void* s, std::size_t n) { Stream128Copy(d, s, n, true); },
         [](void* d, std::size_t n) { Stream128Zero(d, n, true); }},
    };
    const std::size_t offsets[] = {0, 1, 4, 8, 16};
    for (const auto& r : routines) {
        for (std::size_t n : kSizes) {
            for (std::size_t pair = 0; pair < 25; ++pair) {
                const std::size_t dOff = offsets[pair / 5], sOff = offsets[pair % 5];
                SCOPED_TRACE(testing::Message() << r.name << ", n=" << n << " +" << dOff << " +" << sOff);
                Arena src(n), dst(n);
                unsigned char* from = src.At(sOff);
                for (std::size_t i = 0; i < n; ++i) from[i] = static_cast<unsigned char>(i * 7 + 1);
                r.copy(dst.At(dOff), from, n);
                ASSERT_EQ(std::memcmp(dst.At(dOff), from, n), 0);
                ASSERT_TRUE(dst.GuardsIntact(dOff, n));
                r.zero(from, n);
                ASSERT_TRUE(std::all_of(from, from + n, [](unsigned char c) { return c == 0; }));
                ASSERT_TRUE(src.GuardsIntact(sOff, n));
            }
        }
    }
}

TEST(CCPUEnhancement, CapabilityMaskAndRoutineChoice) {
    EXPECT_EQ(CPU::CPUCapabilities & ~(CPU::CPU_MMX | CPU::CPU_SSE | CPU::CPU_SSE2 | CPU::CPU_3DNOW), 0u);
#if defined(__x86_64__)
    // Every x86-64 processor has MMX, SSE and SSE2.
    EXPECT_EQ(CPU::CPUCapabilities & 7u, 7u);
#endif
    const RoutineChoice::Copy stream = Stream128Copy;
    const RoutineChoice::Zero streamZero = Stream128Zero;
    const struct { std::uint32_t mask; RoutineChoice::Copy copy; RoutineChoice::Zero zero; } choices[] = {
        {CPU::CPU_MMX | CPU::CPU_SSE | CPU::CPU_SSE2, stream, streamZero},
        {CPU::CPU_SSE2, stream, streamZero},
        {CPU::CPU_MMX | CPU::CPU_SSE, stream, Block64Zero},
        {CPU::CPU_MMX | CPU::CPU_3DNOW, Block64Copy, Block64Zero},
        {CPU::CPU_3DNOW, nullptr, nullptr},
        {0, nullptr, nullptr},
    };
    for (const auto& c : choices) {
        EXPECT_EQ(ChooseRoutines(c.mask).copy, c.copy) << c.mask;
        EXPECT_EQ(ChooseRoutines(c.mask).zero, c.zero) << c.mask;
    }
    // Null pointers and non-positive counts do nothing.
    unsigned char buf[4] = {1, 2, 3, 4};
    CPU::FastMemoryCopy(buf, nullptr, 4);
    CPU::FastMemoryCopy(buf, "abcd", -1);
    CPU::FastZeroMemory(nullptr, 4);
    CPU::FastZeroMemory(buf, 0);
    EXPECT_EQ(buf[0] + buf[3], 5);
}

TEST(CCPUEnhancement, AlignedBlocks) {
    for (std::size_t size : {0, 1, 15, 16, 17, 4096, 1 << 20}) {
        SCOPED_TRACE(size);
        void* p = CPU::AllocMemory(size);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 16, 0u);
        std::memset(p, 0x5A, size);
        void* q = CPU::ReAllocMemory(p, size * 3 + 1);
        ASSERT_NE(q, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(q) % 16, 0u);
        const auto* bytes = static_cast<const unsigned char*>(q);
        EXPECT_TRUE(std::all_of(bytes, bytes + size, [](unsigned char c) { return c == 0x5A; }));
        CPU::FreeMemory(q);
        EXPECT_EQ(q, nullptr);
        CPU::FreeMemory(q);  // null: nothing happens
    }
    void* fresh = CPU::ReAllocMemory(nullptr, 32);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(CPU::ReAllocMemory(fresh, 0), nullptr);
}

}  // namespace
