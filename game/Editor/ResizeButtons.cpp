#include "game/Editor/ResizeButtons.h"

using namespace Korva;

namespace ResizeButtons
{
namespace
{
constexpr const char* kHints[kCount] = {
    "add an empty column to the left side",  "remove a column from the left side",
    "add an empty column to the right side", "remove a column from the right side",
    "add an empty row to the top side",      "remove a row from the top side",
    "add an empty row to the bottom side",   "remove a row from the bottom side",
};
constexpr int kFrames[kCount] = {2, 3, 2, 3, 0, 1, 0, 1};
} // namespace

cRect Rect(int n, int left, int top, int width, int height, const cPoint& rowSize,
           const cPoint& columnSize)
{
    const int w0 = rowSize.x, h0 = rowSize.y;
    const int w2 = columnSize.x, h2 = columnSize.y;
    switch (n)
    {
    case 1:
        return cRect(left - w2 - 10, top + height / 2 - h2, w2, h2);
    case 2:
        return cRect(left - w2 - 10, top + height / 2, w2, h2);
    case 3:
        return cRect(left + width + 10, top + height / 2 - h2, w2, h2);
    case 4:
        return cRect(left + width + 10, top + height / 2, w2, h2);
    case 5:
        return cRect(left + width / 2 - w0, top - h0 - 10, w0, h0);
    case 6:
        return cRect(left + width / 2, top - h0 - 10, w0, h0);
    case 7:
        return cRect(left + width / 2 - w0, top + height + 10, w0, h0);
    case 8:
        return cRect(left + width / 2, top + height + 10, w0, h0);
    default:
        return cRect(0, 0, 0, 0);
    }
}

int BaseFrame(int n)
{
    return n >= 1 && n <= kCount ? kFrames[n - 1] : 0;
}

const char* Hint(int n)
{
    return n >= 1 && n <= kCount ? kHints[n - 1] : "";
}
} // namespace ResizeButtons
