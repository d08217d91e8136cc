#include "engine/Gui/GuiHarness.h"

#include "engine/Core/Exception.h"
#include "engine/Display/ImageResource.h"
#include "engine/Resource/Resource.h"
#include "game/Menu/InstructionsPanel.h"
#include "game/Menu/Menu.h"

#include <memory>
#include <vector>

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

// Resources are reference counted and released, not deleted.
struct cReleaser
{
    void operator()(Korva::cResource* resource) const { resource->Release(); }
};

// "Page 1 of 2" is the instructions panel's hint; drawn on the menu's line it
// would lie under the panel's Back button.
TEST_F(MenuTest, ThePageHintStandsAboveThePagesClearOfTheButtons)
{
    std::vector<std::unique_ptr<Korva::cResource, cReleaser>> pages;
    for (int i = 1; i <= 2; ++i)
        pages.emplace_back(new Korva::cImageResource("ImgInstructionsPage" + std::to_string(i), 0,
                                                     "/Images/NoSuchPage.tga"));
    cMenu menu(*gui);
    gui->GetRoot().AddChild(cPoint(0, 0), &menu);
    menu.Activate();
    EXPECT_EQ(menu.GetHintCentre(), cPoint(400, 580)); // the menu's own line

    menu.RequestInstructionsPanel();
    Run(menu, 1.0f);
    ASSERT_EQ(menu.GetShownPanel(), cMenu::ePanel::Instructions);
    EXPECT_STREQ(menu.GetHint().GetText(), "Page 1 of 2");
    ASSERT_TRUE(menu.IsHintOverPanel());
    const cPoint centre = menu.GetHintCentre();
    // The panel rests at y 210; its pages start 20 pixels lower.
    EXPECT_EQ(centre, cPoint(400, 212));
    const cRect line(centre.x - 60, centre.y, 120, 15);
    for (int i = 0; i < menu.GetChildCount(); ++i)
        if (auto* panel = dynamic_cast<cInstructionsPanel*>(menu.GetChild(i)))
            for (Korva::cButton* button :
                 {&panel->GetBackButton(), &panel->GetPreviousButton(), &panel->GetNextButton()})
            {
                const cRect area(panel->GetPosition().x + button->GetPosition().x,
                                 panel->GetPosition().y + button->GetPosition().y,
                                 button->GetWidth(), button->GetHeight());
                EXPECT_TRUE(area.Intersect(line).IsEmpty());
            }
    EXPECT_LE(centre.y + 15, 230);

    // Other hints of the menu stay on its line.
    menu.RequestBackToButtons();
    Run(menu, 1.0f);
    EXPECT_FALSE(menu.IsHintOverPanel());
    EXPECT_EQ(menu.GetHintCentre(), cPoint(400, 580));
    menu.Deactivate();
    gui->GetRoot().RemoveChild(&menu);
}

} // namespace
