#include "game/SoundPlayer.h"

#include "engine/Core/Exception.h"
#include "engine/Resource/ResManager.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundDevice.h"
#include "engine/Sound/SoundResource.h"
#include "engine/Sound/SoundSystem.h"

#include <memory>

using namespace Korva;

namespace
{
// The sound resources by alias; the effect with number n is entry n + 1.
constexpr const char* kAliases[] = {
    "SndMusic",     "SndIntro",      "SndButtonHover",    "SndButtonPressed", "SndRotatePiece",
    "SndPutPiece",  "SndInvalid",    "SndBricksRemoved",  "SndCollision",     "SndVortex",
    "SndExplosion", "SndPlasmaBolt", "SndLevelCompleted", "SndMenuMusic",     "SndGameMusic",
};
constexpr int kMenuMusicEntry = 13;
constexpr int kGameMusicEntry = 14;

std::unique_ptr<cSoundPlayer>& Instance()
{
    static std::unique_ptr<cSoundPlayer> instance;
    return instance;
}

cSoundResource* FindEntry(int entry)
{
    cResManager* manager = cResManager::GetIfExists();
    if (!manager)
        return nullptr;
    return dynamic_cast<cSoundResource*>(manager->Find(kAliases[entry]));
}

void PlayEntry(int entry)
{
    cSoundResource* resource = FindEntry(entry);
    cSound* sound = resource ? resource->GetSound() : nullptr;
    if (!sound)
        return;
    try
    {
        sound->Play();
    }
    catch (const cException&)
    {
        // A streaming sound whose decoder can't open: logged, and the game
        // goes on without it.
    }
}

void StopEntry(int entry)
{
    cSoundResource* resource = FindEntry(entry);
    // Only a loaded sound can be playing; stopping never loads one.
    if (resource && resource->IsLoaded())
        resource->GetSound()->Stop();
}
} // namespace

cSoundPlayer& cSoundPlayer::Get()
{
    auto& instance = Instance();
    if (!instance)
        instance.reset(new cSoundPlayer());
    return *instance;
}

void cSoundPlayer::Destroy()
{
    Instance().reset();
}

void cSoundPlayer::ClearFrameFlags()
{
    m_playedThisFrame.fill(false);
}

void cSoundPlayer::PlaySound(int effect)
{
    if (!m_soundEnabled || !(m_soundVolume > 0.0f) || effect < 0 || effect >= kSndEffectCount ||
        m_playedThisFrame[effect])
        return;
    m_playedThisFrame[effect] = true;
    PlayEntry(effect + 1);
}

void cSoundPlayer::StopSound(int effect)
{
    if (effect >= 0 && effect < kSndEffectCount)
        StopEntry(effect + 1);
}

void cSoundPlayer::SetMusic(int which)
{
    if (!m_musicEnabled || which != m_currentMusic)
    {
        StopEntry(kMenuMusicEntry);
        StopEntry(kGameMusicEntry);
        m_musicPlaying = false;
    }
    if (m_musicEnabled && !m_musicPlaying)
    {
        if (which == kMusicMenu || which == kMusicGame)
        {
            PlayEntry(which == kMusicMenu ? kMenuMusicEntry : kGameMusicEntry);
            m_musicPlaying = true;
        }
    }
    m_currentMusic = which;
}

void cSoundPlayer::SetMusicEnabled(bool enabled)
{
    m_musicEnabled = enabled;
    SetMusic(m_currentMusic);
}

void cSoundPlayer::SetSoundEnabled(bool enabled)
{
    m_soundEnabled = enabled;
    SetSoundVolume(m_soundVolume);
}

void cSoundPlayer::SetMusicVolume(float volume)
{
    m_musicVolume = volume;
    cSoundSystem::Get().SetGroupVolume("Music", volume);
}

void cSoundPlayer::SetSoundVolume(float volume)
{
    m_soundVolume = volume;
    cSoundSystem::Get().SetGroupVolume("Sound", m_soundEnabled ? volume : 0.0f);
}

void cSoundPlayer::PauseAll()
{
    if (cSoundDevice* device = cSoundSystem::Get().GetDevice())
        device->Stop();
}

void cSoundPlayer::ResumeAll()
{
    if (cSoundDevice* device = cSoundSystem::Get().GetDevice())
        device->Start();
}

cSoundResource* cSoundPlayer::GetSoundResource(int effect) const
{
    if (effect < 0 || effect >= kSndEffectCount)
        return nullptr;
    return FindEntry(effect + 1);
}
