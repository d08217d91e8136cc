#include "game/Game/Screen/Game.h"

#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "game/Options.h"

// The game screen's picture.

using namespace Korva;

namespace
{
constexpr cColor kBackground(100, 150, 200, 255);

// Frames of SprGamePanels that decorate the screen.
enum : int32_t
{
    kFrameLogo = 0,
    kFrameButtonColumn = 1,
    kFramePieceBox = 2,
    kFrameQueueBox = 3,
    kFrameItemBox = 4,
    kFrameSlot = 5,
    kFrameSlotSelected = 6,
    kFramePieceSelected = 7,
    kFrameCaptionPiece = 8,
    kFrameCaptionNext = 9,
    kFrameCaptionItems = 10,
    kFrameCaptionOptions = 11,
    kFrameToggleCaption = 32, // music, sound, hints, full screen
};

// The boxes and captions around the controls.
constexpr sFramePlace kDecorations[] = {
    {5, 8, kFrameLogo},
    {2, 52, kFrameButtonColumn},
    {10, 240, kFrameCaptionOptions},
    {705, 32, kFramePieceBox},
    {710, 16, kFrameCaptionPiece},
    {705, 127, kFrameQueueBox},
    {710, 130, kFrameCaptionNext},
    {95, 525, kFrameItemBox},
    {100, 508, kFrameCaptionItems},
};
} // namespace

void cGame::DrawPanels() const
{
    if (!m_panels || !m_puzzle)
        return;
    const cSprite& panels = *m_panels;
    DrawFrames(panels, kDecorations);
    const cPuzzle& puzzle = *m_puzzle;
    if (puzzle.IsPieceMode())
        panels.DrawFrame(705, 32, kFramePieceSelected);
    for (int slot = 0; slot < kItemSlotCount; ++slot)
    {
        const bool selected = puzzle.IsItemMode() && puzzle.GetSelectedSlot() == slot;
        panels.DrawFrame(130 + 60 * slot, 560, selected ? kFrameSlotSelected : kFrameSlot);
    }
}

void cGame::DrawBoard(cRenderDevice& device) const
{
    const cPuzzle& puzzle = *m_puzzle;
    const cBoard& board = puzzle.GetBoard();
    const int32_t mx = m_view.GetMouseX();
    const int32_t my = m_view.GetMouseY();
    device.PushClip();
    device.SetClip(kBoardArea);
    m_boardView.Draw(device, board, GetOriginX(), GetOriginY());
    device.BeginBatch();
    m_hintMarker.DrawOnBoard(board, GetOriginX(), GetOriginY());
    device.EndBatch();
    if (!IsPopupOpen() && kBoardArea.Contains(mx, my))
    {
        // The invalid-cell marks come first and stay below the bricks.
        device.BeginBatch();
        if (puzzle.IsPieceMode())
            m_pieceView.DrawPreview(puzzle.GetPiecePanel(), board, mx, my, GetOriginX(),
                                    GetOriginY());
        else if (puzzle.IsItemMode())
            m_itemBarView.DrawPreview(puzzle.GetItemPanel(), board, mx, my, GetOriginX(),
                                      GetOriginY());
        device.EndBatch();
    }
    device.PopClip();
}

void cGame::Draw(int x, int y, bool drawChildren)
{
    (void)x, (void)y;
    cRenderDevice* device = GetGUI().GetRenderDevice();
    if (device)
        device->FillRect(cRect(0, 0, 800, 600), kBackground);
    if (device && m_puzzle && m_puzzle->HasBoard())
    {
        const cPuzzle& puzzle = *m_puzzle;
        DrawBoard(*device);
        // The panels, the queue and the bar overlap only in that order, so
        // they can share one batch (drawn by texture in order of first use).
        device->BeginBatch();
        DrawPanels();
        m_pieceView.DrawQueue(puzzle.GetPiecePanel());
        m_itemBarView.DrawBar(puzzle.GetItemPanel());
        device->EndBatch();
        m_hintMarker.DrawOnItemBar();
        m_hintMarker.DrawMessage(m_font, device);
        m_hint.Draw(&m_font, cPoint(400, 470), m_host.GetOptions().IsShowHints());
        if (puzzle.IsCompleted() && !m_bannerHidden && m_banner)
            m_banner->DrawFrame(400, 250, 0, static_cast<int32_t>(puzzle.GetBannerFade() * 255.0f));
    }
    if (!drawChildren)
        return;
    // The option captions lie on the toggle buttons, so they come after.
    DrawChildren(x, y);
    if (m_panels && device)
        for (int i = 0; i < 4; ++i)
            m_panels->DrawFrame(10, 260 + 30 * i, kFrameToggleCaption + i);
}
