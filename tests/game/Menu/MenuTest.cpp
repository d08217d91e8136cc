#include "engine/Gui/GuiHarness.h"

#include "engine/Core/Exception.h"
#include "game/Menu/Menu.h"

#include <numbers>

using namespace GuiTest;

namespace
{
constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;

class MenuTest : public Harness
{
protected:
    // Small steps, as frames would come.
    void Run(cMenu& menu, float seconds)
    {
        for (float t = 0.0f; t < seconds; t += 0.02f)
            menu.Update(0.02f);
    }
};

TEST_F(MenuTest, PanelChangeFliesButtonsOutSlidesThePanelInAndRefusesRequestsMeanwhile)
{
    cMenu menu(*gui);
    gui->GetRoot().AddChild(cPoint(0, 0), &menu);
    menu.Activate();
    // Coming back always shows the five buttons at rest.
    EXPECT_EQ(menu.GetShownPanel(), cMenu::ePanel::None);
    for (int k = 0; k < cMenu::kButtonCount; ++k)
        EXPECT_EQ(menu.GetButtonX(k), 200);
    Run(menu, 0.5f);
    EXPECT_FLOAT_EQ(menu.GetFlyPhase(), 0.0f);

    menu.RequestInstructionsPanel();
    // Buttons 1, 3 and 5 take one side, 2 and 4 the other.
    const bool side = menu.GetRecord(0).left;
    EXPECT_EQ(menu.GetRecord(2).left, side);
    EXPECT_EQ(menu.GetRecord(4).left, side);
    EXPECT_NE(menu.GetRecord(1).left, side);
    EXPECT_NE(menu.GetRecord(3).left, side);

    Run(menu, 0.1f);
    menu.RequestOptionsPanel(); // refused: a change is under way
    EXPECT_EQ(menu.GetRequestedChange(), cMenu::eChange::Instructions);
    Run(menu, 0.4f);
    EXPECT_FLOAT_EQ(menu.GetFlyPhase(), kHalfPi);
    // Flown out: 850 - 0 on the right, -450 on the left.
    EXPECT_EQ(menu.GetButtonX(0), side ? -450 : 850);
    EXPECT_EQ(menu.GetShownPanel(), cMenu::ePanel::Instructions);
    Run(menu, 0.5f);
    EXPECT_FLOAT_EQ(menu.GetSlidePhase(), 0.0f);

    // Escape with a panel shown does not quit; the panel handles it.
    Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(menu.GetRequestedChange(), cMenu::eChange::Buttons);
    Run(menu, 1.0f);
    EXPECT_EQ(menu.GetShownPanel(), cMenu::ePanel::None);
    Run(menu, 0.5f);
    EXPECT_FLOAT_EQ(menu.GetFlyPhase(), 0.0f);
    EXPECT_EQ(menu.GetButtonX(3), 200);

    // Options, then reset progress through it: the buttons stay out.
    menu.RequestOptionsPanel();
    Run(menu, 1.0f);
    EXPECT_EQ(menu.GetShownPanel(), cMenu::ePanel::Options);
    menu.RequestResetProgressPanel();
    Run(menu, 1.0f);
    EXPECT_EQ(menu.GetShownPanel(), cMenu::ePanel::ResetProgress);
    EXPECT_FLOAT_EQ(menu.GetFlyPhase(), kHalfPi);
    menu.Deactivate();
    gui->GetRoot().RemoveChild(&menu);
}

TEST_F(MenuTest, HoverBrightensAndShowsTheHintOnlyWhileNoChangeIsRequested)
{
    cMenu menu(*gui);
    gui->GetRoot().AddChild(cPoint(0, 0), &menu);
    menu.Activate();
    EXPECT_THROW(cMenu second(*gui), Korva::cException);

    MoveTo(300, 300); // Editor button, centre line y = 300
    EXPECT_STREQ(menu.GetHint().GetText(), "create your own levels");
    EXPECT_TRUE(menu.GetRecord(1).hovered);
    Run(menu, 0.5f);
    EXPECT_FLOAT_EQ(menu.GetRecord(1).a, 1.0f);
    EXPECT_FLOAT_EQ(menu.GetRecord(1).b, 1.0f);
    MoveTo(300, 100);
    EXPECT_FALSE(menu.GetHint().IsVisible());
    Run(menu, 0.5f);
    EXPECT_FLOAT_EQ(menu.GetRecord(1).a, 0.7f);
    EXPECT_FLOAT_EQ(menu.GetRecord(1).b, 0.654f);

    menu.RequestOptionsPanel();
    MoveTo(300, 360);
    EXPECT_FALSE(menu.GetHint().IsVisible());
    menu.Deactivate();
    gui->GetRoot().RemoveChild(&menu);
}

} // namespace
