#include "GuiHarness.h"

#include "engine/Display/RenderDeviceNull.h"
#include "engine/Input/KeyCodes.h"

using namespace GuiTest;

namespace
{

class WidgetTest : public Harness
{
};

// Takes the wheel or not, and counts what reached it.
class cWheelWidget : public cWidget
{
public:
    cWheelWidget(cGUI& gui, bool takes) : cWidget(gui), takes(takes) {}
    bool OnMouseWheel(const cMouseEvent& event) override
    {
        ++turns;
        steps += event.GetWheelY();
        at = cPoint(event.GetX(), event.GetY());
        return takes;
    }
    bool takes;
    int turns = 0;
    float steps = 0.0f;
    cPoint at;
};

TEST_F(WidgetTest, HoverFollowsThePointerAcrossNestedWidgets)
{
    cWidget* panel = Make(gui->GetRoot(), 100, 100, 200, 200, "panel");
    cWidget* button = Make(*panel, 50, 50, 40, 20, "button");
    MoveTo(110, 110);
    EXPECT_EQ(log.Take(), "enter:panel move:panel");
    MoveTo(160, 160); // onto the button
    EXPECT_EQ(log.Take(), "leave:panel enter:button move:button");
    EXPECT_TRUE(button->IsMouseInside());
    MoveTo(120, 120); // back onto the panel
    EXPECT_EQ(log.Take(), "leave:button move:panel");
    MoveTo(10, 10); // off the panel
    EXPECT_EQ(log.Take(), "leave:panel");
    EXPECT_EQ(gui->GetMousePosition(), cPoint(10, 10));
}

TEST_F(WidgetTest, TheWheelGoesUnderThePointerAndUpWhileNotTaken)
{
    cWheelWidget panel(*gui, true);
    panel.SetSize(cPoint(200, 200));
    cWheelWidget inner(*gui, false);
    inner.SetSize(cPoint(50, 50));
    gui->GetRoot().AddChild(cPoint(100, 100), &panel);
    panel.AddChild(cPoint(20, 20), &inner);
    // The inner widget does not take it: its parent does.
    Wheel(130, 130, -1.0f);
    EXPECT_EQ(inner.turns, 1);
    EXPECT_EQ(inner.at, cPoint(10, 10));
    EXPECT_EQ(panel.turns, 1);
    EXPECT_FLOAT_EQ(panel.steps, -1.0f);
    // Taken below, it goes no further.
    inner.takes = true;
    Wheel(130, 130, 2.0f);
    EXPECT_EQ(inner.turns, 2);
    EXPECT_EQ(panel.turns, 1);
    // Beside the inner widget only the panel hears it; outside, nobody.
    Wheel(250, 250, 1.0f);
    Wheel(20, 20, 1.0f);
    EXPECT_EQ(panel.turns, 2);
    EXPECT_EQ(inner.turns, 2);
    // A captured mouse does not take the wheel from what is under it.
    gui->CaptureMouse(&inner);
    Wheel(250, 250, 1.0f);
    EXPECT_EQ(panel.turns, 3);
    gui->ReleaseMouse(&inner);
    panel.RemoveChild(&inner);
    gui->GetRoot().RemoveChild(&panel);
}

TEST_F(WidgetTest, ClickGoesToTheTopLayerThenTheFrontChild)
{
    cWidget* a = Make(gui->GetRoot(), 0, 0, 100, 100, "a");
    cWidget* b = Make(gui->GetRoot(), 50, 50, 100, 100, "b"); // added last: front
    Click(60, 60);
    EXPECT_EQ(log.Take(), "enter:b move:b down:b up:b");
    EXPECT_EQ(log.lastX, 10);
    EXPECT_EQ(log.lastY, 10);
    // A higher layer wins although it is behind in the list.
    a->SetLayer(1);
    Click(61, 61);
    EXPECT_EQ(log.Take(), "leave:b enter:a move:a focus-:b down:a up:a");
    gui->GetRoot().BringChildToFront(a);
    a->SetLayer(0);
    gui->GetRoot().SendChildToBack(a);
    Click(62, 62);
    EXPECT_EQ(log.Take(), "leave:a enter:b move:b focus-:a down:b up:b");
    (void)b;
}

TEST_F(WidgetTest, DoubleClickNeedsSamePixelButtonAndTime)
{
    cWidget* panel = Make(gui->GetRoot(), 0, 0, 300, 300, "panel");
    Make(*panel, 100, 100, 50, 50, "child");
    Click(10, 10);
    gui->Update(0.5f);
    Click(10, 10);
    EXPECT_NE(log.Take().find("double:panel"), std::string::npos);
    gui->Update(0.8f);
    Click(10, 10);
    gui->Update(0.1f);
    Click(11, 10);
    Button(true, 11, 10, SDL_BUTTON_RIGHT);
    EXPECT_EQ(log.Take().find("double"), std::string::npos);
    // A press on the child in between does not count for the panel, and the
    // child's own first click is no double click.
    Click(20, 20);
    Click(120, 120);
    Click(20, 20);
    const std::string seen = log.Take();
    EXPECT_EQ(seen.find("double:child"), std::string::npos);
    EXPECT_NE(seen.find("double:panel"), std::string::npos);
}

TEST_F(WidgetTest, PressMovesFocusAndKeysReachOnlyTheFocusedWidget)
{
    cWidget* left = Make(gui->GetRoot(), 0, 0, 100, 100, "left");
    cWidget* right = Make(gui->GetRoot(), 200, 0, 100, 100, "right");
    Click(10, 10);
    EXPECT_TRUE(left->IsFocused());
    EXPECT_FALSE(gui->GetRoot().IsFocused());
    log.Take();
    Type("x");
    Key(SDLK_a, SDL_SCANCODE_A);
    EXPECT_EQ(log.Take(), "charx:left key:left");
    Click(210, 10);
    EXPECT_EQ(log.Take(), "leave:left enter:right move:right focus-:left down:right up:right");
    EXPECT_TRUE(right->IsFocused());
    // Focus moved from code: notified on both sides.
    gui->GetRoot().SetFocus(left);
    EXPECT_EQ(log.Take(), "focus-:right focus+:left");
    // Re-adding a widget drops the focus of its subtree.
    gui->GetRoot().RemoveChild(left);
    gui->GetRoot().AddChild(cPoint(0, 0), left);
    EXPECT_FALSE(left->IsFocused());
}

TEST_F(WidgetTest, DragAreaMovesTheWidgetUnderTheMouseUntilRelease)
{
    cWidget* window = Make(gui->GetRoot(), 100, 100, 200, 100, "window");
    cWidget* inner = Make(*window, 0, 50, 200, 50, "inner");
    window->AddDragArea(cRect(0, 0, 200, 20));
    Button(true, 110, 105);
    EXPECT_TRUE(window->IsDragging());
    EXPECT_EQ(gui->GetCapture(), window);
    MoveTo(400, 300); // far away, still captured
    EXPECT_EQ(window->GetPosition(), cPoint(390, 295));
    Button(false, 400, 300);
    EXPECT_FALSE(window->IsDragging());
    EXPECT_EQ(gui->GetCapture(), nullptr);
    // A right press does not drag, nor does a press outside the area.
    Button(true, 400, 300, SDL_BUTTON_RIGHT);
    Button(true, 400, 350);
    EXPECT_EQ(gui->GetCapture(), nullptr);
    (void)inner;
}

TEST_F(WidgetTest, CaptureOfAWidgetThatLeftTheTreeIsDropped)
{
    cWidget* a = Make(gui->GetRoot(), 0, 0, 100, 100, "a");
    Make(gui->GetRoot(), 200, 0, 100, 100, "b");
    gui->CaptureMouse(a);
    gui->CaptureMouse(gui->GetRoot().GetChild(0)); // only the first capture counts
    EXPECT_EQ(gui->GetCapture(), a);
    MoveTo(250, 50);
    EXPECT_EQ(log.Take(), "move:a"); // captured: a alone, handled
    gui->GetRoot().RemoveChild(a);
    MoveTo(251, 50);
    EXPECT_EQ(gui->GetCapture(), nullptr);
    EXPECT_EQ(log.Take(), "enter:b move:b");
}

TEST_F(WidgetTest, RemovingAndDeletingHoveredChildren)
{
    cWidget* a = Make(gui->GetRoot(), 0, 0, 100, 100, "a");
    MoveTo(10, 10);
    log.Take();
    gui->GetRoot().RemoveChild(a);
    EXPECT_EQ(log.Take(), "leave:a");
    EXPECT_EQ(gui->GetRoot().GetChildCount(), 0);
    EXPECT_EQ(gui->GetRoot().GetChild(0), nullptr);
    EXPECT_EQ(gui->GetRoot().GetChild(-1), nullptr);
    // A widget deleted while still in the tree takes itself out.
    auto doomed = std::make_unique<cWidget>(*gui);
    doomed->SetSize(cPoint(50, 50));
    gui->GetRoot().AddChild(cPoint(0, 0), doomed.get());
    MoveTo(5, 5);
    doomed.reset();
    EXPECT_EQ(gui->GetRoot().GetChildCount(), 0);
    MoveTo(6, 6); // would touch the deleted widget
}

TEST_F(WidgetTest, TimeStepClampAndFixedStep)
{
    cWidget* panel = Make(gui->GetRoot(), 0, 0, 10, 10, "panel");
    gui->SetUpdateEnabled(true);
    gui->SetTimeStepClamp(true, 0.001f, 0.1f);
    gui->Tick(5.0);
    gui->Tick(5.5);
    EXPECT_FLOAT_EQ(gui->GetLastTimeStep(), 0.1f);
    gui->Tick(5.5);
    EXPECT_FLOAT_EQ(gui->GetLastTimeStep(), 0.001f);
    gui->Tick(4.0); // the clock went back: nothing passed
    EXPECT_FLOAT_EQ(gui->GetLastTimeStep(), 0.001f);
    gui->SetFixedTimeStep(true, 0.02f);
    gui->Tick(9.0);
    EXPECT_FLOAT_EQ(gui->GetLastTimeStep(), 0.02f);
    gui->SetUpdateEnabled(false);
    gui->SetFixedTimeStep(false, 0.0f);
    gui->Tick(9.05);
    EXPECT_FLOAT_EQ(gui->GetLastTimeStep(), 0.02f);
    (void)panel;
}

// Drawing through a recording device.
class WidgetDrawTest : public ::testing::Test
{
protected:
    cRenderDeviceNull device;
};

TEST_F(WidgetDrawTest, ChildrenDrawnByLayerThenBackToFrontAndClipRestored)
{
    cGUI gui(nullptr, &device, nullptr);
    EXPECT_EQ(gui.GetRoot().GetSize(), cPoint(800, 600));
    cWidget low(gui), front(gui), high(gui);
    for (cWidget* w : {&low, &front, &high})
    {
        w->SetSize(cPoint(10, 10));
        w->SetBorder(false);
    }
    low.SetBackgroundColor(cColor(1, 0, 0));
    front.SetBackgroundColor(cColor(2, 0, 0));
    high.SetBackgroundColor(cColor(3, 0, 0));
    high.SetLayer(1);
    gui.GetRoot().AddChild(cPoint(0, 0), &high);
    gui.GetRoot().AddChild(cPoint(0, 0), &low);
    gui.GetRoot().AddChild(cPoint(5, 5), &front);

    // No children: clip untouched.
    device.SetClip(cRect(1, 2, 3, 4));
    low.DrawChildren(0, 0);
    EXPECT_EQ(device.GetClip(), cRect(1, 2, 3, 4));

    device.ClearDrawCalls();
    gui.Draw();
    std::vector<uint32_t> reds;
    for (const auto& call : device.GetDrawCalls())
        reds.push_back((call.vertices.at(0).color >> 16) & 255);
    EXPECT_EQ(reds, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_FALSE(device.IsClipEnabled());
    // A child is clipped to its own rectangle: the front one covers (5,5)-(15,15).
    const auto& frontCall = device.GetDrawCalls().at(1);
    for (const cVertex& v : frontCall.vertices)
    {
        EXPECT_GE(v.x, 5.0f);
        EXPECT_LE(v.x, 15.0f);
    }
    // A reset of the device resizes the root.
    device.Reset(cDisplayMode{1024, 768});
    device.DeliverEvents();
    EXPECT_EQ(gui.GetRoot().GetSize(), cPoint(1024, 768));
}

} // namespace
