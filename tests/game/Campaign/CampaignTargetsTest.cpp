// What the campaign is designed to be, checked on the shipped levels: its
// length, long levels late, every mechanic in use, and a difficulty that the
// grading tools measure rising chapter by chapter. The grading here uses the
// same budget as docs/difficulty.md, without its first-move analysis.
#include "CampaignFixture.h"

#include "Chapters.h"
#include "GradeTable.h"
#include "game/Game/Grading.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <set>
#include <thread>

using namespace CampaignTest;

namespace
{
class CampaignTargets : public CampaignLevels
{
};

// Every cell kind, special brick and item a level holds, by name.
std::set<std::string> Holds(const cLevel& level)
{
    std::set<std::string> held;
    for (int y = 0; y < level.GetHeight(); ++y)
    {
        for (int x = 0; x < level.GetWidth(); ++x)
        {
            held.insert("cell " + std::to_string(level.GetCell(x, y)));
            if (level.GetBrick(x, y) >= kBrickMulti)
                held.insert("brick " + std::to_string(level.GetBrick(x, y)));
        }
    }
    for (int i = 0; i < level.GetPieceCount(); ++i)
        for (uint8_t code : level.GetPiece(i))
            if (code >= kBrickMulti)
                held.insert("brick " + std::to_string(code));
    for (int slot = 0; slot < kItemSlotCount; ++slot)
    {
        const int code = level.GetItem(slot);
        if (code >= kBrickMulti && code <= kBrickLast)
            held.insert("item brick " + std::to_string(code));
        else if (code > kBrickLast)
            held.insert("item " + std::to_string(code));
    }
    return held;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}
} // namespace

TEST_F(CampaignTargets, LongLevelsComeLateAndEveryMechanicIsUsedTwice)
{
    const std::vector<sCampaignLevel> levels = Load();
    ASSERT_GE(levels.size(), 60u);
    int eightOrMore = 0, twelveOrMore = 0;
    std::map<std::string, int> uses;
    for (size_t i = 0; i < levels.size(); ++i)
    {
        const cLevel& level = levels[i].level;
        if (i + 1 >= 33)
        {
            EXPECT_GE(level.GetPieceCount(), 4) << levels[i].alias;
        }
        eightOrMore += level.GetPieceCount() >= 8;
        twelveOrMore += level.GetPieceCount() >= 12;
        for (const std::string& thing : Holds(level))
            ++uses[thing];
    }
    EXPECT_GE(eightOrMore, 15);
    EXPECT_GE(twelveOrMore, 5);
    std::vector<std::string> wanted;
    for (int kind = 1; kind <= 12; ++kind)
        wanted.push_back("cell " + std::to_string(kind));
    for (int code = kBrickMulti; code <= kBrickLast; ++code)
    {
        wanted.push_back("brick " + std::to_string(code));
        wanted.push_back("item brick " + std::to_string(code));
    }
    for (int code = kItemPushFirst; code <= kItemTurnAnticlockwise; ++code)
        wanted.push_back("item " + std::to_string(code));
    for (const std::string& thing : wanted)
        EXPECT_GE(uses[thing], 2) << thing << " appears in fewer than two levels";
}

TEST_F(CampaignTargets, GradedDifficultyRisesChapterByChapter)
{
    const std::vector<sCampaignLevel> levels = Load();
    ASSERT_GE(levels.size(), 60u);
    const std::vector<sChapter> chapters = ReadChapters(kSolutionDir + "/chapters.txt");
    ASSERT_FALSE(chapters.empty());
    EXPECT_EQ(chapters.back().last, static_cast<int>(levels.size()))
        << "chapters cover every level";

    Grading::sBudget budget;
    budget.boardsPerFirstMove = 0;
    // Levels are graded on two threads; each grade depends on its level alone.
    std::vector<sGradedLevel> graded(levels.size());
    std::atomic<size_t> next{0};
    auto work = [&]()
    {
        for (size_t i = next++; i < levels.size(); i = next++)
        {
            graded[i].number = static_cast<int>(i) + 1;
            graded[i].grade = Grading::Grade(levels[i].level, nullptr, budget);
        }
    };
    {
        std::jthread helper(work);
        work();
    }
    int greedyFailsFrom33 = 0, from33 = 0;
    std::vector<double> randomRatesFrom40;
    for (const sGradedLevel& entry : graded)
    {
        if (entry.number >= 33)
        {
            ++from33;
            greedyFailsFrom33 += !entry.grade.greedyCompletes;
        }
        if (entry.number >= 40)
            randomRatesFrom40.push_back(static_cast<double>(entry.grade.randomWins) /
                                        entry.grade.randomPlayouts);
    }
    // The greedy player fails on at least four in five levels from 33 on.
    EXPECT_GE(greedyFailsFrom33 * 5, from33 * 4) << greedyFailsFrom33 << " of " << from33;
    EXPECT_LT(Median(randomRatesFrom40), 0.01);
    for (size_t c = 1; c < chapters.size(); ++c)
    {
        const double before = MedianDifficulty(graded, chapters[c - 1].first, chapters[c - 1].last);
        const double now = MedianDifficulty(graded, chapters[c].first, chapters[c].last);
        EXPECT_GT(now, before) << chapters[c].name << " is not harder than "
                               << chapters[c - 1].name;
    }
}
