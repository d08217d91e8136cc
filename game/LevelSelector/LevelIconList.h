#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/ScrollPanel.h"

#include <string>

namespace Korva
{
class cSpriteResource;
}

class cCampaign;

namespace Korva
{
class cScrollbar;
}

// Gives a list's scrollbar the look of "SprScrollbarBig" (arrows, track and
// thumb); nothing when the bar or the sprite is missing.
void SkinBigScrollbar(Korva::cScrollbar* bar);

// What the icon list asks of the selector around it.
class cLevelIconListHost
{
public:
    virtual ~cLevelIconListHost() = default;
    virtual void SelectLevel(int32_t index) = 0;
    virtual void ClearSelection() = 0;
    virtual void PlaySelection() = 0;
    virtual bool IsLevelCompleted(const std::string& alias) const = 0;
    virtual void ShowHint(const std::string& text, Korva::cWidget* owner) = 0;
    virtual void HideHint(Korva::cWidget* owner) = 0;
};

// The campaign's levels as a scrolling grid of icons, four to a row, with
// completion marks, a pulsing selection and a darkened hovered icon.
class cLevelIconList : public Korva::cScrollPanel
{
public:
    static constexpr int32_t kColumns = 4;
    static constexpr int32_t kIconWidth = 100;
    static constexpr int32_t kIconHeight = 80;
    static constexpr int32_t kColumnStep = 110;
    static constexpr int32_t kRowStep = 105;
    static constexpr float kPulseSpeed = 7.0f;

    // `campaign` may be null (no levels); both must outlive the list.
    cLevelIconList(Korva::cGUI& gui, cLevelIconListHost& host, const cCampaign* campaign);

    // 105 per row plus a margin of 10.
    static int32_t ContentHeight(int32_t levels);
    // The icon whose rectangle holds the content point, -1 for none.
    int32_t IconAt(const Korva::cPoint& content) const;

    void SetSelected(int32_t index);
    void ClearSelected() { m_selected = -1; }
    int32_t GetSelected() const { return m_selected; }
    int32_t GetHovered() const { return m_hovered; }
    int32_t GetLevelCount() const { return m_count; }
    void ScrollIntoView(int32_t index);

    void Update(float dt) override;
    void DrawContent(int x, int y, int32_t viewWidth, int32_t viewHeight, int32_t offsetX,
                     int32_t offsetY) override;
    void OnMouseMove(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseLeave(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseDown(const Korva::cMouseEvent& event, bool handled) override;
    void OnDoubleClick(const Korva::cMouseEvent& event, bool handled) override;

private:
    // The icon under a point of the list's own coordinates, -1 for none or
    // for a point on the scrollbar.
    int32_t IconUnder(const Korva::cMouseEvent& event) const;

    cLevelIconListHost& m_host;
    const cCampaign* m_campaign;
    int32_t m_count;
    int32_t m_selected = -1;
    int32_t m_hovered = -1;
    float m_pulse = 0.0f;
    Korva::cSpriteResource* m_icons = nullptr;
    Korva::cSpriteResource* m_marks;
    Korva::cHeadlineFont m_font;
    char m_hint[80] = {};
};
