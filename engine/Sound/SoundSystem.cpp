#include "engine/Sound/SoundSystem.h"

#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundLoader.h"

namespace Korva
{

cSoundSystem& cSoundSystem::Get()
{
    static cSoundSystem instance;
    return instance;
}

void cSoundSystem::AddLoader(std::unique_ptr<cSoundLoader> loader)
{
    if (loader)
        m_loaders.push_back(std::move(loader));
}

std::unique_ptr<cSound> cSoundSystem::CreateSound(const std::string& file, bool streaming)
{
    const std::string extension = SoundFileExtension(file);
    for (auto& loader : m_loaders)
    {
        if (loader->Accepts(extension))
            return loader->Create(file, streaming);
    }
    return nullptr;
}

void cSoundSystem::SetGroupVolume(const std::string& name, float volume)
{
    if (name.empty())
        return;
    std::lock_guard lock(m_groupLock);
    for (auto& group : m_groups)
    {
        if (group.first == name)
        {
            group.second = volume;
            return;
        }
    }
    m_groups.emplace_back(name, volume);
}

float cSoundSystem::GetGroupVolume(const std::string& name) const
{
    if (name.empty())
        return 1.0f;
    std::lock_guard lock(m_groupLock);
    for (const auto& group : m_groups)
    {
        if (group.first == name)
            return group.second;
    }
    return 1.0f;
}

std::string SoundFileExtension(const std::string& file)
{
    const auto dot = file.find_last_of('.');
    return dot == std::string::npos ? file : file.substr(dot + 1);
}

} // namespace Korva
