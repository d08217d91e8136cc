#include "engine/Sound/SoundInstance.h"

#include "engine/Sound/Sound.h"

namespace Korva
{

cSoundInstance::cSoundInstance(cSound& sound)
    : m_sound(&sound), m_volume(sound.GetVolume()), m_pan(sound.GetPan()),
      m_rate(sound.GetFrequency()), m_looping(sound.IsLooping())
{
}

} // namespace Korva
