#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/memory_routines.h"
#include "tesk/host_cpu.h"

namespace {

using namespace TeskUtility::detail;

constexpr std::size_t kSizes[] = {0, 1, 3, 4, 5, 63, 64, 65, 127, 128, 129, 2047, 2048, 2049, 4096, 4097, 100003};
constexpr std::size_t kOffsets[] = {0, 1, 4, 8, 16};
constexpr std::size_t kGuard = 32;
constexpr unsigned char kCanary = 0xCD;

struct CopyRoutine {
    const char* name;
    std::function<void(void*, const void*, std::size_t)> copy;
    std::function<void(void*, std::size_t)> zero;
};

std::vector<CopyRoutine> Routines() {
    return {
        {"FastMemoryCopy",
         [](void* d, const void* s, std::size_t n) { CCPUEnhancement::FastMemoryCopy(d, s, static_cast<int>(n)); },
         [](void* d, std::size_t n) { CCPUEnhancement::FastZeroMemory(d, static_cast<int>(n)); }},
        {"words", WordCopy, WordZero}, {"64-byte blocks", Block64Copy, Block64Zero},
        {"128-byte cached", [](void* d, const void* s, std::size_t n) { Stream128Copy(d, s, n, false); },
         [](void* d, std::size_t n) { Stream128Zero(d, n, false); }},
        {"128-byte streaming", [](void* d, const void* s, std::size_t n) { Stream128Copy(d, s, n, true); },
         [](void* d, std::size_t n) { Stream128Zero(d, n, true); }},
    };
}

// Buffers from the aligned allocator, so that offset 0 is 16-aligned and the
// other offsets exercise each fallback.
struct Arena {
    explicit Arena(std::size_t n) : size(n + 2 * kGuard + 16) {
        block = static_cast<unsigned char*>(CCPUEnhancement::AllocMemory(size));
        std::memset(block, kCanary, size);
    }
    ~Arena() {
        void* p = block;
        CCPUEnhancement::FreeMemory(p);
    }
    unsigned char* At(std::size_t offset) { return block + kGuard + offset; }
    bool GuardsIntact(std::size_t offset, std::size_t n) const {
        for (std::size_t i = 0; i < size; ++i) {
            const bool inside = i >= kGuard + offset && i < kGuard + offset + n;
            if (!inside && block[i] != kCanary) return false;
        }
        return true;
    }
    std::size_t size;
    unsigned char* block;
};

TEST(CCPUEnhancement, CopiesEqualMemcpyAtEverySizeAndAlignment) {
    for (const CopyRoutine& r : Routines()) {
        for (std::size_t n : kSizes) {
            for (std::size_t dOff : kOffsets) {
                for (std::size_t sOff : kOffsets) {
                    SCOPED_TRACE(testing::Message() << r.name << " n=" << n << " dst+" << dOff << " src+" << sOff);
                    Arena src(n), dst(n);
                    for (std::size_t i = 0; i < n; ++i) src.At(sOff)[i] = static_cast<unsigned char>(i * 7 + 1);
                    r.copy(dst.At(dOff), src.At(sOff), n);
                    ASSERT_EQ(std::memcmp(dst.At(dOff), src.At(sOff), n), 0);
                    ASSERT_TRUE(dst.GuardsIntact(dOff, n));
                }
            }
        }
    }
}

TEST(CCPUEnhancement, ZeroesEqualMemsetAtEverySizeAndAlignment) {
    for (const CopyRoutine& r : Routines()) {
        for (std::size_t n : kSizes) {
            for (std::size_t off : kOffsets) {
                SCOPED_TRACE(testing::Message() << r.name << " n=" << n << " +" << off);
                Arena a(n);
                r.zero(a.At(off), n);
                ASSERT_TRUE(std::all_of(a.At(off), a.At(off) + n, [](unsigned char c) { return c == 0; }));
                ASSERT_TRUE(a.GuardsIntact(off, n));
            }
        }
    }
}

TEST(CCPUEnhancement, CapabilityMask) {
    const std::uint32_t known = CCPUEnhancement::CPU_MMX | CCPUEnhancement::CPU_SSE | CCPUEnhancement::CPU_SSE2 |
                                CCPUEnhancement::CPU_3DNOW;
    EXPECT_EQ(CCPUEnhancement::CPUCapabilities & ~known, 0u);
#if defined(__x86_64__)
    // Every x86-64 processor has MMX, SSE and SSE2.
    EXPECT_EQ(CCPUEnhancement::CPUCapabilities & 7u, 7u);
#endif
    // Null pointers and non-positive counts do nothing.
    unsigned char buf[4] = {1, 2, 3, 4};
    CCPUEnhancement::FastMemoryCopy(buf, nullptr, 4);
    CCPUEnhancement::FastMemoryCopy(buf, "abcd", -1);
    CCPUEnhancement::FastZeroMemory(nullptr, 4);
    CCPUEnhancement::FastZeroMemory(buf, 0);
    EXPECT_EQ(buf[0] + buf[3], 5);
}

TEST(CCPUEnhancement, AlignedBlocks) {
    for (std::size_t size : {0, 1, 15, 16, 17, 4096, 1 << 20}) {
        SCOPED_TRACE(size);
        void* p = CCPUEnhancement::AllocMemory(size);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 16, 0u);
        std::memset(p, 0x5A, size);
        void* q = CCPUEnhancement::ReAllocMemory(p, size * 3 + 1);
        ASSERT_NE(q, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(q) % 16, 0u);
        const auto* bytes = static_cast<const unsigned char*>(q);
        EXPECT_TRUE(std::all_of(bytes, bytes + size, [](unsigned char c) { return c == 0x5A; }));
        CCPUEnhancement::FreeMemory(q);
        EXPECT_EQ(q, nullptr);
        CCPUEnhancement::FreeMemory(q);  // null: nothing happens
    }
    void* fresh = CCPUEnhancement::ReAllocMemory(nullptr, 32);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(CCPUEnhancement::ReAllocMemory(fresh, 0), nullptr);
}

}  // namespace
