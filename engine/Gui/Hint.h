#pragma once

#include "engine/Display/Color.h"
#include "engine/Display/Point.h"

#include <cstdint>

namespace Korva
{

class cFont;
class cWidget;

// The one-line hint a screen shows for the control under the mouse: the
// control's mouse-enter shows it (the control becomes its owner), its
// mouse-leave hides it again, and the line fades in and out.
class cHint
{
public:
    static constexpr int kMaxLength = 255;

    cHint(float fadeIn = 1500.0f, float fadeOut = 1000.0f) : m_fadeIn(fadeIn), m_fadeOut(fadeOut) {}

    // Copies at most 255 characters; no allocation.
    void Show(const char* text, cWidget* owner);
    // Hides only a hint that `owner` showed.
    void Hide(cWidget* owner);
    void HideAny();
    void Update(float dt);
    // Centred at `centre` in (240, 240, 0) with the faded alpha; nothing when
    // `enabled` is off (the "ShowHints" option), without a font, or while
    // fully faded out.
    void Draw(const cFont* font, const cPoint& centre, bool enabled) const;

    const char* GetText() const { return m_text; }
    bool IsVisible() const { return m_visible; }
    cWidget* GetOwner() const { return m_owner; }
    float GetAlpha() const { return m_alpha; }

private:
    char m_text[kMaxLength + 1] = {};
    bool m_visible = false;
    cWidget* m_owner = nullptr;
    float m_alpha = 0.0f;
    float m_fadeIn;
    float m_fadeOut;
};

} // namespace Korva
