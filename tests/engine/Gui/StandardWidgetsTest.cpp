#include "FixedFont.h"
#include "GuiHarness.h"

#include "engine/Display/RenderDeviceNull.h"
#include "engine/Gui/Button.h"
#include "engine/Gui/Hint.h"
#include "engine/Gui/ScrollPanel.h"
#include "engine/Gui/TextBox.h"
#include "engine/Gui/TextField.h"
#include "engine/Input/KeyCodes.h"

using namespace GuiTest;

namespace
{

class cButtonLog : public cButtonListener, public cTextFieldListener
{
public:
    void OnPressed(const cMouseEvent&, cButton*) override { seen += "pressed "; }
    void OnReleased(const cMouseEvent&, cButton*) override { seen += "released "; }
    void OnClicked(const cMouseEvent&, cButton*) override { seen += "clicked "; }
    void OnTextChanged(const std::string& text, cTextField*) override { seen += "[" + text + "] "; }
    void OnTextEntered(const std::string& text, cTextField*) override
    {
        seen += "entered:" + text + " ";
    }
    std::string Take()
    {
        std::string s = seen;
        seen.clear();
        return s;
    }
    std::string seen;
};

class StandardWidgetsTest : public Harness
{
protected:
    cButton* MakeButton(int x, int y)
    {
        auto button = std::make_unique<cButton>(*gui);
        button->SetSize(cPoint(100, 30));
        button->AddListener(static_cast<cButtonListener*>(&heard));
        gui->GetRoot().AddChild(cPoint(x, y), button.get());
        cButton* raw = button.get();
        owned.push_back(std::move(button));
        return raw;
    }
    cButtonLog heard;
    cFixedFont font;
};

TEST_F(StandardWidgetsTest, ClickIsPressAndReleaseInsideTheButton)
{
    cButton* button = MakeButton(100, 100);
    MoveTo(110, 110);
    EXPECT_EQ(button->GetState(), kButtonHover);
    Button(true, 110, 110);
    EXPECT_EQ(button->GetState(), kButtonPressed);
    Button(false, 110, 110);
    EXPECT_EQ(heard.Take(), "pressed released clicked ");
    EXPECT_EQ(gui->GetCapture(), nullptr);
}

TEST_F(StandardWidgetsTest, DragOffTheButtonReleasesWithoutClick)
{
    cButton* button = MakeButton(100, 100);
    cLog moves;
    moves.Name(button, "button");
    Click(10, 10); // elsewhere first
    MoveTo(110, 110);
    Button(true, 110, 110);
    moves.Take();
    MoveTo(500, 500); // outside, still captured
    EXPECT_EQ(moves.Take(), "move:button");
    EXPECT_FALSE(button->IsMouseInside());
    EXPECT_EQ(button->GetState(), kButtonPressed);
    Button(false, 500, 500);
    EXPECT_EQ(heard.Take(), "pressed released ");
    EXPECT_EQ(button->GetState(), kButtonNormal);
    EXPECT_EQ(gui->GetCapture(), nullptr);
}

TEST_F(StandardWidgetsTest, TextFieldTypingEditingKeysAndFocus)
{
    cTextField first(*gui), second(*gui);
    for (cTextField* field : {&first, &second})
    {
        field->SetSize(cPoint(200, 20));
        field->SetFont(&font);
        field->AddListener(static_cast<cTextFieldListener*>(&heard));
    }
    first.SetMaxLength(5);
    gui->GetRoot().AddChild(cPoint(0, 0), &first);
    gui->GetRoot().AddChild(cPoint(0, 50), &second);

    Click(5, 5);
    Type("abc");
    Key(SDLK_LEFT, SDL_SCANCODE_LEFT);
    Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE); // removes b
    Key(SDLK_DELETE, SDL_SCANCODE_DELETE);       // removes c
    Key(SDLK_DELETE, SDL_SCANCODE_DELETE);       // nothing at the end
    EXPECT_EQ(first.GetText(), "a");
    EXPECT_EQ(heard.Take(), "[a] [ab] [abc] [ac] [a] ");
    Type("\x1f");
    Type("bcdefgh"); // five at most
    EXPECT_EQ(first.GetText(), "abcde");
    Key(SDLK_HOME, SDL_SCANCODE_HOME);
    Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE); // nothing before the caret
    EXPECT_EQ(first.GetCaret(), 0);
    Key(SDLK_END, SDL_SCANCODE_END);
    EXPECT_EQ(first.GetCaret(), 5);
    heard.Take();
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    EXPECT_EQ(heard.Take(), "entered:abcde ");

    // A press in the second field moves the focus: typing goes there.
    // The inset is 3 and each letter 8 wide: x = 3 + 8 + 5 is past the
    // middle of the second letter.
    second.SetText("xyz");
    Click(16, 55);
    EXPECT_EQ(second.GetCaret(), 2);
    Type("!");
    EXPECT_EQ(second.GetText(), "xy!z");
    EXPECT_EQ(first.GetText(), "abcde");
    EXPECT_FALSE(first.IsFocused());
}

TEST_F(StandardWidgetsTest, TextBoxWrapsWordsAndEditsAtTheCaret)
{
    // View 85 wide (100 - scrollbar): a line holds less than 84 pixels.
    cTextBox box(*gui, cPoint(100, 35));
    box.SetFont(&font);
    gui->GetRoot().AddChild(cPoint(0, 0), &box);
    box.SetText("aaaa bbbb cccc\ndd eeeeeeeeeeeeeeee");
    ASSERT_EQ(box.GetLineCount(), 5);
    EXPECT_EQ(box.GetLine(0), "aaaa bbbb "); // 68 + the space
    EXPECT_EQ(box.GetLine(1), "cccc");
    EXPECT_EQ(box.GetLine(2), "dd ");
    EXPECT_EQ(box.GetLine(3), "eeeeeeeeee"); // a too-wide word is cut
    EXPECT_EQ(box.GetLine(4), "eeeeee");
    EXPECT_EQ(box.GetContentSize().y, 50);

    Click(19, 5); // left of the third letter's middle: after "aa"
    EXPECT_EQ(box.GetCaret(), 2);
    Key(SDLK_DOWN, SDL_SCANCODE_DOWN);
    EXPECT_EQ(box.GetCaretLine(), 1);
    EXPECT_EQ(box.GetCaret(), 12);
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    Type("Z");
    EXPECT_EQ(box.GetText(), "aaaa bbbb cc\nZcc\ndd eeeeeeeeeeeeeeee");
    Key(SDLK_HOME, SDL_SCANCODE_HOME);
    Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(box.GetText(), "aaaa bbbb ccZcc\ndd eeeeeeeeeeeeeeee");
    // Going to the last line scrolls the view so the caret's line shows.
    Key(SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN);
    Key(SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN);
    EXPECT_EQ(box.GetCaretLine(), box.GetLineCount() - 1);
    EXPECT_FLOAT_EQ(box.GetScrollY(), static_cast<float>(box.GetLineCount() * 10 - 35));

    // Read-only: no typing, no editing keys.
    box.SetReadOnly(true);
    const std::string before = box.GetText();
    Type("q");
    Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    EXPECT_EQ(box.GetText(), before);
}

TEST_F(StandardWidgetsTest, TextBoxDrawsOnlyVisibleLines)
{
    cRenderDeviceNull device;
    cGUI drawGui(nullptr, &device, nullptr);
    cTextBox box(drawGui, cPoint(100, 25));
    box.SetFont(&font);
    drawGui.GetRoot().AddChild(cPoint(10, 10), &box);
    box.SetText("one\ntwo\nthree\nfour\nfive");
    box.SetScrollOffset(0.0f, 12.0f);
    drawGui.Draw();
    EXPECT_EQ(font.drawn, (std::vector<std::string>{"two", "three", "four"}));
    EXPECT_EQ(font.drawnAt.at(0), cPoint(10, 10 + 10 - 12));
}

// The popups' texts keep clear of the white box's edges.
TEST_F(StandardWidgetsTest, TextBoxInnerMarginPlacesWrapsAndHitsTheText)
{
    // View 85 wide; with a margin of 8 a line holds less than 68 pixels.
    cTextBox box(*gui, cPoint(100, 35));
    box.SetFont(&font);
    box.SetInnerMargin(8);
    gui->GetRoot().AddChild(cPoint(0, 0), &box);
    box.SetText("aaaa bbbb cccc dd");
    ASSERT_EQ(box.GetLineCount(), 3);
    EXPECT_EQ(box.GetLine(0), "aaaa "); // "aaaa bbbb" would be 68
    EXPECT_EQ(box.GetLine(1), "bbbb ");
    EXPECT_EQ(box.GetContentSize().y, 3 * 10 + 2 * 8);

    // A click lands on the character under it: x 27 is left of the middle
    // of the text's third letter (8 + 16 + 4 = 28), y 23 on the second line.
    Click(27, 23);
    EXPECT_EQ(box.GetCaret(), 5 + 2);
    // The last line scrolls into view with the margin below it.
    Key(SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN);
    EXPECT_EQ(box.GetCaretLine(), 2);
    EXPECT_FLOAT_EQ(box.GetScrollY(), static_cast<float>(3 * 10 + 2 * 8 - 35));

    cRenderDeviceNull device;
    cGUI drawGui(nullptr, &device, nullptr);
    cTextBox shown(drawGui, cPoint(100, 35));
    shown.SetFont(&font);
    shown.SetInnerMargin(8);
    drawGui.GetRoot().AddChild(cPoint(10, 10), &shown);
    shown.SetText("one\ntwo");
    drawGui.Draw();
    EXPECT_EQ(font.drawnAt, (std::vector<cPoint>{cPoint(18, 18), cPoint(18, 28)}));
}

class cValueLog : public cScrollbarListener
{
public:
    void OnValueChanged(float value, cScrollbar*) override { values.push_back(value); }
    std::vector<float> values;
};

TEST_F(StandardWidgetsTest, TheWheelScrollsBarsPanelsAndTextBoxes)
{
    // A bar moves a tenth of its range a notch, towards the start when
    // turned away from the player, and tells its listeners.
    cScrollbar bar(*gui, true);
    bar.SetSize(cPoint(15, 115));
    cValueLog values;
    bar.AddListener(&values);
    gui->GetRoot().AddChild(cPoint(0, 0), &bar);
    bar.SetPageSize(1.0f);
    Wheel(5, 50, -1.0f);
    EXPECT_TRUE(values.values.empty()) << "nothing to scroll";
    bar.SetPageSize(0.2f);
    Wheel(5, 50, -1.0f);
    Wheel(5, 50, -1.5f);
    Wheel(5, 50, 0.5f);
    EXPECT_EQ(values.values, (std::vector<float>{0.1f, 0.25f, 0.2f}));
    gui->GetRoot().RemoveChild(&bar);

    // A panel scrolls 48 pixels a notch, over its content and its bar alike.
    cScrollPanel panel(*gui, cPoint(100, 100), true, true);
    panel.SetContentSize(400, 1000);
    gui->GetRoot().AddChild(cPoint(0, 0), &panel);
    Wheel(40, 40, -2.0f);
    EXPECT_FLOAT_EQ(panel.GetScrollY(), 96.0f);
    Wheel(92, 40, -1.0f); // the vertical bar
    EXPECT_FLOAT_EQ(panel.GetScrollY(), 144.0f);
    Wheel(40, 40, 10.0f); // not beyond the start
    EXPECT_FLOAT_EQ(panel.GetScrollY(), 0.0f);
    Wheel(40, 40, 0.0f, 1.0f); // sideways
    EXPECT_FLOAT_EQ(panel.GetScrollX(), 48.0f);
    // Only wide: the vertical wheel scrolls across.
    panel.SetContentSize(400, 50);
    Wheel(40, 40, -1.0f);
    EXPECT_FLOAT_EQ(panel.GetScrollX(), 96.0f);
    gui->GetRoot().RemoveChild(&panel);

    // A text box three lines a notch.
    cTextBox box(*gui, cPoint(100, 35));
    box.SetFont(&font);
    box.SetText("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12");
    gui->GetRoot().AddChild(cPoint(0, 0), &box);
    Wheel(20, 20, -1.0f);
    EXPECT_FLOAT_EQ(box.GetScrollY(), 3.0f * static_cast<float>(font.GetHeight()));
    gui->GetRoot().RemoveChild(&box);
}

TEST_F(StandardWidgetsTest, ScrollbarValueThumbAndDrag)
{
    // A vertical bar 15 x 115: arrows 15, track 85.
    cScrollbar bar(*gui, true);
    bar.SetSize(cPoint(15, 115));
    gui->GetRoot().AddChild(cPoint(0, 0), &bar);
    bar.SetPageSize(0.2f); // thumb 17
    EXPECT_EQ(bar.GetThumbLength(), 17);
    bar.SetValue(1.5f, false);
    EXPECT_FLOAT_EQ(bar.GetValue(), 1.0f);
    EXPECT_EQ(bar.GetThumbOffset() + bar.GetThumbLength(), 115 - 15);
    // A press on the track before the thumb moves it back one thumb length.
    Click(5, 30);
    EXPECT_EQ(bar.GetThumbOffset(), 83 - 17);
    EXPECT_NEAR(bar.GetValue(), (66.0f - 15.0f) / 68.0f, 1e-5f);
    // Dragging the thumb keeps the grabbed point under the mouse.
    MoveTo(5, 70);
    Button(true, 5, 70);
    MoveTo(5, 40);
    EXPECT_EQ(bar.GetThumbOffset(), 36);
    MoveTo(5, 0); // not beyond the track start
    EXPECT_EQ(bar.GetThumbOffset(), 15);
    EXPECT_FLOAT_EQ(bar.GetValue(), 0.0f);
    Button(false, 5, 0);
    // A thumb that fills the track gives 0 when dragged.
    bar.SetPageSize(1.0f);
    EXPECT_EQ(bar.GetThumbLength(), 85);
    MoveTo(5, 50);
    Button(true, 5, 50);
    MoveTo(5, 60);
    EXPECT_FLOAT_EQ(bar.GetValue(), 0.0f);
    Button(false, 5, 60);
}

TEST_F(StandardWidgetsTest, ScrollPanelHeldArrowScrollsAt100PixelsPerSecond)
{
    cScrollPanel panel(*gui, cPoint(115, 115), true, true);
    gui->GetRoot().AddChild(cPoint(0, 0), &panel);
    EXPECT_EQ(panel.GetViewSize(), cPoint(100, 100));
    panel.SetContentSize(50, 400); // narrower than the view: the view's width
    EXPECT_EQ(panel.GetContentSize(), cPoint(100, 400));
    EXPECT_FLOAT_EQ(panel.GetVerticalScrollbar()->GetPageSize(), 0.25f);
    // Hold the down arrow (bottom of the vertical bar at x 100..114).
    MoveTo(105, 95);
    Button(true, 105, 95);
    gui->Update(0.5f);
    EXPECT_FLOAT_EQ(panel.GetScrollY(), 50.0f);
    gui->Update(10.0f); // not beyond the end
    EXPECT_FLOAT_EQ(panel.GetScrollY(), 300.0f);
    EXPECT_FLOAT_EQ(panel.GetVerticalScrollbar()->GetValue(), 1.0f);
    Button(false, 105, 95);
    gui->Update(1.0f);
    EXPECT_FLOAT_EQ(panel.GetScrollY(), 300.0f);
    // Setting the offset clamps it and moves the bar without telling anyone.
    panel.SetScrollOffset(-5.0f, 150.0f);
    EXPECT_FLOAT_EQ(panel.GetScrollX(), 0.0f);
    EXPECT_FLOAT_EQ(panel.GetVerticalScrollbar()->GetValue(), 0.5f);
}

} // namespace

namespace
{

TEST(HintTest, OwnerShowsAndHidesAndTheLineFades)
{
    cHint hint;
    cWidget* button = reinterpret_cast<cWidget*>(0x10);
    cWidget* other = reinterpret_cast<cWidget*>(0x20);
    hint.Show(std::string(300, 'x').c_str(), button);
    EXPECT_EQ(std::string(hint.GetText()).size(), 255u);
    hint.Update(0.1f);
    EXPECT_FLOAT_EQ(hint.GetAlpha(), 150.0f);
    hint.Update(0.1f);
    EXPECT_FLOAT_EQ(hint.GetAlpha(), 255.0f);
    hint.Hide(other); // not the owner: stays
    EXPECT_TRUE(hint.IsVisible());
    hint.Hide(button);
    EXPECT_FALSE(hint.IsVisible());
    hint.Update(0.1f);
    EXPECT_FLOAT_EQ(hint.GetAlpha(), 155.0f);

    cFixedFont font;
    hint.Draw(&font, cPoint(400, 580), false);
    EXPECT_TRUE(font.drawn.empty());
    hint.Draw(&font, cPoint(400, 580), true);
    ASSERT_EQ(font.drawn.size(), 1u);
    hint.Update(1.0f);
    hint.Draw(&font, cPoint(400, 580), true);
    EXPECT_EQ(font.drawn.size(), 1u); // faded out
}

} // namespace
