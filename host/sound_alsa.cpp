// The sound manager's ALSA backend, after SDL's: blocking writes on a worker thread, underruns
// recovered with snd_pcm_recover, nothing ever blocking the thread that asked for the sound.
#include <alsa/asoundlib.h>

#include <cstdarg>
#include <mutex>

#include "host/sound_output.h"

namespace TeskUtility::detail {
namespace {

void QuietErrors(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

std::unique_ptr<SoundOutput> SoundOutput::Open(const PcmFormat& format) {
    // A library must not print; alsa-lib reports a missing device on stderr unless told otherwise.
    static std::once_flag quiet;
    std::call_once(quiet, [] { snd_lib_error_set_handler(QuietErrors); });
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return nullptr;
    const snd_pcm_format_t sampleFormat = format.bits == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    // Back to blocking writes (we are on a worker), with about a tenth of a second of buffer.
    if (snd_pcm_nonblock(pcm, 0) < 0 ||
        snd_pcm_set_params(pcm, sampleFormat, SND_PCM_ACCESS_RW_INTERLEAVED, format.channels, format.rate, 1,
                           100000) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return std::unique_ptr<SoundOutput>(new SoundOutput(pcm, format.channels * format.bits / 8));
}

SoundOutput::~SoundOutput() { snd_pcm_close(static_cast<snd_pcm_t*>(m_pcm)); }

bool SoundOutput::Write(const std::uint8_t* samples, std::size_t bytes, const std::atomic<bool>& stop) {
    snd_pcm_t* pcm = static_cast<snd_pcm_t*>(m_pcm);
    snd_pcm_uframes_t left = bytes / m_frameBytes;
    while (left > 0) {
        if (stop)
            return false;
        // Small pieces, so that a stop request is seen within a few milliseconds.
        const snd_pcm_uframes_t piece = left < 1024 ? left : 1024;
        snd_pcm_sframes_t written = snd_pcm_writei(pcm, samples, piece);
        if (written < 0)
            written = snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0 ? -1 : 0;
        if (written < 0)
            return false;
        samples += static_cast<std::size_t>(written) * m_frameBytes;
        left -= static_cast<snd_pcm_uframes_t>(written);
    }
    return true;
}

void SoundOutput::Drain() { snd_pcm_drain(static_cast<snd_pcm_t*>(m_pcm)); }

}  // namespace TeskUtility::detail
