#pragma once

#include "engine/Core/Core.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/SDL/InputDeviceSDL.h"

#include "tests/SdlEvents.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GuiTest
{

using namespace Korva;

// Everything a widget sees, as "event:widget" lines.
class cLog : public cWidgetListener
{
public:
    void OnFocusGained(cWidget* w) override { Add("focus+", w); }
    void OnFocusLost(cWidget* w) override { Add("focus-", w); }
    void OnMouseMove(const cMouseEvent&, cWidget* w) override { Add("move", w); }
    void OnMouseEnter(const cMouseEvent&, cWidget* w) override { Add("enter", w); }
    void OnMouseLeave(const cMouseEvent&, cWidget* w) override { Add("leave", w); }
    void OnMouseDown(const cMouseEvent& e, cWidget* w) override
    {
        Add("down", w);
        lastX = e.GetX();
        lastY = e.GetY();
    }
    void OnMouseUp(const cMouseEvent&, cWidget* w) override { Add("up", w); }
    void OnDoubleClick(const cMouseEvent&, cWidget* w) override { Add("double", w); }
    void OnKeyDown(const cKeyboardEvent&, cWidget* w) override { Add("key", w); }
    void OnChar(const cKeyboardEvent& e, cWidget* w) override
    {
        Add(std::string("char") + static_cast<char>(e.GetCharacter()), w);
    }

    void Name(cWidget* w, const std::string& name)
    {
        names.push_back({w, name});
        w->AddListener(this);
    }
    std::string Take()
    {
        std::string all;
        for (const std::string& line : lines)
            all += (all.empty() ? "" : " ") + line;
        lines.clear();
        return all;
    }
    int32_t lastX = 0;
    int32_t lastY = 0;

private:
    void Add(const std::string& what, cWidget* w)
    {
        for (const auto& [widget, name] : names)
            if (widget == w)
                lines.push_back(what + ":" + name);
    }
    std::vector<std::pair<cWidget*, std::string>> names;
    std::vector<std::string> lines;
};

// A GUI fed by the real SDL input device through SDL's own event queue and
// the core's message pump, as in the running game.
class Harness : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        input = std::make_unique<cInputDeviceSDL>();
        gui = std::make_unique<cGUI>(nullptr, nullptr, input.get());
        gui->SetUpdateEnabled(false); // tests advance time themselves
    }
    void TearDown() override
    {
        owned.clear();
        gui.reset();
        input.reset();
        SDL_Quit();
    }

    void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
    void Pump() { cCore::Get().Update(); }
    void MoveTo(int x, int y)
    {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = x;
        e.motion.y = y;
        Push(e);
        Pump();
    }
    // The wheel turned `y` notches away from the player (`x` to the right)
    // with the pointer at (px, py).
    void Wheel(int px, int py, float y, float x = 0.0f)
    {
        Push(WheelEvent(px, py, y, x));
        Pump();
    }
    void Button(bool down, int x, int y, Uint8 button = SDL_BUTTON_LEFT)
    {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.x = x;
        e.button.y = y;
        e.button.button = button;
        Push(e);
        Pump();
    }
    // As a person clicks: the pointer gets there first.
    void Click(int x, int y)
    {
        MoveTo(x, y);
        Button(true, x, y);
        Button(false, x, y);
    }
    void Key(SDL_Keycode sym, SDL_Scancode scancode)
    {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = scancode;
        Push(e);
        e.type = SDL_KEYUP;
        Push(e);
        Pump();
    }
    void Type(const char* text)
    {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        SDL_strlcpy(e.text.text, text, sizeof(e.text.text));
        Push(e);
        Pump();
    }
    // A plain widget of the given size added to `parent`.
    cWidget* Make(cWidget& parent, int x, int y, int w, int h, const std::string& name)
    {
        owned.push_back(std::make_unique<cWidget>(*gui));
        cWidget* widget = owned.back().get();
        widget->SetSize(cPoint(w, h));
        parent.AddChild(cPoint(x, y), widget);
        log.Name(widget, name);
        return widget;
    }

    std::unique_ptr<cInputDeviceSDL> input;
    std::unique_ptr<cGUI> gui;
    cLog log;
    std::vector<std::unique_ptr<cWidget>> owned;
};

} // namespace GuiTest
