#include "engine/Core/Core.h"
#include "engine/Core/Exception.h"
#include "engine/Input/SDL/InputDeviceSDL.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Korva;

namespace
{

struct Recorded
{
    int32_t eventClass;
    int32_t kind;
    int32_t a; // x or key
    int32_t b; // y or character
    int32_t c; // button or modifiers
};

class cRecorder : public cInputListener
{
public:
    void OnInputEvent(const cInputEvent& event) override
    {
        if (event.GetClass() == kInputClassMouse)
        {
            const cMouseEvent& m = AsMouseEvent(event);
            events.push_back({0, m.GetKind(), m.GetX(), m.GetY(), m.GetButton()});
            wheels.push_back({m.GetWheelX(), m.GetWheelY()});
        }
        else
        {
            const cKeyboardEvent& k = AsKeyboardEvent(event);
            events.push_back({1, k.GetKind(), k.GetKey(), k.GetCharacter(), k.GetModifiers()});
        }
    }
    int Count(int32_t eventClass, int32_t kind) const
    {
        int n = 0;
        for (const Recorded& r : events)
            n += r.eventClass == eventClass && r.kind == kind;
        return n;
    }
    std::vector<Recorded> events;
    // The wheel steps of each mouse event, in order.
    std::vector<std::pair<float, float>> wheels;
};

// Synthetic events go through SDL's own queue, so the device sees exactly
// what a real window would hand it.
class InputDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        device.AddListener(&recorder);
    }
    void TearDown() override { SDL_Quit(); }

    void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
    void Key(bool down, SDL_Keycode sym, SDL_Scancode scancode)
    {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = scancode;
        Push(e);
    }
    void Text(const char* text)
    {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        SDL_strlcpy(e.text.text, text, sizeof(e.text.text));
        Push(e);
    }
    void Mouse(Uint32 type, int x, int y, Uint8 button = 0)
    {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_MOUSEMOTION)
        {
            e.motion.x = x;
            e.motion.y = y;
        }
        else
        {
            e.button.x = x;
            e.button.y = y;
            e.button.button = button;
        }
        Push(e);
    }
    // Pumps SDL's queue into the device, then runs a tick at `now`.
    void Tick(double now)
    {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            device.HandleEvent(e);
        device.Tick(now);
    }

    cInputDeviceSDL device{nullptr, false};
    cRecorder recorder;
};

TEST_F(InputDeviceTest, HeldKeyRepeatsAfterDelayAtRate)
{
    device.SetRepeatDelay(0.5f);
    device.SetRepeatRate(10.0f);
    Tick(0.0);
    Key(true, SDLK_LEFT, SDL_SCANCODE_LEFT);
    Tick(1.0);
    ASSERT_EQ(recorder.Count(1, kKeyPressed), 1);
    EXPECT_EQ(recorder.events[0].a, kKeyLeft);
    EXPECT_TRUE(device.IsKeyDown(kKeyLeft));

    Tick(1.25);
    Tick(1.49);
    EXPECT_EQ(recorder.Count(1, kKeyRepeat), 0);
    Tick(1.51);
    EXPECT_EQ(recorder.Count(1, kKeyRepeat), 1);
    Tick(1.55);
    EXPECT_EQ(recorder.Count(1, kKeyRepeat), 1);
    Tick(1.61);
    EXPECT_EQ(recorder.Count(1, kKeyRepeat), 2);
    // A stall of 0.35 s catches up in one tick.
    Tick(1.96);
    EXPECT_EQ(recorder.Count(1, kKeyRepeat), 5);
    EXPECT_EQ(recorder.events.back().a, kKeyLeft);

    Key(false, SDLK_LEFT, SDL_SCANCODE_LEFT);
    Tick(2.0);
    EXPECT_EQ(recorder.Count(1, kKeyReleased), 1);
    EXPECT_FALSE(device.IsKeyDown(kKeyLeft));
    Tick(3.0);
    EXPECT_EQ(recorder.Count(1, kKeyRepeat), 5);
}

TEST_F(InputDeviceTest, ReleasingAnotherKeyKeepsTheRepeatAndSDLRepeatsAreIgnored)
{
    device.SetRepeatDelay(0.5f);
    device.SetRepeatRate(10.0f);
    Tick(0.0);
    Key(true, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
    Key(true, SDLK_RIGHT, SDL_SCANCODE_RIGHT);
    SDL_Event sdlRepeat{};
    sdlRepeat.type = SDL_KEYDOWN;
    sdlRepeat.key.keysym.sym = SDLK_RIGHT;
    sdlRepeat.key.keysym.scancode = SDL_SCANCODE_RIGHT;
    sdlRepeat.key.repeat = 1;
    Push(sdlRepeat);
    Tick(0.1);
    EXPECT_EQ(recorder.Count(1, kKeyPressed), 2);
    // Shift was held when Right went down.
    EXPECT_EQ(recorder.events[1].c & kModShift, kModShift);
    Key(false, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
    Tick(0.2);
    Tick(0.65);
    EXPECT_EQ(recorder.Count(1, kKeyRepeat), 1);
    EXPECT_EQ(recorder.events.back().a, kKeyRight);
    EXPECT_EQ(recorder.events.back().c & kModShift, kModShift);
}

TEST_F(InputDeviceTest, TypingAGivesKeyCharacterAndRelease)
{
    Tick(0.0);
    Key(true, SDLK_a, SDL_SCANCODE_A);
    Text("a");
    Key(false, SDLK_a, SDL_SCANCODE_A);
    Tick(0.01);
    ASSERT_EQ(recorder.events.size(), 3u);
    EXPECT_EQ(recorder.events[0].kind, kKeyPressed);
    EXPECT_EQ(recorder.events[0].a, 42);
    EXPECT_EQ(recorder.events[1].kind, kKeyChar);
    EXPECT_EQ(recorder.events[1].b, 97);
    EXPECT_EQ(recorder.events[2].kind, kKeyReleased);
    EXPECT_EQ(recorder.events[2].a, 42);
}

TEST_F(InputDeviceTest, KeyTableMapping)
{
    EXPECT_EQ(EngineKeyFromSDL(SDLK_MINUS, SDL_SCANCODE_MINUS), 24);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN), 100);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_q, SDL_SCANCODE_Q), 28);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_p, SDL_SCANCODE_P), 37);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_l, SDL_SCANCODE_L), 50);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_z, SDL_SCANCODE_Z), 55);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_m, SDL_SCANCODE_M), 61);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_9, SDL_SCANCODE_9), 22);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_0, SDL_SCANCODE_0), 23);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_F12, SDL_SCANCODE_F12), 12);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), kKeyEnter);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_KP_9, SDL_SCANCODE_KP_9), 89);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_KP_0, SDL_SCANCODE_KP_0), 98);
    // A German layout puts an umlaut on the semicolon key.
    EXPECT_EQ(EngineKeyFromSDL(0xF6, SDL_SCANCODE_SEMICOLON), kKeySemicolon);
}

TEST_F(InputDeviceTest, PlacesGoByScancodeAndLettersBySymbol)
{
    // A French keyboard's digit row: "&", "é", '"', "'", "(", "-", "è", "_",
    // "ç", "à" without Shift; every key is still its digit.
    const SDL_Keycode french[10] = {'&', 0xE9, '"', '\'', '(', '-', 0xE8, '_', 0xE7, 0xE0};
    for (int i = 0; i < 10; ++i)
    {
        const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i);
        EXPECT_EQ(EngineKeyFromSDL(french[i], scancode), i < 9 ? kKey1 + i : kKey0) << i;
    }
    // Letters follow the symbol: AZERTY's "a" sits where QWERTY has "q".
    EXPECT_EQ(EngineKeyFromSDL(SDLK_a, SDL_SCANCODE_Q), kKeyA);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_q, SDL_SCANCODE_A), kKeyQ);
    // A German keyboard's "z" and "y" trade places with the US ones.
    EXPECT_EQ(EngineKeyFromSDL(SDLK_z, SDL_SCANCODE_Y), kKeyZ);
    // Punctuation by symbol too: the French ")" key is no minus.
    EXPECT_EQ(EngineKeyFromSDL(SDLK_RIGHTPAREN, SDL_SCANCODE_MINUS), kKeyOther);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_COMMA, SDL_SCANCODE_M), kKeyComma);
    // Keys that only name a place, whatever symbol comes with them.
    EXPECT_EQ(EngineKeyFromSDL(SDLK_UNKNOWN, SDL_SCANCODE_ESCAPE), kKeyEscape);
    EXPECT_EQ(EngineKeyFromSDL(0xB2, SDL_SCANCODE_GRAVE), kKeyGrave); // "²"
    EXPECT_EQ(EngineKeyFromSDL(SDLK_SPACE, SDL_SCANCODE_SPACE), kKeySpace);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_RETURN, SDL_SCANCODE_RETURN), kKeyEnter);
    // Without a scancode the symbol still tells the place of the key.
    EXPECT_EQ(EngineKeyFromSDL(SDLK_3, SDL_SCANCODE_UNKNOWN), kKey1 + 2);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_LEFT, SDL_SCANCODE_UNKNOWN), kKeyLeft);
    EXPECT_EQ(EngineKeyFromSDL(SDLK_ESCAPE, SDL_SCANCODE_UNKNOWN), kKeyEscape);
}

TEST_F(InputDeviceTest, OnlyPrintableCharactersBecomeCharacterEvents)
{
    Tick(0.0);
    Text("\x1f");
    Text("\x7f");
    Text("\xc3\xa9");     // e acute, Latin-1 233
    Text("\xe2\x82\xac"); // euro sign: no 8-bit code
    Text("~");
    Tick(0.01);
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0].b, 233);
    EXPECT_EQ(recorder.events[1].b, '~');
}

TEST_F(InputDeviceTest, WheelStepsWaitForTheTickAndKeepTheirFractions)
{
    Tick(0.0);
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = 1;
    e.wheel.preciseY = 1.5f; // a smooth wheel
    e.wheel.mouseX = 40;
    e.wheel.mouseY = 50;
    Push(e);
    // A flipped wheel (natural scrolling) reports the other way round.
    e.wheel.y = 0;
    e.wheel.preciseY = 0.0f;
    e.wheel.x = 2;
    e.wheel.preciseX = 2.0f;
    e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    Push(e);
    SDL_Event poll;
    while (SDL_PollEvent(&poll))
        device.HandleEvent(poll);
    EXPECT_TRUE(recorder.events.empty()) << "delivered at the tick";
    device.Tick(0.01);
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0].kind, kMouseWheel);
    EXPECT_EQ(recorder.events[0].a, 40);
    EXPECT_EQ(recorder.events[0].b, 50);
    EXPECT_FLOAT_EQ(recorder.wheels[0].second, 1.5f);
    EXPECT_FLOAT_EQ(recorder.wheels[0].first, 0.0f);
    EXPECT_FLOAT_EQ(recorder.wheels[1].first, -2.0f);
}

TEST_F(InputDeviceTest, MouseMovesAndButtons)
{
    Tick(0.0);
    Mouse(SDL_MOUSEMOTION, 10, 20);
    Mouse(SDL_MOUSEMOTION, 10, 20);
    Mouse(SDL_MOUSEMOTION, 11, 20);
    Mouse(SDL_MOUSEBUTTONDOWN, 11, 20, SDL_BUTTON_RIGHT);
    Mouse(SDL_MOUSEBUTTONUP, 12, 21, SDL_BUTTON_RIGHT);
    Mouse(SDL_MOUSEBUTTONDOWN, 12, 21, SDL_BUTTON_MIDDLE);
    Tick(0.01);
    ASSERT_EQ(recorder.events.size(), 5u);
    EXPECT_EQ(recorder.Count(0, kMouseMove), 2);
    EXPECT_EQ(recorder.events[2].kind, kMousePressed);
    EXPECT_EQ(recorder.events[2].c, kMouseButtonRight);
    EXPECT_EQ(recorder.events[3].kind, kMouseReleased);
    EXPECT_EQ(recorder.events[3].a, 12);
    EXPECT_EQ(recorder.events[3].b, 21);
    EXPECT_EQ(recorder.events[4].c, kMouseButtonMiddle);
}

// A display whose window has some size; only the mapping is used.
class cScaledDisplay : public cDisplay
{
public:
    explicit cScaledDisplay(cPoint window) { m_windowSize = window; }
    void Create(const cDisplayMode&, bool) override {}
    void Reset(const cDisplayMode&, bool) override {}
    void* GetWindowHandle() const override { return nullptr; }
};

TEST_F(InputDeviceTest, PositionsInAScaledWindowArriveAsFramePixels)
{
    cScaledDisplay doubled(cPoint(1600, 1200));
    cInputDeviceSDL scaled(&doubled, false);
    scaled.AddListener(&recorder);
    auto pump = [&]
    {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            scaled.HandleEvent(e);
        scaled.Tick(0.0);
    };
    Mouse(SDL_MOUSEMOTION, 2, 2);
    Mouse(SDL_MOUSEMOTION, 3, 3); // the same frame pixel: no second move
    Mouse(SDL_MOUSEMOTION, 1599, 1199);
    Mouse(SDL_MOUSEBUTTONDOWN, 1001, 601, SDL_BUTTON_LEFT);
    pump();
    ASSERT_EQ(recorder.events.size(), 3u);
    EXPECT_EQ(recorder.events[0].a, 1);
    EXPECT_EQ(recorder.events[0].b, 1);
    EXPECT_EQ(recorder.events[1].a, 799);
    EXPECT_EQ(recorder.events[1].b, 599);
    EXPECT_EQ(recorder.events[2].kind, kMousePressed);
    EXPECT_EQ(recorder.events[2].a, 500);
    EXPECT_EQ(recorder.events[2].b, 300);
    scaled.RemoveListener(&recorder);

    // Full HD: 1.8x between black bars; the bars clamp to the frame's edge.
    recorder.events.clear();
    cScaledDisplay fullHd(cPoint(1920, 1080));
    cInputDeviceSDL wide(&fullHd, false);
    wide.AddListener(&recorder);
    Mouse(SDL_MOUSEBUTTONDOWN, 240 + 900, 540, SDL_BUTTON_LEFT);
    Mouse(SDL_MOUSEBUTTONUP, 10, 1079, SDL_BUTTON_LEFT);
    SDL_Event e;
    while (SDL_PollEvent(&e))
        wide.HandleEvent(e);
    wide.Tick(0.0);
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0].a, 500);
    EXPECT_EQ(recorder.events[0].b, 300);
    EXPECT_EQ(recorder.events[1].a, 0);
    EXPECT_EQ(recorder.events[1].b, 599);
    wide.RemoveListener(&recorder);
}

TEST_F(InputDeviceTest, WrongConversionThrows)
{
    const cKeyboardEvent key;
    try
    {
        AsMouseEvent(key);
        FAIL() << "no exception";
    }
    catch (const cException& e)
    {
        EXPECT_EQ(e.GetMessage(), "Can't convert event into wrong event class.");
    }
    EXPECT_THROW(AsKeyboardEvent(cMouseEvent()), cException);
}

// A popup that closes on the first key and unregisters must not hear the
// second key of the same tick.
class cSelfRemover : public cInputListener
{
public:
    explicit cSelfRemover(cInputDevice& device) : m_device(device) {}
    void OnInputEvent(const cInputEvent&) override
    {
        ++calls;
        m_device.RemoveListener(this);
    }
    int calls = 0;

private:
    cInputDevice& m_device;
};

TEST_F(InputDeviceTest, ListenerRemovedDuringDeliveryHearsNoMore)
{
    cSelfRemover remover(device);
    device.AddListener(&remover);
    device.AddListener(nullptr);
    Tick(0.0);
    Key(true, SDLK_a, SDL_SCANCODE_A);
    Key(true, SDLK_b, SDL_SCANCODE_B);
    Tick(0.01);
    EXPECT_EQ(remover.calls, 1);
    EXPECT_EQ(recorder.Count(1, kKeyPressed), 2);
}

} // namespace

namespace
{
double g_fakeNow = 0.0;
double FakeNow()
{
    return g_fakeNow;
}
} // namespace

// The whole path of a running game: SDL queue -> core pump -> device -> tick.
TEST_F(InputDeviceTest, AttachedDeviceDeliversThroughTheCoreUpdate)
{
    cInputDeviceSDL attached;
    cRecorder heard;
    attached.AddListener(&heard);
    attached.SetTimeSource(&FakeNow);
    g_fakeNow = 10.0;
    Key(true, SDLK_RETURN, SDL_SCANCODE_RETURN);
    cCore::Get().Update();
    ASSERT_EQ(heard.Count(1, kKeyPressed), 1);
    EXPECT_EQ(heard.events[0].a, kKeyEnter);
    // 30 repeats per second after half a second: at 0.5, 0.533, 0.567, 0.6.
    g_fakeNow = 10.52;
    cCore::Get().Update();
    g_fakeNow = 10.61;
    cCore::Get().Update();
    EXPECT_EQ(heard.Count(1, kKeyRepeat), 4);
}
