#pragma once

#include "engine/Gui/Widget.h"

#include <string>
#include <vector>

namespace Korva
{

class cButton;
class cFont;
class cResource;
class cSprite;

class cButtonListener
{
public:
    virtual ~cButtonListener() = default;
    virtual void OnPressed(const cMouseEvent& event, cButton* button) { (void)event, (void)button; }
    virtual void OnReleased(const cMouseEvent& event, cButton* button)
    {
        (void)event, (void)button;
    }
    virtual void OnClicked(const cMouseEvent& event, cButton* button) { (void)event, (void)button; }
    // Reserved for controls that repeat while held; no engine widget raises it.
    virtual void OnHeld(const cMouseEvent& event, cButton* button) { (void)event, (void)button; }
};

// Button states, as GetState gives them.
enum : int32_t
{
    kButtonNormal = 0,
    kButtonHover = 1,
    kButtonPressed = 2,
};

// The push button every button of the game is made of. A press captures the
// mouse until the release; a click is a press and a release both inside.
class cButton : public cWidget
{
public:
    explicit cButton(cGUI& gui);

    void OnMouseEnter(const cMouseEvent& event, bool handled) override;
    void OnMouseDown(const cMouseEvent& event, bool handled) override;
    void OnMouseUp(const cMouseEvent& event, bool handled) override;
    void Draw(int x, int y, bool drawChildren) override;

    using cWidget::AddListener;
    void AddListener(cButtonListener* listener);
    void RemoveListener(cButtonListener* listener);

    void SetSprite(cSprite* sprite) { m_sprite = sprite; }
    void SetFrames(int32_t normal, int32_t hover, int32_t pressed);
    // Sound resources played from the start on hover and on press; null is
    // silent.
    void SetHoverSound(cResource* sound) { m_hoverSound = sound; }
    void SetPressSound(cResource* sound) { m_pressSound = sound; }
    void SetText(const std::string& text) { m_text = text; }
    const std::string& GetText() const { return m_text; }
    void SetTextColor(const cColor& color) { m_textColor = color; }
    void SetFont(cFont* font) { m_font = font; }
    void SetInsets(int32_t left, int32_t right, int32_t top, int32_t bottom);
    void SetBevel(bool on) { m_bevel = on; }
    void SetBevelColors(const cColor& light, const cColor& dark);

    int32_t GetState() const;
    bool IsPressed() const { return m_pressed; }

private:
    std::vector<cButtonListener*> m_buttonListeners;
    bool m_bevel = true;
    cColor m_light{255, 255, 255, 128};
    cColor m_dark{0, 0, 0, 128};
    std::string m_text;
    cColor m_textColor{0, 0, 0, 255};
    cFont* m_font = nullptr;
    int32_t m_insetLeft = 0;
    int32_t m_insetRight = 0;
    int32_t m_insetTop = 0;
    int32_t m_insetBottom = 0;
    cSprite* m_sprite = nullptr;
    int32_t m_frameNormal = -1;
    int32_t m_frameHover = -1;
    int32_t m_framePressed = -1;
    cResource* m_hoverSound = nullptr;
    cResource* m_pressSound = nullptr;
    bool m_pressed = false;
};

// Starts a new playback of a sound resource; nothing for null or a resource
// that is not a sound.
void PlaySoundResource(cResource* sound);

} // namespace Korva
