#include "engine/Display/Font.h"

#include "engine/Display/Sprite.h"
#include "engine/Display/SpriteResource.h"
#include "engine/Resource/ResManager.h"

#include <algorithm>
#include <array>

namespace Korva
{

int32_t cFont::GetTextWidth(const std::string& text) const
{
    int32_t width = 0;
    for (const char c : text)
        width += GetCharWidth(static_cast<uint8_t>(c));
    return width;
}

int32_t cFont::GetTextHeight(const std::string& text) const
{
    (void)text;
    return GetHeight();
}

void cFont::DrawText(const cPoint& position, const std::string& text, const cColor& color,
                     int32_t alignment) const
{
    const cSprite* sprite = GetSprite();
    if (text.empty() || !sprite)
        return;
    const int32_t width = GetTextWidth(text);
    int32_t x = position.x;
    if (alignment == kAlignCenter)
        x -= width / 2;
    else if (alignment == kAlignRight)
        x -= width;
    for (const char ch : text)
    {
        const uint8_t c = static_cast<uint8_t>(ch);
        sprite->DrawFrame(x, position.y, GetGlyphFrame(c), color, 1.0f, 0.0f);
        x += GetCharWidth(c);
    }
}

namespace
{
cSpriteResource* FindSpriteResource(const char* alias)
{
    cResManager* manager = cResManager::GetIfExists();
    return manager ? dynamic_cast<cSpriteResource*>(manager->Find(alias)) : nullptr;
}
} // namespace

// ---------------------------------------------------------------- sprite font

cSpriteFont::cSpriteFont() : m_resource(FindSpriteResource("SprFontArial")) {}

cSpriteFont::cSpriteFont(const cSprite* sprite) : m_sprite(sprite) {}

const cSprite* cSpriteFont::GetSprite() const
{
    return m_resource ? m_resource->GetSprite() : m_sprite;
}

int32_t cSpriteFont::GetGlyphFrame(uint8_t c) const
{
    const cSprite* sprite = GetSprite();
    return sprite && c < sprite->GetFrameCount() ? c : -1;
}

int32_t cSpriteFont::GetCharWidth(uint8_t c) const
{
    const int32_t frame = GetGlyphFrame(c);
    return frame < 0 ? 0 : GetSprite()->GetFrameWidth(frame);
}

int32_t cSpriteFont::GetCharHeight(uint8_t c) const
{
    const int32_t frame = GetGlyphFrame(c);
    return frame < 0 ? 0 : GetSprite()->GetFrameHeight(frame);
}

int32_t cSpriteFont::GetMaxCharWidth() const
{
    const cSprite* sprite = GetSprite();
    int32_t widest = 0;
    for (int32_t i = 0; sprite && i < sprite->GetFrameCount(); ++i)
        widest = std::max(widest, sprite->GetFrameWidth(i));
    return widest;
}

int32_t cSpriteFont::GetHeight() const
{
    const cSprite* sprite = GetSprite();
    int32_t highest = 0;
    for (int32_t i = 0; sprite && i < sprite->GetFrameCount(); ++i)
        highest = std::max(highest, sprite->GetFrameHeight(i));
    return highest;
}

// ---------------------------------------------------------------- headline font

namespace
{
struct cGlyph
{
    int8_t frame = -1;
    uint8_t advance = 0;
};

constexpr std::array<cGlyph, 128> MakeHeadlineTable()
{
    std::array<cGlyph, 128> table{};
    table[' '] = {0, 8};
    constexpr uint8_t digits[10] = {12, 9, 13, 13, 12, 14, 13, 10, 13, 13};
    for (int i = 0; i < 10; ++i)
        table['0' + i] = {static_cast<int8_t>(1 + i), digits[i]};
    constexpr uint8_t letters[26] = {12, 13, 8,  12, 12, 7,  13, 13, 8, 9,  13, 8,  18,
                                     13, 12, 13, 11, 9,  11, 8,  12, 9, 15, 12, 12, 12};
    for (int i = 0; i < 26; ++i)
    {
        table['a' + i] = {static_cast<int8_t>(11 + i), letters[i]};
        table['A' + i] = table['a' + i];
    }
    constexpr struct
    {
        char c;
        uint8_t advance;
    } signs[] = {{'.', 7},  {',', 7},  {':', 9},  {';', 8},  {'!', 9},  {'?', 10}, {'"', 11},
                 {'\'', 7}, {'@', 18}, {'#', 13}, {'$', 14}, {'%', 16}, {'&', 15}, {'\\', 9},
                 {'+', 12}, {'-', 8},  {'*', 9},  {'/', 13}, {'=', 12}, {'<', 14}, {'>', 15},
                 {'(', 10}, {')', 11}, {'[', 10}, {']', 11}, {'{', 10}, {'}', 10}, {'_', 19}};
    int8_t frame = 37;
    for (const auto& sign : signs)
        table[static_cast<uint8_t>(sign.c)] = {frame++, sign.advance};
    return table;
}

constexpr std::array<cGlyph, 128> kHeadline = MakeHeadlineTable();
} // namespace

cHeadlineFont::cHeadlineFont() : m_resource(FindSpriteResource("SprFontHeadline")) {}

cHeadlineFont::cHeadlineFont(const cSprite* sprite) : m_sprite(sprite) {}

const cSprite* cHeadlineFont::GetSprite() const
{
    return m_resource ? m_resource->GetSprite() : m_sprite;
}

int32_t cHeadlineFont::GetGlyphFrame(uint8_t c) const
{
    return c < 128 ? kHeadline[c].frame : -1;
}

int32_t cHeadlineFont::GetCharWidth(uint8_t c) const
{
    return c < 128 ? kHeadline[c].advance : 0;
}

int32_t cHeadlineFont::GetCharHeight(uint8_t c) const
{
    (void)c;
    return 15;
}

int32_t cHeadlineFont::GetMaxCharWidth() const
{
    int32_t widest = 0;
    for (const cGlyph& glyph : kHeadline)
        widest = std::max<int32_t>(widest, glyph.advance);
    return widest;
}

} // namespace Korva
