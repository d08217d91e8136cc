#include "engine/Gui/GuiHarness.h"

#include "engine/Core/Exception.h"
#include "engine/File/DataTree.h"
#include "game/Game/Campaign.h"
#include "game/LevelSelector/LevelSelector.h"

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
    std::set<std::string> completed;
    std::vector<std::string> played;
    int menu = 0;
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

} // namespace
