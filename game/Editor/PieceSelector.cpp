#include "game/Editor/PieceSelector.h"

#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/Editor/EditorPanelsHost.h"
#include "game/Game/BoardMetrics.h"
#include "game/Game/Random.h"
#include "game/SoundPlayer.h"

#include <cmath>
#include <numbers>

using namespace Korva;

namespace
{
// The area where the pointer paints the piece, and the bubbles' strip in it.
constexpr int32_t kAreaLeft = 70;
constexpr int32_t kAreaTop = 45;
constexpr int32_t kAreaSize = 200;
constexpr float kBubbleHeight = 196.0f;
constexpr int kBubbleCount = 12;
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
} // namespace

cPieceSelector::cPieceSelector(cGUI& gui, cEditorPanelsHost& host)
    : cEditorChooser(gui, host, cPoint(kWidth, kHeight), "change piece", cPoint(130, 400)),
      m_palette(255, 325), m_metrics(BoardMetricsFromResources()), m_cells(FindSprite("SprCells"))
{
    cRandom random;
    for (int i = 0; i < kBubbleCount; ++i)
    {
        sBubble bubble;
        bubble.y = random.RandomFloat(0.0f, kBubbleHeight);
        bubble.speed = random.RandomFloat(-30.0f, 30.0f);
        bubble.size = random.RandomFloat(1.0f, 10.0f);
        bubble.width = random.RandomFloat(10.0f, 30.0f);
        bubble.angle = random.RandomFloat(0.0f, kTwoPi);
        bubble.spin = random.RandomFloat(0.0f, 2.0f);
        m_bubbles.push_back(bubble);
    }
    m_palette.SetFromCode(m_pen);
}

cPieceSelector::~cPieceSelector()
{
    m_gui.ReleaseMouse(this);
}

void cPieceSelector::Load(int index, const tPiece& piece)
{
    m_index = index;
    m_piece = piece;
    // A release that came while the chooser was closed never reached it.
    m_leftHeld = false;
    m_rightHeld = false;
    m_pointer = cPoint(-1, -1);
}

void cPieceSelector::SetPen(int code)
{
    if (code < 1 || code > kBrickLast)
        return;
    m_pen = code;
    m_palette.SetFromCode(code);
}

cPoint cPieceSelector::SlotCentre(int slot) const
{
    const int32_t pitch = m_metrics.cellWidth - m_metrics.cellHeight / 4 + 1;
    const int32_t h = m_metrics.cellHeight;
    // Slot k lies in direction k: N, NE, SE, S, SW, NW.
    static constexpr int kColumn[7] = {0, 0, 1, 1, 0, -1, -1};
    static constexpr int kHalfRows[7] = {0, -2, -1, 1, 2, 1, -1};
    if (slot < 0 || slot > 6)
        return cPoint(kCentreX, kCentreY);
    return cPoint(kCentreX + kColumn[slot] * pitch, kCentreY + kHalfRows[slot] * h / 2);
}

bool cPieceSelector::KeyDown(int32_t key) const
{
    const cInputDevice* input = m_gui.GetInputDevice();
    return input && input->IsKeyDown(key);
}

bool cPieceSelector::InPaintArea() const
{
    return m_pointer.x >= kAreaLeft && m_pointer.x < kAreaLeft + kAreaSize &&
           m_pointer.y >= kAreaTop && m_pointer.y < kAreaTop + kAreaSize;
}

bool cPieceSelector::PaintAtPointer(int code)
{
    bool changed = false;
    for (int slot = 0; slot < 7; ++slot)
    {
        const cPoint centre = SlotCentre(slot);
        const float distance = std::hypot(static_cast<float>(m_pointer.x - centre.x),
                                          static_cast<float>(m_pointer.y - centre.y));
        auto& brick = m_piece[static_cast<size_t>(slot)];
        if (distance < kSlotRadius && brick != code)
        {
            brick = static_cast<uint8_t>(code);
            changed = true;
        }
    }
    if (changed)
    {
        m_host.SetPiece(m_index, m_piece);
        m_host.PlaySound(kSndPutPiece);
    }
    return changed;
}

int cPieceSelector::SlotAtPointer() const
{
    int nearest = -1;
    float best = kSlotRadius;
    for (int slot = 0; slot < 7; ++slot)
    {
        const cPoint centre = SlotCentre(slot);
        const float distance = std::hypot(static_cast<float>(m_pointer.x - centre.x),
                                          static_cast<float>(m_pointer.y - centre.y));
        if (distance < best)
        {
            best = distance;
            nearest = slot;
        }
    }
    return nearest;
}

void cPieceSelector::OnPress(const cPoint& point, int32_t button)
{
    m_pointer = point;
    if (button == kMouseButtonLeft)
        m_leftHeld = true;
    else if (button == kMouseButtonRight)
        m_rightHeld = true;
    // Keep getting the pointer until the release, also outside the popup.
    m_gui.CaptureMouse(this);
    if (InPaintArea())
        return; // the update paints
    if (const int code = m_palette.Press(point); code != 0)
    {
        SetPen(code);
        m_host.PlaySound(kSndButtonPressed);
    }
}

void cPieceSelector::OnMouseMove(const cMouseEvent& event, bool handled)
{
    m_pointer = cPoint(event.GetX(), event.GetY());
    cPopup::OnMouseMove(event, handled);
}

void cPieceSelector::OnMouseUp(const cMouseEvent& event, bool handled)
{
    if (event.GetButton() == kMouseButtonLeft)
        m_leftHeld = false;
    else if (event.GetButton() == kMouseButtonRight)
        m_rightHeld = false;
    if (!m_leftHeld && !m_rightHeld)
        m_gui.ReleaseMouse(this);
    cPopup::OnMouseUp(event, handled);
}

void cPieceSelector::OnMouseLeave(const cMouseEvent& event, bool handled)
{
    // Without a capture the release may go elsewhere: stop painting.
    if (m_gui.GetCapture() != this)
    {
        m_leftHeld = false;
        m_rightHeld = false;
        m_pointer = cPoint(-1, -1);
    }
    cPopup::OnMouseLeave(event, handled);
}

void cPieceSelector::Update(float dt)
{
    cEditorChooser::Update(dt);
    m_palette.Update(dt);
    UpdateBubbles(dt);
    if (!InPaintArea())
        return;
    const bool shift = KeyDown(kKeyLeftShift) || KeyDown(kKeyRightShift);
    if (m_leftHeld && !shift)
        PaintAtPointer(m_pen);
    else if (m_leftHeld)
    {
        const int slot = SlotAtPointer();
        if (slot >= 0 && m_piece[static_cast<size_t>(slot)] != 0)
            SetPen(m_piece[static_cast<size_t>(slot)]);
    }
    else if (m_rightHeld || KeyDown(kKeySpace))
        PaintAtPointer(0);
}

void cPieceSelector::UpdateBubbles(float dt)
{
    for (sBubble& bubble : m_bubbles)
    {
        bubble.y += bubble.speed * dt;
        if (bubble.y < 0.0f)
        {
            bubble.y = -bubble.y;
            bubble.speed = -bubble.speed;
        }
        else if (bubble.y > kBubbleHeight)
        {
            bubble.y = 2.0f * kBubbleHeight - bubble.y;
            bubble.speed = -bubble.speed;
        }
        bubble.angle = std::fmod(bubble.angle + bubble.spin * dt, kTwoPi);
    }
}

void cPieceSelector::Draw(int x, int y, bool drawChildren)
{
    cPopup::Draw(x, y, false);
    const cPoint origin = Origin(x, y);
    if (cRenderDevice* device = m_gui.GetRenderDevice())
    {
        device->FillRect(cRect(origin.x + kAreaLeft, origin.y + kAreaTop, kAreaSize, kAreaSize),
                         cColor(30, 50, 80, 255));
        const float column = static_cast<float>(kAreaSize) / kBubbleCount;
        for (size_t i = 0; i < m_bubbles.size(); ++i)
        {
            const sBubble& b = m_bubbles[i];
            const float bx = kAreaLeft + column * (static_cast<float>(i) + 0.5f) +
                             0.5f * b.width * std::sin(b.angle);
            const int32_t size = static_cast<int32_t>(b.size);
            device->FillRect(cRect(origin.x + static_cast<int32_t>(bx) - size / 2,
                                   origin.y + kAreaTop + 2 + static_cast<int32_t>(b.y) - size / 2,
                                   size, size),
                             cColor(120, 170, 220, 110));
        }
    }
    // Empty cells under the slots show where the bricks go.
    const int32_t cellFrame = AnimFrameAt(m_cells, 1, 0.0f);
    const cBrickSprites& sprites = m_palette.GetSprites();
    const cBrickLook look = m_palette.GetLook();
    for (int slot = 0; slot < 7; ++slot)
    {
        const cPoint centre = SlotCentre(slot);
        if (m_cells && cellFrame >= 0)
            m_cells->DrawFrame(origin.x + centre.x - m_metrics.cellWidth / 2,
                               origin.y + centre.y - m_metrics.cellHeight / 2, cellFrame);
        const int code = m_piece[static_cast<size_t>(slot)];
        if (code != 0)
            DrawBrick(sprites, look, code, origin.x + centre.x, origin.y + centre.y);
    }
    m_palette.Draw(origin.x, origin.y, m_pen);
    if (drawChildren)
        DrawChildren(x, y);
}
