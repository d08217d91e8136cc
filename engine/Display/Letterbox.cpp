#include "engine/Display/Letterbox.h"

#include <algorithm>

namespace Korva
{

namespace
{
// Floor division that stays right for negative numerators (positions left
// of or above the frame).
int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b)
{
    return -FloorDiv(-a, b);
}
} // namespace

cLetterbox::cLetterbox(cPoint frameSize, cPoint windowSize) : m_frameSize(frameSize)
{
    if (frameSize.x <= 0 || frameSize.y <= 0 || windowSize.x <= 0 || windowSize.y <= 0)
        return;
    const int64_t fw = frameSize.x, fh = frameSize.y;
    const int64_t ww = windowSize.x, wh = windowSize.y;
    // The tighter direction decides the size; the other one gets the bars.
    const bool widthLimited = ww * fh <= wh * fw;
    const int64_t whole = std::min(ww / fw, wh / fh);
    const bool takeWhole =
        whole >= 1 &&
        (widthLimited ? kWholeShareDenominator * whole * fw >= kWholeShareNumerator * ww
                      : kWholeShareDenominator * whole * fh >= kWholeShareNumerator * wh);
    int64_t width = 0, height = 0;
    if (takeWhole)
    {
        m_wholeScale = static_cast<int32_t>(whole);
        width = whole * fw;
        height = whole * fh;
    }
    else if (widthLimited)
    {
        width = ww;
        height = std::clamp<int64_t>((ww * fh + fw / 2) / fw, 1, wh);
    }
    else
    {
        height = wh;
        width = std::clamp<int64_t>((wh * fw + fh / 2) / fh, 1, ww);
    }
    m_frame = cRect(static_cast<int32_t>((ww - width) / 2), static_cast<int32_t>((wh - height) / 2),
                    static_cast<int32_t>(width), static_cast<int32_t>(height));
}

cPoint cLetterbox::ToFrame(cPoint windowPosition) const
{
    if (m_frame.IsEmpty())
        return cPoint(0, 0);
    const int64_t x =
        FloorDiv(static_cast<int64_t>(windowPosition.x - m_frame.x) * m_frameSize.x, m_frame.width);
    const int64_t y = FloorDiv(static_cast<int64_t>(windowPosition.y - m_frame.y) * m_frameSize.y,
                               m_frame.height);
    return cPoint(static_cast<int32_t>(std::clamp<int64_t>(x, 0, m_frameSize.x - 1)),
                  static_cast<int32_t>(std::clamp<int64_t>(y, 0, m_frameSize.y - 1)));
}

cPoint cLetterbox::ToWindow(cPoint framePosition) const
{
    if (m_frame.IsEmpty())
        return cPoint(0, 0);
    // Window pixel q shows frame pixel floor(q * frame / shown), so frame
    // pixel p covers q from ceil(p * shown / frame) to ceil((p + 1) * shown / frame) - 1.
    auto axis = [](int64_t p, int64_t frame, int64_t shown)
    {
        p = std::clamp<int64_t>(p, 0, frame - 1);
        const int64_t first = CeilDiv(p * shown, frame);
        const int64_t last = CeilDiv((p + 1) * shown, frame) - 1;
        if (last < first)
            return std::min(first, shown - 1);
        return (first + last) / 2;
    };
    return cPoint(
        m_frame.x + static_cast<int32_t>(axis(framePosition.x, m_frameSize.x, m_frame.width)),
        m_frame.y + static_cast<int32_t>(axis(framePosition.y, m_frameSize.y, m_frame.height)));
}

int32_t cLetterbox::LargestWholeScale(cPoint frameSize, cPoint area)
{
    if (frameSize.x <= 0 || frameSize.y <= 0)
        return 1;
    return std::max(1, std::min(area.x / frameSize.x, area.y / frameSize.y));
}

cPoint cLetterbox::ChooseWindowSize(cPoint frameSize, cPoint wanted, cPoint usableArea)
{
    const bool usableKnown = usableArea.x > 0 && usableArea.y > 0;
    const bool wantedUsable =
        wanted.x >= std::max(1, frameSize.x / 4) && wanted.y >= std::max(1, frameSize.y / 4) &&
        (!usableKnown || (wanted.x <= usableArea.x && wanted.y <= usableArea.y));
    if (wantedUsable)
        return wanted;
    const int32_t scale = usableKnown ? LargestWholeScale(frameSize, usableArea) : 1;
    return cPoint(frameSize.x * scale, frameSize.y * scale);
}

} // namespace Korva
