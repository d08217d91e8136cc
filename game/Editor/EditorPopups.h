#pragma once

#include "game/Editor/EditorPanelsHost.h"

#include <memory>

namespace Korva
{
class cFileSystem;
class cGUI;
class cWidget;
} // namespace Korva

class cBrickSelector;
class cCellSelector;
class cItemSelector;
class cLevelInfoDialog;
class cLoadLevelDialog;
class cNewLevelPopup;
class cPieceSelector;
class cPopup;
class cQuitToMenuPopup;
class cSaveLevelDialog;
class cYesNoPopupListener;

// The editor's nine popups, owned in one place: each is made once and
// loaded with the editor's state every time it opens.
class cEditorPopups
{
public:
    // Without a user file system there are no load and save dialogs.
    cEditorPopups(Korva::cGUI& gui, cEditorPanelsHost& host, cYesNoPopupListener* listener,
                  Korva::cFileSystem* userFileSystem);
    ~cEditorPopups();

    // The popup of `kind` (cEditorPanelsHost::ePopup), prepared for showing;
    // null for an unknown kind or a dialog this editor has not got.
    cPopup* Prepare(int kind);
    // The piece chooser follows the selected piece after the piece buttons;
    // `reload` also gives it that piece's bricks again.
    void RepointPieceChooser(int index, bool reload);

    cNewLevelPopup& GetNewLevelPopup() { return *m_newLevel; }
    cQuitToMenuPopup& GetQuitPopup() { return *m_quit; }
    cCellSelector& GetCellSelector() { return *m_cell; }
    cBrickSelector& GetBrickSelector() { return *m_brick; }
    cItemSelector& GetItemSelector() { return *m_item; }
    cPieceSelector& GetPieceSelector() { return *m_piece; }
    cLevelInfoDialog& GetLevelInfoDialog() { return *m_info; }
    cLoadLevelDialog* GetLoadDialog() { return m_load.get(); }
    cSaveLevelDialog* GetSaveDialog() { return m_save.get(); }

private:
    cEditorPanelsHost& m_host;
    std::unique_ptr<cNewLevelPopup> m_newLevel;
    std::unique_ptr<cQuitToMenuPopup> m_quit;
    std::unique_ptr<cCellSelector> m_cell;
    std::unique_ptr<cBrickSelector> m_brick;
    std::unique_ptr<cItemSelector> m_item;
    std::unique_ptr<cPieceSelector> m_piece;
    std::unique_ptr<cLevelInfoDialog> m_info;
    std::unique_ptr<cLoadLevelDialog> m_load;
    std::unique_ptr<cSaveLevelDialog> m_save;
};
