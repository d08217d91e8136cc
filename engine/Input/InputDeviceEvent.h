#pragma once

#include <cstdint>

namespace Korva
{

// Event classes of the input device.
enum : int32_t
{
    kInputClassMouse = 0,
    kInputClassKeyboard = 1,
};

// Kinds of mouse events.
enum : int32_t
{
    kMouseMove = 0,
    kMousePressed = 1,
    kMouseReleased = 2,
    // The wheel turned; the event carries the pointer's position and the
    // notches turned (see cMouseEvent::Wheel).
    kMouseWheel = 3,
};

// Kinds of keyboard events.
enum : int32_t
{
    kKeyPressed = 0,
    kKeyRepeat = 1,
    kKeyReleased = 2,
    kKeyChar = 3,
};

// Mouse buttons as the engine numbers them.
enum : int32_t
{
    kMouseButtonLeft = 1,
    kMouseButtonRight = 2,
    kMouseButtonMiddle = 3,
};

// Modifier bits: a bit tells that the key is held, not that a lock is on.
enum : int32_t
{
    kModShift = 1,
    kModControl = 2,
    kModAlt = 4,
    kModWindows = 8,
    kModCapsLock = 16,
    kModNumLock = 32,
};

// Base of the events the input device hands to its listeners. A receiver
// converts it with AsMouseEvent / AsKeyboardEvent after looking at the class.
class cInputEvent
{
public:
    cInputEvent(int32_t eventClass, int32_t kind) : m_class(eventClass), m_kind(kind) {}
    virtual ~cInputEvent() = default;

    int32_t GetClass() const { return m_class; }
    int32_t GetKind() const { return m_kind; }
    void SetKind(int32_t kind) { m_kind = kind; }

protected:
    cInputEvent(const cInputEvent&) = default;
    cInputEvent& operator=(const cInputEvent&) = default;

private:
    int32_t m_class;
    int32_t m_kind;
};

class cMouseEvent : public cInputEvent
{
public:
    cMouseEvent(int32_t kind = kMouseMove, int32_t x = 0, int32_t y = 0,
                int32_t button = kMouseButtonLeft)
        : cInputEvent(kInputClassMouse, kind), m_x(x), m_y(y), m_button(button)
    {
    }
    cMouseEvent(const cMouseEvent&) = default;
    cMouseEvent& operator=(const cMouseEvent&) = default;

    // The wheel turned with the pointer at (x, y): `stepsY` notches away
    // from the player (negative: towards), `stepsX` to the right; fractions
    // come from wheels and touch pads that scroll smoothly.
    static cMouseEvent Wheel(int32_t x, int32_t y, float stepsX, float stepsY)
    {
        cMouseEvent event(kMouseWheel, x, y, 0);
        event.m_wheelX = stepsX;
        event.m_wheelY = stepsY;
        return event;
    }

    int32_t GetX() const { return m_x; }
    int32_t GetY() const { return m_y; }
    int32_t GetButton() const { return m_button; }
    float GetWheelX() const { return m_wheelX; }
    float GetWheelY() const { return m_wheelY; }
    void SetPosition(int32_t x, int32_t y)
    {
        m_x = x;
        m_y = y;
    }
    // The same event seen from a widget whose origin is at (dx, dy).
    cMouseEvent Translated(int32_t dx, int32_t dy) const
    {
        cMouseEvent copy(*this);
        copy.m_x -= dx;
        copy.m_y -= dy;
        return copy;
    }

private:
    int32_t m_x;
    int32_t m_y;
    int32_t m_button;
    float m_wheelX = 0.0f;
    float m_wheelY = 0.0f;
};

class cKeyboardEvent : public cInputEvent
{
public:
    cKeyboardEvent(int32_t kind = kKeyPressed, int32_t key = 100, int32_t platformKey = 0,
                   int32_t modifiers = 0, uint8_t character = 0)
        : cInputEvent(kInputClassKeyboard, kind), m_key(key), m_platformKey(platformKey),
          m_modifiers(modifiers), m_character(character)
    {
    }
    cKeyboardEvent(const cKeyboardEvent&) = default;
    cKeyboardEvent& operator=(const cKeyboardEvent&) = default;

    int32_t GetKey() const { return m_key; }
    int32_t GetPlatformKey() const { return m_platformKey; }
    int32_t GetModifiers() const { return m_modifiers; }
    uint8_t GetCharacter() const { return m_character; }

private:
    int32_t m_key;
    int32_t m_platformKey;
    int32_t m_modifiers;
    uint8_t m_character;
};

// Raise "Can't convert event into wrong event class." for the wrong class.
const cMouseEvent& AsMouseEvent(const cInputEvent& event);
const cKeyboardEvent& AsKeyboardEvent(const cInputEvent& event);

// Receives every event of the input devices it is registered with.
class cInputListener
{
public:
    virtual ~cInputListener() = default;
    virtual void OnInputEvent(const cInputEvent& event) { (void)event; }
};

} // namespace Korva
