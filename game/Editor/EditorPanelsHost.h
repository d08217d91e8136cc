#pragma once

#include "game/Game/PuzzleTypes.h"

#include <string>

namespace Korva
{
class cWidget;
}
class cLevel;

// What the editor's choosers, pieces panel and dialogs need from the editor.
// cEditor implements it; the panels' tests use a fake. Every operation takes
// effect at once: a chooser's OK button only closes the popup.
class cEditorPanelsHost
{
public:
    // The popups the editor shows, at most one at a time.
    enum ePopup : int
    {
        kPopupNone = 0,
        kPopupQuitToMenu = 1,
        kPopupNewLevel = 2,
        kPopupLoadLevel = 3,
        kPopupSaveLevel = 4,
        kPopupLevelInfo = 5,
        kPopupCell = 6,
        kPopupBrick = 7,
        kPopupPiece = 8,
        kPopupItem = 9,
    };

    virtual ~cEditorPanelsHost() = default;

    // What cell and brick modes paint. Kinds outside 1..12 and codes outside
    // 1..104 are ignored.
    virtual int GetCurrentCellKind() const = 0;
    virtual void SetCurrentCellKind(int kind) = 0;
    virtual int GetCurrentBrickCode() const = 0;
    virtual void SetCurrentBrickCode(int code) = 0;

    // The item bar: the selected slot (0..9) and what a slot holds (0, a
    // brick code 1..104 or an item 201..211).
    virtual int GetSelectedItemSlot() const = 0;
    virtual int GetItem(int slot) const = 0;
    virtual void SetItem(int slot, int item) = 0;

    // The piece list. SetPiece ignores an index outside the list; storing a
    // non-empty piece into the last record appends one empty record, so the
    // list keeps a place for a new piece at its end.
    virtual int GetPieceCount() const = 0;
    virtual tPiece GetPiece(int index) const = 0;
    virtual void SetPiece(int index, const tPiece& piece) = 0;
    // Appends empty records or drops records from the end until there are n.
    virtual void ResizePieceList(int n) = 0;
    virtual void SwapPieces(int a, int b) = 0;
    // Piece mode with `index` selected.
    virtual void SelectPiece(int index) = 0;
    virtual int GetSelectedPiece() const = 0;
    virtual bool IsPieceMode() const = 0;

    virtual std::string GetLevelName() const = 0;
    virtual void SetLevelName(const std::string& name) = 0;
    virtual std::string GetLevelDescription() const = 0;
    virtual void SetLevelDescription(const std::string& description) = 0;

    // The user level file the level being edited came from or was last
    // saved to; "" for a new level. Save proposes it.
    virtual std::string GetLevelFile() const = 0;
    virtual void SetLevelFile(const std::string& fileName) = 0;

    // A fresh 9 x 7 level without cells, as on entry from the menu.
    virtual void NewLevel() = 0;
    // The level as a test play gets it (empty piece records dropped).
    virtual cLevel GetLevel() const = 0;
    // Replaces everything being edited by `level`: board, pieces (ending in
    // one empty record), item bar, name, description; the view is centred.
    virtual void SetLevel(const cLevel& level) = 0;

    // Opening first closes any open popup; both hide the hint.
    virtual void OpenPopup(int kind) = 0;
    virtual void ClosePopup() = 0;
    virtual bool IsPopupOpen() const = 0;

    // The hint line: shown with an owner, hidden only by the widget owning it.
    virtual void ShowHint(const std::string& text, const Korva::cWidget* owner) = 0;
    virtual void HideHint(const Korva::cWidget* owner) = 0;

    // Phases in [0, 1) of the multi and star brick pulses.
    virtual float GetPulsePhaseA() const = 0;
    virtual float GetPulsePhaseB() const = 0;

    // A sound effect of the game's sound player (kSndButtonPressed, kSndPutPiece).
    virtual void PlaySound(int effect) = 0;
};
