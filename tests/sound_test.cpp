// The sound manager through an ALSA configuration of the test's own: "default" writes raw samples
// to a file (or names a card that does not exist), never the machine's sound card.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include <alsa/asoundlib.h>

#include "io_test_support.h"
#include "tesk/host_sound.h"

namespace {

using TeskUtility::CSoundMgr;

class SoundTest : public testing::Test {
protected:
    TempDir dir;
    const std::string sink = dir / "out.raw";

    void SetUp() override {
        UseConfig("pcm.!default {\n type file\n slave.pcm { type null }\n file \"" + sink +
                  "\"\n format \"raw\"\n}\n");
    }
    void TearDown() override {
        CSoundMgr::WaitForSounds(5000);
        unsetenv("ALSA_CONFIG_PATH");
    }
    void UseConfig(const std::string& text) {
        setenv("ALSA_CONFIG_PATH", dir.Write("asound.conf", text).c_str(), 1);
        snd_config_update_free_global();  // alsa-lib keeps the first configuration it read
    }
    std::string Sunk() {
        EXPECT_TRUE(CSoundMgr::WaitForSounds(5000));
        return ReadFile(sink);
    }
};

std::string Le(std::size_t v, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

// `tag` 3 is IEEE float. A "LIST" chunk of odd length before the data checks the even padding.
std::string Wave(unsigned rate, unsigned channels, unsigned bits, const std::string& samples,
                 unsigned tag = 1) {
    const std::string body = "WAVEfmt " + Le(16, 4) + Le(tag, 2) + Le(channels, 2) + Le(rate, 4) +
                             Le(rate * channels * bits / 8, 4) + Le(channels * bits / 8, 2) + Le(bits, 2) +
                             "LIST" + Le(3, 4) + "abc" + '\0' + "data" + Le(samples.size(), 4) + samples;
    return "RIFF" + Le(body.size(), 4) + body;
}

TEST_F(SoundTest, BeepWritesTheToneOfItsFrequencyAndLength) {
    ASSERT_EQ(CSoundMgr::Instance().PlayBeepSound(880, 200), 1);
    const std::string raw = Sunk();
    ASSERT_EQ(raw.size(), 48000 * 2 / 5u) << "200 ms of 16-bit mono at 48 kHz";
    std::vector<std::int16_t> s(raw.size() / 2);
    std::memcpy(s.data(), raw.data(), raw.size());
    int crossings = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        crossings += (s[i - 1] < 0) != (s[i] < 0);
    EXPECT_NEAR(crossings / 2.0 / 0.2, 880, 10);
    EXPECT_LT(std::abs(s.front()) + std::abs(s.back()), 200) << "faded in and out";
    EXPECT_GT(*std::max_element(s.begin(), s.end()), 10000);
}

TEST_F(SoundTest, WavesPlayTheirSamplesUnchanged) {
    struct Case {
        unsigned rate, channels, bits;
    } cases[] = {{22050, 2, 16}, {8000, 1, 8}, {44100, 1, 16}};
    for (const Case& c : cases) {
        std::filesystem::remove(sink);
        std::string samples;  // 3000 bytes: whole frames in every format
        for (int i = 0; i < 3000; ++i)
            samples += static_cast<char>((i * 7 + c.channels) & 0xFF);
        CSoundMgr sounds;
        ASSERT_EQ(sounds.LoadWave(1, dir.Write("tone.wav", Wave(c.rate, c.channels, c.bits, samples))), 1);
        ASSERT_EQ(sounds.PlayWaveSound(1), 1) << c.rate;
        EXPECT_EQ(Sunk(), samples) << c.rate;
    }
}

TEST_F(SoundTest, FlagMethodIndexAndFileDecideWhatPlays) {
    CSoundMgr sounds;
    const std::string good = dir.Write("good.wav", Wave(8000, 1, 8, std::string(800, '\x40')));
    ASSERT_EQ(sounds.LoadWave(0, good), 1);
    const int cases[][4] = {  // flag, method, sound, result
        {0, 0, 0, 0}, {3, 1, 2, 0}, {2, 1, 0, 0}, {1, 0, 0, 1}, {2, 1, 1, 1}, {7, 0, 3, 0}, {7, 0, -1, 0},
        {4, 0, 2, 0},  // its bit is set but its slot is empty
    };
    for (const auto& [flag, method, sound, result] : cases) {
        sounds.SetSoundFlag(flag);
        sounds.SetSoundMethod(method);
        EXPECT_EQ(sounds.PlayMySound(sound, 440, 20), result) << flag << "/" << method << "/" << sound;
    }

    ASSERT_EQ(sounds.LoadWave(2, good), 1);
    EXPECT_EQ(sounds.LoadWave(3, good), 0);
    EXPECT_EQ(sounds.LoadWave(0, dir / "absent.wav"), 0);
    EXPECT_EQ(sounds.PlayWaveSound(0), 1) << "a missing file leaves the slot as it was";
    EXPECT_EQ(sounds.PlayWaveSound(3), 0);

    const std::pair<const char*, std::string> bad[] = {
        {"text.wav", "this is not a wave"},
        {"truncated.wav", Wave(8000, 1, 16, std::string(400, '\0')).substr(0, 200)},
        {"float.wav", Wave(8000, 1, 16, std::string(100, '\0'), 3)},
        {"mono24.wav", Wave(8000, 1, 24, std::string(99, '\0'))},
        {"empty.wav", ""},
    };
    for (const auto& [name, bytes] : bad) {
        EXPECT_EQ(sounds.LoadWave(1, dir.Write(name, bytes)), 1) << name << ": any readable file loads";
        EXPECT_EQ(sounds.PlayWaveSound(1), 0) << name;
    }
}

TEST_F(SoundTest, MissingDeviceFailsWavesAndSilencesBeeps) {
    UseConfig("pcm.!default { type hw card 29 }\n");
    CSoundMgr sounds;
    ASSERT_EQ(sounds.LoadWave(0, dir.Write("good.wav", Wave(8000, 1, 8, std::string(80, '\x10')))), 1);
    // The caller learns of the device only once some sound has tried it (a device that worked
    // before is opened by the worker, so as not to delay the caller).
    EXPECT_EQ(sounds.PlayBeepSound(440, 50), 1) << "the thread starts; the beep is silence";
    EXPECT_TRUE(CSoundMgr::WaitForSounds(5000));
    EXPECT_EQ(sounds.PlayWaveSound(0), 0);
    EXPECT_FALSE(std::filesystem::exists(sink));
}

}  // namespace
