#pragma once

#include "engine/Display/Point.h"
#include "engine/Display/Rect.h"

#include <cstdint>

namespace Korva
{

// How a frame of fixed (logical) size is shown in a window of another size:
// as large as it fits, centred, with black bars around it. A whole multiple
// is used where it nearly fills the window, so pixels stay crisp (nearest
// filtering); otherwise the frame fills the window in its tighter direction
// with smooth scaling. Positions in the window map back to frame pixels.
class cLetterbox
{
public:
    // A whole multiple k is taken when k x frame reaches at least this
    // share of the largest fitting size in the tighter direction.
    static constexpr int32_t kWholeShareNumerator = 7;
    static constexpr int32_t kWholeShareDenominator = 8;

    // An empty window (minimised) gives an empty frame rectangle.
    cLetterbox(cPoint frameSize, cPoint windowSize);

    // Where the frame lies in the window.
    const cRect& GetFrame() const { return m_frame; }
    // The whole multiple the frame is shown at, or 0 when it is scaled
    // smoothly.
    int32_t GetWholeScale() const { return m_wholeScale; }
    bool IsWholeMultiple() const { return m_wholeScale > 0; }

    // The frame pixel under a window position; positions on the bars or
    // outside the window are clamped to the frame's nearest edge pixel.
    cPoint ToFrame(cPoint windowPosition) const;
    // A window position that maps back to the frame pixel (the middle of the
    // window pixels that show it; the nearest one where none does, below 1x).
    cPoint ToWindow(cPoint framePosition) const;

    // The largest whole multiple of the frame that fits into `area`; at
    // least 1.
    static int32_t LargestWholeScale(cPoint frameSize, cPoint area);
    // The client size a resizable window starts with: `wanted` when it is at
    // least a quarter of the frame in each direction and fits into the
    // usable area (unknown: empty), else the largest whole multiple of the
    // frame that fits.
    static cPoint ChooseWindowSize(cPoint frameSize, cPoint wanted, cPoint usableArea);

private:
    cPoint m_frameSize;
    cRect m_frame;
    int32_t m_wholeScale = 0;
};

} // namespace Korva
