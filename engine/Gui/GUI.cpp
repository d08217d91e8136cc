#include "engine/Gui/GUI.h"

#include "engine/Core/Core.h"
#include "engine/Core/Log.h"
#include "engine/Display/AnimPlayer.h"
#include "engine/Display/Sprite.h"

namespace Korva
{

cGUI::cGUI(cDisplay* display, cRenderDevice* device, cInputDevice* input)
    : m_display(display), m_device(device), m_input(input)
{
    cLog::Get().WriteDefault("--- Creating GUI ---\n");
    m_root = std::make_unique<cWidget>(*this);
    m_root->SetBackgroundFill(false);
    if (m_device)
        m_root->SetSize(cPoint(m_device->GetWidth(), m_device->GetHeight()));
    else
        m_root->SetSize(cPoint(800, 600));
    cCore::Get().AddListener(&m_tickHook);
    if (m_device)
        m_device->AddListener(&m_deviceHook);
    if (m_input)
        m_input->AddListener(this);
    if (m_display)
        m_display->AddListener(&m_displayHook);
}

cGUI::~cGUI()
{
    if (m_input)
        m_input->RemoveListener(this);
    if (m_device)
        m_device->RemoveListener(&m_deviceHook);
    if (cCore::Exists())
        cCore::Get().RemoveListener(&m_tickHook);
    if (m_display && !m_displayGone)
        m_display->RemoveListener(&m_displayHook);
    m_root.reset();
    m_cursorPlayer.reset();
}

void cGUI::SetCursorSprite(cSprite* sprite)
{
    m_cursorSprite = sprite;
    m_cursorPlayer.reset();
    if (sprite)
        m_cursorPlayer = std::make_unique<cAnimPlayer>(sprite, nullptr);
}

void cGUI::SetCursorAnimation(int index)
{
    if (m_cursorSprite && m_cursorPlayer)
        m_cursorPlayer->Play(index);
}

void cGUI::CaptureMouse(cWidget* widget)
{
    if (!m_capture)
        m_capture = widget;
}

void cGUI::ReleaseMouse(cWidget* widget)
{
    if (m_capture == widget)
        m_capture = nullptr;
}

void cGUI::SetTimeStepClamp(bool on, float minimum, float maximum)
{
    m_clampEnabled = on;
    m_clampMin = minimum;
    m_clampMax = maximum;
}

void cGUI::SetFixedTimeStep(bool on, float step)
{
    m_fixedEnabled = on;
    m_fixedStep = step;
}

void cGUI::TickHook::OnEvent(const cEvent& event)
{
    if (event.GetType() == kEventTick)
        owner.Tick(cCore::Get().GetTime());
}

void cGUI::Tick(double now)
{
    // The first tick has nothing to measure from.
    float dt = m_ticked ? static_cast<float>(now - m_previousTick) : 0.0f;
    if (dt < 0.0f)
        dt = 0.0f;
    m_previousTick = now;
    m_ticked = true;
    if (m_updateEnabled)
        Update(dt);
}

void cGUI::Update(float dt)
{
    if (m_clampEnabled)
    {
        if (dt < m_clampMin)
            dt = m_clampMin;
        if (dt > m_clampMax)
            dt = m_clampMax;
    }
    if (m_fixedEnabled)
        dt = m_fixedStep;
    m_root->Update(dt);
    if (m_cursorPlayer)
        m_cursorPlayer->Update(dt);
    m_lastTimeStep = dt;
}

void cGUI::Draw()
{
    if (!m_device)
        return;
    m_device->ResetClip();
    m_device->SetClip(m_root->GetRect());
    m_root->Draw(0, 0, true);
    m_device->ResetClip();
    if (m_cursorSprite && m_cursorPlayer)
        m_cursorSprite->DrawFrame(m_mouse.x, m_mouse.y, m_cursorPlayer->GetFrame(), 255, 1.0f,
                                  0.0f);
}

void cGUI::OnInputEvent(const cInputEvent& event)
{
    if (event.GetClass() == kInputClassMouse)
        RouteMouse(AsMouseEvent(event));
    else if (event.GetClass() == kInputClassKeyboard)
        m_root->OnKeyEvent(AsKeyboardEvent(event));
}

void cGUI::RouteMouse(const cMouseEvent& event)
{
    if (event.GetKind() == kMouseMove)
        m_mouse = cPoint(event.GetX(), event.GetY());
    // The wheel goes to what is under the pointer, a capture or not.
    if (event.GetKind() == kMouseWheel)
    {
        m_root->RouteMouseWheel(event.Translated(m_root->GetPosition().x, m_root->GetPosition().y));
        return;
    }
    if (m_capture)
    {
        cPoint offset = m_root->GetPosition();
        if (m_capture == m_root.get() || m_root->ContainsDescendant(m_capture, offset))
        {
            const cMouseEvent local = event.Translated(offset.x, offset.y);
            switch (event.GetKind())
            {
            case kMouseMove:
                m_capture->OnMouseMove(local, true);
                break;
            case kMousePressed:
                m_capture->OnMouseDown(local, true);
                break;
            case kMouseReleased:
                m_capture->OnMouseUp(local, true);
                break;
            default:
                break;
            }
            return;
        }
        // The captured widget has left the tree: forget it and route the
        // event as if there had been no capture.
        m_capture = nullptr;
    }
    switch (event.GetKind())
    {
    case kMouseMove:
        m_root->OnMouseMove(event, false);
        break;
    case kMousePressed:
        m_root->OnMouseDown(event, false);
        break;
    case kMouseReleased:
        m_root->OnMouseUp(event, false);
        break;
    default:
        break;
    }
}

void cGUI::OnDisplayEvent(const cEvent& event)
{
    if (event.GetType() == kDisplayEventDestroyed)
        m_displayGone = true;
}

void cGUI::OnDeviceEvent(const cEvent& event)
{
    if (event.GetType() == kDeviceEventDestroyed)
    {
        // Nothing more to draw with; and no device to unregister from.
        m_device = nullptr;
        return;
    }
    if (event.GetType() != kDeviceEventReset)
        return;
    if (const auto* params = dynamic_cast<const cEventParams*>(&event))
        m_root->SetSize(cPoint(params->GetParam1(), params->GetParam2()));
}

} // namespace Korva
