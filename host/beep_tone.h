// The samples of a beep: a sine tone with a short fade at each end, so it starts and stops
// without a click.
#pragma once

#include <cstdint>
#include <vector>

#include "host/wave_format.h"

namespace TeskUtility::detail {

inline constexpr PcmFormat kBeepFormat{48000, 1, 16};

// Signed 16-bit mono samples at kBeepFormat's rate: `durationMs` long, at `frequency` hertz.
// Empty for a frequency outside 37..32767 (what the platform's beep accepts) or a zero duration.
std::vector<std::int16_t> BeepSamples(std::uint32_t frequency, std::uint32_t durationMs);

}  // namespace TeskUtility::detail
