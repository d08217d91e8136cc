#include "game/Menu/Popup.h"

#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "game/Menu/MenuResources.h"
#include "game/Menu/PanelButton.h"

using namespace Korva;

cPopup::cPopup(const cPoint& size, cGUI& gui)
    : cWidget(gui), m_font(std::make_unique<cHeadlineFont>()),
      m_panels(FindSpriteResource("SprPopupPanels"))
{
    SetSize(size);
    SetBackgroundColor(cColor(100, 150, 200, 255));
    SetBorder(false);
}

cPopup::~cPopup()
{
    RemoveAllChildren();
}

std::unique_ptr<cButton> cPopup::MakeButton(const cRect& rect, int32_t normal,
                                            cButtonListener* listener)
{
    return MakePanelButton(*this, rect, "SprPopupPanels", normal, listener);
}

void cPopup::Draw(int x, int y, bool drawChildren)
{
    cWidget::Draw(x, y, false);
    cRenderDevice* device = m_gui.GetRenderDevice();
    if (device)
    {
        const cRect rect(x + GetPosition().x, y + GetPosition().y, GetWidth(), GetHeight());
        // Black outside, then a light and a dark line, like a raised frame.
        device->DrawRect(rect, cColor(0, 0, 0, 255));
        device->DrawRect(cRect(rect.x + 1, rect.y + 1, rect.width - 2, rect.height - 2),
                         cColor(170, 200, 230, 255));
        device->DrawRect(cRect(rect.x + 2, rect.y + 2, rect.width - 4, rect.height - 4),
                         cColor(50, 80, 120, 255));

        const cSprite* sprite = GetSprite(m_panels);
        int32_t barHeight = 15;
        int32_t left = rect.x + 10;
        int32_t right = rect.x + rect.width - 10;
        const int32_t top = rect.y + 10;
        if (sprite && sprite->GetFrameCount() > 1)
        {
            const cSpriteFrame& start = sprite->GetFrame(0);
            const cSpriteFrame& end = sprite->GetFrame(1);
            barHeight = start.height;
            sprite->DrawFrame(left + start.hotSpotX, top + start.hotSpotY, 0, 255);
            sprite->DrawFrame(right - end.width + end.hotSpotX, top + end.hotSpotY, 1, 255);
            left += start.width;
            right -= end.width;
        }
        device->FillRect(cRect(left, top, right - left, barHeight), cColor(40, 70, 110, 255));
        if (m_font && !m_title.empty())
            m_font->DrawText(
                cPoint(rect.x + rect.width / 2, top + (barHeight - m_font->GetHeight()) / 2),
                m_title, cColor(240, 240, 0, 255), kAlignCenter);
    }
    if (drawChildren)
        DrawChildren(x, y);
}
