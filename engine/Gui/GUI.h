#pragma once

#include "engine/Core/Event.h"
#include "engine/Display/Display.h"
#include "engine/Display/Point.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Gui/Widget.h"
#include "engine/Input/InputDevice.h"

#include <memory>

namespace Korva
{

class cAnimPlayer;
class cFont;
class cSprite;

// The GUI manager: owns the root widget (the size of the display), routes
// the input device's events down the tree, updates the tree on every
// application tick and draws it, with the mouse cursor last. One per program.
class cGUI : public cInputListener
{
public:
    // Any of the three may be null (a GUI without a window, for tests and
    // tools): then nothing is drawn or nothing is received from it.
    cGUI(cDisplay* display, cRenderDevice* device, cInputDevice* input);
    ~cGUI() override;
    cGUI(const cGUI&) = delete;
    cGUI& operator=(const cGUI&) = delete;

    cWidget& GetRoot() { return *m_root; }
    cRenderDevice* GetRenderDevice() const { return m_device; }
    cInputDevice* GetInputDevice() const { return m_input; }

    void SetCursorSprite(cSprite* sprite);
    cSprite* GetCursorSprite() const { return m_cursorSprite; }
    void SetCursorAnimation(int index);

    // The first widget to capture the mouse gets every mouse event until it
    // releases it.
    void CaptureMouse(cWidget* widget);
    void ReleaseMouse(cWidget* widget);
    cWidget* GetCapture() const { return m_capture; }

    void SetUpdateEnabled(bool on) { m_updateEnabled = on; }
    void SetTimeStepClamp(bool on, float minimum, float maximum);
    void SetFixedTimeStep(bool on, float step);
    float GetLastTimeStep() const { return m_lastTimeStep; }
    const cPoint& GetMousePosition() const { return m_mouse; }
    float GetDoubleClickTime() const { return m_doubleClickTime; }
    void SetDoubleClickTime(float seconds) { m_doubleClickTime = seconds; }
    // Buttons and text widgets without a font of their own use this one;
    // without it they draw no text.
    cFont* GetDefaultFont() const { return m_defaultFont; }
    void SetDefaultFont(cFont* font) { m_defaultFont = font; }

    // The application's tick at time `now` (seconds).
    void Tick(double now);
    void Update(float dt);
    void Draw();

    void OnInputEvent(const cInputEvent& event) override;
    void OnDisplayEvent(const cEvent& event);
    void OnDeviceEvent(const cEvent& event);

private:
    struct TickHook : cEventListener
    {
        explicit TickHook(cGUI& gui) : owner(gui) {}
        void OnEvent(const cEvent& event) override;
        cGUI& owner;
    };
    struct DeviceHook : cRenderDeviceListener
    {
        explicit DeviceHook(cGUI& gui) : owner(gui) {}
        void OnDeviceEvent(const cEvent& event) override { owner.OnDeviceEvent(event); }
        cGUI& owner;
    };

    struct DisplayHook : cDisplayListener
    {
        explicit DisplayHook(cGUI& gui) : owner(gui) {}
        void OnDisplayEvent(const cEvent& event) override { owner.OnDisplayEvent(event); }
        cGUI& owner;
    };

    void RouteMouse(const cMouseEvent& event);

    cDisplay* m_display;
    cRenderDevice* m_device;
    cInputDevice* m_input;
    TickHook m_tickHook{*this};
    DeviceHook m_deviceHook{*this};
    DisplayHook m_displayHook{*this};
    bool m_updateEnabled = true;
    bool m_displayGone = false;
    bool m_clampEnabled = false;
    float m_clampMin = 0.0f;
    float m_clampMax = 0.1f;
    bool m_fixedEnabled = false;
    float m_fixedStep = 0.01f;
    float m_lastTimeStep = 0.0f;
    double m_previousTick = 0.0;
    bool m_ticked = false;
    cSprite* m_cursorSprite = nullptr;
    std::unique_ptr<cAnimPlayer> m_cursorPlayer;
    float m_doubleClickTime = 0.75f;
    cPoint m_mouse;
    cWidget* m_capture = nullptr;
    cFont* m_defaultFont = nullptr;
    std::unique_ptr<cWidget> m_root;
};

} // namespace Korva
