#pragma once

#include "game/Menu/Popup.h"

// A tab's panel of the level selector: a popup frame that slides up and down
// with the tab switch. Below the screen's bottom edge it is not drawn at all.
class cSlidingPanel : public cPopup
{
public:
    static constexpr int32_t kHiddenY = 600;

    cSlidingPanel(Korva::cGUI& gui, const std::string& title) : cPopup(Korva::cPoint(510, 440), gui)
    {
        SetTitle(title);
    }

    void Draw(int x, int y, bool drawChildren) override
    {
        if (GetPosition().y < kHiddenY)
            cPopup::Draw(x, y, drawChildren);
    }
};
