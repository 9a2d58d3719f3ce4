#include "host/beep_tone.h"

#include <cmath>

namespace TeskUtility::detail {

std::vector<std::int16_t> BeepSamples(std::uint32_t frequency, std::uint32_t durationMs) {
    if (frequency < 37 || frequency > 32767 || durationMs == 0)
        return {};
    const std::uint64_t count = std::uint64_t{kBeepFormat.rate} * durationMs / 1000;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
    // 5 ms ramps, shorter for very short beeps, so that the ends meet no step.
    const std::uint64_t fade = std::min<std::uint64_t>(kBeepFormat.rate / 200, count / 4);
    constexpr double kAmplitude = 0.5 * 32767;
    const double step = 2 * M_PI * frequency / kBeepFormat.rate;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t edge = std::min(i, count - 1 - i);
        const double gain = fade > 0 && edge < fade ? static_cast<double>(edge) / fade : 1.0;
        samples[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(std::lround(kAmplitude * gain * std::sin(step * static_cast<double>(i))));
    }
    return samples;
}

}  // namespace TeskUtility::detail
