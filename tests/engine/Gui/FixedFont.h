#pragma once

#include "engine/Display/Font.h"

#include <string>
#include <vector>

namespace GuiTest
{

// Every character 8 pixels wide (a space 4) and 10 high; remembers what it
// was asked to draw.
class cFixedFont : public Korva::cFont
{
public:
    int32_t GetMaxCharWidth() const override { return 8; }
    int32_t GetHeight() const override { return 10; }
    int32_t GetCharWidth(uint8_t c) const override { return c == ' ' ? 4 : 8; }
    int32_t GetCharHeight(uint8_t) const override { return 10; }
    void DrawText(const Korva::cPoint& position, const std::string& text, const Korva::cColor&,
                  int32_t) const override
    {
        drawn.push_back(text);
        drawnAt.push_back(position);
    }
    mutable std::vector<std::string> drawn;
    mutable std::vector<Korva::cPoint> drawnAt;

protected:
    int32_t GetGlyphFrame(uint8_t) const override { return -1; }
    const Korva::cSprite* GetSprite() const override { return nullptr; }
};

} // namespace GuiTest
