// A frame of the editor and of the game screen with boards small and large,
// up to the largest the editor makes, 1000 x 1000 (see eBoard). Only the part
// of a board inside the board area reaches the screen, so two boards that
// show the same picture should cost about the same whatever their size:
// 1000x1000 against 24x18 (both fill the board area), and the 9 x 7 level
// alone against the same level in the middle of a 1000 x 1000 board.
// The second argument picks the render device:
// - 0, the null device: the CPU side alone (commands, clipping, grouping);
// - 1, the OpenGL device under the X server in DISPLAY (Xvfb, where Mesa's
//   llvmpipe rasterises on the CPU too): the whole frame as a player gets
//   it, with Present.
// The draw calls handed on per frame are reported too.

#include "bench/GameBenchHost.h"
#include "engine/Display/GL/RenderDeviceGL.h"
#include "engine/Display/GL/RenderSystemGL.h"
#include "engine/Display/RenderDeviceNull.h"
#include "engine/Display/SDL/DisplaySDL.h"
#include "engine/Gui/GUI.h"
#include "game/Editor/Editor.h"
#include "game/Game/Screen/Game.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

using namespace Korva;

namespace
{

class cBenchEditorHost : public cEditorHost
{
public:
    cOptions& GetOptions() override { return options; }
    void RequestTestPlay(const cLevel&) override {}
    void RequestMenu() override {}
    void OpenHomepage() override {}
    Korva::cFileSystem* GetUserFileSystem() override { return nullptr; }
    cOptions options;
};

// The boards measured (the first argument).
enum eBoard : int
{
    kSmall,    // 9 x 7, every cell filled
    kFilled,   // 24 x 18, every cell filled: as much as the board area shows
    kLarge,    // 1000 x 1000, every cell filled: the same picture as kFilled
    kLargeGap, // the 9 x 7 board in the middle of an empty 1000 x 1000 one
};
constexpr const char* kBoardNames[] = {"9x7", "24x18", "1000x1000", "9x7 in 1000x1000"};

cLevel BenchLevel(int board)
{
    const int side = board == kFilled ? 24 : 1000;
    const int width = board == kSmall ? 9 : side;
    const int height = board == kSmall ? 7 : (board == kFilled ? 18 : side);
    // The filled block: all of the board, or 9 x 7 cells in its middle.
    const int left = board == kLargeGap ? width / 2 - 4 : 0;
    const int top = board == kLargeGap ? height / 2 - 3 : 0;
    const int right = board == kLargeGap ? left + 9 : width;
    const int bottom = board == kLargeGap ? top + 7 : height;
    cLevel level;
    level.SetWidth(width);
    level.SetHeight(height);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
        {
            level.SetCell(x, y, (x + y) % 13 == 0 ? kCellIce : kCellPlain);
            // No three in a row of one colour, so nothing matches away.
            if ((x + y) % 2 == 0)
                level.SetBrick(x, y, 11 + 10 * (x % 4) + (y % 3));
        }
    level.SetPieceCount(1);
    level.SetPiece(0, tPiece{12, 0, 0, 0, 0, 0, 0});
    return level;
}

struct cBenchScreen
{
    explicit cBenchScreen(bool gl)
    {
        cDisplayMode mode;
        mode.width = 800;
        mode.height = 600;
        if (gl)
        {
            display = std::make_unique<cDisplaySDL>();
            display->Create(mode, false);
            cRenderSystemGL system;
            device = system.CreateRenderDevice(*display);
        }
        else
        {
            auto null = std::make_unique<cRenderDeviceNull>(mode);
            null->SetRecording(false);
            device = std::move(null);
        }
        gui = std::make_unique<cGUI>(nullptr, device.get(), nullptr);
        gui->GetRoot().SetSize(cPoint(800, 600));
        gui->SetUpdateEnabled(false);
    }
    ~cBenchScreen()
    {
        gui->GetRoot().RemoveAllChildren();
        gui.reset();
    }

    // One frame as the main loop runs it, optionally without the update;
    // the draw calls are counted.
    void Frame(uint64_t& calls, bool update = true)
    {
        device->ResetDrawCallCount();
        if (update)
            gui->Update(1.0f / 60.0f);
        device->Clear(cColor(0, 0, 0));
        gui->Draw();
        device->Present();
        calls += device->GetDrawCallCount();
    }

    std::unique_ptr<cDisplaySDL> display;
    std::unique_ptr<cRenderDevice> device;
    std::unique_ptr<cGUI> gui;
};

// False (and the benchmark skipped) when the OpenGL device is asked for
// without an X display to open it on.
bool CanRun(benchmark::State& state)
{
    if (state.range(1) != 0 && !std::getenv("DISPLAY"))
    {
        state.SkipWithError("no X display");
        return false;
    }
    return true;
}

// Frames of `screen` until the benchmark has measured enough, then the
// board's name and the draw calls per frame as counters.
void Measure(benchmark::State& state, cBenchScreen& screen, bool update)
{
    uint64_t calls = 0;
    int64_t frames = 0;
    for (auto _ : state)
    {
        screen.Frame(calls, update);
        ++frames;
    }
    state.SetLabel(std::string(kBoardNames[state.range(0)]) +
                   (state.range(1) != 0 ? ", OpenGL" : ", null device"));
    state.counters["draw_calls"] =
        benchmark::Counter(static_cast<double>(calls) / static_cast<double>(frames));
}

// The board's screen with the generated data, measured by `run`; the data
// goes again afterwards.
template <class tRun> void WithData(benchmark::State& state, tRun run)
{
    if (!CanRun(state))
        return;
    cBenchScreen screen(state.range(1) != 0);
    {
        cBenchData data;
        run(screen);
        cResManager::Destroy();
    }
    cFileSystemManager::Get().SetCurrent(cFileSystemManager::Get().GetDefault());
}

void EditorFrame(benchmark::State& state)
{
    WithData(state,
             [&](cBenchScreen& screen)
             {
                 cBenchEditorHost host;
                 cEditor editor(*screen.gui, host);
                 editor.SetSoundListener(nullptr);
                 screen.gui->GetRoot().AddChild(cPoint(0, 0), &editor);
                 editor.SetLevel(BenchLevel(static_cast<int>(state.range(0))));
                 Measure(state, screen, true);
                 screen.gui->GetRoot().RemoveChild(&editor);
             });
}

// The game screen at rest, no popup open; with `update` false only the
// frame's drawing is measured.
void GameScreen(benchmark::State& state, bool update)
{
    WithData(state,
             [&](cBenchScreen& screen)
             {
                 cBenchHost host;
                 cGame game(*screen.gui, host);
                 game.SetSoundListener(nullptr);
                 screen.gui->GetRoot().AddChild(cPoint(0, 0), &game);
                 game.StartEditorTest(BenchLevel(static_cast<int>(state.range(0))));
                 game.ClosePopup();
                 game.GetPuzzle().RunToRest();
                 screen.gui->Update(1.0f / 60.0f);
                 Measure(state, screen, update);
                 screen.gui->GetRoot().RemoveChild(&game);
             });
}

void GameScreenFrame(benchmark::State& state)
{
    GameScreen(state, true);
}

void GameScreenDraw(benchmark::State& state)
{
    GameScreen(state, false);
}

} // namespace

// The editor centres the board itself, holes and all: the large boards with
// a gap would show only holes, so it is measured on the filled ones.
BENCHMARK(EditorFrame)
    ->ArgsProduct({{kSmall, kFilled, kLarge}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(GameScreenFrame)
    ->ArgsProduct({{kSmall, kFilled, kLarge, kLargeGap}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(GameScreenDraw)
    ->ArgsProduct({{kSmall, kFilled, kLarge, kLargeGap}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
