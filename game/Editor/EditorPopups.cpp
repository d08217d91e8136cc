#include "game/Editor/EditorPopups.h"

#include "game/Editor/BrickSelector.h"
#include "game/Editor/CellSelector.h"
#include "game/Editor/ItemSelector.h"
#include "game/Editor/LevelFileDialog.h"
#include "game/Editor/LevelInfoDialog.h"
#include "game/Editor/PieceSelector.h"
#include "game/Menu/YesNoPopup.h"

using namespace Korva;

cEditorPopups::cEditorPopups(cGUI& gui, cEditorPanelsHost& host, cYesNoPopupListener* listener,
                             cFileSystem* userFileSystem)
    : m_host(host), m_newLevel(std::make_unique<cNewLevelPopup>(gui, listener)),
      m_quit(std::make_unique<cQuitToMenuPopup>(gui, listener)),
      m_cell(std::make_unique<cCellSelector>(gui, host)),
      m_brick(std::make_unique<cBrickSelector>(gui, host)),
      m_item(std::make_unique<cItemSelector>(gui, host)),
      m_piece(std::make_unique<cPieceSelector>(gui, host)),
      m_info(std::make_unique<cLevelInfoDialog>(gui, host))
{
    if (userFileSystem)
    {
        m_load = std::make_unique<cLoadLevelDialog>(gui, host, *userFileSystem);
        m_save = std::make_unique<cSaveLevelDialog>(gui, host, *userFileSystem);
    }
}

cEditorPopups::~cEditorPopups() = default;

cPopup* cEditorPopups::Prepare(int kind)
{
    switch (kind)
    {
    case cEditorPanelsHost::kPopupQuitToMenu:
        return m_quit.get();
    case cEditorPanelsHost::kPopupNewLevel:
        return m_newLevel.get();
    case cEditorPanelsHost::kPopupLoadLevel:
        if (m_load)
            m_load->Refresh();
        return m_load.get();
    case cEditorPanelsHost::kPopupSaveLevel:
        if (m_save)
            m_save->Refresh();
        return m_save.get();
    case cEditorPanelsHost::kPopupLevelInfo:
        m_info->Load(m_host.GetLevelName(), m_host.GetLevelDescription());
        return m_info.get();
    case cEditorPanelsHost::kPopupCell:
        m_cell->SetCellKind(m_host.GetCurrentCellKind());
        return m_cell.get();
    case cEditorPanelsHost::kPopupBrick:
        m_brick->SetBrickCode(m_host.GetCurrentBrickCode());
        return m_brick.get();
    case cEditorPanelsHost::kPopupPiece:
        m_piece->Load(m_host.GetSelectedPiece(), m_host.GetPiece(m_host.GetSelectedPiece()));
        return m_piece.get();
    case cEditorPanelsHost::kPopupItem:
    {
        const int slot = m_host.GetSelectedItemSlot();
        m_item->Load(slot, m_host.GetItem(slot));
        return m_item.get();
    }
    default:
        return nullptr;
    }
}

void cEditorPopups::RepointPieceChooser(int index, bool reload)
{
    if (reload)
        m_piece->Load(index, m_host.GetPiece(index));
    else
        m_piece->SetIndex(index);
}
