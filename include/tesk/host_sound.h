// The process-wide sound player: three preloaded wave sounds, or a beep instead, each switched on
// by a bit of the sound flag. Nothing here ever waits for the sound device.
//
//   auto& sounds = TeskUtility::CSoundMgr::Instance();
//   sounds.LoadWave(0, "/usr/share/app/deal.wav");
//   sounds.SetSoundFlag(1);                 // bit 1: sound 0, bit 2: sound 1, bit 4: sound 2
//   sounds.PlayMySound(0, 880, 200);        // method 0: the wave; otherwise an 880 Hz, 200 ms beep
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tesk/types.h"

namespace TeskUtility {

using enSound = int;  // the sound index: 0, 1 or 2

// What a beep worker receives; MyBeepFun deletes it.
struct SBeepParameter {
    std::uint32_t dwFreq;
    std::uint32_t dwDuration;
};

class CSoundMgr {
public:
    static CSoundMgr& Instance();

    CSoundMgr() = default;
    CSoundMgr(const CSoundMgr&) = default;
    CSoundMgr& operator=(const CSoundMgr&) = default;  // the wave buffers are shared, not copied

    // Keeps the whole file (any readable file: it is parsed only when played). 0 for an index of 3
    // or more, a missing file, or one that cannot be read (then the index's old wave is gone too).
    int LoadWave(enSound sound, const CStringA& path);

    void SetSoundFlag(int flag) { m_nSoundFlag = flag; }
    int GetSoundFlag() const { return m_nSoundFlag; }
    void SetSoundMethod(int method) { m_nSoundMethod = method; }
    int GetSoundMethod() const { return m_nSoundMethod; }

    // Starts playing the loaded wave on a worker thread and returns at once; 0 for a bad index, an
    // empty slot, a file that is no PCM wave (or is truncated), or no sound device.
    int PlayWaveSound(enSound sound);
    // The sound's wave (method 0) or a beep (other methods) when its bit of the flag is set; else 0.
    int PlayMySound(enSound sound, std::uint32_t frequency, std::uint32_t duration);
    // A sine beep on a short-lived thread; 1 when the thread started.
    int PlayBeepSound(std::uint32_t frequency, std::uint32_t duration);
    int DoMyBeep(std::uint32_t frequency, std::uint32_t duration) { return PlayBeepSound(frequency, duration); }
    // The beep worker's body: sounds the beep of `parameter` (an SBeepParameter from new), deletes
    // it, swallows any exception, returns 0.
    static std::uint32_t MyBeepFun(void* parameter);
    // Waits up to timeoutMs for every sound started so far to finish (sounds still playing are cut
    // off when the library unloads); 1 when none is left.
    static int WaitForSounds(int timeoutMs);

private:
    std::shared_ptr<const std::string> m_waves[3];  // the file's bytes (and the string's NUL)
    int m_nSoundFlag = 0;
    int m_nSoundMethod = 0;
};

}  // namespace TeskUtility
