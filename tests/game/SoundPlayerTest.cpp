#include "game/SoundPlayer.h"

#include "engine/Gui/Button.h"
#include "engine/Gui/GUI.h"
#include "engine/Resource/ResManager.h"
#include "engine/Sound/SoundDevice.h"
#include "engine/Sound/SoundLoader.h"
#include "engine/Sound/SoundMixerQuick.h"
#include "engine/Sound/SoundResource.h"
#include "engine/Sound/SoundStatic.h"
#include "engine/Sound/SoundSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

using namespace Korva;

namespace
{

constexpr int16_t kLevel = 1000;

// Sounds of 100 frames at a level of 1000 for files named "*.playertest".
class cTestLoader : public cSoundLoader
{
public:
    bool Accepts(const std::string& extension) const override { return extension == "playertest"; }
    std::unique_ptr<cSound> Create(const std::string&, bool) override
    {
        const std::vector<int16_t> frames(200, kLevel);
        return std::make_unique<cSoundStatic>(reinterpret_cast<const uint8_t*>(frames.data()), 100,
                                              kSampleFormat16, 2, 44100);
    }
};

// An output device that is always there.
class cTestDevice : public cSoundDevice
{
public:
    void Init(int32_t format, uint32_t frequency, int32_t channels, cSoundMixer* mixer) override
    {
        SetSettings(format, frequency, channels, mixer);
        Register();
    }
    void Start() override {}
    void Stop() override {}
};

class SoundPlayer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static const bool loaderAdded = []
        {
            cSoundSystem::Get().AddLoader(std::make_unique<cTestLoader>());
            return true;
        }();
        (void)loaderAdded;
        device.Init(kSampleFormat16, 44100, 2, &mixer);
        for (const char* alias : {"SndButtonHover", "SndPutPiece", "SndMenuMusic", "SndGameMusic"})
        {
            cSoundSettings settings;
            settings.looping = std::string(alias).find("Music") != std::string::npos;
            settings.group = settings.looping ? "Music" : "Sound";
            auto* resource =
                new cSoundResource(alias, 1, std::string(alias) + ".playertest", settings);
            resources[alias] = resource;
        }
        player().SetSoundEnabled(true);
        player().SetSoundVolume(1.0f);
        player().SetMusicEnabled(true);
        player().SetMusicVolume(1.0f);
    }

    void TearDown() override
    {
        for (auto& [alias, resource] : resources)
            resource->Release();
        cSoundPlayer::Destroy();
    }

    static cSoundPlayer& player() { return cSoundPlayer::Get(); }

    int Playing(const char* alias)
    {
        cSound* sound = resources[alias]->IsLoaded() ? resources[alias]->GetSound() : nullptr;
        int count = 0;
        for (int32_t i = 0; i < mixer.GetInstanceCount(); ++i)
        {
            cSoundInstance* instance = mixer.GetInstance(i);
            if (instance->GetSound() == sound && !instance->IsFinished())
                ++count;
        }
        return count;
    }

    cSoundMixerQuick mixer;
    cTestDevice device;
    std::map<std::string, cSoundResource*> resources;
};

} // namespace

TEST_F(SoundPlayer, EachEffectStartsAtMostOncePerFrame)
{
    player().ClearFrameFlags();
    player().PlaySound(kSndPutPiece);
    player().PlaySound(kSndPutPiece);
    player().PlaySound(kSndButtonHover);
    EXPECT_EQ(Playing("SndPutPiece"), 1);
    EXPECT_EQ(Playing("SndButtonHover"), 1);
    player().ClearFrameFlags();
    player().PlaySound(kSndPutPiece);
    EXPECT_EQ(Playing("SndPutPiece"), 2);
    player().StopSound(kSndPutPiece);
    EXPECT_EQ(Playing("SndPutPiece"), 0);
    // Numbers without a sound, and effects whose resource is missing, do nothing.
    player().PlaySound(-1);
    player().PlaySound(kSndEffectCount);
    player().PlaySound(kSndVortex);
    EXPECT_EQ(mixer.GetInstanceCount(), 3);
    EXPECT_EQ(player().GetSoundResource(kSndButtonHover), resources["SndButtonHover"]);
    EXPECT_EQ(player().GetSoundResource(kSndVortex), nullptr);
}

TEST_F(SoundPlayer, SoundDisabledOrAtZeroVolumePlaysNothing)
{
    player().SetSoundEnabled(false);
    EXPECT_FLOAT_EQ(cSoundSystem::Get().GetGroupVolume("Sound"), 0.0f);
    EXPECT_FLOAT_EQ(player().GetSoundVolume(), 1.0f);
    player().ClearFrameFlags();
    player().PlaySound(kSndPutPiece);
    EXPECT_EQ(Playing("SndPutPiece"), 0);
    player().SetSoundEnabled(true);
    EXPECT_FLOAT_EQ(cSoundSystem::Get().GetGroupVolume("Sound"), 1.0f);
    player().SetSoundVolume(0.0f);
    player().PlaySound(kSndPutPiece);
    EXPECT_EQ(Playing("SndPutPiece"), 0);
    player().SetMusicVolume(0.375f);
    EXPECT_FLOAT_EQ(cSoundSystem::Get().GetGroupVolume("Music"), 0.375f);
}

TEST_F(SoundPlayer, MusicKeepsPlayingOrSwitchesTracks)
{
    player().SetMusic(kMusicMenu);
    ASSERT_EQ(Playing("SndMenuMusic"), 1);
    cSoundInstance* menu = mixer.GetInstance(0);
    player().SetMusic(kMusicMenu);
    EXPECT_EQ(Playing("SndMenuMusic"), 1);
    EXPECT_EQ(mixer.GetInstance(0), menu); // not restarted

    player().SetMusic(kMusicGame);
    EXPECT_EQ(Playing("SndMenuMusic"), 0);
    EXPECT_EQ(Playing("SndGameMusic"), 1);
    EXPECT_EQ(player().GetMusic(), kMusicGame);

    player().SetMusicEnabled(false);
    EXPECT_EQ(Playing("SndGameMusic"), 0);
    EXPECT_FALSE(player().IsMusicPlaying());
    player().SetMusicEnabled(true);
    EXPECT_EQ(Playing("SndGameMusic"), 1);

    player().SetMusic(kMusicNone);
    EXPECT_EQ(Playing("SndGameMusic"), 0);
    EXPECT_FALSE(player().IsMusicPlaying());
}

TEST_F(SoundPlayer, UnloadingPlayingMusicRemovesItsInstances)
{
    player().SetMusic(kMusicMenu);
    ASSERT_EQ(mixer.GetInstanceCount(), 1);
    resources["SndMenuMusic"]->Unload();
    EXPECT_EQ(mixer.GetInstanceCount(), 0);
}

// The loudest sample of the next mixed block.
int Peak(cSoundMixerQuick& mixer)
{
    std::vector<int16_t> block(2 * 256);
    mixer.Mix(kSampleFormat16, 2, 256, block.data());
    int peak = 0;
    for (int16_t sample : block)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

TEST_F(SoundPlayer, HoversWhileSoundIsOffDoNotPileUpForLater)
{
    cGUI gui(nullptr, nullptr, nullptr);
    cButton button(gui);
    // Buttons play their sounds themselves, not through the player.
    button.SetHoverSound(player().GetSoundResource(kSndButtonHover));
    button.OnMouseEnter(cMouseEvent(), false);
    const int oneHover = Peak(mixer);
    EXPECT_EQ(oneHover, kLevel);
    EXPECT_EQ(Peak(mixer), 0) << "a hover is 100 frames long";

    player().SetMusic(kMusicMenu);
    player().SetSoundEnabled(false);
    player().SetMusicVolume(0.0f);
    for (int i = 0; i < 100; ++i)
    {
        button.OnMouseEnter(cMouseEvent(), false);
        button.OnMouseLeave(cMouseEvent(), false);
    }
    Peak(mixer);
    player().SetSoundEnabled(true);
    EXPECT_EQ(Playing("SndButtonHover"), 0);
    EXPECT_EQ(Peak(mixer), 0);
    // The music, looping, was held where it was and goes on.
    EXPECT_EQ(Playing("SndMenuMusic"), 1);
    player().SetMusicVolume(1.0f);
    EXPECT_EQ(Peak(mixer), kLevel);
    button.OnMouseEnter(cMouseEvent(), false);
    EXPECT_LE(Peak(mixer), oneHover + kLevel);
}

TEST(SoundPlayerWithoutDevice, EverythingIsASilentNoOp)
{
    ASSERT_EQ(cSoundSystem::Get().GetDevice(), nullptr);
    cSoundPlayer& player = cSoundPlayer::Get();
    player.ClearFrameFlags();
    player.PlaySound(kSndPutPiece);
    player.SetMusic(kMusicMenu);
    player.SetMusic(kMusicGame);
    player.PauseAll();
    player.ResumeAll();
    EXPECT_EQ(player.GetMusic(), kMusicGame);
    cSoundPlayer::Destroy();
}
