#pragma once

#include "game/Editor/EditorPanelsHost.h"

#include <memory>

namespace Korva
{
class cGUI;
class cWidget;
} // namespace Korva

class cYesNoPopupListener;
class cNewLevelPopup;
class cQuitToMenuPopup;

// The editor's nine popups, owned in one place: each is made once and
// loaded with the editor's state every time it opens.
class cEditorPopups
{
public:
    cEditorPopups(Korva::cGUI& gui, cEditorPanelsHost& host, cYesNoPopupListener* listener);
    ~cEditorPopups();

    // The popup of `kind` (cEditorPanelsHost::ePopup), prepared for showing;
    // null for an unknown kind.
    Korva::cWidget* Prepare(int kind);
    // The piece chooser follows the selected piece after the piece buttons;
    // `reload` also gives it that piece's bricks again.
    void RepointPieceChooser(int index, bool reload);

    cNewLevelPopup& GetNewLevelPopup() { return *m_newLevel; }
    cQuitToMenuPopup& GetQuitPopup() { return *m_quit; }

private:
    cEditorPanelsHost& m_host;
    std::unique_ptr<cNewLevelPopup> m_newLevel;
    std::unique_ptr<cQuitToMenuPopup> m_quit;
};
