#include "game/Game/Screen/BoardScroller.h"

#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"

#include <algorithm>

using namespace Korva;

namespace
{
// The screen's outermost column and row.
constexpr int32_t kRight = 799;
constexpr int32_t kBottom = 599;
} // namespace

cBoardScroller::cBoardScroller(cGUI& gui) : m_gui(gui) {}

void cBoardScroller::SetOffset(float x, float y)
{
    m_offsetX = x;
    m_offsetY = y;
}

void cBoardScroller::MoveOffset(float dx, float dy)
{
    m_offsetX += dx;
    m_offsetY += dy;
}

void cBoardScroller::Press(int32_t mx, int32_t my, bool fullScreen)
{
    // In a window the screen's edge is no place to scroll from.
    if (!fullScreen)
        return;
    m_edgeLeft = m_edgeLeft || mx == 0;
    m_edgeRight = m_edgeRight || mx == kRight;
    m_edgeTop = m_edgeTop || my == 0;
    m_edgeBottom = m_edgeBottom || my == kBottom;
}

void cBoardScroller::Release()
{
    m_edgeLeft = m_edgeRight = m_edgeTop = m_edgeBottom = false;
}

void cBoardScroller::Move(int32_t mx, int32_t my, bool fullScreen)
{
    m_mouseX = mx;
    m_mouseY = my;
    SetPointerFrame(fullScreen ? EdgeFrame(mx, my) : 0);
}

void cBoardScroller::Leave()
{
    m_mouseX = 1;
    m_mouseY = 1;
    Release();
    SetPointerFrame(0);
}

void cBoardScroller::SetPointerFrame(int32_t frame)
{
    if (frame == m_pointerFrame)
        return;
    m_pointerFrame = frame;
    m_gui.SetCursorAnimation(frame);
}

int32_t cBoardScroller::EdgeFrame(int32_t mx, int32_t my)
{
    const bool left = mx == 0, right = mx == kRight, top = my == 0, bottom = my == kBottom;
    if (top && right)
        return 1;
    if (bottom && left)
        return 2;
    if (bottom && right)
        return 3;
    if (top && left)
        return 0;
    if (left)
        return 4;
    if (right)
        return 5;
    if (top)
        return 6;
    if (bottom)
        return 7;
    return 0;
}

bool cBoardScroller::IsKeyDown(int32_t key) const
{
    const cInputDevice* input = m_gui.GetInputDevice();
    return input && input->IsKeyDown(key);
}

cBoardScroller::sMove cBoardScroller::Update(float dt, int32_t boardWidth, int32_t boardHeight)
{
    const float x = m_offsetX, y = m_offsetY;
    const float step = kSpeed * dt;
    // Each direction on its own: a view already beyond a limit (a board
    // that just shrank) only moves back when scrolled towards it.
    if (IsKeyDown(kKeyLeft) || (m_edgeLeft && m_mouseX == 0))
        m_offsetX = std::min(0.0f, m_offsetX + step);
    if (IsKeyDown(kKeyRight) || (m_edgeRight && m_mouseX == kRight))
        m_offsetX = std::max(-static_cast<float>(boardWidth), m_offsetX - step);
    if (IsKeyDown(kKeyUp) || (m_edgeTop && m_mouseY == 0))
        m_offsetY = std::min(0.0f, m_offsetY + step);
    if (IsKeyDown(kKeyDown) || (m_edgeBottom && m_mouseY == kBottom))
        m_offsetY = std::max(-static_cast<float>(boardHeight), m_offsetY - step);
    return sMove{m_offsetX - x, m_offsetY - y};
}

cBoardScroller::sMove cBoardScroller::Wheel(float stepsX, float stepsY, bool shift,
                                            int32_t boardWidth, int32_t boardHeight)
{
    const float x = m_offsetX, y = m_offsetY;
    // Shift turns the vertical wheel sideways: away from the player is left.
    const float sideways = shift ? stepsX - stepsY : stepsX;
    const float upwards = shift ? 0.0f : stepsY;
    // Turning away (up) shows what lies above: the board moves down, as
    // with the up arrow; a wheel to the right moves it left.
    if (boardWidth > kBoardArea.width && sideways != 0.0f)
        m_offsetX =
            std::clamp(m_offsetX - sideways * kWheelStep, -static_cast<float>(boardWidth), 0.0f);
    if (boardHeight > kBoardArea.height && upwards != 0.0f)
        m_offsetY =
            std::clamp(m_offsetY + upwards * kWheelStep, -static_cast<float>(boardHeight), 0.0f);
    return sMove{m_offsetX - x, m_offsetY - y};
}
