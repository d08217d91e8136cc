// The popup host every screen shows its popups through: opening, replacing
// and closing with the screen's step, and the keys it hands on.
#include "engine/Gui/GuiHarness.h"

#include "game/Menu/PopupHost.h"
#include "game/Menu/YesNoPopup.h"

#include <string>
#include <vector>

using namespace GuiTest;

namespace
{

// A screen with two questions (kinds 1 and 2) that records what the host
// asks of it.
class cScreenOwner : public cPopupOwner, public cYesNoPopupListener
{
public:
    explicit cScreenOwner(cGUI& gui)
        : screen(gui), first(gui, "first", this), second(gui, "second", this)
    {
        screen.SetSize(cPoint(800, 600));
        screen.SetBackgroundFill(false);
    }
    cPopup* PreparePopup(int kind) override
    {
        return kind == 1   ? static_cast<cPopup*>(&first)
               : kind == 2 ? static_cast<cPopup*>(&second)
                           : nullptr;
    }
    void OnPopupOpened(int kind) override { log.push_back("opened " + std::to_string(kind)); }
    void OnPopupClosed(int kind) override { log.push_back("closed " + std::to_string(kind)); }
    void PlayPopupSound() override { ++sounds; }
    void OnScreenKey(const cKeyboardEvent& event) override { keys.push_back(event.GetKey()); }
    void OnPopupYes(cYesNoPopup* popup) override
    {
        log.push_back(popup == &first ? "yes 1" : "yes 2");
        host->Close();
    }

    cWidget screen;
    cYesNoPopup first;
    cYesNoPopup second;
    cPopupHost* host = nullptr;
    std::vector<std::string> log;
    std::vector<int32_t> keys;
    int sounds = 0;
};

class PopupHostTest : public Harness
{
protected:
    void SetUp() override
    {
        Harness::SetUp();
        owner = std::make_unique<cScreenOwner>(*gui);
        host = std::make_unique<cPopupHost>(owner->screen, *owner, cPoint(400, 250));
        owner->host = host.get();
        gui->GetRoot().AddChild(cPoint(0, 0), &owner->screen);
    }
    void TearDown() override
    {
        host.reset();
        gui->GetRoot().RemoveChild(&owner->screen);
        owner.reset();
        Harness::TearDown();
    }
    void KeyWith(SDL_Keycode modifier, SDL_Scancode modifierCode, SDL_Keycode sym,
                 SDL_Scancode scancode)
    {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = modifier;
        e.key.keysym.scancode = modifierCode;
        Push(e);
        Pump();
        Key(sym, scancode);
        e.type = SDL_KEYUP;
        Push(e);
        Pump();
    }

    std::unique_ptr<cScreenOwner> owner;
    std::unique_ptr<cPopupHost> host;
};

TEST_F(PopupHostTest, ReplacingAPopupRunsTheStepAfterIt)
{
    host->Activate();
    host->Open(1);
    EXPECT_EQ(host->GetKind(), 1);
    EXPECT_EQ(owner->first.GetParent(), &owner->screen);
    EXPECT_EQ(owner->first.GetPosition(), cPoint(400 - 105, 250 - 45));
    host->Open(2);
    EXPECT_EQ(owner->first.GetParent(), nullptr);
    EXPECT_EQ(owner->second.GetParent(), &owner->screen);
    EXPECT_EQ(owner->log, (std::vector<std::string>{"opened 1", "closed 1", "opened 2"}));
    host->Dismiss(); // no step
    EXPECT_FALSE(host->IsOpen());
    EXPECT_EQ(owner->log.back(), "opened 2");
    host->Open(7); // unknown: nothing
    EXPECT_FALSE(host->IsOpen());
}

TEST_F(PopupHostTest, EnterAnswersEscClosesAndAltEnterIsNotEnter)
{
    host->Activate();
    host->Open(1);
    KeyWith(SDLK_LALT, SDL_SCANCODE_LALT, SDLK_RETURN, SDL_SCANCODE_RETURN);
    EXPECT_EQ(host->GetKind(), 1) << "Alt+Enter switches the display only";
    EXPECT_EQ(owner->sounds, 0);
    Key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER);
    EXPECT_FALSE(host->IsOpen());
    EXPECT_EQ(owner->log.back(), "closed 1");
    EXPECT_EQ(owner->log[owner->log.size() - 2], "yes 1");
    EXPECT_EQ(owner->sounds, 1);

    host->Open(2);
    Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(host->IsOpen());
    EXPECT_EQ(owner->log.back(), "closed 2");
    EXPECT_EQ(owner->sounds, 2);

    // Other keys, and Esc without a popup, go to the screen.
    owner->keys.clear();
    Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    Key(SDLK_r, SDL_SCANCODE_R);
    EXPECT_EQ(owner->keys, (std::vector<int32_t>{kKeyEscape, KeyOfLetter('r')}));
}

TEST_F(PopupHostTest, APopupOfAScreenNotShownHearsNoKeysAndTakesNoFocus)
{
    cWidget other(*gui);
    other.SetSize(cPoint(10, 10));
    gui->GetRoot().AddChild(cPoint(0, 0), &other);
    host->Activate();
    host->Open(1);
    host->Deactivate();
    gui->GetRoot().SetFocus(&other);
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    Key(SDLK_x, SDL_SCANCODE_X);
    EXPECT_EQ(host->GetKind(), 1);
    EXPECT_TRUE(owner->keys.empty());
    host->Close();
    EXPECT_TRUE(other.IsFocused()) << "the shown screen keeps the focus";
    host->Activate();
    EXPECT_TRUE(owner->screen.IsFocused());
    gui->GetRoot().RemoveChild(&other);
}

} // namespace
