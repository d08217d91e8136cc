#include "game/LevelSelector/LevelIconList.h"

#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "game/Game/Campaign.h"
#include "game/Menu/MenuResources.h"
#include "game/SoundPlayer.h"

#include <cmath>
#include <cstdio>
#include <numbers>

using namespace Korva;

namespace
{
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
const cPoint kListSize(470, 370);
} // namespace

void SkinBigScrollbar(cScrollbar* bar)
{
    cSprite* sprite = GetSprite(FindSpriteResource("SprScrollbarBig"));
    if (!bar || !sprite)
        return;
    bar->SetSprite(sprite);
    bar->SetBevel(false);
    bar->GetBackButton().SetFrames(0, 1, 2);
    bar->GetForwardButton().SetFrames(3, 4, 5);
    bar->SetTrackFrames(6, 7, 8);
    bar->SetThumbFrames(kButtonNormal, 9, 10, 11);
    bar->SetThumbFrames(kButtonHover, 12, 13, 14);
    bar->SetThumbFrames(kButtonPressed, 15, 16, 17);
}

cLevelIconList::cLevelIconList(cGUI& gui, cLevelIconListHost& host, const cCampaign* campaign)
    : cScrollPanel(gui, kListSize, false, true), m_host(host), m_campaign(campaign),
      m_count(campaign ? campaign->GetLevelCount() : 0),
      m_marks(FindSpriteResource("SprLevelSelectorIcons"))
{
    SetBackgroundFill(false);
    SetBorder(false);
    if (m_campaign && !m_campaign->GetIconSpriteAlias().empty())
        m_icons = FindSpriteResource(m_campaign->GetIconSpriteAlias());
    SkinBigScrollbar(GetVerticalScrollbar());
    // A notch of the wheel moves by one row of icons.
    SetWheelStep(static_cast<float>(kRowStep));
    SetContentSize(kListSize.x - kScrollbarThickness, ContentHeight(m_count));
}

int32_t cLevelIconList::ContentHeight(int32_t levels)
{
    const int32_t rows = (levels + kColumns - 1) / kColumns;
    return kRowStep * rows + 10;
}

int32_t cLevelIconList::IconAt(const cPoint& content) const
{
    for (int32_t i = 0; i < m_count; ++i)
    {
        const cRect icon(10 + kColumnStep * (i % kColumns), 10 + kRowStep * (i / kColumns),
                         kIconWidth, kIconHeight);
        if (icon.Contains(content))
            return i;
    }
    return -1;
}

void cLevelIconList::SetSelected(int32_t index)
{
    m_selected = index >= 0 && index < m_count ? index : -1;
    m_pulse = 0.0f;
    if (m_selected >= 0)
        ScrollIntoView(m_selected);
}

void cLevelIconList::ScrollIntoView(int32_t index)
{
    const auto top = static_cast<float>(kRowStep * (index / kColumns));
    const auto height = static_cast<float>(GetViewSize().y);
    float scroll = GetScrollY();
    if (top + 5.0f < scroll)
        scroll = top + 5.0f;
    if (scroll + height < top + 110.0f)
        scroll = top + 110.0f - height;
    SetScrollOffset(GetScrollX(), scroll);
}

void cLevelIconList::Update(float dt)
{
    cScrollPanel::Update(dt);
    m_pulse += kPulseSpeed * dt;
    while (m_pulse >= kTwoPi)
        m_pulse -= kTwoPi;
}

void cLevelIconList::DrawContent(int x, int y, int32_t viewWidth, int32_t viewHeight,
                                 int32_t offsetX, int32_t offsetY)
{
    (void)viewWidth;
    cRenderDevice* device = m_gui.GetRenderDevice();
    const cSprite* icons = GetSprite(m_icons);
    const cSprite* marks = GetSprite(m_marks);
    for (int32_t i = 0; i < m_count; ++i)
    {
        const int32_t ix = x - offsetX + 10 + kColumnStep * (i % kColumns);
        const int32_t iy = y - offsetY + 10 + kRowStep * (i / kColumns);
        if (iy + kRowStep < y || iy > y + viewHeight)
            continue;
        if (icons && i < icons->GetFrameCount())
            icons->DrawFrame(ix, iy, i, 255);
        else if (device)
            device->FillRect(cRect(ix, iy, kIconWidth, kIconHeight), cColor(40, 50, 70, 255));
        if (marks && marks->GetFrameCount() > 0 && m_campaign &&
            m_host.IsLevelCompleted(m_campaign->GetLevelAlias(i)))
            marks->DrawFrame(ix, iy, 0, 255);
        if (device)
        {
            if (i == m_selected)
            {
                // A glow that breathes with the pulse inside a gold frame, so
                // the selection shows at every phase.
                const float wave = 0.5f + 0.5f * std::sin(m_pulse);
                device->FillRect(cRect(ix, iy, kIconWidth, kIconHeight),
                                 cColor(255, 240, 180, static_cast<int32_t>(25.0f + 60.0f * wave)));
                const cColor gold(255, 210, 60, static_cast<int32_t>(170.0f + 85.0f * wave));
                device->DrawRect(cRect(ix - 2, iy - 2, kIconWidth + 4, kIconHeight + 4), gold);
                device->DrawRect(cRect(ix - 1, iy - 1, kIconWidth + 2, kIconHeight + 2), gold);
            }
            else if (i == m_hovered)
                device->FillRect(cRect(ix, iy, kIconWidth, kIconHeight), cColor(30, 30, 30, 110));
        }
        m_font.DrawText(cPoint(ix + 50, iy + 82), "level " + std::to_string(i + 1),
                        cColor(255, 255, 255, 255), kAlignCenter);
    }
}

int32_t cLevelIconList::IconUnder(const cMouseEvent& event) const
{
    const cPoint point(event.GetX(), event.GetY());
    if (FindHitChild(point) || !ContainsPoint(point))
        return -1;
    return IconAt(cPoint(point.x + static_cast<int32_t>(GetScrollX()),
                         point.y + static_cast<int32_t>(GetScrollY())));
}

void cLevelIconList::OnMouseMove(const cMouseEvent& event, bool handled)
{
    cScrollPanel::OnMouseMove(event, handled);
    const int32_t icon = IconUnder(event);
    if (icon < 0)
    {
        m_hovered = -1;
        m_host.HideHint(this);
        return;
    }
    if (icon != m_hovered)
    {
        m_hovered = icon;
        cSoundPlayer::Get().PlaySound(kSndButtonHover);
        std::snprintf(m_hint, sizeof(m_hint),
                      "click to select level %d, double click to play level %d",
                      static_cast<int>(icon + 1), static_cast<int>(icon + 1));
        m_host.ShowHint(m_hint, this);
    }
}

void cLevelIconList::OnMouseLeave(const cMouseEvent& event, bool handled)
{
    cScrollPanel::OnMouseLeave(event, handled);
    m_hovered = -1;
    m_host.HideHint(this);
}

void cLevelIconList::OnMouseDown(const cMouseEvent& event, bool handled)
{
    if (!handled && !FindHitChild(cPoint(event.GetX(), event.GetY())))
    {
        const int32_t icon = IconUnder(event);
        if (icon >= 0)
        {
            m_host.SelectLevel(icon);
            cSoundPlayer::Get().PlaySound(kSndButtonPressed);
        }
        else
            m_host.ClearSelection();
    }
    // The base class routes presses on the scrollbar and detects double
    // clicks.
    cScrollPanel::OnMouseDown(event, handled);
}

void cLevelIconList::OnDoubleClick(const cMouseEvent& event, bool handled)
{
    cScrollPanel::OnDoubleClick(event, handled);
    const int32_t icon = IconUnder(event);
    if (icon >= 0)
    {
        m_host.SelectLevel(icon);
        m_host.PlaySelection();
    }
    else
        m_host.ClearSelection();
}
