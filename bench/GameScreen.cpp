// One whole frame of the game screen (update and draw) with a busy 20 x 20
// board in the middle of a reaction: bricks everywhere, bricks fading and
// moving, explosions and plasma bolts; no popup open. Drawing goes to the
// null render device, so this is the CPU side; the draw calls the frame
// hands to the back end are reported per iteration.

#include "bench/GameBenchHost.h"
#include "engine/Display/RenderDeviceNull.h"
#include "engine/File/FileSystemManager.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "engine/Gui/GUI.h"
#include "engine/Resource/BuiltIn/BuiltInResourceHandler.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/GameResourceHandler.h"
#include "game/Game/Screen/Game.h"
#include "game/Options.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

using namespace Korva;

namespace
{

cLevel BusyLevel()
{
    cLevel level;
    level.SetWidth(20);
    level.SetHeight(20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
        {
            level.SetCell(x, y, (x * 7 + y * 3) % 11 == 0 ? 9 : 1);
            const int pick = (x * 13 + y * 5) % 17;
            level.SetBrick(x, y,
                           pick == 0   ? kBrickMulti
                           : pick == 1 ? kBrickStar
                           : pick == 2 ? kBrickBomb
                           : pick == 3 ? kBrickPlasma
                                       : 11 + (pick % 5) * 10 + (pick % 3));
        }
    level.SetPieceCount(20);
    for (int i = 0; i < 20; ++i)
        level.SetPiece(i, tPiece{12, 23, 34, 45, 12, 23, 34});
    for (int slot = 0; slot < 10; ++slot)
        level.SetItem(slot, slot < 6 ? kItemPushFirst + slot : 11 + slot);
    return level;
}

void GameScreenFrame(benchmark::State& state)
{
    const cBenchData data;

    cDisplayMode mode;
    mode.width = 800;
    mode.height = 600;
    cRenderDeviceNull device(mode);
    {
        cGUI gui(nullptr, &device, nullptr);
        gui.GetRoot().SetSize(cPoint(800, 600));
        gui.SetUpdateEnabled(false);
        cBenchHost host;
        cGame game(gui, host);
        game.SetSoundListener(nullptr);
        gui.GetRoot().AddChild(cPoint(0, 0), &game);
        game.StartEditorTest(BusyLevel());
        game.ClosePopup();

        // A reaction in full swing: removed bricks fading, bricks on the
        // move, explosions and bolts.
        cBoard& board = game.GetPuzzle().GetBoard();
        for (int i = 0; i < 20; ++i)
        {
            board.AddFading(i, (i * 7) % 20, 11 + 10 * (i % 5));
            board.CreateExplosion((i * 3) % 20, (i * 11) % 20, 0.0f, 0.05f);
        }
        for (int x = 1; x < 19; x += 3)
            board.CreateMover(x, 10, 4, board.GetBrickCode(x, 10));
        board.CreateBolt(2, 2, 2, 12, 4);
        board.CreateBolt(5, 15, 15, 15, 3);
        board.Update(0.1f, true);
        const cBoard busy = board;

        uint64_t calls = 0;
        int64_t frames = 0;
        for (auto _ : state)
        {
            state.PauseTiming();
            game.GetPuzzle().GetBoard() = busy;
            device.ResetDrawCallCount();
            state.ResumeTiming();
            gui.Update(1.0f / 60.0f);
            device.Clear(cColor(0, 0, 0));
            gui.Draw();
            device.Present();
            calls += device.GetDrawCallCount();
            ++frames;
        }
        state.counters["draw_calls"] =
            benchmark::Counter(static_cast<double>(calls) / static_cast<double>(frames));
        state.counters["particles"] = static_cast<double>(busy.GetParticles().size());
        gui.GetRoot().RemoveChild(&game);
    }
    cResManager::Destroy();
    cFileSystemManager::Get().SetCurrent(cFileSystemManager::Get().GetDefault());
}

} // namespace

BENCHMARK(GameScreenFrame)->Unit(benchmark::kMicrosecond);
