// The short notes of the game screen ("colour symbols on (c)", the hint
// search's notes) are white text: they stand on a dark band so that they
// read on the light blue screen.
#include "engine/Display/RenderDeviceNull.h"
#include "engine/Gui/FixedFont.h"
#include "game/Game/Screen/HintMarker.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Korva;

namespace
{

TEST(HintMessageTest, NotesStandOnADarkBandBehindTheirText)
{
    cRenderDeviceNull device;
    GuiTest::cFixedFont font;
    cHintMarker marker;
    const std::string note = "colour symbols on (c)";
    marker.ShowMessage(note);
    marker.DrawMessage(font, &device);
    device.EndBatch();
    ASSERT_EQ(font.drawn, std::vector<std::string>{note});
    ASSERT_FALSE(device.GetDrawCalls().empty());
    const auto& band = device.GetDrawCalls().front();
    EXPECT_EQ(band.texture, 0u);
    ASSERT_FALSE(band.vertices.empty());
    float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
    for (const cVertex& v : band.vertices)
    {
        left = std::min(left, v.x);
        right = std::max(right, v.x);
        top = std::min(top, v.y);
        bottom = std::max(bottom, v.y);
    }
    // Around the whole text, centred where it is drawn.
    const int32_t width = font.GetTextWidth(note);
    const cPoint at = font.drawnAt.front();
    EXPECT_LT(left, static_cast<float>(at.x - width / 2));
    EXPECT_GT(right, static_cast<float>(at.x + width / 2));
    EXPECT_LE(top, static_cast<float>(at.y));
    EXPECT_GE(bottom, static_cast<float>(at.y + font.GetHeight()));
    // Dark and mostly opaque.
    const uint32_t argb = band.vertices.front().color;
    EXPECT_GE(argb >> 24, 160u);
    EXPECT_LT((argb >> 16) & 255, 64u);
    EXPECT_LT((argb >> 8) & 255, 64u);
    EXPECT_LT(argb & 255, 96u);

    // Without a note nothing is drawn.
    marker.ShowMessage("");
    device.ClearDrawCalls();
    marker.DrawMessage(font, &device);
    device.EndBatch();
    EXPECT_TRUE(device.GetDrawCalls().empty());
}

} // namespace
