#pragma once

#include "engine/Display/Point.h"
#include "engine/Display/Rect.h"

// The eight buttons around the editor's board that add and remove rows and
// columns; they move with the board. Numbered 1..8 as the edits of
// cEditedLevel::eResize: odd numbers add, even numbers remove.
namespace ResizeButtons
{
constexpr int kCount = 8;

// Frame sizes of "SprResizeButtons" when the sprite is missing: row buttons
// (frames 0, 1) and column buttons (frames 2, 3).
constexpr Korva::cPoint kDefaultRowSize{32, 18};
constexpr Korva::cPoint kDefaultColumnSize{18, 32};

// The button's rectangle on screen for a board whose top-left corner is at
// (left, top) and whose pixel size is width x height.
Korva::cRect Rect(int n, int left, int top, int width, int height, const Korva::cPoint& rowSize,
                  const Korva::cPoint& columnSize);
// The frame drawn while the button is neither hovered nor pressed; hovered
// adds 4, pressed 8.
int BaseFrame(int n);
const char* Hint(int n);
// Right and bottom buttons keep the board's far edge in place on screen.
inline bool MovesRightEdge(int n)
{
    return n == 3 || n == 4;
}
inline bool MovesBottomEdge(int n)
{
    return n == 7 || n == 8;
}
} // namespace ResizeButtons
