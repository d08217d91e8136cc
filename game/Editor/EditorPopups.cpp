#include "game/Editor/EditorPopups.h"

#include "game/Menu/YesNoPopup.h"

using namespace Korva;

cEditorPopups::cEditorPopups(cGUI& gui, cEditorPanelsHost& host, cYesNoPopupListener* listener)
    : m_host(host), m_newLevel(std::make_unique<cNewLevelPopup>(gui, listener)),
      m_quit(std::make_unique<cQuitToMenuPopup>(gui, listener))
{
}

cEditorPopups::~cEditorPopups() = default;

cWidget* cEditorPopups::Prepare(int kind)
{
    switch (kind)
    {
    case cEditorPanelsHost::kPopupQuitToMenu:
        return m_quit.get();
    case cEditorPanelsHost::kPopupNewLevel:
        return m_newLevel.get();
    default:
        return nullptr;
    }
}

void cEditorPopups::RepointPieceChooser(int index, bool reload)
{
    (void)index, (void)reload;
}
