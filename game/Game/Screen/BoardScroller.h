#pragma once

#include "engine/Display/Rect.h"

#include <cstdint>

namespace Korva
{
class cGUI;
}

// The view onto the board on the game screen and in the editor: the offset
// of the board's origin from the board area's centre, moved by the arrow
// keys, by a press held on the screen's outermost pixels in full screen, and
// by the mouse wheel. The offset stays within [-board width, 0] x
// [-board height, 0], so the screen point (400, 250) never leaves the board.
// In full screen the pointer's frame shows the direction at the edges.
class cBoardScroller
{
public:
    static constexpr Korva::cRect kBoardArea{100, 10, 600, 480};
    static constexpr int32_t kCentreX = 400;
    static constexpr int32_t kCentreY = 250;
    // Pixels per second, for keys and edges.
    static constexpr float kSpeed = 200.0f;
    // Pixels per notch of the wheel.
    static constexpr float kWheelStep = 40.0f;

    // How far one call moved the view.
    struct sMove
    {
        float x = 0.0f;
        float y = 0.0f;
    };

    explicit cBoardScroller(Korva::cGUI& gui);

    void SetOffset(float x, float y);
    void MoveOffset(float dx, float dy);
    float GetOffsetX() const { return m_offsetX; }
    float GetOffsetY() const { return m_offsetY; }
    // Where the board's origin is drawn on screen (whole pixels).
    int32_t GetOriginX() const { return kCentreX + static_cast<int32_t>(m_offsetX); }
    int32_t GetOriginY() const { return kCentreY + static_cast<int32_t>(m_offsetY); }

    // A press at (mx, my) on the screen itself: in full screen the edges it
    // lies on scroll while the left button stays down.
    void Press(int32_t mx, int32_t my, bool fullScreen);
    // The left button came up.
    void Release();
    // The pointer is at (mx, my) now.
    void Move(int32_t mx, int32_t my, bool fullScreen);
    // The pointer left the screen: no edge scrolls, the plain pointer.
    void Leave();

    // One frame of key and edge scrolling for a board of that pixel size.
    sMove Update(float dt, int32_t boardWidth, int32_t boardHeight);
    // Wheel notches (y > 0 away from the player, x > 0 to the right; with
    // Shift the vertical wheel turns sideways). A board scrolls only along
    // a side on which it is larger than the board area.
    sMove Wheel(float stepsX, float stepsY, bool shift, int32_t boardWidth, int32_t boardHeight);

    // The pointer's last position on the screen ((1, 1) once it has left).
    int32_t GetMouseX() const { return m_mouseX; }
    int32_t GetMouseY() const { return m_mouseY; }
    int32_t GetPointerFrame() const { return m_pointerFrame; }
    // The pointer's frame at (mx, my) in full screen: 1 top-right, 2 bottom-
    // left, 3 bottom-right corner, 4 left, 5 right, 6 top, 7 bottom edge,
    // 0 anywhere else (the top-left corner too).
    static int32_t EdgeFrame(int32_t mx, int32_t my);

private:
    bool IsKeyDown(int32_t key) const;
    void SetPointerFrame(int32_t frame);

    Korva::cGUI& m_gui;
    float m_offsetX = 0.0f;
    float m_offsetY = 0.0f;
    int32_t m_mouseX = 1;
    int32_t m_mouseY = 1;
    bool m_edgeLeft = false;
    bool m_edgeRight = false;
    bool m_edgeTop = false;
    bool m_edgeBottom = false;
    int32_t m_pointerFrame = 0;
};
