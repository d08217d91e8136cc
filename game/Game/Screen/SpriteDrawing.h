#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace Korva
{
class cSprite;
}

// A frame of a screen's decoration sprite at its fixed place.
struct sFramePlace
{
    int32_t x;
    int32_t y;
    int32_t frame;
};

// Draws every one of `places` from `sprite`, in order.
void DrawFrames(const Korva::cSprite& sprite, std::span<const sFramePlace> places);

// The sprite of a resource alias, loaded on first use; null (and one log
// line) when the resource lists have no such sprite, so a screen draws on
// without the picture instead of failing.
const Korva::cSprite* FindSprite(const std::string& alias);

// The frame an animation shows `time` seconds after it started; looping
// animations wrap, others stay on their last step. -1 when the sprite or
// the animation does not exist.
int32_t AnimFrameAt(const Korva::cSprite* sprite, int32_t anim, float time);

// The six sprites one owner (board, piece panel, item bar) draws bricks with,
// and the owner's animation state.
struct cBrickSprites
{
    const Korva::cSprite* colour = nullptr;
    const Korva::cSprite* multi = nullptr;
    const Korva::cSprite* star = nullptr;
    const Korva::cSprite* blocker = nullptr;
    const Korva::cSprite* bomb = nullptr;
    const Korva::cSprite* plasma = nullptr;
    // Each colour's symbol, drawn over colour bricks while SetBrickSymbols
    // is on: frame c on the left half, 10 + c on the right.
    const Korva::cSprite* symbols = nullptr;

    // Looks the six sprites up by their base alias and suffix ("" for the
    // large ones, "Shadow" for the board, "Small" for the queue).
    static cBrickSprites Find(const std::string& suffix);
};

struct cBrickLook
{
    float multiPhase = 0.0f;
    float starPhase = 0.0f;
    int32_t bombFrame = 0;
    int32_t plasmaFrame = 0;
};

// The colour-blind aid: every brick drawn through DrawBrick carries its
// colours' symbols in white. One setting for all screens, kept in step with
// the options by the screens that show bricks.
void SetBrickSymbols(bool shown);
bool AreBrickSymbolsShown();

// Draws the picture of brick `code` with its hot spots on (x, y).
void DrawBrick(const cBrickSprites& sprites, const cBrickLook& look, int code, int32_t x, int32_t y,
               int32_t alpha = 255, float scale = 1.0f);

// The arrows of item `code` centred on (x, y), as the item bar and the
// editor's item chooser show them: a push its direction, a swap the arrows
// of both its directions, a turn its turning arrow. `frames` holds the
// current frame of each of the eight arrow animations.
void DrawItemArrows(const Korva::cSprite& arrows, const std::array<int32_t, 8>& frames, int code,
                    int32_t x, int32_t y);
