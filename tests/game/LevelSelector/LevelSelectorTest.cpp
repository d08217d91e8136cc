#include "engine/Gui/GuiHarness.h"

#include "engine/Core/Exception.h"
#include "engine/File/DataTree.h"
#include "game/Game/Campaign.h"
#include "game/Game/Level.h"
#include "game/GameApplication.h"
#include "game/LevelSelector/LevelSelector.h"
#include "game/LevelSelector/LoadFailedPopup.h"
#include "game/Menu/OptionsPanel.h"
#include "game/TempFolder.h"
#include "game/UserLevels.h"

#include <filesystem>
#include <numbers>
#include <set>

using namespace GuiTest;

namespace
{

cCampaign MakeCampaign(int levels)
{
    cDataTree tree;
    cDataNode& campaign = tree.GetRoot().AddChild("Campaign");
    campaign.AddAttribute("IconSpriteAlias", "SprNoIcons");
    cDataNode& list = campaign.AddChild("Levels");
    for (int i = 1; i <= levels; ++i)
        list.AddChild("Level").AddAttribute("Alias", "Level" + std::to_string(i));
    cCampaign result;
    result.ReadTree(tree);
    return result;
}

class cFakeHost : public cLevelSelectorHost
{
public:
    bool IsLevelCompleted(const std::string& alias) const override
    {
        return completed.count(alias) != 0;
    }
    bool GetShowHints() const override { return true; }
    void PlayCampaignLevel(const std::string& campaign, int32_t index) override
    {
        played.push_back(campaign + ":" + std::to_string(index));
    }
    void RequestMenu() override { ++menu; }
    cFileSystem* GetUserLevelFileSystem() override
    {
        return folder ? &folder->FileSystem() : nullptr;
    }
    std::string GetUserLevelsFolder() const override
    {
        return folder ? folder->Path().string() : "";
    }
    // As the application does: the level is loaded before anything changes.
    void PlayUserLevel(const std::string& file) override
    {
        cLevel level;
        level.Load(folder->FileSystem(), folder->File(file));
        played.push_back("user:" + file);
    }
    std::set<std::string> completed;
    std::vector<std::string> played;
    int menu = 0;
    cTempFolder* folder = nullptr;
};

// The grid's first icon is at (145 + 20 + 10, 100 + 45 + 10) on the screen.
constexpr int kIconX = 175;
constexpr int kIconY = 155;

class LevelSelectorTest : public Harness
{
protected:
    cFakeHost host;
};

TEST(LevelIconListTest, ContentHeightGrowsByWholeRows)
{
    EXPECT_EQ(cLevelIconList::ContentHeight(4), 115);
    EXPECT_EQ(cLevelIconList::ContentHeight(5), 220);
    EXPECT_EQ(cLevelIconList::ContentHeight(0), 10);
}

TEST_F(LevelSelectorTest, FirstUncompletedLevelIsSelectedAndClicksSelectPlayOrClear)
{
    const cCampaign campaign = MakeCampaign(10);
    host.completed = {"Level1", "Level2"};
    cLevelSelector selector(*gui, host, &campaign);
    EXPECT_THROW(cLevelSelector second(*gui, host, &campaign), Korva::cException);
    gui->GetRoot().AddChild(cPoint(0, 0), &selector);
    selector.Activate();
    ASSERT_TRUE(selector.IsGameLevelSelected());
    EXPECT_EQ(selector.GetSelectedIndex(), 2);
    EXPECT_EQ(selector.GetIconList().GetSelected(), 2);

    // Icon 5 is column 1 of row 1; the hint counts from 1.
    const int x = kIconX + 110 + 20;
    const int y = kIconY + 105 + 20;
    MoveTo(x, y);
    EXPECT_EQ(selector.GetIconList().GetHovered(), 5);
    EXPECT_STREQ(selector.GetHint().GetText(),
                 "click to select level 6, double click to play level 6");
    Button(true, x, y);
    Button(false, x, y);
    EXPECT_EQ(selector.GetSelectedIndex(), 5);
    EXPECT_TRUE(host.played.empty());
    // The second press at the same place is a double click: it plays.
    Button(true, x, y);
    Button(false, x, y);
    ASSERT_EQ(host.played.size(), 1u);
    EXPECT_EQ(host.played[0], "CmpZeltra:5");

    // A click between icons clears the selection; Play then does nothing.
    Click(kIconX + 105, kIconY + 40);
    EXPECT_FALSE(selector.IsGameLevelSelected());
    EXPECT_EQ(selector.GetIconList().GetSelected(), -1);
    Click(750, 575);
    EXPECT_EQ(host.played.size(), 1u);

    Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(host.menu, 1);
    selector.Deactivate();
    gui->GetRoot().RemoveChild(&selector);
}

TEST_F(LevelSelectorTest, AllCompletedSelectsNothingAndSelectingScrollsIntoView)
{
    const cCampaign campaign = MakeCampaign(20);
    for (int i = 1; i <= 20; ++i)
        host.completed.insert("Level" + std::to_string(i));
    cLevelSelector selector(*gui, host, &campaign);
    EXPECT_FALSE(selector.IsGameLevelSelected());
    selector.PlaySelection();
    EXPECT_TRUE(host.played.empty());

    // Row 4 (icons 16..19) starts at 420; the view is 370 high.
    selector.SelectLevel(17);
    EXPECT_FLOAT_EQ(selector.GetIconList().GetScrollY(), 420.0f + 110.0f - 370.0f);
    selector.SelectLevel(1);
    EXPECT_FLOAT_EQ(selector.GetIconList().GetScrollY(), 5.0f);
    selector.PlaySelection();
    ASSERT_EQ(host.played.size(), 1u);
    EXPECT_EQ(host.played[0], "CmpZeltra:1");
}

// The user panel's list, once shown, is at (145 + 20, 100 + 45); its rows
// are 25 pixels apart from a margin of 6.
cPoint UserRow(int row)
{
    return cPoint(165 + 6 + 100, 145 + 6 + 25 * row + 11);
}
// The shown panel's tab button, at (300, 530).
constexpr int kTabX = 400;
constexpr int kTabY = 544;

void SaveLevel(cTempFolder& folder, const std::string& file, const std::string& name)
{
    cLevel level;
    level.SetName(name);
    level.SetWidth(3);
    level.SetHeight(3);
    level.SetCell(1, 1, 1);
    level.Save(folder.FileSystem(), folder.File(file));
}

// Steps of 10 ms until the switch is over; the number of steps taken.
int RunSwitch(cLevelSelector& selector)
{
    int steps = 0;
    while (selector.IsSwitching() && steps < 1000)
    {
        selector.Update(0.01f);
        ++steps;
    }
    return steps;
}

TEST(UserLevelsTest, OnlyLevelFilesAreListedSortedIgnoringCase)
{
    cTempFolder folder("userlevels");
    for (const char* name :
         {"b.lvl", "A.lvl", "C.LVL", ".hidden.lvl", "notes.txt", "a.lvl.tmp-Xy12zz", "lvl"})
        folder.Write(name, "x");
    std::filesystem::create_directory(folder.Path() / "sub.lvl");
    EXPECT_EQ(ListLevelFiles(folder.FileSystem(), folder.Path().string()),
              (std::vector<std::string>{"A.lvl", "b.lvl", "C.LVL"}));
    EXPECT_TRUE(ListLevelFiles(folder.FileSystem(), folder.File("missing")).empty());
    EXPECT_EQ(UserLevelPath("x.lvl"), "/Quillbee Studios/Zeltra/UserLevels/x.lvl");
}

TEST_F(LevelSelectorTest, UserLevelsShowTheirNamesAndABrokenFileGivesAMessage)
{
    cTempFolder folder("selector");
    SaveLevel(folder, "beta.lvl", "Beta");
    SaveLevel(folder, "Alpha.lvl", "Alpha level");
    folder.Write("broken.lvl", "Root { Level { Width = \"many\"");
    host.folder = &folder;
    const cCampaign campaign = MakeCampaign(3);
    cLevelSelector selector(*gui, host, &campaign);
    gui->GetRoot().AddChild(cPoint(0, 0), &selector);
    selector.Activate();
    ASSERT_TRUE(selector.IsGameLevelSelected());

    const std::vector<sUserLevelEntry> expected{{"Alpha.lvl", "Alpha level", true},
                                                {"beta.lvl", "Beta", true},
                                                {"broken.lvl", "broken.lvl", false}};
    EXPECT_EQ(selector.GetUserLevelList().GetEntries(), expected);

    Click(kTabX, kTabY);
    RunSwitch(selector);
    ASSERT_FALSE(selector.IsGameTabShown());

    // A double click on the broken file: a message, no crash, no switch.
    const cPoint broken = UserRow(2);
    MoveTo(broken.x, broken.y);
    EXPECT_EQ(selector.GetUserLevelList().GetHovered(), 2);
    Button(true, broken.x, broken.y);
    Button(false, broken.x, broken.y);
    EXPECT_TRUE(selector.IsUserLevelSelected());
    EXPECT_FALSE(selector.IsGameLevelSelected());
    Button(true, broken.x, broken.y);
    Button(false, broken.x, broken.y);
    EXPECT_TRUE(host.played.empty());
    cLoadFailedPopup& popup = selector.GetLoadFailedPopup();
    ASSERT_TRUE(popup.IsOpen());
    EXPECT_NE(popup.GetMessage().find("'broken.lvl'"), std::string::npos) << popup.GetMessage();
    EXPECT_NE(popup.GetMessage().find("Error in level file."), std::string::npos)
        << popup.GetMessage();
    EXPECT_EQ(selector.GetUserLevelList().GetEntries().size(), 3u);
    EXPECT_EQ(selector.GetSelectedUserLevel(), "broken.lvl");

    // Esc closes the message first; only the next one leaves.
    Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(popup.IsOpen());
    EXPECT_EQ(host.menu, 0);

    // Play after a single click plays the file.
    const cPoint alpha = UserRow(0);
    Click(alpha.x, alpha.y);
    EXPECT_EQ(selector.GetUserLevelList().GetSelected(), 0);
    Click(750, 575);
    ASSERT_EQ(host.played.size(), 1u);
    EXPECT_EQ(host.played[0], "user:Alpha.lvl");

    // Coming back reads the folder again: a new level shows up, the
    // selection stays with its file, and goes when the file goes.
    SaveLevel(folder, "Gamma.lvl", "Gamma");
    selector.Activate();
    ASSERT_EQ(selector.GetUserLevelList().GetEntries().size(), 4u);
    EXPECT_EQ(selector.GetUserLevelList().GetEntries()[3].name, "Gamma");
    EXPECT_EQ(selector.GetUserLevelList().GetSelected(), 0);
    std::filesystem::remove(folder.File("Alpha.lvl"));
    selector.Activate();
    EXPECT_FALSE(selector.IsUserLevelSelected());
    EXPECT_EQ(selector.GetUserLevelList().GetSelected(), -1);

    Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(host.menu, 1);
    selector.Deactivate();
    gui->GetRoot().RemoveChild(&selector);
}

TEST_F(LevelSelectorTest, TabSwitchSlidesOneOutAndTheOtherInInAboutPointSixThreeSeconds)
{
    const cCampaign campaign = MakeCampaign(8);
    cLevelSelector selector(*gui, host, &campaign);
    gui->GetRoot().AddChild(cPoint(0, 0), &selector);
    selector.Activate();
    EXPECT_TRUE(selector.IsGameTabShown());
    EXPECT_FLOAT_EQ(selector.GetGamePanelY(), 100.0f);
    EXPECT_FLOAT_EQ(selector.GetUserPanelY(), 600.0f);

    Click(kTabX, kTabY);
    ASSERT_TRUE(selector.IsSwitching());
    // First the game panel goes down while the other waits out of view...
    for (int i = 0; i < 30; ++i)
        selector.Update(0.01f);
    EXPECT_GT(selector.GetGamePanelY(), 600.0f);
    EXPECT_FLOAT_EQ(selector.GetUserPanelY(), 600.0f);
    // ...then the user panel comes up.
    const int steps = 30 + RunSwitch(selector);
    EXPECT_GE(steps, 60);
    EXPECT_LE(steps, 66);
    EXPECT_FALSE(selector.IsGameTabShown());
    EXPECT_FLOAT_EQ(selector.GetUserPanelY(), 100.0f);
    EXPECT_FLOAT_EQ(selector.GetGamePanelY(), 650.0f);
    EXPECT_EQ(selector.GetToGameLevelsButton().GetPosition(), cPoint(300, 530));
    EXPECT_EQ(selector.GetToUserLevelsButton().GetPosition(), cPoint(300, 1080));

    // The button of the hidden tab does nothing.
    selector.OnClicked(Korva::cMouseEvent(), &selector.GetToUserLevelsButton());
    EXPECT_FALSE(selector.IsSwitching());

    // Clicked again during a switch, the shown tab's button starts it over.
    Click(kTabX, kTabY);
    for (int i = 0; i < 5; ++i)
        selector.Update(0.01f);
    const float y = selector.GetUserPanelY();
    EXPECT_GT(y, 100.0f);
    Click(kTabX, static_cast<int>(y) + 430 + 14);
    selector.Update(0.0f);
    EXPECT_FLOAT_EQ(selector.GetUserPanelY(), 100.0f);
    const int again = RunSwitch(selector);
    EXPECT_GE(again, 60);
    EXPECT_LE(again, 66);
    EXPECT_TRUE(selector.IsGameTabShown());
    EXPECT_FLOAT_EQ(selector.GetGamePanelY(), 100.0f);
    selector.Deactivate();
    gui->GetRoot().RemoveChild(&selector);
}

// The menu's reset panel and the selector share the application's progress.
TEST_F(LevelSelectorTest, AfterYesOnTheResetPanelNoIconShowsCompleted)
{
    class cPanelHost : public cMenuPanelHost
    {
    public:
        void ShowHint(const std::string&, cWidget*) override {}
        void HideHint(cWidget*) override {}
        void RequestBackToButtons() override {}
        void RequestOptionsPanel() override { ++options; }
        int options = 0;
    } panelHost;
    cGameApplication& app = cGameApplication::Get();
    for (const char* alias : {"Level1", "Level2", "Level4"})
        app.MarkLevelCompleted(alias);
    cApplicationSelectorHost appHost;
    const cCampaign campaign = MakeCampaign(5);
    {
        cLevelSelector before(*gui, appHost, &campaign);
        EXPECT_EQ(before.GetSelectedIndex(), 2);
        EXPECT_TRUE(before.IsLevelCompleted("Level4"));
    }

    cResetProgressPanel reset(*gui, panelHost, cApplicationSettings::Get());
    gui->GetRoot().AddChild(cPoint(0, 100), &reset);
    reset.OnEnter();
    Click(350, 345); // Yes at (310, 230)
    EXPECT_EQ(panelHost.options, 1);
    reset.OnLeave();
    gui->GetRoot().RemoveChild(&reset);

    cLevelSelector after(*gui, appHost, &campaign);
    EXPECT_EQ(after.GetSelectedIndex(), 0);
    for (int i = 1; i <= 5; ++i)
        EXPECT_FALSE(after.IsLevelCompleted("Level" + std::to_string(i))) << i;
    // A user level name never reaches outside the user-levels folder.
    EXPECT_THROW(app.RequestUserLevel("../Zeltra.cfg"), Korva::cException);
}

} // namespace

TEST_F(LevelSelectorTest, TheWheelScrollsTheGridByARowAndTheUserListByThreeRows)
{
    cTempFolder folder("selectorwheel");
    for (int i = 0; i < 30; ++i)
        SaveLevel(folder, "level" + std::to_string(100 + i) + ".lvl", "L" + std::to_string(i));
    host.folder = &folder;
    const cCampaign campaign = MakeCampaign(32);
    cLevelSelector selector(*gui, host, &campaign);
    gui->GetRoot().AddChild(cPoint(0, 0), &selector);
    selector.Activate();
    selector.Update(0.0f);
    const float start = selector.GetIconList().GetScrollY();
    Wheel(kIconX + 50, kIconY + 50, -1.0f); // towards the player: down the grid
    EXPECT_FLOAT_EQ(selector.GetIconList().GetScrollY(), start + 105.0f);
    Wheel(kIconX + 50, kIconY + 50, 0.5f);
    EXPECT_FLOAT_EQ(selector.GetIconList().GetScrollY(), start + 52.5f);
    // Over the list's bar it scrolls the same way.
    Wheel(145 + 20 + 470 - 7, 145 + 100, -1.0f);
    EXPECT_FLOAT_EQ(selector.GetIconList().GetScrollY(), start + 157.5f);

    Click(kTabX, kTabY);
    RunSwitch(selector);
    ASSERT_FALSE(selector.IsGameTabShown());
    ASSERT_EQ(selector.GetUserLevelList().GetEntries().size(), 30u);
    const cPoint row = UserRow(2);
    Wheel(row.x, row.y, -1.0f);
    EXPECT_FLOAT_EQ(selector.GetUserLevelList().GetScrollY(), 3.0f * 25.0f);
    selector.Deactivate();
    gui->GetRoot().RemoveChild(&selector);
}
