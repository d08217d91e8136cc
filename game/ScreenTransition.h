#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The shutter drawn over the screen while one screen gives way to another:
// thirteen horizontal black bands, band i centred at y = 50 * i, that grow
// until they meet (closed) and shrink away again (open).
class cScreenTransition
{
public:
    static constexpr int kBandCount = 13;
    static constexpr int32_t kBandSpacing = 50;
    static constexpr int32_t kScreenWidth = 800;

    // One black rectangle to fill, spanning the screen's width.
    struct sBand
    {
        int32_t y;
        int32_t height;
    };

    void StartClosing();
    void StartOpening();
    // Fully closed at once, as at the end of a close.
    void ShowClosed();
    void Update(float dt);

    // The rectangles that Draw fills this frame (bands of height 0 are left out).
    std::vector<sBand> GetBands() const;

    bool IsClosing() const { return m_closing; }
    bool IsOpening() const { return m_opening; }
    bool IsDone() const { return m_done; }
    float GetHalfHeight(int band) const { return m_halfHeights[band]; }

private:
    bool m_closing = false;
    bool m_opening = false;
    bool m_done = false;
    std::array<float, kBandCount> m_halfHeights{};
};
