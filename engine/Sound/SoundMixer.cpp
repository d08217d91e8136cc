#include "engine/Sound/SoundMixer.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace Korva
{

namespace
{
// The registry's lock is always taken before a mixer's own lock, never after.
struct cMixerRegistry
{
    std::mutex lock;
    std::vector<cSoundMixer*> mixers;
};

cMixerRegistry& Registry()
{
    static cMixerRegistry registry;
    return registry;
}
} // namespace

cSoundMixer::cSoundMixer()
{
    auto& registry = Registry();
    std::lock_guard lock(registry.lock);
    registry.mixers.push_back(this);
}

cSoundMixer::~cSoundMixer()
{
    auto& registry = Registry();
    std::lock_guard lock(registry.lock);
    std::erase(registry.mixers, this);
}

void cSoundMixer::RemoveInstancesEverywhere(const cSound& sound)
{
    auto& registry = Registry();
    std::lock_guard lock(registry.lock);
    for (cSoundMixer* mixer : registry.mixers)
        mixer->RemoveInstancesOf(sound);
}

} // namespace Korva
