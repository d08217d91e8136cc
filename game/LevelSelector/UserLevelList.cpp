#include "game/LevelSelector/UserLevelList.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "game/Game/Level.h"
#include "game/LevelSelector/LevelIconList.h"
#include "game/Menu/MenuResources.h"
#include "game/SoundPlayer.h"
#include "game/UserLevels.h"

#include <exception>

using namespace Korva;

namespace
{
const cPoint kListSize(470, 370);
const cColor kNameColor(255, 255, 255, 255);
const cColor kFileColor(170, 200, 230, 255);
const cColor kBrokenColor(255, 150, 120, 255);
constexpr int32_t kNameWidth = 280;
constexpr int32_t kFileWidth = 140;
} // namespace

std::vector<sUserLevelEntry> ReadUserLevelEntries(cFileSystem& fileSystem,
                                                  const std::string& folder)
{
    std::vector<sUserLevelEntry> entries;
    for (const std::string& file : ListLevelFiles(fileSystem, folder))
    {
        sUserLevelEntry entry{file, file, false};
        try
        {
            cLevel level;
            level.Load(fileSystem, folder + "/" + file);
            entry.readable = true;
            if (!level.GetName().empty())
                entry.name = level.GetName();
        }
        catch (const cException&)
        {
            // The exception has logged its reason; the file stays listed.
        }
        catch (const std::exception& error)
        {
            cLog::Get().WriteDefault("Unreadable user level '" + file + "': " + error.what() +
                                     "\n");
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

cUserLevelList::cUserLevelList(cGUI& gui, cUserLevelListHost& host)
    : cScrollPanel(gui, kListSize, false, true), m_host(host),
      m_panels(FindSpriteResource("SprLevelSelectorPanels"))
{
    SetBackgroundFill(false);
    SetBorder(false);
    SkinBigScrollbar(GetVerticalScrollbar());
    // Three rows a notch of the wheel.
    SetWheelStep(static_cast<float>(3 * kRowStep));
    SetContentSize(kListSize.x - kScrollbarThickness, ContentHeight(0));
}

int32_t cUserLevelList::ContentHeight(int32_t rows)
{
    return kMargin * 2 + kRowStep * rows;
}

void cUserLevelList::SetEntries(std::vector<sUserLevelEntry> entries)
{
    const std::string selected =
        m_selected >= 0 ? m_entries[static_cast<size_t>(m_selected)].file : std::string();
    m_entries = std::move(entries);
    m_selected = selected.empty() ? -1 : Find(selected);
    m_hovered = -1;
    // Also keeps the scroll position inside the new content.
    SetContentSize(kListSize.x - kScrollbarThickness,
                   ContentHeight(static_cast<int32_t>(m_entries.size())));
}

int32_t cUserLevelList::Find(const std::string& file) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].file == file)
            return static_cast<int32_t>(i);
    return -1;
}

int32_t cUserLevelList::RowAt(const cPoint& content) const
{
    if (content.x < kMargin || content.x >= kMargin + kRowWidth || content.y < kMargin)
        return -1;
    const int32_t row = (content.y - kMargin) / kRowStep;
    if ((content.y - kMargin) % kRowStep >= kRowHeight ||
        row >= static_cast<int32_t>(m_entries.size()))
        return -1;
    return row;
}

void cUserLevelList::SetSelected(int32_t index)
{
    m_selected = index >= 0 && index < static_cast<int32_t>(m_entries.size()) ? index : -1;
}

std::string cUserLevelList::Fit(const std::string& text, int32_t width) const
{
    if (m_font.GetTextWidth(text) <= width)
        return text;
    std::string cut = text;
    while (!cut.empty() && m_font.GetTextWidth(cut + "...") > width)
        cut.pop_back();
    return cut + "...";
}

void cUserLevelList::DrawContent(int x, int y, int32_t viewWidth, int32_t viewHeight,
                                 int32_t offsetX, int32_t offsetY)
{
    const cSprite* panels = GetSprite(m_panels);
    if (m_entries.empty())
    {
        // Frame 4 is the note, its hot spot at its centre.
        if (panels && panels->GetFrameCount() > 4)
            panels->DrawFrame(x + viewWidth / 2, y + viewHeight / 2, 4, 255);
        else
            m_font.DrawText(cPoint(x + viewWidth / 2, y + viewHeight / 2), "no user levels",
                            kNameColor, kAlignCenter);
        return;
    }
    cRenderDevice* device = m_gui.GetRenderDevice();
    const int32_t textTop = (kRowHeight - m_font.GetHeight()) / 2;
    for (size_t i = 0; i < m_entries.size(); ++i)
    {
        const auto row = static_cast<int32_t>(i);
        const int32_t rx = x - offsetX + kMargin;
        const int32_t ry = y - offsetY + kMargin + kRowStep * row;
        if (ry + kRowStep < y || ry > y + viewHeight)
            continue;
        // Frames 1, 2, 3: normal, hovered, selected.
        const int32_t frame = row == m_selected ? 3 : row == m_hovered ? 2 : 1;
        if (panels && panels->GetFrameCount() > frame)
            panels->DrawFrame(rx, ry, frame, 255);
        else if (device)
            device->FillRect(cRect(rx, ry, kRowWidth, kRowHeight),
                             cColor(180, 210, 255, row == m_selected ? 110 : 40));
        const sUserLevelEntry& entry = m_entries[i];
        m_font.DrawText(cPoint(rx + 8, ry + textTop), Fit(entry.name, kNameWidth), kNameColor,
                        kAlignLeft);
        if (entry.readable)
            m_font.DrawText(cPoint(rx + kRowWidth - 8, ry + textTop), Fit(entry.file, kFileWidth),
                            kFileColor, kAlignRight);
        else
            m_font.DrawText(cPoint(rx + kRowWidth - 8, ry + textTop), "damaged", kBrokenColor,
                            kAlignRight);
    }
}

int32_t cUserLevelList::RowUnder(const cMouseEvent& event) const
{
    const cPoint point(event.GetX(), event.GetY());
    if (FindHitChild(point) || !ContainsPoint(point))
        return -1;
    return RowAt(cPoint(point.x + static_cast<int32_t>(GetScrollX()),
                        point.y + static_cast<int32_t>(GetScrollY())));
}

void cUserLevelList::OnMouseMove(const cMouseEvent& event, bool handled)
{
    cScrollPanel::OnMouseMove(event, handled);
    const int32_t row = RowUnder(event);
    if (row < 0)
    {
        m_hovered = -1;
        m_host.HideHint(this);
        return;
    }
    if (row != m_hovered)
    {
        m_hovered = row;
        cSoundPlayer::Get().PlaySound(kSndButtonHover);
        m_host.ShowHint("click to select " + m_entries[static_cast<size_t>(row)].name +
                            ", double click to play it",
                        this);
    }
}

void cUserLevelList::OnMouseLeave(const cMouseEvent& event, bool handled)
{
    cScrollPanel::OnMouseLeave(event, handled);
    m_hovered = -1;
    m_host.HideHint(this);
}

void cUserLevelList::OnMouseDown(const cMouseEvent& event, bool handled)
{
    if (!handled && !FindHitChild(cPoint(event.GetX(), event.GetY())))
    {
        const int32_t row = RowUnder(event);
        if (row >= 0)
        {
            m_host.SelectUserLevel(m_entries[static_cast<size_t>(row)].file);
            cSoundPlayer::Get().PlaySound(kSndButtonPressed);
        }
        else
            m_host.ClearSelection();
    }
    // The base class routes presses on the scrollbar and detects double
    // clicks.
    cScrollPanel::OnMouseDown(event, handled);
}

void cUserLevelList::OnDoubleClick(const cMouseEvent& event, bool handled)
{
    cScrollPanel::OnDoubleClick(event, handled);
    const int32_t row = RowUnder(event);
    if (row >= 0)
    {
        m_host.SelectUserLevel(m_entries[static_cast<size_t>(row)].file);
        m_host.PlaySelection();
    }
    else
        m_host.ClearSelection();
}
