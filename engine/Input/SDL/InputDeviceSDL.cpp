#include "engine/Input/SDL/InputDeviceSDL.h"

#include "engine/Core/Log.h"
#include "engine/Core/SDL/CoreSDL.h"

namespace Korva
{

int32_t EngineKeyFromSDL(SDL_Keycode sym, SDL_Scancode scancode)
{
    // Letters follow the keyboard rows, not the alphabet.
    static constexpr char kRows[] = "qwertyuiop\0\0\0\0asdfghjkl\0\0\0\0zxcvbnm";
    if (sym >= SDLK_a && sym <= SDLK_z)
    {
        for (int i = 0; i < static_cast<int>(sizeof(kRows)); ++i)
            if (kRows[i] == static_cast<char>(sym))
                return kKeyQ + i;
    }
    if (sym >= SDLK_1 && sym <= SDLK_9)
        return kKey1 + (sym - SDLK_1);
    if (sym >= SDLK_F1 && sym <= SDLK_F12)
        return kKeyF1 + (sym - SDLK_F1);
    switch (sym)
    {
    case SDLK_ESCAPE:
        return kKeyEscape;
    case SDLK_BACKQUOTE:
        return kKeyGrave;
    case SDLK_0:
        return kKey0;
    case SDLK_MINUS:
        return kKeyMinus;
    case SDLK_EQUALS:
        return kKeyEquals;
    case SDLK_BACKSPACE:
        return kKeyBackspace;
    case SDLK_TAB:
        return kKeyTab;
    case SDLK_LEFTBRACKET:
        return kKeyLeftBracket;
    case SDLK_RIGHTBRACKET:
        return kKeyRightBracket;
    case SDLK_BACKSLASH:
        return kKeyBackslash;
    case SDLK_CAPSLOCK:
        return kKeyCapsLock;
    case SDLK_SEMICOLON:
        return kKeySemicolon;
    case SDLK_QUOTE:
        return kKeyApostrophe;
    case SDLK_RETURN:
        return kKeyEnter;
    // Windows reports the keypad's Enter as the same key as the main one.
    case SDLK_KP_ENTER:
        return kKeyEnter;
    case SDLK_LSHIFT:
        return kKeyLeftShift;
    case SDLK_COMMA:
        return kKeyComma;
    case SDLK_PERIOD:
        return kKeyPeriod;
    case SDLK_SLASH:
        return kKeySlash;
    case SDLK_RSHIFT:
        return kKeyRightShift;
    case SDLK_LCTRL:
        return kKeyLeftControl;
    case SDLK_LALT:
        return kKeyLeftAlt;
    case SDLK_LGUI:
        return kKeyLeftWindows;
    case SDLK_SPACE:
        return kKeySpace;
    case SDLK_RGUI:
        return kKeyRightWindows;
    case SDLK_RALT:
        return kKeyRightAlt;
    case SDLK_RCTRL:
        return kKeyRightControl;
    case SDLK_INSERT:
        return kKeyInsert;
    case SDLK_HOME:
        return kKeyHome;
    case SDLK_PAGEUP:
        return kKeyPageUp;
    case SDLK_DELETE:
        return kKeyDelete;
    case SDLK_END:
        return kKeyEnd;
    case SDLK_PAGEDOWN:
        return kKeyPageDown;
    case SDLK_UP:
        return kKeyUp;
    case SDLK_LEFT:
        return kKeyLeft;
    case SDLK_DOWN:
        return kKeyDown;
    case SDLK_RIGHT:
        return kKeyRight;
    case SDLK_NUMLOCKCLEAR:
        return kKeyNumLock;
    case SDLK_KP_DIVIDE:
        return kKeyPadDivide;
    case SDLK_KP_MULTIPLY:
        return kKeyPadMultiply;
    case SDLK_KP_MINUS:
        return kKeyPadSubtract;
    case SDLK_KP_7:
        return kKeyPad7;
    case SDLK_KP_8:
        return kKeyPad7 + 1;
    case SDLK_KP_9:
        return kKeyPad7 + 2;
    case SDLK_KP_PLUS:
        return kKeyPadAdd;
    case SDLK_KP_4:
        return kKeyPad4;
    case SDLK_KP_5:
        return kKeyPad4 + 1;
    case SDLK_KP_6:
        return kKeyPad4 + 2;
    case SDLK_KP_1:
        return kKeyPad1;
    case SDLK_KP_2:
        return kKeyPad1 + 1;
    case SDLK_KP_3:
        return kKeyPad1 + 2;
    case SDLK_KP_0:
        return kKeyPad0;
    case SDLK_KP_PERIOD:
        return kKeyPadDecimal;
    default:
        break;
    }
    // A layout may give a key a symbol the table does not know (an umlaut
    // on the semicolon key): fall back to where the key sits.
    if (sym == SDLK_UNKNOWN || sym >= 128)
    {
        if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
            return EngineKeyFromSDL(SDLK_a + (scancode - SDL_SCANCODE_A), SDL_SCANCODE_UNKNOWN);
        if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0)
            return EngineKeyFromSDL(
                scancode == SDL_SCANCODE_0 ? SDLK_0 : SDLK_1 + (scancode - SDL_SCANCODE_1),
                SDL_SCANCODE_UNKNOWN);
        switch (scancode)
        {
        case SDL_SCANCODE_GRAVE:
            return kKeyGrave;
        case SDL_SCANCODE_MINUS:
            return kKeyMinus;
        case SDL_SCANCODE_EQUALS:
            return kKeyEquals;
        case SDL_SCANCODE_LEFTBRACKET:
            return kKeyLeftBracket;
        case SDL_SCANCODE_RIGHTBRACKET:
            return kKeyRightBracket;
        case SDL_SCANCODE_BACKSLASH:
            return kKeyBackslash;
        case SDL_SCANCODE_SEMICOLON:
            return kKeySemicolon;
        case SDL_SCANCODE_APOSTROPHE:
            return kKeyApostrophe;
        case SDL_SCANCODE_COMMA:
            return kKeyComma;
        case SDL_SCANCODE_PERIOD:
            return kKeyPeriod;
        case SDL_SCANCODE_SLASH:
            return kKeySlash;
        default:
            break;
        }
    }
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
