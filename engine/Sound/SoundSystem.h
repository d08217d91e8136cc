#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace Korva
{

class cSound;
class cSoundDevice;
class cSoundLoader;

// The sound registry: the output device in use, the loaders by file type and
// the volume groups. Group volumes are written by the main thread and read
// by the mixer on the refill thread, so they sit behind their own lock.
class cSoundSystem
{
public:
    static cSoundSystem& Get();

    void AddLoader(std::unique_ptr<cSoundLoader> loader);
    // The first loader that accepts the file's extension makes the sound; null
    // when none does. A file the loader can't read raises cException.
    std::unique_ptr<cSound> CreateSound(const std::string& file, bool streaming);

    // An empty name does nothing; an unknown one makes a new group.
    void SetGroupVolume(const std::string& name, float volume);
    // 1.0 for an empty name or a name that has no group.
    float GetGroupVolume(const std::string& name) const;

    // The registered device; set at the end of a device's successful Init.
    cSoundDevice* GetDevice() const { return m_device; }
    void SetDevice(cSoundDevice* device) { m_device = device; }

private:
    cSoundSystem() = default;

    std::atomic<cSoundDevice*> m_device{nullptr};
    std::vector<std::unique_ptr<cSoundLoader>> m_loaders;
    mutable std::mutex m_groupLock;
    std::vector<std::pair<std::string, float>> m_groups;
};

// The text after the last '.' of a file name, or the whole name without one.
std::string SoundFileExtension(const std::string& file);

} // namespace Korva
