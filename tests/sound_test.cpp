// The sound manager through an ALSA configuration of the test's own: "default" writes raw samples
// to a file (or names a card that does not exist), never the machine's sound card.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <alsa/asoundlib.h>

#include "tesk/host_sound.h"

namespace {

using TeskUtility::CSoundMgr;
namespace fs = std::filesystem;

class SoundTest : public testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("tesk_sound_" + std::to_string(getpid()));
    fs::path sink = dir / "out.raw";

    void SetUp() override {
        fs::create_directories(dir);
        UseConfig("pcm.!default {\n type file\n slave.pcm { type null }\n file \"" + sink.string() +
                  "\"\n format \"raw\"\n}\n");
    }
    void TearDown() override {
        CSoundMgr::WaitForSounds(5000);
        unsetenv("ALSA_CONFIG_PATH");
        fs::remove_all(dir);
    }
    void UseConfig(const std::string& text) {
        const fs::path config = dir / "asound.conf";
        std::ofstream(config) << text;
        setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
        snd_config_update_free_global();  // alsa-lib keeps the first configuration it read
    }
    std::string Write(const char* name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
    std::string Sunk() {
        EXPECT_TRUE(CSoundMgr::WaitForSounds(5000));
        std::ifstream in(sink, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
};

std::string Le(std::uint32_t v, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

// `tag` 3 is IEEE float; a `statedDataSize` past the samples makes a truncated file.
std::string Wave(unsigned rate, unsigned channels, unsigned bits, const std::string& samples,
                 unsigned tag = 1, std::uint32_t statedDataSize = 0xFFFFFFFF) {
    const std::string fmt = Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * channels * bits / 8, 4) +
                            Le(channels * bits / 8, 2) + Le(bits, 2);
    const std::uint32_t dataSize = statedDataSize == 0xFFFFFFFF ? static_cast<std::uint32_t>(samples.size()) : statedDataSize;
    // A "LIST" chunk of odd length before the data checks the even padding.
    const std::string body = "WAVE" + std::string("fmt ") + Le(16, 4) + fmt + "LIST" + Le(3, 4) + "abc" + '\0' +
                             "data" + Le(dataSize, 4) + samples;
    return "RIFF" + Le(static_cast<std::uint32_t>(body.size()), 4) + body;
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
        fs::remove(sink);
        std::string samples;  // 3000 bytes: whole frames in every format
        for (int i = 0; i < 3000; ++i)
            samples += static_cast<char>((i * 7 + c.channels) & 0xFF);
        CSoundMgr& sounds = CSoundMgr::Instance();
        ASSERT_EQ(sounds.LoadWave(1, Write("tone.wav", Wave(c.rate, c.channels, c.bits, samples))), 1);
        sounds.SetSoundMethod(0);
        sounds.SetSoundFlag(2);
        ASSERT_EQ(sounds.PlayMySound(1, 0, 0), 1) << c.rate;
        EXPECT_EQ(Sunk(), samples) << c.rate;
    }
}

TEST_F(SoundTest, FlagMethodAndIndexDecideWhatPlays) {
    CSoundMgr sounds;
    ASSERT_EQ(sounds.LoadWave(0, Write("a.wav", Wave(8000, 1, 8, std::string(800, '\x40')))), 1);
    struct Case {
        int flag, method, sound, result;
    } cases[] = {
        {0, 0, 0, 0}, {3, 1, 2, 0}, {2, 1, 0, 0}, {1, 0, 0, 1}, {2, 1, 1, 1}, {7, 0, 3, 0}, {7, 0, -1, 0},
        {4, 0, 2, 0},  // its bit is set but its slot is empty
    };
    for (const Case& c : cases) {
        sounds.SetSoundFlag(c.flag);
        sounds.SetSoundMethod(c.method);
        EXPECT_EQ(sounds.PlayMySound(c.sound, 440, 20), c.result) << c.flag << "/" << c.method << "/" << c.sound;
    }
    CSoundMgr::WaitForSounds(5000);
    CSoundMgr copy;
    copy = sounds;
    EXPECT_EQ(copy.GetSoundFlag(), 4);
    EXPECT_EQ(copy.PlayWaveSound(0), 1) << "the copy shares the loaded wave";
}

TEST_F(SoundTest, BadFilesAndIndexesKeepOrLoseTheirSlotAsTheyShould) {
    CSoundMgr sounds;
    const std::string good = Write("good.wav", Wave(8000, 1, 8, std::string(80, '\x10')));
    ASSERT_EQ(sounds.LoadWave(0, good), 1);
    ASSERT_EQ(sounds.LoadWave(2, good), 1);
    EXPECT_EQ(sounds.LoadWave(3, good), 0);
    EXPECT_EQ(sounds.LoadWave(0, (dir / "absent.wav").string()), 0);
    EXPECT_EQ(sounds.PlayWaveSound(0), 1) << "a missing file leaves the slot as it was";
    EXPECT_EQ(sounds.PlayWaveSound(3), 0);

    struct Case {
        const char* name;
        std::string bytes;
    } bad[] = {
        {"text.wav", "this is not a wave"},
        {"truncated.wav", Wave(8000, 1, 16, std::string(100, '\0'), 1, 400)},
        {"float.wav", Wave(8000, 1, 16, std::string(100, '\0'), 3)},
        {"mono24.wav", Wave(8000, 1, 24, std::string(99, '\0'))},
        {"empty.wav", ""},
    };
    for (const auto& b : bad) {
        EXPECT_EQ(sounds.LoadWave(1, Write(b.name, b.bytes)), 1) << b.name << ": any readable file loads";
        EXPECT_EQ(sounds.PlayWaveSound(1), 0) << b.name;
    }
}

TEST_F(SoundTest, MissingDeviceFailsWavesAndSilencesBeeps) {
    UseConfig("pcm.!default { type hw card 29 }\n");
    CSoundMgr sounds;
    ASSERT_EQ(sounds.LoadWave(0, Write("good.wav", Wave(8000, 1, 8, std::string(80, '\x10')))), 1);
    // The caller learns of the device only once some sound has tried it (a device that worked
    // before is opened by the worker, so as not to delay the caller).
    EXPECT_EQ(sounds.PlayBeepSound(440, 50), 1) << "the thread starts; the beep is silence";
    EXPECT_TRUE(CSoundMgr::WaitForSounds(5000));
    EXPECT_EQ(sounds.PlayWaveSound(0), 0);
    EXPECT_EQ(sounds.PlayWaveSound(0), 0);
    EXPECT_FALSE(fs::exists(sink));
}

}  // namespace
