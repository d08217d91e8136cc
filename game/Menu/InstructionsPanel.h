#pragma once

#include "engine/Gui/Button.h"
#include "engine/Gui/Widget.h"
#include "engine/Input/InputDeviceEvent.h"
#include "game/Menu/MenuPanelHost.h"

#include <memory>
#include <vector>

namespace Korva
{
class cImageResource;
}

// The instructions: picture pages turned like a book. Next slides the new
// page in from the right, Previous from the left; the pages wrap around.
class cInstructionsPanel : public Korva::cWidget,
                           public Korva::cButtonListener,
                           public Korva::cInputListener,
                           public cMenuPanel
{
public:
    static constexpr float kSlideSpeed = 5.0f; // radians of phase per second

    cInstructionsPanel(Korva::cGUI& gui, cMenuPanelHost& host);
    ~cInstructionsPanel() override;

    void OnEnter() override;
    void OnLeave() override;
    // The page count stands in the strip above the pages, where no button
    // covers it.
    std::optional<Korva::cPoint> GetHintCentre() const override { return Korva::cPoint(400, 2); }
    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void OnInputEvent(const Korva::cInputEvent& event) override;
    // The wheel turns the pages: towards the player the next one.
    bool OnMouseWheel(const Korva::cMouseEvent& event) override;

    void NextPage();
    void PreviousPage();

    int32_t GetPageCount() const { return static_cast<int32_t>(m_pages.size()); }
    int32_t GetPage() const { return m_page; }
    float GetSlidePhase() const { return m_phase; }
    float GetSlideOffset() const { return m_offset; }
    Korva::cButton& GetBackButton() { return *m_back; }
    Korva::cButton& GetPreviousButton() { return *m_previous; }
    Korva::cButton& GetNextButton() { return *m_next; }

private:
    void ShowPageHint();
    void ReleaseOtherPages();
    void DrawPage(int32_t page, int32_t x, int32_t y, const Korva::cRect& clip);
    int32_t Wrap(int32_t page) const;

    cMenuPanelHost& m_host;
    std::vector<Korva::cImageResource*> m_pages;
    int32_t m_page = 0;
    float m_target = 0.0f;
    float m_phase = 0.0f;
    float m_offset = 0.0f;
    std::unique_ptr<Korva::cButton> m_back;
    std::unique_ptr<Korva::cButton> m_previous;
    std::unique_ptr<Korva::cButton> m_next;
    bool m_entered = false;
    char m_hint[32] = {};
};
