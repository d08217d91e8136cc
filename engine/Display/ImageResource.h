#pragma once

#include "engine/Display/Image.h"
#include "engine/Display/ImageSource.h"
#include "engine/Resource/Resource.h"

#include <memory>

namespace Korva
{

// A resource of type "Image": its file loads on first use (or with the
// resource's tier). The image keeps its pixels and remakes its texture after
// a device reset by itself, so the resource stays loaded across resets.
class cImageResource : public cResource, public cImageSource
{
public:
    cImageResource(const std::string& alias, int32_t level, const std::string& file);

    void Load() override;
    void Unload() override;
    bool IsLoaded() const override { return m_image != nullptr; }
    // Loads the image when it is not loaded yet.
    cImage* GetImage() override;

private:
    std::unique_ptr<cImage> m_image;
};

} // namespace Korva
