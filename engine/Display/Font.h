#pragma once

#include "engine/Display/Color.h"
#include "engine/Display/Point.h"

#include <cstdint>
#include <string>

namespace Korva
{

class cSprite;
class cSpriteResource;

enum : int32_t
{
    kAlignLeft = 0,   // the position is the text's left end
    kAlignCenter = 1, // the position is the text's centre
    kAlignRight = 2,  // the position is the text's right end
};

// A bitmap font: one line of 8-bit characters, no kerning, no line breaks.
class cFont
{
public:
    virtual ~cFont() = default;
    virtual int32_t GetMaxCharWidth() const = 0;
    virtual int32_t GetHeight() const = 0;
    virtual int32_t GetCharWidth(uint8_t c) const = 0;
    virtual int32_t GetCharHeight(uint8_t c) const = 0;
    // The sum of the characters' advances.
    virtual int32_t GetTextWidth(const std::string& text) const;
    // The font's height; the text is not examined.
    virtual int32_t GetTextHeight(const std::string& text) const;
    // Draws each glyph with its sprite frame's hot spot on the pen, which
    // starts at the aligned position and moves right by each advance.
    virtual void DrawText(const cPoint& position, const std::string& text, const cColor& color,
                          int32_t alignment) const;

protected:
    // The glyph frame of a character, -1 for none.
    virtual int32_t GetGlyphFrame(uint8_t c) const = 0;
    virtual const cSprite* GetSprite() const = 0;
};

// Glyphs of a sprite whose frame c is the glyph of character code c; the
// advance is the frame's width.
class cSpriteFont : public cFont
{
public:
    // Uses the sprite resource "SprFontArial".
    cSpriteFont();
    explicit cSpriteFont(const cSprite* sprite);

    int32_t GetMaxCharWidth() const override;
    int32_t GetHeight() const override;
    int32_t GetCharWidth(uint8_t c) const override;
    int32_t GetCharHeight(uint8_t c) const override;

protected:
    int32_t GetGlyphFrame(uint8_t c) const override;
    const cSprite* GetSprite() const override;

private:
    cSpriteResource* m_resource = nullptr;
    const cSprite* m_sprite = nullptr;
};

// The headline font: glyphs of the sprite "SprFontHeadline" through a fixed
// table of frames and advances for codes below 128; upper-case letters use
// the lower-case glyphs. Every character is 15 pixels high.
class cHeadlineFont : public cFont
{
public:
    // Uses the sprite resource "SprFontHeadline".
    cHeadlineFont();
    explicit cHeadlineFont(const cSprite* sprite);

    int32_t GetMaxCharWidth() const override;
    int32_t GetHeight() const override { return 15; }
    int32_t GetCharWidth(uint8_t c) const override;
    int32_t GetCharHeight(uint8_t c) const override;

protected:
    int32_t GetGlyphFrame(uint8_t c) const override;
    const cSprite* GetSprite() const override;

private:
    cSpriteResource* m_resource = nullptr;
    const cSprite* m_sprite = nullptr;
};

} // namespace Korva
