#pragma once

#include "engine/Resource/ResourceTypeHandler.h"

// Makes the game's own resources: "Campaign" and "Level".
class cGameResourceHandler : public Korva::cResourceTypeHandler
{
public:
    bool Accepts(const std::string& typeName) const override;
    Korva::cResource* Create(const std::string& typeName, const std::string& file,
                             const std::string& alias, int32_t level,
                             const Korva::cDataNode& node) override;
};
