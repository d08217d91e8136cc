#include "engine/Resource/Resource.h"

#include "engine/Resource/ResManager.h"

namespace Korva
{

cResource::cResource(std::string typeName, std::string alias, int32_t level, std::string file)
    : m_typeName(std::move(typeName)), m_alias(std::move(alias)), m_level(level),
      m_file(std::move(file))
{
    cResManager::Get().AddResource(this);
}

void cResource::Release()
{
    // A temporary reference keeps the resource alive while it leaves the
    // list; it goes together with the caller's.
    AddReference();
    if (cResManager* manager = cResManager::GetIfExists())
        manager->RemoveResource(this);
    m_referenceCount -= 2;
    if (m_referenceCount <= 0)
        delete this;
}

void cResource::DropReference()
{
    if (--m_referenceCount == 0)
        delete this;
}

} // namespace Korva
