#include "game/Game/Screen/SpriteDrawing.h"

#include "engine/Core/Log.h"
#include "engine/Display/Sprite.h"
#include "engine/Display/SpriteResource.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/PuzzleTypes.h"

#include <algorithm>
#include <cmath>

using namespace Korva;

const cSprite* FindSprite(const std::string& alias)
{
    auto* resource = dynamic_cast<cSpriteResource*>(cResManager::Get().Find(alias));
    if (!resource)
    {
        cLog::Get().WriteDefault("Missing resource: '" + alias + "'.\n");
        return nullptr;
    }
    return resource->GetSprite();
}

void DrawFrames(const cSprite& sprite, std::span<const sFramePlace> places)
{
    for (const sFramePlace& place : places)
        sprite.DrawFrame(place.x, place.y, place.frame);
}

int32_t AnimFrameAt(const cSprite* sprite, int32_t anim, float time)
{
    if (!sprite || anim < 0 || anim >= sprite->GetAnimCount())
        return -1;
    const int32_t steps = sprite->GetAnimStepCount(anim);
    if (steps == 0)
        return -1;
    const float length = sprite->GetAnimLength(anim);
    if (length <= 0.0f)
        return sprite->GetAnimStepFrame(anim, 0);
    if (sprite->IsAnimLooping(anim))
        time = std::fmod(std::max(time, 0.0f), length);
    for (int32_t step = 0; step < steps; ++step)
    {
        time -= sprite->GetAnimStepTime(anim, step);
        if (time < 0.0f)
            return sprite->GetAnimStepFrame(anim, step);
    }
    return sprite->GetAnimStepFrame(anim, steps - 1);
}

namespace
{
// Drawing happens on the main thread only.
bool g_brickSymbols = false;
} // namespace

void SetBrickSymbols(bool shown)
{
    g_brickSymbols = shown;
}

bool AreBrickSymbolsShown()
{
    return g_brickSymbols;
}

cBrickSprites cBrickSprites::Find(const std::string& suffix)
{
    cBrickSprites s;
    s.colour = FindSprite("SprBricks" + suffix);
    s.multi = FindSprite("SprBrickMulti" + suffix);
    s.star = FindSprite("SprBrickStar" + suffix);
    s.blocker = FindSprite("SprBrickBlocker" + suffix);
    s.bomb = FindSprite("SprBrickBomb" + suffix);
    s.plasma = FindSprite("SprBrickPlasma" + suffix);
    // The board's bricks differ from the large ones only by their shadow.
    s.symbols = FindSprite(suffix == "Small" ? "SprBrickSymbolsSmall" : "SprBrickSymbols");
    return s;
}

void DrawBrick(const cBrickSprites& sprites, const cBrickLook& look, int code, int32_t x, int32_t y,
               int32_t alpha, float scale)
{
    const cColor color(255, 255, 255, alpha);
    if (IsColourBrick(code))
    {
        if (sprites.colour)
        {
            sprites.colour->DrawFrame(x, y, code / 10 + 7, color, scale);
            sprites.colour->DrawFrame(x, y, code % 10 + 15, color, scale);
        }
        if (g_brickSymbols && sprites.symbols)
        {
            sprites.symbols->DrawFrame(x, y, code / 10, color, scale);
            sprites.symbols->DrawFrame(x, y, 10 + code % 10, color, scale);
        }
        return;
    }
    switch (code)
    {
    case kBrickMulti:
        if (sprites.multi)
        {
            // Eight layers of 14 frames, each layer's wave running 5 frames
            // behind the one before it, over a cycle of 40.
            int p = static_cast<int>(look.multiPhase * 40.0f);
            for (int layer = 0; layer < 8; ++layer)
            {
                if (p >= 0 && p < 14)
                    sprites.multi->DrawFrame(x, y, 14 * layer + p, color, scale);
                p -= 5;
                if (p < 0)
                    p += 40;
            }
        }
        break;
    case kBrickStar:
        if (sprites.star)
            sprites.star->DrawFrame(
                x, y,
                static_cast<int32_t>(static_cast<float>(sprites.star->GetFrameCount()) *
                                     look.starPhase),
                color, scale);
        break;
    case kBrickBlocker:
        if (sprites.blocker)
            sprites.blocker->DrawFrame(x, y, 0, color, scale);
        break;
    case kBrickBomb:
        if (sprites.bomb)
            sprites.bomb->DrawFrame(x, y, look.bombFrame, color, scale);
        break;
    case kBrickPlasma:
        if (sprites.plasma)
            sprites.plasma->DrawFrame(x, y, look.plasmaFrame, color, scale);
        break;
    default:
        break;
    }
}

void DrawItemArrows(const Korva::cSprite& arrows, const std::array<int32_t, 8>& frames, int code,
                    int32_t x, int32_t y)
{
    const auto frame = [&frames](int player) { return frames[static_cast<size_t>(player)]; };
    if (code >= kItemPushFirst && code <= kItemPushLast)
        arrows.DrawFrame(x, y, frame(code - kItemPushFirst));
    else if (code == kItemSwapNorthWest)
    {
        arrows.DrawFrame(x - 12, y, frame(kNorthWest - 1));
        arrows.DrawFrame(x + 12, y, frame(kSouthEast - 1));
    }
    else if (code == kItemSwapNorthEast)
    {
        arrows.DrawFrame(x + 12, y, frame(kNorthEast - 1));
        arrows.DrawFrame(x - 12, y, frame(kSouthWest - 1));
    }
    else if (code == kItemSwapNorth)
    {
        arrows.DrawFrame(x - 5, y - 10, frame(kNorth - 1));
        arrows.DrawFrame(x + 5, y + 10, frame(kSouth - 1));
    }
    else if (code == kItemTurnClockwise)
        arrows.DrawFrame(x, y, frame(6));
    else if (code == kItemTurnAnticlockwise)
        arrows.DrawFrame(x, y, frame(7));
}
