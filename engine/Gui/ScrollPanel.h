#pragma once

#include "engine/Gui/Scrollbar.h"

#include <memory>

namespace Korva
{

// Shows a content larger than itself through a view, with a scrollbar for
// each direction that needs one. Derived classes draw the content in
// DrawContent, shifted by the scroll offset.
class cScrollPanel : public cWidget, public cScrollbarListener
{
public:
    static constexpr int32_t kScrollbarThickness = 15;
    // Pixels per second while an arrow is held.
    static constexpr float kArrowSpeed = 100.0f;
    // Pixels per notch of the wheel, unless set otherwise.
    static constexpr float kWheelStep = 48.0f;

    cScrollPanel(cGUI& gui, const cPoint& size, bool horizontal, bool vertical);
    ~cScrollPanel() override;

    void SetSize(const cPoint& size) override;
    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    virtual void SetContentSize(int32_t width, int32_t height);
    virtual void SetScrollOffset(float x, float y);
    // (x, y) is the view's absolute top-left corner.
    virtual void DrawContent(int x, int y, int32_t viewWidth, int32_t viewHeight, int32_t offsetX,
                             int32_t offsetY);

    void OnBackPressed(cScrollbar* scrollbar) override;
    void OnForwardPressed(cScrollbar* scrollbar) override;
    void OnBackReleased(cScrollbar* scrollbar) override;
    void OnForwardReleased(cScrollbar* scrollbar) override;
    void OnValueChanged(float value, cScrollbar* scrollbar) override;
    // The wheel scrolls the content (a vertical wheel sideways when only
    // that way is left to scroll); taken whenever there is more content
    // than view along the way it scrolls.
    bool OnMouseWheel(const cMouseEvent& event) override;
    void SetWheelStep(float pixelsPerNotch) { m_wheelStep = pixelsPerNotch; }
    // Pixels one notch of the wheel scrolls.
    virtual float GetWheelStep() const { return m_wheelStep; }

    const cPoint& GetViewSize() const { return m_view; }
    const cPoint& GetContentSize() const { return m_content; }
    float GetScrollX() const { return m_scrollX; }
    float GetScrollY() const { return m_scrollY; }
    cScrollbar* GetHorizontalScrollbar() const { return m_horizontal.get(); }
    cScrollbar* GetVerticalScrollbar() const { return m_vertical.get(); }

private:
    void Layout();

    std::unique_ptr<cScrollbar> m_horizontal;
    std::unique_ptr<cScrollbar> m_vertical;
    cPoint m_view;
    cPoint m_content;
    float m_scrollX = 0.0f;
    float m_scrollY = 0.0f;
    bool m_leftHeld = false;
    bool m_rightHeld = false;
    bool m_upHeld = false;
    bool m_downHeld = false;
    float m_wheelStep = kWheelStep;
};

} // namespace Korva
