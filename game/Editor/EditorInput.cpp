#include "game/Editor/Editor.h"

#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/Editor/ResizeButtons.h"
#include "game/Menu/PanelButton.h"
#include "game/Options.h"
#include "game/SoundPlayer.h"

// The editor's mouse, keys and painting.

using namespace Korva;

// --- input ---

bool cEditor::IsShiftDown() const
{
    return (HeldModifiers() & kModShift) != 0;
}

bool cEditor::IsFullScreen() const
{
    return m_host.GetOptions().IsFullScreen();
}

cRect cEditor::GetResizeButtonRect(int n) const
{
    const cBoard& board = m_level.GetBoard();
    cPoint rowSize = ResizeButtons::kDefaultRowSize;
    cPoint columnSize = ResizeButtons::kDefaultColumnSize;
    if (m_resize && m_resize->GetFrameCount() > 2)
    {
        rowSize = cPoint(m_resize->GetFrameWidth(0), m_resize->GetFrameHeight(0));
        columnSize = cPoint(m_resize->GetFrameWidth(2), m_resize->GetFrameHeight(2));
    }
    return ResizeButtons::Rect(n, GetOriginX(), GetOriginY(), board.PixelWidth(),
                               board.PixelHeight(), rowSize, columnSize);
}

int cEditor::ResizeButtonAt(int32_t x, int32_t y) const
{
    if (!kBoardArea.Contains(x, y))
        return 0;
    for (int n = 1; n <= ResizeButtons::kCount; ++n)
        if (GetResizeButtonRect(n).Contains(x, y))
            return n;
    return 0;
}

bool cEditor::IsBoardRectAt(int32_t mx, int32_t my) const
{
    const cBoard& board = m_level.GetBoard();
    return cRect(GetOriginX(), GetOriginY(), board.PixelWidth(), board.PixelHeight())
        .Contains(mx, my);
}

void cEditor::OnScreenPress(const cMouseEvent& event)
{
    const int32_t mx = event.GetX();
    const int32_t my = event.GetY();
    m_mouseX = mx;
    m_mouseY = my;
    if (event.GetButton() == kMouseButtonLeft)
    {
        m_leftHeld = true;
        m_hold.Arm();
    }
    else if (event.GetButton() == kMouseButtonRight)
        m_rightHeld = true;

    if (kBoardArea.Contains(mx, my))
    {
        // A held button paints in every update. The press paints too: a
        // quick click can be released before the next update and would
        // otherwise be lost. Painting the same cell again changes nothing.
        if (const int n = ResizeButtonAt(mx, my))
            PressResizeButton(n);
        else
            UpdatePainting();
        return;
    }
    if (kCellSelector.Contains(mx, my) || kBrickSelector.Contains(mx, my))
    {
        SetMode(kCellSelector.Contains(mx, my) ? kModeCell : kModeBrick);
        PlaySound(kSndButtonPressed);
        return;
    }
    if (kItemBar.Contains(mx, my))
    {
        const int slot = (mx - kItemBar.x) / 60;
        if (m_mode == kModeItem && IsShiftDown())
        {
            cItemPanel& items = m_level.GetItems();
            const int code = items.GetSlot(slot);
            items.SetSlot(slot, items.GetSlot(m_itemSlot));
            items.SetSlot(m_itemSlot, code);
        }
        m_itemSlot = slot;
        SetMode(kModeItem);
        PlaySound(kSndButtonPressed);
        return;
    }
    m_view.Press(mx, my, IsFullScreen());
}

void cEditor::PressResizeButton(int n)
{
    const cBoard& board = m_level.GetBoard();
    const int width = board.PixelWidth();
    const int height = board.PixelHeight();
    m_level.Resize(n);
    // The far edge stays where it was, and with it the button under the
    // pointer; the near edge stays put by itself.
    m_view.MoveOffset(
        ResizeButtons::MovesRightEdge(n) ? -static_cast<float>(board.PixelWidth() - width) : 0.0f,
        ResizeButtons::MovesBottomEdge(n) ? -static_cast<float>(board.PixelHeight() - height)
                                          : 0.0f);
    PlaySound(kSndButtonPressed);
}

void cEditor::OnScreenRelease(const cMouseEvent& event, bool onScreen)
{
    if (event.GetButton() == kMouseButtonLeft)
    {
        m_leftHeld = false;
        m_hold.Disarm();
    }
    else if (event.GetButton() == kMouseButtonRight)
        m_rightHeld = false;
    if (onScreen && !IsPopupOpen() && event.GetButton() == kMouseButtonRight)
        OpenChooserAt(event.GetX(), event.GetY());
}

void cEditor::OpenChooserAt(int32_t mx, int32_t my)
{
    if (kCellSelector.Contains(mx, my))
        OpenPopup(kPopupCell);
    else if (kBrickSelector.Contains(mx, my))
        OpenPopup(kPopupBrick);
    else if (kItemBar.Contains(mx, my))
        OpenPopup(kPopupItem);
}

void cEditor::OnScreenMove(int32_t mx, int32_t my)
{
    m_mouseX = mx;
    m_mouseY = my;
    // Holding to change needs a still pointer.
    m_hold.Disarm();
    UpdateAreaHint(mx, my);
}

void cEditor::ClearPointerState()
{
    m_mouseX = 1;
    m_mouseY = 1;
    m_hold.Disarm();
    m_view.Leave();
    m_hoverResize = 0;
}

void cEditor::OnScreenLeave()
{
    ClearPointerState();
    m_hint.Hide(this);
}

void cEditor::UpdateAreaHint(int32_t mx, int32_t my)
{
    if (kBoardArea.Contains(mx, my) && !IsBoardRectAt(mx, my))
    {
        const int n = ResizeButtonAt(mx, my);
        if (n != 0)
        {
            m_hint.Show(ResizeButtons::Hint(n), this);
            if (n != m_hoverResize)
                PlaySound(kSndButtonHover);
        }
        else
            m_hint.Hide(this);
        m_hoverResize = n;
        return;
    }
    m_hoverResize = 0;
    if (kBoardArea.Contains(mx, my))
    {
        if (m_mode == kModeCell)
            m_hint.Show("left button to put cell, right button or space to clear", this);
        else if (m_mode == kModeBrick)
            m_hint.Show("left button to put brick, right button or space to clear", this);
        else
            m_hint.Hide(this);
    }
    else if (kCellSelector.Contains(mx, my))
        m_hint.Show("left button to select cell, right button or hold to change", this);
    else if (kBrickSelector.Contains(mx, my))
        m_hint.Show("left button to select brick, right button or hold to change", this);
    else if (kItemBar.Contains(mx, my))
        m_hint.Show("left button to select item, right button or hold to change", this);
    else
        m_hint.Hide(this);
}

void cEditor::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    switch (PanelButtonIndex(m_buttons, button))
    {
    case kButtonNew:
        OpenPopup(kPopupNewLevel);
        break;
    case kButtonLoad:
        OpenPopup(kPopupLoadLevel);
        break;
    case kButtonSave:
        OpenPopup(kPopupSaveLevel);
        break;
    case kButtonQuit:
        OpenPopup(kPopupQuitToMenu);
        break;
    case kButtonLevelInfo:
        OpenPopup(kPopupLevelInfo);
        break;
    case kButtonTest:
        StartTestPlay();
        break;
    case kButtonLogo:
        m_host.OpenHomepage();
        break;
    case kButtonPieceUp:
        MovePieceUp();
        break;
    case kButtonPieceDown:
        MovePieceDown();
        break;
    case kButtonPieceInsert:
        InsertPiece();
        break;
    case kButtonPieceDelete:
        DeletePiece();
        break;
    default:
        break;
    }
}

void cEditor::OnScreenKey(const cKeyboardEvent& event)
{
    const int32_t key = event.GetKey();
    // Esc and Enter on an open popup went to it; keys ignored because a
    // popup is open play nothing.
    if (IsPopupOpen())
        return;
    switch (key)
    {
    case kKeyEscape:
        OpenPopup(kPopupQuitToMenu);
        break;
    case KeyOfLetter('t'):
        StartTestPlay();
        break;
    case KeyOfLetter('i'):
        OpenPopup(kPopupLevelInfo);
        break;
    case KeyOfLetter('s'):
        OpenPopup(kPopupSaveLevel);
        break;
    case KeyOfLetter('l'):
        OpenPopup(kPopupLoadLevel);
        break;
    case KeyOfLetter('n'):
        OpenPopup(kPopupNewLevel);
        break;
    case KeyOfLetter('h'):
        ToggleHints();
        break;
    case KeyOfLetter('m'):
        ToggleMusic();
        break;
    default:
        return;
    }
    PlaySound(kSndButtonPressed);
}

void cEditor::ToggleHints()
{
    cOptions& options = m_host.GetOptions();
    options.SetShowHints(!options.IsShowHints());
}

void cEditor::ToggleMusic()
{
    cOptions& options = m_host.GetOptions();
    options.SetMusicEnabled(!options.IsMusicEnabled());
    cSoundPlayer::Get().SetMusicEnabled(options.IsMusicEnabled());
}

// --- painting ---

void cEditor::UpdatePainting()
{
    if (!kBoardArea.Contains(m_mouseX, m_mouseY) || (m_mode != kModeCell && m_mode != kModeBrick))
        return;
    const bool cellMode = m_mode == kModeCell;
    if (m_leftHeld && !IsShiftDown())
    {
        if (cellMode)
            PutCellAtPointer(m_cellKind);
        else
            PutBrickAtPointer(m_brickCode);
    }
    else if (m_leftHeld)
        PickAtPointer();
    else if (m_rightHeld || IsKeyDown(kKeySpace))
    {
        if (cellMode)
            PutCellAtPointer(kCellHole);
        else
            PutBrickAtPointer(kBrickNone);
    }
}

bool cEditor::CellAtPointer(int& x, int& y) const
{
    // The board is drawn at whole pixels, so the pointer is measured so too.
    const int px = m_mouseX - GetOriginX();
    const int py = m_mouseY - GetOriginY();
    return m_level.GetBoard().CellAtPixel(px, py, x, y);
}

void cEditor::PutCellAtPointer(int kind)
{
    int x = 0, y = 0;
    if (CellAtPointer(x, y) && m_level.PutCell(x, y, kind))
        PlaySound(kSndPutPiece);
}

void cEditor::PutBrickAtPointer(int code)
{
    int x = 0, y = 0;
    if (CellAtPointer(x, y) && m_level.PutBrick(x, y, code))
        PlaySound(kSndPutPiece);
}

void cEditor::PickAtPointer()
{
    int x = 0, y = 0;
    if (!CellAtPointer(x, y))
        return;
    const cBoard& board = m_level.GetBoard();
    if (m_mode == kModeCell && board.GetCellKind(x, y) != 0)
        SetCurrentCellKind(board.GetCellKind(x, y));
    else if (m_mode == kModeBrick && board.GetBrickCode(x, y) != 0)
        SetCurrentBrickCode(board.GetBrickCode(x, y));
}
