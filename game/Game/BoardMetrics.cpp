#include "game/Game/BoardMetrics.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Display/Sprite.h"
#include "engine/Display/SpriteResource.h"
#include "engine/Resource/ResManager.h"

#include <string>

namespace
{
void Missing(const std::string& what)
{
    Korva::cLog::Get().WriteDefault("Board: " + what + " missing, using the default.\n");
}

void TakeLength(const Korva::cSprite* sprite, const char* name, int anim, float& value)
{
    if (sprite && anim < sprite->GetAnimCount() && sprite->GetAnimLength(anim) > 0.0f)
        value = sprite->GetAnimLength(anim);
    else
        Missing(std::string(name) + " animation " + std::to_string(anim));
}

const Korva::cSprite* FindSprite(const char* alias)
{
    auto* resource = dynamic_cast<Korva::cSpriteResource*>(Korva::cResManager::Get().Find(alias));
    if (!resource)
        return nullptr;
    try
    {
        return resource->GetSprite();
    }
    catch (const Korva::cException&)
    {
        return nullptr; // logged by the exception
    }
}
} // namespace

cBoardMetrics BoardMetricsFromSprites(const Korva::cSprite* cells, const Korva::cSprite* bomb,
                                      const Korva::cSprite* explosion)
{
    cBoardMetrics metrics;
    if (cells && cells->GetFrameCount() > 0 && cells->GetFrameWidth(0) > 0 &&
        cells->GetFrameHeight(0) > 0)
    {
        metrics.cellWidth = cells->GetFrameWidth(0);
        metrics.cellHeight = cells->GetFrameHeight(0);
    }
    else
        Missing("SprCells frame 0");
    TakeLength(cells, "SprCells", 13, metrics.crumbleTimeA);
    TakeLength(cells, "SprCells", 14, metrics.crumbleTimeB);
    TakeLength(bomb, "SprBrickBombShadow", 1, metrics.fuseTime);
    TakeLength(bomb, "SprBrickBombShadow", 2, metrics.blastTime);
    TakeLength(explosion, "SprExplosion", 0, metrics.explosionTime);
    return metrics;
}

cBoardMetrics BoardMetricsFromResources()
{
    return BoardMetricsFromSprites(FindSprite("SprCells"), FindSprite("SprBrickBombShadow"),
                                   FindSprite("SprExplosion"));
}
