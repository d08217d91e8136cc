// The widget tree: routing a mouse move through 200 widgets, and one frame
// (update and draw) of a popup holding a 2,000-word text box. Both report
// the heap allocations per iteration, which must be 0 once warmed up.

#include "engine/Gui/GUI.h"
#include "engine/Display/Font.h"
#include "engine/Display/RenderDeviceNull.h"
#include "engine/Gui/Button.h"
#include "engine/Gui/TextBox.h"
#include "game/Menu/Popup.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace
{
std::atomic<long> g_allocations{0};
}

// Counts every allocation of the process; the matching deletes free what
// malloc gave, which GCC cannot see through the replaced operators.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

using namespace Korva;

namespace
{

// Draws each glyph as a small quad, as a sprite font would cost.
class cQuadFont : public cFont
{
public:
    explicit cQuadFont(cRenderDevice& device) : m_device(device) {}
    int32_t GetMaxCharWidth() const override { return 8; }
    int32_t GetHeight() const override { return 14; }
    int32_t GetCharWidth(uint8_t c) const override { return c == ' ' ? 4 : 7; }
    int32_t GetCharHeight(uint8_t) const override { return 14; }
    void DrawText(const cPoint& position, const std::string& text, const cColor& color,
                  int32_t) const override
    {
        int32_t x = position.x;
        for (const char c : text)
        {
            m_device.FillRect(cRect(x, position.y, 6, 12), color);
            x += GetCharWidth(static_cast<uint8_t>(c));
        }
    }

protected:
    int32_t GetGlyphFrame(uint8_t) const override { return -1; }
    const cSprite* GetSprite() const override { return nullptr; }

private:
    cRenderDevice& m_device;
};

void BM_RouteMouseMoveThrough200Widgets(benchmark::State& state)
{
    cGUI gui(nullptr, nullptr, nullptr);
    // 10 panels of 19 buttons, plus 10 plain widgets beside them.
    std::vector<std::unique_ptr<cWidget>> widgets;
    for (int p = 0; p < 10; ++p)
    {
        auto panel = std::make_unique<cWidget>(gui);
        panel->SetSize(cPoint(80, 600));
        gui.GetRoot().AddChild(cPoint(p * 80, 0), panel.get());
        for (int b = 0; b < 19; ++b)
        {
            auto button = std::make_unique<cButton>(gui);
            button->SetSize(cPoint(70, 28));
            button->SetLayer(static_cast<uint8_t>(b % 2));
            panel->AddChild(cPoint(5, b * 31), button.get());
            widgets.push_back(std::move(button));
        }
        widgets.push_back(std::move(panel));
    }
    for (int i = 0; i < 10; ++i)
    {
        auto extra = std::make_unique<cWidget>(gui);
        extra->SetSize(cPoint(5, 5));
        gui.GetRoot().AddChild(cPoint(i * 80 + 75, 595), extra.get());
        widgets.push_back(std::move(extra));
    }
    int step = 0;
    long allocations = 0;
    long moves = 0;
    for (auto _ : state)
    {
        // Sweeps across every panel, entering and leaving buttons.
        const cMouseEvent move(kMouseMove, (step * 37) % 800, (step * 13) % 600);
        ++step;
        const long before = g_allocations.load(std::memory_order_relaxed);
        gui.OnInputEvent(move);
        allocations += g_allocations.load(std::memory_order_relaxed) - before;
        ++moves;
    }
    state.counters["allocs_per_move"] =
        static_cast<double>(allocations) / static_cast<double>(moves);
    state.counters["widgets"] = static_cast<double>(widgets.size());
}
BENCHMARK(BM_RouteMouseMoveThrough200Widgets);

void BM_PopupWithTextBoxFrame(benchmark::State& state)
{
    cRenderDeviceNull device;
    device.SetRecording(false);
    cGUI gui(nullptr, &device, nullptr);
    cQuadFont font(device);
    gui.SetDefaultFont(&font);
    cPopup popup(cPoint(500, 400), gui);
    popup.SetTitle("instructions");
    cTextBox box(gui, cPoint(460, 320));
    box.SetFont(&font);
    std::string text;
    const char* words[] = {"hexagon", "brick", "piece", "vortex", "plasma", "ice", "arrow"};
    for (int i = 0; i < 2000; ++i)
        text += std::string(words[i % 7]) + (i % 40 == 39 ? "\n" : " ");
    box.SetText(text);
    box.SetScrollOffset(0.0f, 1000.0f);
    popup.AddChild(cPoint(20, 40), &box);
    gui.GetRoot().AddChild(cPoint(150, 100), &popup);
    gui.GetRoot().SetFocus(&box);
    // The first frame may size the device's buffers.
    gui.Update(0.016f);
    gui.Draw();
    long allocations = 0;
    long frames = 0;
    for (auto _ : state)
    {
        const long before = g_allocations.load(std::memory_order_relaxed);
        gui.Update(0.016f);
        gui.Draw();
        allocations += g_allocations.load(std::memory_order_relaxed) - before;
        ++frames;
    }
    state.counters["allocs_per_frame"] =
        static_cast<double>(allocations) / static_cast<double>(frames);
    state.counters["lines"] = box.GetLineCount();
    gui.GetRoot().RemoveChild(&popup);
    popup.RemoveChild(&box);
}
BENCHMARK(BM_PopupWithTextBoxFrame);

} // namespace
