// Hints on the game screen: F1 asks the solver on a worker thread, the frame
// loop goes on meanwhile, and the hinted move is one a person can follow.
#include "ScreenFixture.h"

#include "engine/Display/ImageWriter.h"
#include "engine/Display/PixelBuffer.h"
#include "engine/Input/KeyCodes.h"
#include "game/Game/MoveLog.h"
#include "game/Game/Solver.h"
#include "game/SoundPlayer.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

namespace ScreenTest
{
namespace
{

// A solver the test holds: it waits until released (or told to stop) and
// then answers with `answer`.
class cHeldSolver
{
public:
    cSolver::sResult Solve(const std::atomic<bool>& stop)
    {
        std::unique_lock lock(m_mutex);
        ++m_entered;
        m_changed.notify_all();
        // Wakes now and then to see the stop flag, which is no condition
        // variable of ours.
        while (!m_released && !stop.load())
            m_changed.wait_for(lock, std::chrono::milliseconds(2));
        m_sawStop = m_sawStop || stop.load();
        ++m_left;
        m_changed.notify_all();
        return answer;
    }
    void Release()
    {
        std::lock_guard lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }
    void WaitUntilEntered(int count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_entered >= count; });
    }
    void WaitUntilLeft(int count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_left >= count; });
    }
    bool SawStop()
    {
        std::lock_guard lock(m_mutex);
        return m_sawStop;
    }
    int Entered()
    {
        std::lock_guard lock(m_mutex);
        return m_entered;
    }
    bool HasLeft()
    {
        std::lock_guard lock(m_mutex);
        return m_left > 0;
    }

    cSolver::sResult answer;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_entered = 0;
    int m_left = 0;
    bool m_released = false;
    bool m_sawStop = false;
};

class HintTest : public ScreenHarness
{
protected:
    HintTest() : ScreenHarness(false) {}

    void Enter() { Key(SDLK_RETURN, SDL_SCANCODE_RETURN); }
    void F1() { Key(SDLK_F1, SDL_SCANCODE_F1); }
    void Letter(char c)
    {
        Key(static_cast<SDL_Keycode>(c), static_cast<SDL_Scancode>(SDL_SCANCODE_A + (c - 'a')));
    }

    // A campaign level of four moves, started from its file, info popup
    // closed, and the first move of its recorded solution made, so that a
    // hint starts from a board the player has changed.
    void PlayCampaignLevel()
    {
        cFileSystemPOSIX levels(ZELTRA_TEST_SOURCE_DIR "/data/levels");
        game->StartFromFile(levels, "/Zeltra33.lvl");
        Enter();
        ASSERT_EQ(game->GetPopup(), cGame::kPopupNone);
        ASSERT_TRUE(RunToRest());
        cMoveLog log;
        log.Load(levels, "/Zeltra33.moves");
        ASSERT_GE(log.moves.size(), 2u);
        ASSERT_TRUE(PlayMove(game->GetPuzzle(), log.moves.front()));
        ASSERT_FALSE(game->GetPuzzle().IsCompleted());
    }

    // Frames until the search has answered; a bounded number of them, each
    // giving the worker a moment.
    void FramesUntilAnswered()
    {
        for (int i = 0; i < 20000 && game->IsHintSearching(); ++i)
        {
            Frame();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_FALSE(game->IsHintSearching());
    }

    void HoldTheSolver()
    {
        game->SetHintSolve([this](const cPuzzle&, const std::atomic<bool>& stop)
                           { return held.Solve(stop); });
    }

    cHeldSolver held;
};

TEST_F(HintTest, AHintOnACampaignLevelIsAMoveThatStillLeadsToTheEnd)
{
    // The game's own search, with room for a slow machine.
    game->SetHintSolve(
        [](const cPuzzle& puzzle, const std::atomic<bool>& stop)
        {
            cSolver::sOptions options;
            options.maxSeconds = 60.0;
            options.stop = &stop;
            return cSolver::SolveFrom(puzzle, options);
        });
    ASSERT_NO_FATAL_FAILURE(PlayCampaignLevel());
    cPuzzle& puzzle = game->GetPuzzle();
    const size_t history = puzzle.GetHistorySize();
    EXPECT_FALSE(game->WasHintUsed());
    sounds.played.clear();

    F1();
    EXPECT_TRUE(game->IsHintSearching());
    EXPECT_EQ(game->GetHintMarker().GetMessage(), "looking for a hint...");
    ASSERT_NO_FATAL_FAILURE(FramesUntilAnswered());
    ASSERT_TRUE(game->GetHintMarker().IsShown()) << game->GetHintMarker().GetMessage();
    EXPECT_TRUE(game->WasHintUsed());
    // The search played its moves silently on its own copy.
    EXPECT_EQ(sounds.Count(kSndPutPiece), 0);
    EXPECT_EQ(puzzle.GetHistorySize(), history);

    // Followed with the keys and the mouse as the marker shows it.
    const cMove move = game->GetHintMarker().GetMove();
    SCOPED_TRACE(move.Describe());
    ASSERT_FALSE(game->GetHintMarker().GetCells().empty());
    if (move.item)
    {
        const int label = cItemPanel::SlotLabel(move.slot);
        Key(SDLK_0 + label,
            label == 0 ? SDL_SCANCODE_0 : static_cast<SDL_Scancode>(SDL_SCANCODE_1 + label - 1));
        EXPECT_EQ(game->GetHintMarker().GetCells().front(), std::make_pair(move.x, move.y));
    }
    else
    {
        if (!puzzle.IsPieceMode())
            Click(750, 77); // the piece panel, as a player leaves item mode
        ASSERT_TRUE(puzzle.IsPieceMode());
        cPiecePanel& panel = puzzle.GetPiecePanel();
        const int wanted = (move.rotation + panel.GetStartTurn(panel.GetCurrentIndex())) % 6;
        for (int turn = 0; panel.GetRotation() != wanted && turn < 6; ++turn)
            Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
        ASSERT_EQ(panel.GetRotation(), wanted);
        // The marked cells are where the turned piece's bricks go.
        const tPiece shape = cBoard::RotatedPiece(panel.GetPiece(panel.GetCurrentIndex()), wanted);
        size_t bricks = 0;
        for (uint8_t code : shape)
            bricks += static_cast<int8_t>(code) > 0;
        EXPECT_EQ(game->GetHintMarker().GetCells().size(), bricks);
    }
    const cPoint target = CellPixel(move.x, move.y);
    ASSERT_TRUE(cGame::kBoardArea.Contains(target.x, target.y));
    Click(target.x, target.y);
    ASSERT_EQ(puzzle.GetHistorySize(), history + 1) << "the hinted move was refused";
    Frame();
    EXPECT_FALSE(game->GetHintMarker().IsShown()) << "the hint outlived its move";
    ASSERT_TRUE(RunToRest());

    // A solution still exists from here.
    if (!puzzle.IsCompleted())
    {
        cSolver::sOptions options;
        options.maxSeconds = 60.0;
        EXPECT_TRUE(cSolver::SolveFrom(puzzle, options).solved);
    }
    // Kept for the level while it is played again; nothing is written.
    game->StartLevel();
    EXPECT_TRUE(game->WasHintUsed());
    EXPECT_FALSE(std::filesystem::exists(host.ProgressPath()));
}

TEST_F(HintTest, FramesGoOnWhileTheSolverIsHeld)
{
    HoldTheSolver();
    held.answer.solved = true;
    held.answer.moves = {cMove{false, 1, 1, 2, 0}};
    ASSERT_NO_FATAL_FAILURE(PlayCampaignLevel());
    F1();
    held.WaitUntilEntered(1);
    // The solver cannot return before Release: every frame below is
    // updated and drawn while it searches.
    for (int i = 0; i < 30; ++i)
    {
        Frame();
        ASSERT_TRUE(game->IsHintSearching());
    }
    EXPECT_FALSE(held.HasLeft());
    EXPECT_FALSE(game->GetHintMarker().IsShown());
    // F1 again while searching starts nothing new.
    F1();
    EXPECT_TRUE(game->IsHintSearching());

    held.Release();
    ASSERT_NO_FATAL_FAILURE(FramesUntilAnswered());
    ASSERT_TRUE(game->GetHintMarker().IsShown());
    EXPECT_EQ(game->GetHintMarker().GetMove(), held.answer.moves.front());
    EXPECT_FALSE(held.SawStop());
    EXPECT_EQ(held.Entered(), 1);
    // It fades after a few seconds.
    Frames(cHintMarker::kShowTime + 0.1f);
    EXPECT_FALSE(game->GetHintMarker().IsShown());
}

TEST_F(HintTest, UndoRestartAndLeavingCancelASearchWithoutWaitingForIt)
{
    HoldTheSolver();
    held.answer.solved = true;
    held.answer.moves = {cMove{false, 1, 1, 0, 0}};
    ASSERT_NO_FATAL_FAILURE(PlayCampaignLevel());

    int searches = 0;
    const auto ask = [&]
    {
        F1();
        ASSERT_TRUE(game->IsHintSearching());
        held.WaitUntilEntered(++searches);
    };
    // Undo: the worker is told to stop and never reports.
    ask();
    Letter('u');
    EXPECT_FALSE(game->IsHintSearching());
    held.WaitUntilLeft(1);
    EXPECT_TRUE(held.SawStop());
    // The stopped search ends on the worker; no frame waits for it.
    for (int i = 0; i < 2000 && game->GetHintSearch().IsWorkerBusy(); ++i)
    {
        Frame();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_FALSE(game->GetHintSearch().IsWorkerBusy());
    EXPECT_FALSE(game->GetHintMarker().IsShown());
    EXPECT_FALSE(game->WasHintUsed());

    // Restart.
    ask();
    game->StartLevel();
    EXPECT_FALSE(game->IsHintSearching());
    Enter();
    ASSERT_TRUE(RunToRest());

    // Leaving the screen.
    ask();
    game->Deactivate();
    EXPECT_FALSE(game->IsHintSearching());
    held.WaitUntilLeft(3);
    Frames(0.1f);
    EXPECT_FALSE(game->GetHintMarker().IsShown());
    EXPECT_FALSE(game->WasHintUsed());
}

TEST_F(HintTest, OnlyAskedForAtRestWithoutPopupAndSaysWhenNothingWasFound)
{
    HoldTheSolver();
    held.Release(); // answers at once
    ASSERT_NO_FATAL_FAILURE(PlayCampaignLevel());
    game->ShowPopup(cGame::kPopupLevelInfo);
    F1();
    EXPECT_FALSE(game->IsHintSearching());
    game->ClosePopup();
    ASSERT_TRUE(RunToRest());

    // Time ran out: a short note instead of a marker.
    held.answer = {};
    F1();
    ASSERT_NO_FATAL_FAILURE(FramesUntilAnswered());
    EXPECT_FALSE(game->GetHintMarker().IsShown());
    EXPECT_EQ(game->GetHintMarker().GetMessage(), "no hint found in time");
    EXPECT_FALSE(game->WasHintUsed());

    // The board holds no solution at all.
    held.answer.exhausted = true;
    F1();
    ASSERT_NO_FATAL_FAILURE(FramesUntilAnswered());
    EXPECT_NE(game->GetHintMarker().GetMessage().find("undo"), std::string::npos);
    Frames(cHintMarker::kMessageTime + 0.1f);
    EXPECT_TRUE(game->GetHintMarker().GetMessage().empty());
}

} // namespace
} // namespace ScreenTest

namespace ScreenTest
{
namespace
{

// On the real device: the marker and the symbols change what is drawn.
class HintDrawingTest : public ScreenHarness
{
protected:
    HintDrawingTest() : ScreenHarness(true) {}

    cPixelBuffer Shot()
    {
        Frame(0.0f);
        cPixelBuffer frame;
        EXPECT_TRUE(device->ReadFrame(frame));
        return frame;
    }
    // Pixels that differ inside the board area.
    static int Differing(const cPixelBuffer& a, const cPixelBuffer& b)
    {
        int count = 0;
        const cRect area = cGame::kBoardArea;
        for (int32_t y = area.y; y < area.GetBottom(); ++y)
            for (int32_t x = area.x; x < area.GetRight(); ++x)
            {
                const uint8_t* p = a.GetPixels() + (y * a.GetWidth() + x) * 4;
                const uint8_t* q = b.GetPixels() + (y * b.GetWidth() + x) * 4;
                count += p[0] != q[0] || p[1] != q[1] || p[2] != q[2];
            }
        return count;
    }
};

TEST_F(HintDrawingTest, SymbolsAndTheHintMarkerAreDrawnOverTheBoard)
{
    cFileSystemPOSIX levels(ZELTRA_TEST_SOURCE_DIR "/data/levels");
    game->StartFromFile(levels, "/Zeltra33.lvl");
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    ASSERT_TRUE(RunToRest());
    cMoveLog log;
    log.Load(levels, "/Zeltra33.moves");
    MoveTo(5, 595); // the pointer off the board: no preview
    const cPixelBuffer plain = Shot();

    Key(SDLK_c, SDL_SCANCODE_C);
    EXPECT_TRUE(host.options.IsColourSymbols());
    EXPECT_TRUE(AreBrickSymbolsShown());
    const cPixelBuffer symbols = Shot();
    EXPECT_GT(Differing(plain, symbols), 200);

    cHeldSolver held;
    held.answer.solved = true;
    held.answer.moves = {log.moves.front()};
    held.Release();
    game->SetHintSolve([&held](const cPuzzle&, const std::atomic<bool>& stop)
                       { return held.Solve(stop); });
    Key(SDLK_F1, SDL_SCANCODE_F1);
    for (int i = 0; i < 2000 && game->IsHintSearching(); ++i)
    {
        Frame();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(game->GetHintMarker().IsShown());
    Frames(0.15f); // towards the pulse's bright half
    const cPixelBuffer marked = Shot();
    EXPECT_GT(Differing(symbols, marked), 200);
    if (const char* out = std::getenv("ZELTRA_SCREENSHOTS"))
        SaveImage(marked, std::string(out) + "/game-hint-symbols.png");

    Key(SDLK_c, SDL_SCANCODE_C);
    EXPECT_FALSE(host.options.IsColourSymbols());
    Frame();
    EXPECT_FALSE(AreBrickSymbolsShown());
}

} // namespace
} // namespace ScreenTest
