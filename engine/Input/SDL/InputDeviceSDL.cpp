#include "engine/Input/SDL/InputDeviceSDL.h"

#include "engine/Core/Log.h"
#include "engine/Core/SDL/CoreSDL.h"

namespace Korva
{

namespace
{
// Keys whose engine code names a place on the keyboard rather than a
// character: the digit row, the key left of 1, and the function, editing,
// moving, modifier and keypad keys. They are found by scancode, so every
// layout reaches them (a French keyboard's digit row types "&" or "é").
// -1 for the keys that name a character.
int32_t EngineKeyFromPlace(SDL_Scancode scancode)
{
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return kKey1 + (scancode - SDL_SCANCODE_1);
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
        return kKeyF1 + (scancode - SDL_SCANCODE_F1);
    switch (scancode)
    {
    case SDL_SCANCODE_0:
        return kKey0;
    case SDL_SCANCODE_GRAVE:
        return kKeyGrave;
    case SDL_SCANCODE_ESCAPE:
        return kKeyEscape;
    case SDL_SCANCODE_BACKSPACE:
        return kKeyBackspace;
    case SDL_SCANCODE_TAB:
        return kKeyTab;
    case SDL_SCANCODE_CAPSLOCK:
        return kKeyCapsLock;
    case SDL_SCANCODE_RETURN:
    // Windows reports the keypad's Enter as the same key as the main one.
    case SDL_SCANCODE_KP_ENTER:
        return kKeyEnter;
    case SDL_SCANCODE_LSHIFT:
        return kKeyLeftShift;
    case SDL_SCANCODE_RSHIFT:
        return kKeyRightShift;
    case SDL_SCANCODE_LCTRL:
        return kKeyLeftControl;
    case SDL_SCANCODE_RCTRL:
        return kKeyRightControl;
    case SDL_SCANCODE_LALT:
        return kKeyLeftAlt;
    case SDL_SCANCODE_RALT:
        return kKeyRightAlt;
    case SDL_SCANCODE_LGUI:
        return kKeyLeftWindows;
    case SDL_SCANCODE_RGUI:
        return kKeyRightWindows;
    case SDL_SCANCODE_SPACE:
        return kKeySpace;
    case SDL_SCANCODE_INSERT:
        return kKeyInsert;
    case SDL_SCANCODE_HOME:
        return kKeyHome;
    case SDL_SCANCODE_PAGEUP:
        return kKeyPageUp;
    case SDL_SCANCODE_DELETE:
        return kKeyDelete;
    case SDL_SCANCODE_END:
        return kKeyEnd;
    case SDL_SCANCODE_PAGEDOWN:
        return kKeyPageDown;
    case SDL_SCANCODE_UP:
        return kKeyUp;
    case SDL_SCANCODE_LEFT:
        return kKeyLeft;
    case SDL_SCANCODE_DOWN:
        return kKeyDown;
    case SDL_SCANCODE_RIGHT:
        return kKeyRight;
    case SDL_SCANCODE_NUMLOCKCLEAR:
        return kKeyNumLock;
    case SDL_SCANCODE_KP_DIVIDE:
        return kKeyPadDivide;
    case SDL_SCANCODE_KP_MULTIPLY:
        return kKeyPadMultiply;
    case SDL_SCANCODE_KP_MINUS:
        return kKeyPadSubtract;
    case SDL_SCANCODE_KP_7:
    case SDL_SCANCODE_KP_8:
    case SDL_SCANCODE_KP_9:
        return kKeyPad7 + (scancode - SDL_SCANCODE_KP_7);
    case SDL_SCANCODE_KP_PLUS:
        return kKeyPadAdd;
    case SDL_SCANCODE_KP_4:
    case SDL_SCANCODE_KP_5:
    case SDL_SCANCODE_KP_6:
        return kKeyPad4 + (scancode - SDL_SCANCODE_KP_4);
    case SDL_SCANCODE_KP_1:
    case SDL_SCANCODE_KP_2:
    case SDL_SCANCODE_KP_3:
        return kKeyPad1 + (scancode - SDL_SCANCODE_KP_1);
    case SDL_SCANCODE_KP_0:
        return kKeyPad0;
    case SDL_SCANCODE_KP_PERIOD:
        return kKeyPadDecimal;
    default:
        return -1;
    }
}

// The same keys by their symbol, for events that carry no scancode.
SDL_Scancode PlaceOfSymbol(SDL_Keycode sym)
{
    if (sym >= SDLK_0 && sym <= SDLK_9)
        return sym == SDLK_0 ? SDL_SCANCODE_0
                             : static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (sym - SDLK_1));
    // Outside the printable characters SDL's key codes are scancodes.
    if ((sym & SDLK_SCANCODE_MASK) != 0)
        return static_cast<SDL_Scancode>(sym & ~SDLK_SCANCODE_MASK);
    switch (sym)
    {
    case SDLK_BACKQUOTE:
        return SDL_SCANCODE_GRAVE;
    case SDLK_ESCAPE:
        return SDL_SCANCODE_ESCAPE;
    case SDLK_BACKSPACE:
        return SDL_SCANCODE_BACKSPACE;
    case SDLK_TAB:
        return SDL_SCANCODE_TAB;
    case SDLK_RETURN:
        return SDL_SCANCODE_RETURN;
    case SDLK_SPACE:
        return SDL_SCANCODE_SPACE;
    case SDLK_DELETE:
        return SDL_SCANCODE_DELETE;
    default:
        return SDL_SCANCODE_UNKNOWN;
    }
}

// The punctuation keys: their symbol, their place on a US keyboard and the
// engine's key.
struct sCharacterKey
{
    SDL_Keycode symbol;
    SDL_Scancode place;
    int32_t key;
};
constexpr sCharacterKey kCharacterKeys[] = {
    {SDLK_MINUS, SDL_SCANCODE_MINUS, kKeyMinus},
    {SDLK_EQUALS, SDL_SCANCODE_EQUALS, kKeyEquals},
    {SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, kKeyLeftBracket},
    {SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, kKeyRightBracket},
    {SDLK_BACKSLASH, SDL_SCANCODE_BACKSLASH, kKeyBackslash},
    {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, kKeySemicolon},
    {SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, kKeyApostrophe},
    {SDLK_COMMA, SDL_SCANCODE_COMMA, kKeyComma},
    {SDLK_PERIOD, SDL_SCANCODE_PERIOD, kKeyPeriod},
    {SDLK_SLASH, SDL_SCANCODE_SLASH, kKeySlash},
};

// Keys that name a character, by the character the layout gives them.
int32_t EngineKeyFromCharacter(SDL_Keycode sym)
{
    // Letters follow the keyboard rows, not the alphabet.
    if (sym >= SDLK_a && sym <= SDLK_z)
        return KeyOfLetter(static_cast<char>(sym));
    for (const sCharacterKey& entry : kCharacterKeys)
        if (entry.symbol == sym)
            return entry.key;
    return -1;
}

// The character keys by the character the US layout gives their place, for
// symbols the table does not know (an umlaut on the semicolon key).
int32_t EngineKeyFromUsPlace(SDL_Scancode scancode)
{
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return KeyOfLetter(static_cast<char>('a' + (scancode - SDL_SCANCODE_A)));
    for (const sCharacterKey& entry : kCharacterKeys)
        if (entry.place == scancode)
            return entry.key;
    return -1;
}
} // namespace

int32_t EngineKeyFromSDL(SDL_Keycode sym, SDL_Scancode scancode)
{
    if (scancode == SDL_SCANCODE_UNKNOWN)
        scancode = PlaceOfSymbol(sym);
    if (const int32_t key = EngineKeyFromPlace(scancode); key >= 0)
        return key;
    if (const int32_t key = EngineKeyFromCharacter(sym); key >= 0)
        return key;
    // A layout may give a key a symbol the table does not know: fall back to
    // where the key sits.
    if (sym == SDLK_UNKNOWN || sym >= 128)
        if (const int32_t key = EngineKeyFromUsPlace(scancode); key >= 0)
            return key;
    return kKeyOther;
}

cInputDeviceSDL::cInputDeviceSDL(cDisplay* display, bool attach)
    : m_display(display), m_attached(attach)
{
    cLog::Get().WriteDefault("--- Creating input device (SDL) ---\n");
    m_held.fill(-1);
    SetRepeatDelay(0.5f);
    SetRepeatRate(30.0f);
    if (m_attached)
    {
        if (m_display)
        {
            m_display->AddInputDevice(this);
            m_display->AddListener(this);
        }
        else
        {
            cCoreSDL::Get().AddPlatformMessageHandler(this);
        }
        cCore::Get().AddListener(this);
    }
    // Typed characters come from SDL's text input, which a window may not
    // have switched on yet.
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_StartTextInput();
}

cInputDeviceSDL::~cInputDeviceSDL()
{
    if (!m_attached)
        return;
    if (m_display)
    {
        m_display->RemoveInputDevice(this);
        m_display->RemoveListener(this);
    }
    if (cCore::Exists())
    {
        if (!m_display)
            cCoreSDL::Get().RemovePlatformMessageHandler(this);
        cCore::Get().RemoveListener(this);
    }
}

void cInputDeviceSDL::OnDisplayEvent(const cEvent& event)
{
    // The display is going before us: forget it rather than unregister later.
    if (event.GetType() == kDisplayEventDestroyed)
        m_display = nullptr;
}

bool cInputDeviceSDL::HandleEvent(const SDL_Event& event)
{
    switch (event.type)
    {
    case SDL_MOUSEMOTION:
    {
        // Two window positions on the same frame pixel are one position.
        const cPoint p = ToFrame(event.motion.x, event.motion.y);
        if (p.x != m_lastX || p.y != m_lastY)
        {
            m_lastX = p.x;
            m_lastY = p.y;
            QueueEvent(cMouseEvent(kMouseMove, m_lastX, m_lastY, kMouseButtonLeft));
        }
        return true;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    {
        int32_t button = 0;
        switch (event.button.button)
        {
        case SDL_BUTTON_LEFT:
            button = kMouseButtonLeft;
            break;
        case SDL_BUTTON_RIGHT:
            button = kMouseButtonRight;
            break;
        case SDL_BUTTON_MIDDLE:
            button = kMouseButtonMiddle;
            break;
        default:
            return false;
        }
        const int32_t kind = event.type == SDL_MOUSEBUTTONDOWN ? kMousePressed : kMouseReleased;
        const cPoint p = ToFrame(event.button.x, event.button.y);
        QueueEvent(cMouseEvent(kind, p.x, p.y, button));
        return true;
    }
    case SDL_MOUSEWHEEL:
    {
#if SDL_VERSION_ATLEAST(2, 0, 18)
        // Smooth wheels and touch pads turn by parts of a notch.
        float stepsX = event.wheel.preciseX;
        float stepsY = event.wheel.preciseY;
#else
        auto stepsX = static_cast<float>(event.wheel.x);
        auto stepsY = static_cast<float>(event.wheel.y);
#endif
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
        {
            stepsX = -stepsX;
            stepsY = -stepsY;
        }
        if (stepsX == 0.0f && stepsY == 0.0f)
            return true;
#if SDL_VERSION_ATLEAST(2, 26, 0)
        const cPoint p = ToFrame(event.wheel.mouseX, event.wheel.mouseY);
#else
        const cPoint p(m_lastX, m_lastY);
#endif
        QueueEvent(cMouseEvent::Wheel(p.x, p.y, stepsX, stepsY));
        return true;
    }
    case SDL_KEYDOWN:
    {
        const SDL_Scancode scancode = event.key.keysym.scancode;
        if (scancode < 0 || scancode >= SDL_NUM_SCANCODES)
            return true;
        // SDL's own repeats are ignored: the device makes its own.
        if (event.key.repeat || m_held[scancode] >= 0)
            return true;
        const int32_t key = EngineKeyFromSDL(event.key.keysym.sym, scancode);
        m_held[scancode] = static_cast<int16_t>(key);
        KeyPressed(key, scancode);
        return true;
    }
    case SDL_KEYUP:
    {
        const SDL_Scancode scancode = event.key.keysym.scancode;
        if (scancode < 0 || scancode >= SDL_NUM_SCANCODES || m_held[scancode] < 0)
            return true;
        const int32_t key = m_held[scancode];
        m_held[scancode] = -1;
        KeyReleased(key, scancode);
        return true;
    }
    case SDL_TEXTINPUT:
        OnText(event.text.text);
        return true;
    default:
        return false;
    }
}

cPoint cInputDeviceSDL::ToFrame(int32_t x, int32_t y) const
{
    // Without a display (tests that feed events) positions are frame pixels.
    return m_display ? m_display->WindowToFrame(cPoint(x, y)) : cPoint(x, y);
}

void cInputDeviceSDL::OnText(const char* utf8)
{
    // Characters are 8-bit: code points up to 255 pass as Latin-1, the rest
    // have no engine character and are dropped.
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    while (*p)
    {
        uint32_t code = 0;
        int extra = 0;
        if (*p < 0x80)
            code = *p;
        else if ((*p & 0xE0) == 0xC0)
        {
            code = *p & 0x1F;
            extra = 1;
        }
        else if ((*p & 0xF0) == 0xE0)
        {
            code = *p & 0x0F;
            extra = 2;
        }
        else if ((*p & 0xF8) == 0xF0)
        {
            code = *p & 0x07;
            extra = 3;
        }
        else
        {
            ++p;
            continue;
        }
        ++p;
        bool valid = true;
        for (int i = 0; i < extra; ++i)
        {
            if ((*p & 0xC0) != 0x80)
            {
                valid = false;
                break;
            }
            code = (code << 6) | (*p & 0x3F);
            ++p;
        }
        if (valid && code > 31 && code != 127 && code < 256)
            QueueEvent(
                cKeyboardEvent(kKeyChar, kKeyOther, 0, GetModifiers(), static_cast<uint8_t>(code)));
    }
}

} // namespace Korva
