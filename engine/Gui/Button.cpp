#include "engine/Gui/Button.h"

#include "engine/Display/Font.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "engine/Sound/SoundResource.h"

#include <algorithm>

namespace Korva
{

void PlaySoundResource(cResource* sound)
{
    auto* resource = dynamic_cast<cSoundResource*>(sound);
    if (!resource)
        return;
    if (cSound* playable = resource->GetSound())
        playable->Play();
}

cButton::cButton(cGUI& gui) : cWidget(gui) {}

void cButton::AddListener(cButtonListener* listener)
{
    if (listener)
        m_buttonListeners.push_back(listener);
}

void cButton::RemoveListener(cButtonListener* listener)
{
    m_buttonListeners.erase(
        std::remove(m_buttonListeners.begin(), m_buttonListeners.end(), listener),
        m_buttonListeners.end());
}

void cButton::SetFrames(int32_t normal, int32_t hover, int32_t pressed)
{
    m_frameNormal = normal;
    m_frameHover = hover;
    m_framePressed = pressed;
}

void cButton::SetInsets(int32_t left, int32_t right, int32_t top, int32_t bottom)
{
    m_insetLeft = left;
    m_insetRight = right;
    m_insetTop = top;
    m_insetBottom = bottom;
}

void cButton::SetBevelColors(const cColor& light, const cColor& dark)
{
    m_light = light;
    m_dark = dark;
}

int32_t cButton::GetState() const
{
    if (m_pressed)
        return kButtonPressed;
    return IsMouseInside() ? kButtonHover : kButtonNormal;
}

void cButton::OnMouseEnter(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseEnter(event, handled);
    if (!m_pressed)
        PlaySoundResource(m_hoverSound);
}

void cButton::OnMouseDown(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseDown(event, handled);
    m_pressed = true;
    m_gui.CaptureMouse(this);
    PlaySoundResource(m_pressSound);
    for (size_t i = 0; i < m_buttonListeners.size(); ++i)
        m_buttonListeners[i]->OnPressed(event, this);
}

void cButton::OnMouseUp(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseUp(event, handled);
    if (!m_pressed)
        return;
    // Cleared before the listeners hear of it: a click handler may close the
    // whole panel (and with it this button).
    m_pressed = false;
    m_gui.ReleaseMouse(this);
    const bool inside = ContainsPoint(cPoint(event.GetX(), event.GetY()));
    for (size_t i = 0; i < m_buttonListeners.size(); ++i)
        m_buttonListeners[i]->OnReleased(event, this);
    if (inside)
        for (size_t i = 0; i < m_buttonListeners.size(); ++i)
            m_buttonListeners[i]->OnClicked(event, this);
}

void cButton::Draw(int x, int y, bool drawChildren)
{
    cRenderDevice* device = m_gui.GetRenderDevice();
    if (device)
    {
        const cRect rect(x + GetPosition().x, y + GetPosition().y, GetWidth(), GetHeight());
        if (!m_sprite)
        {
            cWidget::Draw(x, y, false);
        }
        else
        {
            const int32_t frame =
                m_pressed ? m_framePressed : (IsMouseInside() ? m_frameHover : m_frameNormal);
            m_sprite->DrawFrame(rect.x, rect.y, frame, 255, 1.0f, 0.0f);
        }
        if (m_bevel)
        {
            const cColor& topLeft = m_pressed ? m_dark : m_light;
            const cColor& bottomRight = m_pressed ? m_light : m_dark;
            const int32_t right = rect.x + rect.width - 1;
            const int32_t bottom = rect.y + rect.height - 1;
            for (int32_t i = 0; i < 2; ++i)
            {
                device->DrawLine(cPoint(rect.x + i, rect.y + i), cPoint(right - i, rect.y + i),
                                 topLeft);
                device->DrawLine(cPoint(rect.x + i, rect.y + i), cPoint(rect.x + i, bottom - i),
                                 topLeft);
                device->DrawLine(cPoint(rect.x + i, bottom - i), cPoint(right - i + 1, bottom - i),
                                 bottomRight);
                device->DrawLine(cPoint(right - i, rect.y + i), cPoint(right - i, bottom - i),
                                 bottomRight);
            }
        }
        cFont* font = m_font ? m_font : m_gui.GetDefaultFont();
        if (!m_text.empty() && font)
        {
            device->PushClip();
            const bool wasClipping = device->IsClipEnabled();
            device->SetClip(cRect(rect.x + m_insetLeft, rect.y + m_insetTop,
                                  rect.width - m_insetLeft - m_insetRight,
                                  rect.height - m_insetTop - m_insetBottom));
            font->DrawText(
                cPoint(rect.x + rect.width / 2, rect.y + rect.height / 2 - font->GetHeight() / 2),
                m_text, m_textColor, 1);
            device->PopClip();
            if (!wasClipping)
                device->ResetClip();
        }
    }
    if (drawChildren)
        DrawChildren(x, y);
}

} // namespace Korva
