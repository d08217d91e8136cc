#include "engine/Display/ImageResource.h"

namespace Korva
{

cImageResource::cImageResource(const std::string& alias, int32_t level, const std::string& file)
    : cResource("Image", alias, level, file)
{
}

void cImageResource::Load()
{
    if (!m_image)
        m_image = std::make_unique<cImage>(GetFile());
}

void cImageResource::Unload()
{
    m_image.reset();
}

cImage* cImageResource::GetImage()
{
    Load();
    return m_image.get();
}

} // namespace Korva
