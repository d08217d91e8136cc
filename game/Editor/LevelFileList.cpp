#include "game/Editor/LevelFileList.h"

#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "game/Editor/UserLevelFiles.h"
#include "game/Game/Screen/SpriteDrawing.h"

#include <algorithm>

using namespace Korva;

cLevelFileList::cLevelFileList(cGUI& gui, const cPoint& size, cLevelFileListListener* listener)
    : cScrollPanel(gui, size, false, true), m_listener(listener),
      m_font(std::make_unique<cSpriteFont>()), m_panels(FindSprite("SprPopupPanels"))
{
    SetBackgroundColor(cColor(30, 50, 80, 255));
    SetBorderColor(cColor(170, 200, 230, 255));
    if (cScrollbar* bar = GetVerticalScrollbar())
    {
        // SprScrollbarBig: arrows 0..2 and 3..5, track 6..8, thumb 9..17.
        bar->SetSprite(const_cast<cSprite*>(FindSprite("SprScrollbarBig")));
        bar->SetBevel(false);
        bar->GetBackButton().SetFrames(0, 1, 2);
        bar->GetForwardButton().SetFrames(3, 4, 5);
        bar->SetTrackFrames(6, 7, 8);
        for (int32_t state = 0; state < 3; ++state)
            bar->SetThumbFrames(state, 9 + 3 * state, 10 + 3 * state, 11 + 3 * state);
    }
    // Three rows a notch of the wheel.
    SetWheelStep(static_cast<float>(3 * kRowHeight));
    SetContentSize(size.x - kScrollbarThickness, 0);
}

cLevelFileList::~cLevelFileList() = default;

void cLevelFileList::SetNames(std::vector<std::string> names)
{
    const std::string selected = GetSelectedName();
    m_names = std::move(names);
    SetContentSize(GetViewSize().x, kRowHeight * static_cast<int32_t>(m_names.size()));
    m_selected = -1;
    Select(selected);
    SetScrollOffset(0.0f, std::min(GetScrollY(), static_cast<float>(std::max(
                                                     0, GetContentSize().y - GetViewSize().y))));
}

void cLevelFileList::SetSelected(int index)
{
    m_selected = index >= 0 && index < static_cast<int>(m_names.size()) ? index : -1;
    ScrollToSelected();
}

void cLevelFileList::Select(const std::string& name)
{
    const auto found = std::find(m_names.begin(), m_names.end(), name);
    SetSelected(found == m_names.end() ? -1 : static_cast<int>(found - m_names.begin()));
}

std::string cLevelFileList::GetSelectedName() const
{
    return m_selected >= 0 ? m_names[static_cast<size_t>(m_selected)] : std::string();
}

void cLevelFileList::ScrollToSelected()
{
    if (m_selected < 0)
        return;
    const float top = static_cast<float>(kRowHeight * m_selected);
    const float view = static_cast<float>(GetViewSize().y);
    if (top < GetScrollY())
        SetScrollOffset(0.0f, top);
    else if (top + kRowHeight > GetScrollY() + view)
        SetScrollOffset(0.0f, top + kRowHeight - view);
}

int cLevelFileList::RowAt(const cPoint& point) const
{
    if (point.x < 0 || point.y < 0 || point.x >= GetViewSize().x || point.y >= GetViewSize().y)
        return -1;
    const int row = static_cast<int>((static_cast<float>(point.y) + GetScrollY()) / kRowHeight);
    return row < static_cast<int>(m_names.size()) ? row : -1;
}

void cLevelFileList::OnMouseDown(const cMouseEvent& event, bool handled)
{
    const cPoint point(event.GetX(), event.GetY());
    if (!handled && !FindHitChild(point))
    {
        const int row = RowAt(point);
        if (row >= 0)
        {
            m_selected = row;
            if (m_listener)
                m_listener->OnLevelSelected(m_names[static_cast<size_t>(row)], this);
        }
    }
    cScrollPanel::OnMouseDown(event, handled);
}

void cLevelFileList::OnDoubleClick(const cMouseEvent& event, bool handled)
{
    cScrollPanel::OnDoubleClick(event, handled);
    const int row = RowAt(cPoint(event.GetX(), event.GetY()));
    if (row >= 0 && row == m_selected && m_listener)
        m_listener->OnLevelChosen(m_names[static_cast<size_t>(row)], this);
}

void cLevelFileList::DrawContent(int x, int y, int32_t viewWidth, int32_t viewHeight,
                                 int32_t offsetX, int32_t offsetY)
{
    (void)offsetX;
    const int first = offsetY / kRowHeight;
    for (int row = first; row < static_cast<int>(m_names.size()); ++row)
    {
        const int32_t top = y + kRowHeight * row - offsetY;
        if (top >= y + viewHeight)
            break;
        if (row == m_selected)
        {
            if (m_panels && m_panels->GetFrameCount() > 12)
                m_panels->DrawFrame(x, top, 12);
            else if (cRenderDevice* device = m_gui.GetRenderDevice())
                device->FillRect(cRect(x, top, viewWidth, kRowHeight), cColor(70, 110, 160, 255));
        }
        m_font->DrawText(cPoint(x + 5, top + (kRowHeight - m_font->GetHeight()) / 2),
                         UserLevelFiles::NameOf(m_names[static_cast<size_t>(row)]),
                         cColor(255, 255, 255, 255), kAlignLeft);
    }
}
