#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/memory_routines.h"
#include "tesk/host_cpu.h"

namespace {

using namespace TeskUtility::detail;
using CPU = CCPUEnhancement;

constexpr std::size_t kSizes[] = {0,   1,   3,    4,    5,    63,   64,   65,  127,
                                  128, 129, 2047, 2048, 2049, 4096, 4097, 100003};
constexpr std::size_t kGuard = 32;

// Each routine copies between canary-filled blocks and zeroes the copy, at every size and
// alignment pair; whole blocks are compared, so a stray byte on either side shows.
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
    const auto aligned = [](const auto& v) { return reinterpret_cast<std::uintptr_t>(v.data()) % 16 == 0; };
    for (const auto& r : routines) {
        for (std::size_t n : kSizes) {
            for (std::size_t pair = 0; pair < 25; ++pair) {
                const std::size_t dOff = kGuard + offsets[pair / 5], sOff = kGuard + offsets[pair % 5];
                SCOPED_TRACE(testing::Message() << r.name << ", n=" << n << ", offset pair " << pair);
                std::vector<unsigned char> src(n + 2 * kGuard, 0xCD), dst = src;
                ASSERT_TRUE(aligned(src) && aligned(dst));
                for (std::size_t i = 0; i < n; ++i) src[sOff + i] = static_cast<unsigned char>(i * 7 + 1);
                std::vector<unsigned char> want = dst;
                std::copy_n(src.begin() + sOff, n, want.begin() + dOff);
                r.copy(dst.data() + dOff, src.data() + sOff, n);
                ASSERT_TRUE(dst == want);
                std::fill_n(want.begin() + dOff, n, 0);
                r.zero(dst.data() + dOff, n);
                ASSERT_TRUE(dst == want);
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
    for (const auto& c : choices)
        EXPECT_TRUE(ChooseRoutines(c.mask).copy == c.copy && ChooseRoutines(c.mask).zero == c.zero) << c.mask;
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
