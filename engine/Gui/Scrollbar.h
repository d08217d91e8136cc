#pragma once

#include "engine/Gui/Button.h"
#include "engine/Gui/Widget.h"

#include <memory>
#include <vector>

namespace Korva
{

class cScrollbar;
class cSprite;

class cScrollbarListener
{
public:
    virtual ~cScrollbarListener() = default;
    virtual void OnBackPressed(cScrollbar* scrollbar) { (void)scrollbar; }
    virtual void OnForwardPressed(cScrollbar* scrollbar) { (void)scrollbar; }
    virtual void OnBackReleased(cScrollbar* scrollbar) { (void)scrollbar; }
    virtual void OnForwardReleased(cScrollbar* scrollbar) { (void)scrollbar; }
    virtual void OnValueChanged(float value, cScrollbar* scrollbar)
    {
        (void)value, (void)scrollbar;
    }
};

// A scrollbar: an arrow button at each end and a thumb between them whose
// position is the value (0..1) and whose length is the page size (0..1) of
// the track. The arrows are squares as wide as the bar is thick.
class cScrollbar : public cWidget, public cWidgetListener, public cButtonListener
{
public:
    cScrollbar(cGUI& gui, bool vertical);
    ~cScrollbar() override;

    void SetSize(const cPoint& size) override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnMouseDown(const cMouseEvent& event, bool handled) override;
    virtual void DrawTrack(int x, int y);
    virtual void DrawThumb(int x, int y);

    using cWidget::AddListener;
    void AddListener(cScrollbarListener* listener);

    void SetValue(float value, bool notify);
    float GetValue() const { return m_value; }
    void SetPageSize(float size);
    float GetPageSize() const { return m_pageSize; }
    // How far one notch of the wheel moves the value (0 or less: the bar
    // leaves the wheel to its parent, as a scroll panel's bars do, so the
    // panel scrolls by pixels). A tenth of the range by default.
    void SetWheelStep(float valuePerNotch) { m_wheelStep = valuePerNotch; }
    float GetWheelStep() const { return m_wheelStep; }
    // Turning away from the player moves towards the start; with a whole
    // page shown there is nothing to scroll and the wheel goes on up.
    bool OnMouseWheel(const cMouseEvent& event) override;
    bool IsVertical() const { return m_vertical; }

    cButton& GetBackButton() { return *m_back; }
    cButton& GetForwardButton() { return *m_forward; }
    cButton& GetThumb() { return *m_thumb; }

    // The track sprite; the arrows get it too.
    void SetSprite(cSprite* sprite);
    void SetTrackFrames(int32_t start, int32_t middle, int32_t end);
    // Start cap, middle and end cap of the thumb in one button state.
    void SetThumbFrames(int32_t state, int32_t start, int32_t middle, int32_t end);
    void SetBevel(bool on);

    // cWidgetListener, of the thumb
    void OnMouseDown(const cMouseEvent& event, cWidget* widget) override;
    void OnMouseUp(const cMouseEvent& event, cWidget* widget) override;
    void OnMouseMove(const cMouseEvent& event, cWidget* widget) override;
    // cButtonListener, of the arrows
    void OnPressed(const cMouseEvent& event, cButton* button) override;
    void OnReleased(const cMouseEvent& event, cButton* button) override;

    int32_t GetThickness() const;
    int32_t GetTrackLength() const;
    int32_t GetThumbLength() const;
    // Thumb's offset along the bar from the bar's start.
    int32_t GetThumbOffset() const;

    using cWidget::OnMouseMove;
    using cWidget::OnMouseUp;

private:
    void Layout();
    void PlaceThumb();
    void SetFromOffset(int32_t offset);
    void DrawBand(int x, int y, int32_t from, int32_t length, const int32_t frames[3]);

    bool m_vertical;
    std::vector<cScrollbarListener*> m_scrollListeners;
    std::unique_ptr<cButton> m_back;
    std::unique_ptr<cButton> m_forward;
    std::unique_ptr<cButton> m_thumb;
    float m_value = 0.0f;
    float m_pageSize = 1.0f;
    float m_wheelStep = 0.1f;
    cSprite* m_sprite = nullptr;
    int32_t m_trackFrames[3] = {-1, -1, -1};
    int32_t m_thumbFrames[3][3] = {{-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}};
    bool m_draggingThumb = false;
    cPoint m_grab;
};

} // namespace Korva
