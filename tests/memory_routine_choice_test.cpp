#include <gtest/gtest.h>

#include "platform/memory_routines.h"
#include "tesk/host_cpu.h"

namespace {

using namespace TeskUtility::detail;

TEST(CCPUEnhancement, RoutinesFollowTheCapabilityTable) {
    const RoutineChoice::Copy stream = Stream128Copy;
    const RoutineChoice::Zero streamZero = Stream128Zero;
    const struct {
        std::uint32_t mask;
        RoutineChoice::Copy copy;
        RoutineChoice::Zero zero;
    } cases[] = {
        {CCPUEnhancement::CPU_MMX | CCPUEnhancement::CPU_SSE | CCPUEnhancement::CPU_SSE2, stream, streamZero},
        {CCPUEnhancement::CPU_SSE2, stream, streamZero},
        {CCPUEnhancement::CPU_MMX | CCPUEnhancement::CPU_SSE, stream, Block64Zero},
        {CCPUEnhancement::CPU_MMX | CCPUEnhancement::CPU_3DNOW, Block64Copy, Block64Zero},
        {CCPUEnhancement::CPU_3DNOW, nullptr, nullptr},
        {0, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const RoutineChoice chosen = ChooseRoutines(c.mask);
        EXPECT_EQ(chosen.copy, c.copy) << c.mask;
        EXPECT_EQ(chosen.zero, c.zero) << c.mask;
    }
}

}  // namespace
