#include <cstdio>

#include "command.h"
#include "tesk/host_sound.h"

namespace {

using TeskUtility::CSoundMgr;

// Sounds play on the library's worker threads: wait for them before the process (and library) ends.
int Finish(int started, const char* what) {
    if (!started) {
        std::fprintf(stderr, "teskutil %s: cannot play (not a PCM wave, or no sound device)\n", what);
        return 1;
    }
    if (!CSoundMgr::WaitForSounds(60000)) {
        std::fprintf(stderr, "teskutil %s: still playing after a minute\n", what);
        return 1;
    }
    return 0;
}

int Beep(teskutil::Args& args) {
    const auto pos = args.Positionals(2, 2);
    const auto frequency = teskutil::ParseInt(pos[0], "FREQ");
    const auto duration = teskutil::ParseInt(pos[1], "MS");
    if (frequency < 37 || frequency > 32767 || duration < 1 || duration > 30000)
        throw teskutil::UsageError("FREQ must be 37..32767 Hz and MS 1..30000");
    return Finish(CSoundMgr::Instance().PlayBeepSound(static_cast<std::uint32_t>(frequency),
                                                      static_cast<std::uint32_t>(duration)),
                  "beep");
}

int Play(teskutil::Args& args) {
    const auto pos = args.Positionals(1, 1);
    CSoundMgr& sounds = CSoundMgr::Instance();
    if (!sounds.LoadWave(0, pos[0])) {
        std::fprintf(stderr, "teskutil play: %s: cannot read\n", pos[0].c_str());
        return 1;
    }
    return Finish(sounds.PlayWaveSound(0), "play");
}

}  // namespace

TESKUTIL_COMMAND(beep, "beep FREQ MS", "sound a sine beep on the default ALSA device", Beep);
TESKUTIL_COMMAND(play, "play FILE.wav", "play a PCM wave file on the default ALSA device", Play);
