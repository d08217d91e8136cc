// Frames of the game screen (update and draw to the null device) while the
// hint search runs on its worker thread: the solver takes a core, the frame
// loop must not notice. A campaign level of many pieces keeps the search
// busy; whenever it answers, the next frame asks again. Reported: the mean
// (the benchmark's time), the slowest frame and the share of frames that
// ran while a search was going on.

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

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

using namespace Korva;

namespace
{

// Argument 1: a search runs all the time; 0: none, the same frames as a
// baseline (on a loaded machine the slowest frame is the scheduler's).
void FrameWhileSearching(benchmark::State& state)
{
    const bool search = state.range(0) != 0;
    cBenchData data;

    cDisplayMode mode;
    mode.width = 800;
    mode.height = 600;
    cRenderDeviceNull device(mode);
    {
        cGUI gui(nullptr, &device, nullptr);
        gui.GetRoot().SetSize(cPoint(800, 600));
        gui.SetUpdateEnabled(false);
        cBenchHost host;
        host.options.SetColourSymbols(true);
        cGame game(gui, host);
        game.SetSoundListener(nullptr);
        gui.GetRoot().AddChild(cPoint(0, 0), &game);
        cLevel level;
        level.Load(data.Folder(), "/Levels/Zeltra31.lvl");
        game.StartEditorTest(level);
        game.ClosePopup();
        for (int i = 0; i < 6000 && !game.GetPuzzle().IsSettled(); ++i)
            gui.Update(1.0f / 60.0f);

        double slowest = 0.0;
        std::vector<double> times;
        int64_t frames = 0;
        int64_t searching = 0;
        for (auto _ : state)
        {
            state.PauseTiming();
            if (search && !game.IsHintSearching())
                game.AskForHint();
            state.ResumeTiming();
            const auto start = std::chrono::steady_clock::now();
            gui.Update(1.0f / 60.0f);
            device.Clear(cColor(0, 0, 0));
            gui.Draw();
            device.Present();
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            slowest = std::max(slowest, took.count());
            times.push_back(took.count());
            searching += game.IsHintSearching();
            ++frames;
        }
        state.counters["slowest_ms"] = slowest;
        if (!times.empty())
        {
            const auto p99 = times.begin() + static_cast<std::ptrdiff_t>(times.size() * 99 / 100);
            std::nth_element(times.begin(), p99, times.end());
            state.counters["p99_ms"] = *p99;
        }
        state.counters["searching"] =
            static_cast<double>(searching) / static_cast<double>(std::max<int64_t>(frames, 1));
        game.DropHint();
        gui.GetRoot().RemoveChild(&game);
    }
    cResManager::Destroy();
    cFileSystemManager::Get().SetCurrent(cFileSystemManager::Get().GetDefault());
}

} // namespace

BENCHMARK(FrameWhileSearching)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->MinTime(3.0);
