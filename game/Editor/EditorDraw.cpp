#include "game/Editor/Editor.h"

#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "game/Editor/ResizeButtons.h"
#include "game/Options.h"

// The editor's picture.

using namespace Korva;

namespace
{
// Frames of SprEditorPanels.
enum : int32_t
{
    kFrameTitle = 0,
    kFrameLeftColumn = 1,
    kFrameLabelCell = 4,
    kFrameLabelBrick = 5,
    kFrameLabelPieces = 6,
    kFrameItemsLeft = 7,
    kFrameItems = 8,
    kFrameItemsRight = 9,
    kFrameSelector = 10,
    kFrameSelectorActive = 11,
    kFrameSlot = 12,
    kFrameSlotSelected = 13,
};

// The title, labels and frames around the controls.
constexpr sFramePlace kDecorations[] = {
    {50, 10, kFrameTitle},       {2, 34, kFrameLeftColumn},    {10, 248, kFrameLabelCell},
    {10, 368, kFrameLabelBrick}, {710, 10, kFrameLabelPieces}, {100, 500, kFrameItemsLeft},
    {400, 500, kFrameItems},     {689, 500, kFrameItemsRight},
};

constexpr cColor kCheckerA(35, 40, 45, 255);
constexpr cColor kCheckerB(43, 48, 53, 255);
constexpr cColor kFrameLine(90, 96, 104, 255);
constexpr cColor kScreenBackground(20, 24, 28, 255);
} // namespace

// --- drawing ---

cBrickLook cEditor::Look() const
{
    cBrickLook look;
    look.multiPhase = m_phaseA;
    look.starPhase = m_phaseB;
    look.bombFrame = m_bomb->GetFrame();
    look.plasmaFrame = m_plasma->GetFrame();
    return look;
}

void cEditor::DrawBackground(cRenderDevice& device) const
{
    // 64-pixel squares in a 128-pixel checker tile that moves with the
    // background offset.
    const int sx = ((static_cast<int>(m_backgroundX) % 128) + 128) % 128;
    const int sy = ((static_cast<int>(m_backgroundY) % 128) + 128) % 128;
    for (int y = kBoardArea.y - 128 + sy; y < kBoardArea.GetBottom(); y += 64)
        for (int x = kBoardArea.x - 128 + sx; x < kBoardArea.GetRight(); x += 64)
        {
            const bool odd = (((x - kBoardArea.x - sx) / 64) + ((y - kBoardArea.y - sy) / 64)) & 1;
            device.FillRect(cRect(x, y, 64, 64), odd ? kCheckerB : kCheckerA);
        }
}

void cEditor::DrawResizeButtons() const
{
    if (!m_resize)
        return;
    for (int n = 1; n <= ResizeButtons::kCount; ++n)
    {
        const cRect rect = GetResizeButtonRect(n);
        int32_t frame = ResizeButtons::BaseFrame(n);
        if (!IsPopupOpen() && kBoardArea.Contains(m_mouseX, m_mouseY) &&
            rect.Contains(m_mouseX, m_mouseY))
            frame += m_leftHeld ? 8 : 4;
        if (frame < m_resize->GetFrameCount())
            m_resize->DrawFrame(rect.x + m_resize->GetFrameHotSpotX(frame),
                                rect.y + m_resize->GetFrameHotSpotY(frame), frame);
    }
}

void cEditor::DrawCellKind(int kind, int32_t cx, int32_t cy, int32_t alpha) const
{
    if (!m_cells || kind < 0 || kind >= kCellKindCount)
        return;
    const int32_t frame = m_cellPlayers[static_cast<size_t>(kind)]->GetFrame();
    if (frame < 0 || frame >= m_cells->GetFrameCount())
        return;
    // Cells are drawn from their top-left corner.
    m_cells->DrawFrame(cx - m_cells->GetFrameWidth(frame) / 2,
                       cy - m_cells->GetFrameHeight(frame) / 2, frame, alpha);
}

void cEditor::DrawPreview() const
{
    if (IsPopupOpen() || IsShiftDown() || (m_mode != kModeCell && m_mode != kModeBrick))
        return;
    if (!kBoardArea.Contains(m_mouseX, m_mouseY) || !IsBoardRectAt(m_mouseX, m_mouseY))
        return;
    int32_t px = m_mouseX, py = m_mouseY;
    int x = 0, y = 0;
    if (CellAtPointer(x, y))
    {
        m_level.GetBoard().CellCentre(x, y, px, py);
        px += GetOriginX();
        py += GetOriginY();
    }
    if (m_mode == kModeCell)
        DrawCellKind(m_cellKind, px, py, 128);
    else
        DrawBrick(m_bricks, Look(), m_brickCode, px, py, 128);
}

void cEditor::DrawPanels() const
{
    if (m_panels)
    {
        const cSprite& panels = *m_panels;
        DrawFrames(panels, kDecorations);
        panels.DrawFrame(kCellSelector.x, kCellSelector.y,
                         m_mode == kModeCell ? kFrameSelectorActive : kFrameSelector);
        panels.DrawFrame(kBrickSelector.x, kBrickSelector.y,
                         m_mode == kModeBrick ? kFrameSelectorActive : kFrameSelector);
        for (int slot = 0; slot < kItemSlotCount; ++slot)
            panels.DrawFrame(kItemBar.x + 60 * slot, kItemBar.y,
                             m_mode == kModeItem && slot == m_itemSlot ? kFrameSlotSelected
                                                                       : kFrameSlot);
    }
    DrawCellKind(m_cellKind, 50, 315, 255);
    DrawBrick(m_bricks, Look(), m_brickCode, 50, 435);
}

void cEditor::Draw(int x, int y, bool drawChildren)
{
    cRenderDevice* device = GetGUI().GetRenderDevice();
    if (device)
    {
        device->FillRect(cRect(0, 0, 800, 600), kScreenBackground);
        device->PushClip();
        device->SetClip(kBoardArea);
        DrawBackground(*device);
        m_boardView.Draw(*device, m_level.GetBoard(), GetOriginX(), GetOriginY(), true);
        device->BeginBatch();
        DrawResizeButtons();
        DrawPreview();
        device->EndBatch();
        device->PopClip();
        device->DrawRect(
            cRect(kBoardArea.x - 1, kBoardArea.y - 1, kBoardArea.width + 2, kBoardArea.height + 2),
            kFrameLine);

        m_hint.Draw(&m_font, cPoint(400, 470), m_host.GetOptions().IsShowHints());
        device->BeginBatch();
        DrawPanels();
        m_itemBarView.DrawBar(m_level.GetItems());
        device->EndBatch();
    }
    if (drawChildren)
        DrawChildren(x, y);
}
