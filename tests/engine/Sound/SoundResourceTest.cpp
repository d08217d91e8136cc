#include "engine/Sound/SoundResource.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystem.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Sound/SoundMixerQuick.h"
#include "engine/Sound/SoundSystem.h"
#include "engine/Sound/Wav/SoundLoaderWav.h"

#include "tests/engine/Sound/SoundTestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace Korva;

namespace
{

// Writes a WAV file into a temporary folder and reads it through a file
// system with an empty root, the loaders registered as at start-up.
class SoundResource : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static const bool loaderAdded = []
        {
            cSoundSystem::Get().AddLoader(std::make_unique<cSoundLoaderWav>());
            return true;
        }();
        (void)loaderAdded;
        folder = std::filesystem::temp_directory_path() /
                 ("zeltra-sound-resource-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        const auto wav = SoundTest::MakeWav16({100, 200, 300, 400}, 2, 44100);
        std::ofstream(folder / "Beep.wav", std::ios::binary)
            .write(reinterpret_cast<const char*>(wav.data()),
                   static_cast<std::streamsize>(wav.size()));
        std::ofstream(folder / "Broken.wav", std::ios::binary) << "RIFF....WAVEjunk";
        auto& manager = cFileSystemManager::Get();
        previous = &manager.GetCurrent();
        fileSystem = manager.CreateFileSystem(1);
        manager.SetCurrent(*fileSystem);
    }

    void TearDown() override
    {
        auto& manager = cFileSystemManager::Get();
        manager.SetCurrent(*previous);
        manager.RemoveFileSystem(fileSystem);
        std::filesystem::remove_all(folder);
    }

    cSoundResource* Make(const std::string& name, cSoundSettings settings = {})
    {
        return new cSoundResource("SoundResourceTest" + name, 1, (folder / name).string(),
                                  std::move(settings));
    }

    std::filesystem::path folder;
    cFileSystem* previous = nullptr;
    cFileSystem* fileSystem = nullptr;
};

} // namespace

TEST_F(SoundResource, SettingsComeFromTheListEntry)
{
    cDataNode node("Resource");
    node.AddAttribute("Streaming", "True");
    node.AddAttribute("Group", "Music");
    node.AddAttribute("Frequency", "0.5");
    const cSoundSettings settings = cSoundSettings::FromNode(node);
    EXPECT_TRUE(settings.streaming);
    EXPECT_FALSE(settings.looping);
    EXPECT_EQ(settings.group, "Music");
    EXPECT_FALSE(settings.volume.has_value());
    EXPECT_FALSE(settings.pan.has_value());
    ASSERT_TRUE(settings.frequency.has_value());
    EXPECT_FLOAT_EQ(*settings.frequency, 0.5f);
}

TEST_F(SoundResource, LoadAppliesTheSettingsToTheFilesSound)
{
    cSoundSettings settings;
    settings.looping = true;
    settings.group = "Sound";
    settings.volume = 0.5f;
    settings.pan = -0.25f;
    settings.frequency = 0.5f;
    cSoundResource* resource = Make("Beep.wav", settings);
    EXPECT_FALSE(resource->IsLoaded());
    cSound* sound = resource->GetSound();
    ASSERT_NE(sound, nullptr);
    EXPECT_TRUE(resource->IsLoaded());
    EXPECT_TRUE(sound->IsLooping());
    EXPECT_EQ(sound->GetGroup(), "Sound");
    EXPECT_FLOAT_EQ(sound->GetVolume(), 0.5f);
    EXPECT_FLOAT_EQ(sound->GetPan(), -0.25f);
    EXPECT_EQ(sound->GetFrequency(), 22050u);

    // Half the native rate: every frame twice; half volume, right side at 0.75.
    cSoundSystem::Get().SetGroupVolume("Sound", 1.0f);
    cSoundMixerQuick mixer;
    mixer.Play(*sound);
    std::vector<int16_t> out(8);
    mixer.Mix(kSampleFormat16, 2, 4, out.data());
    EXPECT_EQ(out, (std::vector<int16_t>{50, 75, 50, 75, 150, 150, 150, 150}));

    resource->Unload();
    EXPECT_FALSE(resource->IsLoaded());
    EXPECT_EQ(mixer.GetInstanceCount(), 0);
    resource->Release();
}

TEST_F(SoundResource, MissingBrokenOrUnknownFilesLeaveItUnloaded)
{
    for (const char* name : {"Missing.wav", "Broken.wav", "Beep.wave"})
    {
        cSoundResource* resource = Make(name);
        resource->Load();
        EXPECT_FALSE(resource->IsLoaded()) << name;
        EXPECT_EQ(resource->GetSound(), nullptr) << name;
        resource->Release();
    }
}
