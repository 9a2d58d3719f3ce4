// CSoundMgr: waves and beeps played on short-lived worker threads, so the caller never waits for
// the device. The workers are counted, and told to stop, when the library unloads.
#include <sys/stat.h>

#include <atomic>
#include <condition_variable>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>

#include "host/beep_tone.h"
#include "host/sound_output.h"
#include "host/wave_format.h"
#include "tesk/host_sound.h"

namespace TeskUtility {
namespace {

// Live worker threads; the library's unload waits for them (they stop within a few milliseconds).
struct Workers {
    std::mutex mutex;
    std::condition_variable idle;
    int active = 0;
    std::atomic<bool> stopping{false};

    ~Workers() {
        stopping = true;
        std::unique_lock lock(mutex);
        idle.wait_for(lock, std::chrono::seconds(2), [this] { return active == 0; });
    }
} g_workers;

// Whether "default" opened the last time we tried: while it does, workers open it themselves;
// otherwise the caller tries (quickly, without blocking) so a missing device gives 0 at once.
std::atomic<bool> g_deviceGood{false};

template <typename Body>
bool StartWorker(Body body) {
    {
        std::lock_guard lock(g_workers.mutex);
        if (g_workers.stopping)
            return false;
        ++g_workers.active;
    }
    try {
        std::thread([body = std::move(body)]() mutable {
            try {
                body();
            } catch (...) {
                // A sound that fails is silence, never an end to the host.
            }
            std::lock_guard lock(g_workers.mutex);
            if (--g_workers.active == 0)
                g_workers.idle.notify_all();
        }).detach();
        return true;
    } catch (...) {
        std::lock_guard lock(g_workers.mutex);
        --g_workers.active;
        return false;
    }
}

void PlayOn(std::unique_ptr<detail::SoundOutput> output, const detail::PcmFormat& format, const std::uint8_t* samples,
            std::size_t bytes) {
    if (!output)
        output = detail::SoundOutput::Open(format);
    g_deviceGood = output != nullptr;
    if (output && output->Write(samples, bytes, g_workers.stopping))
        output->Drain();
}

void SoundBeep(std::uint32_t frequency, std::uint32_t duration) {
    const std::vector<std::int16_t> samples = detail::BeepSamples(frequency, duration);
    if (!samples.empty())
        PlayOn(nullptr, detail::kBeepFormat, reinterpret_cast<const std::uint8_t*>(samples.data()),
               samples.size() * sizeof(std::int16_t));
}

}  // namespace

CSoundMgr& CSoundMgr::Instance() {
    static CSoundMgr instance;
    return instance;
}

int CSoundMgr::LoadWave(enSound sound, const CStringA& path) {
    if (sound < 0 || sound >= 3)
        return 0;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return 0;
    m_waves[sound].reset();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return 0;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return 0;
    m_waves[sound] = std::make_shared<const std::string>(std::move(bytes));
    return 1;
}

int CSoundMgr::PlayWaveSound(enSound sound) {
    if (sound < 0 || sound >= 3 || !m_waves[sound])
        return 0;
    std::shared_ptr<const std::string> file = m_waves[sound];
    detail::WaveData wave;
    if (!detail::ParseWave(*file, wave))
        return 0;
    std::unique_ptr<detail::SoundOutput> output;
    if (!g_deviceGood) {
        output = detail::SoundOutput::Open(wave.format);
        g_deviceGood = output != nullptr;
        if (!output)
            return 0;
    }
    return StartWorker([file, wave, output = std::move(output)]() mutable {
        PlayOn(std::move(output), wave.format, wave.samples, wave.bytes);
    });
}

int CSoundMgr::PlayMySound(enSound sound, std::uint32_t frequency, std::uint32_t duration) {
    if (m_nSoundFlag == 0 || sound < 0 || sound >= 3 || !(m_nSoundFlag & (1 << sound)))
        return 0;
    return m_nSoundMethod != 0 ? PlayBeepSound(frequency, duration) : PlayWaveSound(sound);
}

int CSoundMgr::PlayBeepSound(std::uint32_t frequency, std::uint32_t duration) {
    auto* parameter = new SBeepParameter{frequency, duration};
    if (StartWorker([parameter] { MyBeepFun(parameter); }))
        return 1;
    delete parameter;
    return 0;
}

int CSoundMgr::WaitForSounds(int timeoutMs) {
    std::unique_lock lock(g_workers.mutex);
    return g_workers.idle.wait_for(lock, std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs),
                                   [] { return g_workers.active == 0; });
}

std::uint32_t CSoundMgr::MyBeepFun(void* parameter) {
    auto* block = static_cast<SBeepParameter*>(parameter);
    if (!block)
        return 0;
    const SBeepParameter beep = *block;
    delete block;
    try {
        SoundBeep(beep.dwFreq, beep.dwDuration);
    } catch (...) {
    }
    return 0;
}

}  // namespace TeskUtility
