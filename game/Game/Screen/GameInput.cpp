#include "game/Game/Screen/Game.h"

#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/Options.h"
#include "game/SoundPlayer.h"

#include <cstdio>

// The game screen's mouse and keys.

using namespace Korva;

// --- input ---

Korva::cPoint cGame::GetBoardPixelSize() const
{
    if (!m_puzzle || !m_puzzle->HasBoard())
        return cPoint(0, 0);
    return cPoint(m_puzzle->GetBoard().PixelWidth(), m_puzzle->GetBoard().PixelHeight());
}

bool cGame::IsFullScreen() const
{
    return m_host.GetOptions().IsFullScreen();
}

void cGame::OnScreenPress(const cMouseEvent& event)
{
    const int32_t mx = event.GetX();
    const int32_t my = event.GetY();
    if (!m_puzzle || !m_puzzle->HasBoard())
        return;
    cPuzzle& puzzle = *m_puzzle;
    if (kBoardArea.Contains(mx, my))
    {
        // Moves wait until the board has come to rest; earlier clicks are
        // dropped without a sound.
        if (!puzzle.IsSettled())
            return;
        const auto ox = static_cast<int>(m_view.GetOffsetX());
        const auto oy = static_cast<int>(m_view.GetOffsetY());
        if (puzzle.IsPieceMode())
        {
            if (event.GetButton() == kMouseButtonRight)
                puzzle.RotatePiece();
            else if (event.GetButton() == kMouseButtonLeft &&
                     puzzle.GetPiecePanel().HasPiecesLeft())
                puzzle.PutPieceAtPixel(mx, my, ox, oy);
        }
        else if (puzzle.IsItemMode() && event.GetButton() == kMouseButtonLeft &&
                 puzzle.GetItemPanel().GetSelectedCode() != 0)
            puzzle.UseItemAtPixel(mx, my, ox, oy);
        return;
    }
    if (kPiecePanelArea.Contains(mx, my))
    {
        puzzle.SelectPieceMode();
        Sound(kSndButtonPressed);
        return;
    }
    if (kItemBarArea.Contains(mx, my))
    {
        puzzle.SelectItemSlot((mx - kItemBarArea.x) / 60);
        Sound(kSndButtonPressed);
        return;
    }
    m_view.Press(mx, my, IsFullScreen());
}

void cGame::OnScreenMove(int32_t mx, int32_t my)
{
    if (!m_puzzle)
        return;
    if (kBoardArea.Contains(mx, my))
    {
        if (m_puzzle->IsPieceMode())
            m_hint.Show("left button to put piece, right button or space to rotate", this);
        else if (m_puzzle->GetItemPanel().GetSelectedCode() != 0)
            m_hint.Show("press left button to use item", this);
        else
            m_hint.HideAny();
    }
    else if (kPiecePanelArea.Contains(mx, my))
        m_hint.Show("press mouse button to select the piece (p)", this);
    else if (kItemBarArea.Contains(mx, my))
    {
        char text[64];
        std::snprintf(text, sizeof(text), "press mouse button to select the item (%d)",
                      cItemPanel::SlotLabel((mx - kItemBarArea.x) / 60));
        m_hint.Show(text, this);
    }
    else
        m_hint.HideAny();
}

void cGame::OnScreenKey(const cKeyboardEvent& event)
{
    if (!m_puzzle)
        return;
    const int32_t key = event.GetKey();
    const bool popupOpen = IsPopupOpen();
    const auto open = [this](int popup)
    {
        ShowPopup(popup);
        Sound(kSndButtonPressed);
    };
    if (key >= kKey1 && key <= kKey0)
    {
        m_puzzle->SelectItemSlot(key - kKey1);
        Sound(kSndButtonPressed);
        return;
    }
    switch (key)
    {
    case kKeyEscape:
        // With a popup open the host has closed it.
        open(m_editorTestMode ? kPopupBackToEditor : kPopupChangeLevel);
        break;
    case KeyOfLetter('p'):
        m_puzzle->SelectPieceMode();
        Sound(kSndButtonPressed);
        break;
    case kKeySpace:
        if (m_puzzle->IsPieceMode() && m_puzzle->IsSettled())
            m_puzzle->RotatePiece();
        break;
    case KeyOfLetter('u'):
    case KeyOfLetter('y'):
    case kKeyZ:
    {
        // u and Ctrl+Z undo; y, Ctrl+Y and Ctrl+Shift+Z redo; z alone does
        // nothing.
        const int32_t held = HeldModifiers();
        const bool control = (held & kModControl) != 0;
        const bool shift = (held & kModShift) != 0;
        if (key == kKeyZ && !control)
            break;
        if (!popupOpen && !m_puzzle->IsCompleted())
        {
            if (key == KeyOfLetter('u') || (key == kKeyZ && !shift))
                Undo();
            else
                Redo();
            Sound(kSndButtonPressed);
        }
        break;
    }
    case KeyOfLetter('r'):
        if (!popupOpen)
            open(kPopupRestart);
        break;
    case kKeyQ:
        if (!popupOpen)
            open(kPopupQuitToMenu);
        break;
    case KeyOfLetter('i'):
        // Over the game-completed popup it would skip the step after it.
        if (GetPopup() != kPopupGameCompleted)
            open(kPopupLevelInfo);
        break;
    case kKeyF1:
        if (AskForHint())
            Sound(kSndButtonPressed);
        break;
    case KeyOfLetter('m'):
        ToggleOption(kButtonMusic);
        Sound(kSndButtonPressed);
        break;
    case KeyOfLetter('s'):
        ToggleOption(kButtonSound);
        Sound(kSndButtonPressed);
        break;
    case KeyOfLetter('h'):
        ToggleOption(kButtonHints);
        Sound(kSndButtonPressed);
        break;
    case KeyOfLetter('c'):
    {
        // The colour-blind aid has no button of its own; a note says what
        // the key did.
        cOptions& options = m_host.GetOptions();
        options.SetColourSymbols(!options.IsColourSymbols());
        SetBrickSymbols(options.IsColourSymbols());
        m_hintMarker.ShowMessage(options.IsColourSymbols() ? "colour symbols on (c)"
                                                           : "colour symbols off (c)");
        Sound(kSndButtonPressed);
        break;
    }
    default:
        break;
    }
}

void cGame::Undo()
{
    if (m_puzzle && !m_puzzle->IsCompleted() && m_puzzle->Undo())
        DropHint();
}

void cGame::Redo()
{
    if (m_puzzle && !m_puzzle->IsCompleted() && m_puzzle->Redo())
        DropHint();
}

void cGame::ToggleOption(int button)
{
    cOptions& options = m_host.GetOptions();
    cSoundPlayer& player = cSoundPlayer::Get();
    switch (button)
    {
    case kButtonMusic:
        options.SetMusicEnabled(!options.IsMusicEnabled());
        player.SetMusicEnabled(options.IsMusicEnabled());
        break;
    case kButtonSound:
        options.SetSoundEnabled(!options.IsSoundEnabled());
        player.SetSoundEnabled(options.IsSoundEnabled());
        break;
    case kButtonHints:
        options.SetShowHints(!options.IsShowHints());
        break;
    default:
        break;
    }
}
