#include "engine/Resource/ResManager.h"

#include "engine/Core/Core.h"
#include "engine/Core/Exception.h"
#include "engine/Resource/Resource.h"

#include <algorithm>
#include <limits>

namespace Korva
{

namespace
{
std::unique_ptr<cResManager>& Instance()
{
    static std::unique_ptr<cResManager> instance;
    return instance;
}
} // namespace

cResManager& cResManager::Get()
{
    auto& instance = Instance();
    if (!instance)
        instance.reset(new cResManager());
    return *instance;
}

cResManager* cResManager::GetIfExists()
{
    return Instance().get();
}

void cResManager::Destroy()
{
    // Moved out first, so resources released by the destructor no longer
    // find a manager to leave.
    std::unique_ptr<cResManager> instance = std::move(Instance());
}

cResManager::cResManager()
{
    cCore::Get().AddListener(this);
}

cResManager::~cResManager()
{
    ReleaseAll();
    if (cCore::Exists())
        cCore::Get().RemoveListener(this);
}

void cResManager::OnEvent(const cEvent& event)
{
    if (event.GetType() == kEventShutdown)
        Destroy();
}

void cResManager::AddTypeHandler(std::unique_ptr<cResourceTypeHandler> handler)
{
    if (handler)
        m_handlers.push_back(std::move(handler));
}

void cResManager::AddResource(cResource* resource)
{
    if (!resource ||
        std::find(m_resources.begin(), m_resources.end(), resource) != m_resources.end())
        return;
    resource->AddReference();
    m_resources.push_back(resource);
}

void cResManager::RemoveResource(cResource* resource)
{
    const auto it = std::find(m_resources.begin(), m_resources.end(), resource);
    if (it == m_resources.end())
        return;
    m_resources.erase(it);
    resource->DropReference();
}

cResource* cResManager::GetResource(int32_t index) const
{
    if (index < 0 || index >= GetCount())
        KORVA_THROW(cException, "Invalid resource index.");
    return m_resources[static_cast<size_t>(index)];
}

cResource* cResManager::Find(const std::string& alias) const
{
    for (cResource* resource : m_resources)
    {
        if (resource->GetAlias() == alias)
            return resource;
    }
    return nullptr;
}

int32_t cResManager::CountAtLevel(int32_t level) const
{
    return static_cast<int32_t>(std::count_if(m_resources.begin(), m_resources.end(),
                                              [level](const cResource* resource)
                                              { return resource->GetLevel() == level; }));
}

void cResManager::Unload(int32_t minLevel)
{
    for (cResource* resource : m_resources)
    {
        if (resource->GetLevel() >= minLevel)
            resource->Unload();
    }
}

void cResManager::ReleaseAll()
{
    // Content first, so no resource frees its data while others that use it
    // (a sprite's image) are already gone.
    Unload(std::numeric_limits<int32_t>::min());
    std::vector<cResource*> created = std::move(m_created);
    m_created.clear();
    for (cResource* resource : created)
        resource->Release();
    while (!m_resources.empty())
        RemoveResource(m_resources.back());
}

} // namespace Korva
