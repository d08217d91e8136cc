#pragma once

#include "engine/Resource/ResourceTypeHandler.h"

namespace Korva
{

// The engine's own resource types: "Image", "Sprite" and "Sound" (with the
// sound settings of the list entry).
class cBuiltInResourceHandler : public cResourceTypeHandler
{
public:
    bool Accepts(const std::string& typeName) const override;
    cResource* Create(const std::string& typeName, const std::string& file,
                      const std::string& alias, int32_t level, const cDataNode& node) override;
};

} // namespace Korva
