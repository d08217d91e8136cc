#include "engine/Sound/SDL/SoundDeviceSDL.h"
#include "engine/Core/Exception.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundMixerQuick.h"
#include "engine/Sound/SoundSystem.h"
#include "engine/Sound/Wav/SoundLoaderWav.h"

#include "tests/engine/Sound/SoundTestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

using namespace Korva;

namespace
{

class cScopedEnv
{
public:
    cScopedEnv(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~cScopedEnv()
    {
        if (m_old.empty())
            unsetenv(m_name);
        else
            setenv(m_name, m_old.c_str(), 1);
    }

private:
    const char* m_name;
    std::string m_old;
};

std::vector<int16_t> ReadSamples(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

} // namespace

TEST(SoundDeviceSDL, WithoutAnAudioDeviceInitFailsAndEverythingStaysSilent)
{
    cScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    cSoundMixerQuick mixer;
    auto sound = cSoundLoaderWav::CreateFromMemory(
        SoundTest::Share(SoundTest::MakeWav16({1, 2, 3, 4})), false);
    cSoundDeviceSDL device;
    EXPECT_THROW(device.Init(kSampleFormat16, 44100, 2, &mixer), cException);
    EXPECT_FALSE(device.IsInitialised());
    device.Start();
    EXPECT_FALSE(device.IsStarted());
    device.Stop();
    EXPECT_EQ(cSoundSystem::Get().GetDevice(), nullptr);
    sound->Play();
    sound->Stop();
    EXPECT_EQ(mixer.GetInstanceCount(), 0);
}

TEST(SoundDeviceSDL, DiskDriverWritesWhatThePlayedSoundHolds)
{
    const auto path = std::filesystem::temp_directory_path() /
                      ("zeltra-sound-disk-" + std::to_string(::getpid()) + ".raw");
    std::filesystem::remove(path);
    cScopedEnv driver("SDL_AUDIODRIVER", "disk");
    cScopedEnv file("SDL_DISKAUDIOFILE", path.string());

    std::vector<int16_t> samples;
    for (int i = 0; i < 3000; ++i)
    {
        samples.push_back(static_cast<int16_t>(i * 10 + 1));
        samples.push_back(static_cast<int16_t>(-i * 10 - 1));
    }
    cSoundMixerQuick mixer;
    auto device = std::make_unique<cSoundDeviceSDL>();
    device->Init(kSampleFormat16, 44100, 2, &mixer);
    EXPECT_EQ(device->GetHalfBufferFrames(), 2205);
    EXPECT_EQ(cSoundSystem::Get().GetDevice(), device.get());
    auto sound =
        cSoundLoaderWav::CreateFromMemory(SoundTest::Share(SoundTest::MakeWav16(samples)), false);
    sound->Play();
    EXPECT_EQ(mixer.GetInstanceCount(), 1);

    device->Start();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (mixer.GetInstanceCount() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    device->Stop();
    device->Start(); // and again: a focus change
    device.reset();
    EXPECT_EQ(cSoundSystem::Get().GetDevice(), nullptr);

    const auto written = ReadSamples(path);
    std::filesystem::remove(path);
    // SDL writes silence while the device is paused, then the whole sound, then
    // silence again.
    const auto start =
        std::find_if(written.begin(), written.end(), [](int16_t s) { return s != 0; });
    ASSERT_GE(written.end() - start, static_cast<std::ptrdiff_t>(samples.size() + 2));
    EXPECT_EQ((start - written.begin()) % 2, 0);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), start));
    EXPECT_EQ(start[static_cast<std::ptrdiff_t>(samples.size())], 0);
    EXPECT_EQ(start[static_cast<std::ptrdiff_t>(samples.size()) + 1], 0);
}
