#include "engine/Gui/GuiHarness.h"

#include "engine/Display/ImageResource.h"
#include "engine/Resource/ResManager.h"
#include "game/Menu/CreditsPanel.h"
#include "game/Menu/InstructionsPanel.h"
#include "game/Menu/YesNoPopup.h"

#include <cmath>

using namespace GuiTest;

namespace
{

class cFakeHost : public cMenuPanelHost
{
public:
    void ShowHint(const std::string& text, cWidget* owner) override
    {
        hint = text;
        hintOwner = owner;
    }
    void HideHint(cWidget* owner) override
    {
        if (owner == hintOwner)
            hint.clear();
    }
    void RequestBackToButtons() override { ++backToButtons; }
    void RequestOptionsPanel() override { ++options; }
    std::string hint;
    cWidget* hintOwner = nullptr;
    int backToButtons = 0;
    int options = 0;
};

class cAnswers : public cYesNoPopupListener
{
public:
    void OnPopupYes(cYesNoPopup*) override { ++yes; }
    void OnPopupNo(cYesNoPopup*) override { ++no; }
    int yes = 0;
    int no = 0;
};

// Resources are reference counted and released, not deleted.
struct cReleaser
{
    void operator()(cResource* resource) const { resource->Release(); }
};

class MenuPanelsTest : public Harness
{
protected:
    void AddPages(int count)
    {
        for (int i = 1; i <= count; ++i)
            pages.emplace_back(new cImageResource("ImgInstructionsPage" + std::to_string(i), 0,
                                                  "/Images/NoSuchPage.tga"));
    }
    void Escape() { Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE); }

    cFakeHost host;
    std::vector<std::unique_ptr<cResource, cReleaser>> pages;
};

TEST_F(MenuPanelsTest, InstructionsTurnPagesWithWrapAndIgnorePressesDuringASlide)
{
    AddPages(3);
    cInstructionsPanel panel(*gui, host);
    ASSERT_EQ(panel.GetPageCount(), 3);
    gui->GetRoot().AddChild(cPoint(0, 100), &panel);
    panel.OnEnter();
    EXPECT_EQ(host.hint, "Page 1 of 3");

    Click(100, 460); // Previous, at (70, 350) in the panel
    EXPECT_EQ(panel.GetPage(), 2);
    EXPECT_EQ(host.hint, "Page 3 of 3");
    // The new page comes in from the left.
    EXPECT_FLOAT_EQ(panel.GetSlideOffset(), -800.0f);

    gui->Update(0.1f);
    panel.NextPage(); // still sliding: ignored, hint refreshed
    EXPECT_EQ(panel.GetPage(), 2);
    EXPECT_EQ(host.hint, "Page 3 of 3");
    EXPECT_NEAR(panel.GetSlideOffset(),
                (1.0f - std::cos(std::numbers::pi_v<float> - 0.5f)) * -800.0f / 2.0f, 0.01f);

    gui->Update(0.6f); // the slide lasts about 0.63 s
    EXPECT_FLOAT_EQ(panel.GetSlidePhase(), 0.0f);
    EXPECT_FLOAT_EQ(panel.GetSlideOffset(), 0.0f);
    panel.NextPage();
    EXPECT_EQ(panel.GetPage(), 0);
    EXPECT_EQ(host.hint, "Page 1 of 3");

    Escape();
    EXPECT_EQ(host.backToButtons, 1);
    panel.OnLeave();
    EXPECT_EQ(host.hint, "");
    Escape(); // no longer listening
    EXPECT_EQ(host.backToButtons, 1);
    gui->GetRoot().RemoveChild(&panel);
}

TEST_F(MenuPanelsTest, TheWheelTurnsTheInstructionPages)
{
    AddPages(3);
    cInstructionsPanel panel(*gui, host);
    gui->GetRoot().AddChild(cPoint(0, 100), &panel);
    panel.OnEnter();
    Wheel(400, 300, -1.0f); // towards the player: the next page
    EXPECT_EQ(panel.GetPage(), 1);
    gui->Update(1.0f);
    Wheel(400, 300, 1.0f);
    EXPECT_EQ(panel.GetPage(), 0);
    panel.OnLeave();
    gui->GetRoot().RemoveChild(&panel);
}

TEST_F(MenuPanelsTest, InstructionsWithoutPagesStayPut)
{
    cInstructionsPanel panel(*gui, host);
    EXPECT_EQ(panel.GetPageCount(), 0);
    panel.OnEnter();
    panel.NextPage();
    panel.PreviousPage();
    gui->Update(1.0f);
    EXPECT_EQ(panel.GetPage(), 0);
    EXPECT_FLOAT_EQ(panel.GetSlidePhase(), 0.0f);
}

TEST_F(MenuPanelsTest, CreditsScrollUpAndRestartFromTheBottom)
{
    cCreditsPanel panel(*gui, host);
    gui->GetRoot().AddChild(cPoint(0, 100), &panel);
    panel.OnEnter();
    EXPECT_FLOAT_EQ(panel.GetScrollPosition(), 330.0f);
    gui->Update(2.0f);
    EXPECT_FLOAT_EQ(panel.GetScrollPosition(), 280.0f);
    // 760 pixels on, at -480, the last line is just at the text area's top.
    for (int i = 0; i < 152; ++i)
        gui->Update(0.2f);
    EXPECT_NEAR(panel.GetScrollPosition(), -480.0f, 0.05f);
    // One pixel more and the credits start again from the bottom.
    gui->Update(0.05f);
    EXPECT_FLOAT_EQ(panel.GetScrollPosition(), 330.0f);

    Click(370, 460); // Back
    EXPECT_EQ(host.options, 1);
    Escape();
    EXPECT_EQ(host.options, 2);
    gui->GetRoot().RemoveChild(&panel);
}

TEST_F(MenuPanelsTest, YesNoPopupAnswersByButtons)
{
    cAnswers answers;
    cChangeLevelPopup popup(*gui, &answers);
    EXPECT_EQ(popup.GetTitle(), "change level");
    popup.Open(gui->GetRoot());
    EXPECT_EQ(popup.GetPosition(), cPoint((800 - 210) / 2, (600 - 90) / 2));
    const cPoint at = popup.GetPosition();
    Click(at.x + 30, at.y + 50);  // Yes
    Click(at.x + 120, at.y + 50); // No
    Click(at.x + 100, at.y + 50); // between the buttons
    EXPECT_EQ(answers.yes, 1);
    EXPECT_EQ(answers.no, 1);
    // Enter is the popup host's to hand on: a question alone hears no keys.
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    EXPECT_EQ(answers.yes, 1);
    EXPECT_TRUE(popup.OnEnterKey());
    EXPECT_EQ(answers.yes, 2);
    popup.Close();
    EXPECT_EQ(gui->GetRoot().GetChildCount(), 0);
}

} // namespace
