// PCM playback on ALSA's "default" device, for the sound manager's worker threads.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "host/wave_format.h"

namespace TeskUtility::detail {

// An open playback device. Open on the caller's thread or the worker's; use on one thread at a time.
class SoundOutput {
public:
    // Opens "default" (without blocking on a busy device) for the format; nullptr when there is no
    // such device or it refuses the format. ALSA's own error printing is silenced once.
    static std::unique_ptr<SoundOutput> Open(const PcmFormat& format);
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Writes interleaved frames, recovering from underruns; false on a device error or when `stop`
    // was raised. Blocks the calling (worker) thread for as long as the sound lasts.
    bool Write(const std::uint8_t* samples, std::size_t bytes, const std::atomic<bool>& stop);
    void Drain();  // lets the last samples play out

private:
    explicit SoundOutput(void* pcm, unsigned frameBytes) : m_pcm(pcm), m_frameBytes(frameBytes) {}
    void* m_pcm;
    unsigned m_frameBytes;
};

}  // namespace TeskUtility::detail
