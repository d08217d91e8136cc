#include "game/Editor/Editor.h"

#include "engine/Core/Exception.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "game/ApplicationScreen.h"
#include "game/Editor/EditorPopups.h"
#include "game/Editor/PiecesPanel.h"
#include "game/Game/BoardMetrics.h"
#include "game/GameApplication.h"
#include "game/Menu/PanelButton.h"
#include "game/Options.h"
#include "game/SoundPlayer.h"

#include <algorithm>

using namespace Korva;

namespace
{
// In the order of cEditor::eButton.
constexpr sPanelButtonLayout kButtons[] = {
    {{10, 60, 80, 27}, 14, "discard this level and start fresh with a new level (n)"},
    {{10, 87, 80, 26}, 17, "discard this level and load a previously saved level (l)"},
    {{10, 113, 80, 26}, 20, "save this level (s)"},
    {{10, 139, 80, 27}, 23, "discard this level and quit to menu (esc)"},
    {{10, 176, 80, 27}, 26, "edit the level information for this level (i)"},
    {{10, 203, 80, 27}, 29, "test this level by playing it (t)"},
    {{5, 487, 86, 104}, 0, "visit the homepage of quillbee studios"},
    {{710, 439, 80, 27}, 32, "move the selected piece one step up"},
    {{710, 466, 80, 26}, 35, "move the selected piece one step down"},
    {{710, 492, 80, 26}, 38, "insert a new piece above the selected piece"},
    {{710, 518, 80, 27}, 41, "delete the selected piece"},
};
static_assert(std::size(kButtons) == cEditor::kButtonCount);

} // namespace

cEditor::cEditor(cGUI& gui, cEditorHost& host)
    : cBoardScreen(gui), m_host(host), m_level(BoardMetricsFromResources()),
      m_panels(FindSprite("SprEditorPanels")), m_resize(FindSprite("SprResizeButtons")),
      m_cells(FindSprite("SprCells")), m_bricks(cBrickSprites::Find(""))
{
    if (!Claim(this))
        KORVA_THROW(cException, "An instance of cEditor already exists.");
    for (size_t kind = 0; kind < m_cellPlayers.size(); ++kind)
    {
        m_cellPlayers[kind] = std::make_unique<cAnimPlayer>(m_cells);
        if (m_cells)
            m_cellPlayers[kind]->Play(static_cast<int32_t>(kind));
    }
    m_bomb = std::make_unique<cAnimPlayer>(m_bricks.bomb);
    m_plasma = std::make_unique<cAnimPlayer>(m_bricks.plasma);
    if (m_bricks.bomb)
        m_bomb->Play(0);
    if (m_bricks.plasma)
        m_plasma->Play(0);
    CreateButtons();
    CreatePopups();
    NewLevel();
}

cEditor::~cEditor()
{
    m_popups.Dismiss();
    Deactivate();
    RemoveAllChildren();
    Unclaim(this);
}

// The application's one editor.
template class cSingleScreen<cEditor, cApplicationEditorHost, eScreen::Editor>;

void cEditor::CreateButtons()
{
    MakeScreenButtons(*this, kButtons, kButtonLogo, "SprEditorPanels", m_buttons);
}

void cEditor::CreatePopups()
{
    m_popupSet = std::make_unique<cEditorPopups>(GetGUI(), *this, this, m_host.GetUserFileSystem());
    m_piecesPanel = std::make_unique<cPiecesPanel>(GetGUI(), *this);
    AddChild(cPoint(710, 37), m_piecesPanel.get());
}

cButton* cEditor::GetButton(int index) const
{
    return PanelButtonAt(m_buttons, index);
}

// --- lifecycle ---

void cEditor::NewLevel()
{
    m_mode = kModeCell;
    m_itemSlot = 0;
    m_cellKind = 1;
    m_brickCode = 11;
    m_selectedPiece = 0;
    m_phaseA = 0.0f;
    m_phaseB = 0.0f;
    m_level.NewLevel();
    m_levelFile.clear();
    CentreView();
}

void cEditor::SetLevel(const cLevel& level)
{
    m_level.FromLevel(level);
    m_selectedPiece = std::clamp(m_selectedPiece, 0, m_level.GetPieceCount() - 1);
    m_level.GetItems().Select(m_mode == kModeItem, m_itemSlot);
    CentreView();
}

void cEditor::CentreView()
{
    const cBoard& board = m_level.GetBoard();
    m_view.SetOffset(-static_cast<float>(board.PixelWidth() / 2),
                     -static_cast<float>(board.PixelHeight() / 2));
    m_backgroundX = m_view.GetOffsetX();
    m_backgroundY = m_view.GetOffsetY();
}

void cEditor::Activate()
{
    m_popups.Activate();
    m_leftHeld = m_rightHeld = false;
    ClearPointerState();
    m_popups.Close();
    m_hint = cHint();
    cSoundPlayer::Get().SetMusic(kMusicGame);
}

void cEditor::Deactivate()
{
    m_popups.Deactivate();
    m_view.Leave();
}

// --- modes and choices ---

void cEditor::SetMode(eMode mode)
{
    m_mode = mode;
    m_level.GetItems().Select(mode == kModeItem, m_itemSlot);
}

void cEditor::SetCurrentCellKind(int kind)
{
    if (kind >= 1 && kind < kCellKindCount)
        m_cellKind = kind;
}

void cEditor::SetCurrentBrickCode(int code)
{
    if (code >= 1 && code <= kBrickLast)
        m_brickCode = code;
}

void cEditor::SetItem(int slot, int item)
{
    if (IsValidItemCode(item))
        m_level.GetItems().SetSlot(slot, item);
}

void cEditor::ResizePieceList(int n)
{
    m_level.ResizePieceList(n);
    if (m_selectedPiece >= m_level.GetPieceCount())
        m_selectedPiece = std::max(0, m_level.GetPieceCount() - 1);
}

void cEditor::SelectPiece(int index)
{
    if (index < 0 || index >= m_level.GetPieceCount())
        return;
    SetMode(kModePiece);
    m_selectedPiece = index;
}

// --- pieces ---

void cEditor::MovePieceUp()
{
    if (m_mode != kModePiece || m_selectedPiece <= 0)
        return;
    m_level.SwapPieces(m_selectedPiece, m_selectedPiece - 1);
    --m_selectedPiece;
    if (GetPopup() == kPopupPiece)
        m_popupSet->RepointPieceChooser(m_selectedPiece, false);
}

void cEditor::MovePieceDown()
{
    if (m_mode != kModePiece)
        return;
    if (m_selectedPiece + 1 >= m_level.GetPieceCount())
        m_level.ResizePieceList(m_selectedPiece + 2);
    m_level.SwapPieces(m_selectedPiece, m_selectedPiece + 1);
    ++m_selectedPiece;
    if (GetPopup() == kPopupPiece)
        m_popupSet->RepointPieceChooser(m_selectedPiece, false);
}

void cEditor::InsertPiece()
{
    if (m_mode != kModePiece)
        return;
    m_level.InsertPiece(m_selectedPiece);
    if (GetPopup() == kPopupPiece)
        m_popupSet->RepointPieceChooser(m_selectedPiece, true);
}

void cEditor::DeletePiece()
{
    if (m_mode != kModePiece)
        return;
    m_level.DeletePiece(m_selectedPiece);
    if (GetPopup() == kPopupPiece)
        m_popupSet->RepointPieceChooser(m_selectedPiece, true);
}

void cEditor::StartTestPlay()
{
    // A question left open would hear the keys of the test play.
    m_popups.Close();
    m_testLevel = m_level.ToLevel();
    m_host.RequestTestPlay(m_testLevel);
}

// --- popups ---

void cEditor::OpenPopup(int kind)
{
    if (kind >= kPopupQuitToMenu && kind <= kPopupItem)
        m_popups.Open(kind);
}

cPopup* cEditor::PreparePopup(int kind)
{
    return m_popupSet->Prepare(kind);
}

void cEditor::OnPopupYes(cYesNoPopup* popup)
{
    const bool newLevel = popup == static_cast<cYesNoPopup*>(&m_popupSet->GetNewLevelPopup());
    const bool quit = popup == static_cast<cYesNoPopup*>(&m_popupSet->GetQuitPopup());
    ClosePopup();
    if (newLevel)
        NewLevel();
    else if (quit)
        m_host.RequestMenu();
}

// --- hints and sounds ---

void cEditor::ShowHint(const std::string& text, const cWidget* owner)
{
    // The hint only compares its owner; it never changes it.
    m_hint.Show(text.c_str(), const_cast<cWidget*>(owner));
}

void cEditor::HideHint(const cWidget* owner)
{
    m_hint.Hide(const_cast<cWidget*>(owner));
}

void cEditor::PlaySound(int effect)
{
    Sound(effect);
}

const char* cEditor::ButtonHint(const cWidget* widget) const
{
    return PanelButtonHint(kButtons, m_buttons, widget);
}

// --- frame ---

void cEditor::Update(float dt)
{
    cWidget::Update(dt);
    m_phaseA += 0.5f * dt;
    if (m_phaseA >= 1.0f)
        m_phaseA -= 1.0f;
    m_phaseB += 1.5f * dt;
    if (m_phaseB >= 1.0f)
        m_phaseB -= 1.0f;
    for (auto& player : m_cellPlayers)
        player->Update(dt);
    m_bomb->Update(dt);
    m_plasma->Update(dt);
    m_boardView.Update(dt);
    m_itemBarView.Update(dt);
    m_level.GetItems().Update(dt);
    m_hint.Update(dt);

    if (IsPopupOpen())
        return;
    if (m_hold.Update(dt))
        OpenChooserAt(m_mouseX, m_mouseY);
    if (IsPopupOpen())
        return;
    UpdateScrolling(dt);
    UpdatePainting();
}

void cEditor::UpdateScrolling(float dt)
{
    const cBoard& board = m_level.GetBoard();
    OnViewScrolled(m_view.Update(dt, board.PixelWidth(), board.PixelHeight()));
}

cPoint cEditor::GetBoardPixelSize() const
{
    return cPoint(m_level.GetBoard().PixelWidth(), m_level.GetBoard().PixelHeight());
}

void cEditor::OnViewScrolled(const cBoardScroller::sMove& move)
{
    // The background moves slower than the board, for depth.
    m_backgroundX += 0.4f * move.x;
    m_backgroundY += 0.4f * move.y;
}
