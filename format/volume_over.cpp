// Thresholds at which a traded volume counts as large or raises an alarm.
#include "tesk/format_signs.h"

namespace TeskUtility {
namespace {

struct VolumeThresholds {
    std::int32_t threshold;
    std::int64_t threshold64;  // kept in step with threshold for the 64-bit test
    std::int32_t alarmThreshold;
    std::int32_t alarmTickVolume;
};

constexpr VolumeThresholds kDefaultThresholds{100, 100, 100, 10};
constinit VolumeThresholds g_volume = kDefaultThresholds;

}  // namespace

void VolumeOver_LoadDefault() { g_volume = kDefaultThresholds; }
std::int32_t VolumeOver_GetThreshold() { return g_volume.threshold; }
void VolumeOver_SetThreshold(std::int32_t threshold) {
    g_volume.threshold = threshold;
    g_volume.threshold64 = threshold;
}
int IsVolumeOver(std::int32_t volume) { return volume >= g_volume.threshold; }
int IsVolumeOver(std::int64_t volume) { return volume >= g_volume.threshold64; }

std::int32_t VolumeOverAlarm_GetThreshold() { return g_volume.alarmThreshold; }
void VolumeOverAlarm_SetThreshold(std::int32_t threshold) { g_volume.alarmThreshold = threshold; }
std::int32_t VolumeOverAlarm_GetTickVolume() { return g_volume.alarmTickVolume; }
void VolumeOverAlarm_SetTickVolume(std::int32_t volume) { g_volume.alarmTickVolume = volume; }
int IsAlarmVolumeOver(std::int32_t volume) { return volume >= g_volume.alarmThreshold; }
int IsAlarmTickVolumn(std::int64_t tickVolume) { return tickVolume >= std::int64_t{g_volume.alarmTickVolume}; }

}  // namespace TeskUtility
