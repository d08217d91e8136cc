#include "game/Editor/Editor.h"

#include "engine/Core/Exception.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/ApplicationScreen.h"
#include "game/Editor/EditorPopups.h"
#include "game/Editor/PiecesPanel.h"
#include "game/Editor/ResizeButtons.h"
#include "game/Game/BoardMetrics.h"
#include "game/GameApplication.h"
#include "game/Menu/PanelButton.h"
#include "game/Options.h"
#include "game/SoundPlayer.h"

#include <algorithm>
#include <cmath>

using namespace Korva;

cEditor* cEditor::s_instance = nullptr;

namespace
{
// Engine codes of the letter keys the editor uses (keyboard rows).
constexpr int32_t kKeyT = kKeyQ + 4;
constexpr int32_t kKeyI = kKeyQ + 7;
constexpr int32_t kKeyS = kKeyA + 1;
constexpr int32_t kKeyH = kKeyA + 5;
constexpr int32_t kKeyL = kKeyA + 8;
constexpr int32_t kKeyN = kKeyZ + 5;
constexpr int32_t kKeyM = kKeyZ + 6;

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

constexpr cColor kCheckerA(35, 40, 45, 255);
constexpr cColor kCheckerB(43, 48, 53, 255);
constexpr cColor kFrameLine(90, 96, 104, 255);
constexpr cColor kScreenBackground(20, 24, 28, 255);

std::unique_ptr<cEditor>& Owned()
{
    static std::unique_ptr<cEditor> editor;
    return editor;
}
cApplicationEditorHost g_applicationHost;
} // namespace

cEditor::cEditor(cGUI& gui, cEditorHost& host)
    : cWidget(gui), m_host(host), m_sound(&cSoundPlayer::Get()),
      m_level(BoardMetricsFromResources()), m_panels(FindSprite("SprEditorPanels")),
      m_resize(FindSprite("SprResizeButtons")), m_cells(FindSprite("SprCells")),
      m_bricks(cBrickSprites::Find(""))
{
    if (s_instance)
        KORVA_THROW(cException, "An instance of cEditor already exists.");
    s_instance = this;
    SetSize(cPoint(800, 600));
    SetBackgroundFill(false);
    SetBorder(false);
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
    RemovePopupWidget();
    Deactivate();
    RemoveAllChildren();
    if (s_instance == this)
        s_instance = nullptr;
}

cEditor& cEditor::Get()
{
    return GetApplicationScreen(s_instance, Owned(), g_applicationHost, eScreen::Editor,
                                "The editor");
}

void cEditor::Destroy()
{
    DestroyApplicationScreen(Owned(), eScreen::Editor);
}

void cEditor::CreateButtons()
{
    MakeScreenButtons(*this, kButtons, kButtonLogo, "SprEditorPanels", m_buttons);
}

void cEditor::CreatePopups()
{
    m_popups = std::make_unique<cEditorPopups>(GetGUI(), *this, this, m_host.GetUserFileSystem());
    m_piecesPanel = std::make_unique<cPiecesPanel>(GetGUI(), *this);
    AddChild(cPoint(710, 37), m_piecesPanel.get());
}

cButton* cEditor::GetButton(int index) const
{
    if (index < 0 || index >= kButtonCount)
        return nullptr;
    return m_buttons[static_cast<size_t>(index)].get();
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
    m_offsetX = -static_cast<float>(board.PixelWidth() / 2);
    m_offsetY = -static_cast<float>(board.PixelHeight() / 2);
    m_backgroundX = m_offsetX;
    m_backgroundY = m_offsetY;
}

void cEditor::Activate()
{
    if (!m_listening)
        if (cInputDevice* input = GetGUI().GetInputDevice())
        {
            input->AddListener(this);
            m_listening = true;
        }
    m_leftHeld = m_rightHeld = false;
    m_hold.Disarm();
    m_edgeLeft = m_edgeRight = m_edgeTop = m_edgeBottom = false;
    m_mouseX = 1;
    m_mouseY = 1;
    if (m_popup != kPopupNone)
        ClosePopup();
    m_hint = cHint();
    m_hoverResize = 0;
    cSoundPlayer::Get().SetMusic(kMusicGame);
    GetGUI().GetRoot().SetFocus(this);
}

void cEditor::Deactivate()
{
    if (m_listening)
    {
        m_listening = false;
        if (cInputDevice* input = GetGUI().GetInputDevice())
            input->RemoveListener(this);
    }
    if (m_pointerFrame != 0)
    {
        m_pointerFrame = 0;
        GetGUI().SetCursorAnimation(0);
    }
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
    if (m_popup == kPopupPiece)
        m_popups->RepointPieceChooser(m_selectedPiece, false);
}

void cEditor::MovePieceDown()
{
    if (m_mode != kModePiece)
        return;
    if (m_selectedPiece + 1 >= m_level.GetPieceCount())
        m_level.ResizePieceList(m_selectedPiece + 2);
    m_level.SwapPieces(m_selectedPiece, m_selectedPiece + 1);
    ++m_selectedPiece;
    if (m_popup == kPopupPiece)
        m_popups->RepointPieceChooser(m_selectedPiece, false);
}

void cEditor::InsertPiece()
{
    if (m_mode != kModePiece)
        return;
    m_level.InsertPiece(m_selectedPiece);
    if (m_popup == kPopupPiece)
        m_popups->RepointPieceChooser(m_selectedPiece, true);
}

void cEditor::DeletePiece()
{
    if (m_mode != kModePiece)
        return;
    m_level.DeletePiece(m_selectedPiece);
    if (m_popup == kPopupPiece)
        m_popups->RepointPieceChooser(m_selectedPiece, true);
}

void cEditor::StartTestPlay()
{
    m_testLevel = m_level.ToLevel();
    m_host.RequestTestPlay(m_testLevel);
}

// --- popups ---

void cEditor::OpenPopup(int kind)
{
    if (kind < kPopupQuitToMenu || kind > kPopupItem)
        return;
    if (m_popup != kPopupNone)
        ClosePopup();
    m_popup = kind;
    m_hint.HideAny();
    cWidget* widget = m_popups->Prepare(kind);
    if (!widget)
        return;
    if (auto* question = dynamic_cast<cYesNoPopup*>(widget))
        question->Open(*this);
    else
        AddChild(cPoint(0, 0), widget);
    widget->SetPosition(
        cPoint(kBoardCentreX - widget->GetWidth() / 2, kBoardCentreY - widget->GetHeight() / 2));
    m_popupWidget = widget;
}

void cEditor::RemovePopupWidget()
{
    if (m_popupWidget)
    {
        if (auto* question = dynamic_cast<cYesNoPopup*>(m_popupWidget))
            question->Close();
        else
            RemoveChild(m_popupWidget);
    }
    m_popupWidget = nullptr;
    m_popup = kPopupNone;
}

void cEditor::ClosePopup()
{
    RemovePopupWidget();
    m_hint.HideAny();
    GetGUI().GetRoot().SetFocus(this);
}

void cEditor::OnPopupYes(cYesNoPopup* popup)
{
    const bool newLevel = popup == static_cast<cYesNoPopup*>(&m_popups->GetNewLevelPopup());
    const bool quit = popup == static_cast<cYesNoPopup*>(&m_popups->GetQuitPopup());
    ClosePopup();
    if (newLevel)
        NewLevel();
    else if (quit)
        m_host.RequestMenu();
}

void cEditor::OnPopupNo(cYesNoPopup* popup)
{
    (void)popup;
    ClosePopup();
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
    if (m_sound)
        m_sound->PlaySound(effect);
}

// --- input ---

bool cEditor::IsKeyDown(int32_t key) const
{
    const cInputDevice* input = GetGUI().GetInputDevice();
    return input && input->IsKeyDown(key);
}

bool cEditor::IsShiftDown() const
{
    return IsKeyDown(kKeyLeftShift) || IsKeyDown(kKeyRightShift);
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

void cEditor::OnMouseDown(const cMouseEvent& event, bool handled)
{
    if (!handled && FindHitChild(cPoint(event.GetX(), event.GetY())))
    {
        // A button, the pieces panel or the open popup takes it.
        cWidget::OnMouseDown(event, handled);
        return;
    }
    cWidget::OnMouseDown(event, handled);
    PressEditor(event);
}

void cEditor::PressEditor(const cMouseEvent& event)
{
    const int32_t mx = event.GetX();
    const int32_t my = event.GetY();
    // A click outside a popup dismisses it.
    if (m_popup != kPopupNone)
        ClosePopup();
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
    if (IsFullScreen())
    {
        m_edgeLeft = m_edgeLeft || mx == 0;
        m_edgeRight = m_edgeRight || mx == 799;
        m_edgeTop = m_edgeTop || my == 0;
        m_edgeBottom = m_edgeBottom || my == 599;
    }
}

void cEditor::PressResizeButton(int n)
{
    const cBoard& board = m_level.GetBoard();
    const int width = board.PixelWidth();
    const int height = board.PixelHeight();
    m_level.Resize(n);
    // The far edge stays where it was, and with it the button under the
    // pointer; the near edge stays put by itself.
    if (ResizeButtons::MovesRightEdge(n))
        m_offsetX -= static_cast<float>(board.PixelWidth() - width);
    if (ResizeButtons::MovesBottomEdge(n))
        m_offsetY -= static_cast<float>(board.PixelHeight() - height);
    PlaySound(kSndButtonPressed);
}

void cEditor::OnMouseUp(const cMouseEvent& event, bool handled)
{
    // The buttons are let go wherever the pointer is now.
    if (event.GetButton() == kMouseButtonLeft)
    {
        m_leftHeld = false;
        m_hold.Disarm();
        m_edgeLeft = m_edgeRight = m_edgeTop = m_edgeBottom = false;
    }
    else if (event.GetButton() == kMouseButtonRight)
        m_rightHeld = false;
    const bool onChild = !handled && FindHitChild(cPoint(event.GetX(), event.GetY()));
    cWidget::OnMouseUp(event, handled);
    if (!onChild)
        ReleaseEditor(event);
}

void cEditor::ReleaseEditor(const cMouseEvent& event)
{
    if (m_popup == kPopupNone && event.GetButton() == kMouseButtonRight)
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

void cEditor::OnMouseMove(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseMove(event, handled);
    const int32_t mx = event.GetX();
    const int32_t my = event.GetY();
    if (!handled && !FindHitChild(cPoint(mx, my)) && m_popup == kPopupNone)
    {
        m_mouseX = mx;
        m_mouseY = my;
        // Holding to change needs a still pointer.
        m_hold.Disarm();
        UpdateAreaHint(mx, my);
    }
    UpdatePointerFrame(mx, my);
}

void cEditor::ClearPointerState()
{
    m_mouseX = 1;
    m_mouseY = 1;
    m_hold.Disarm();
    m_edgeLeft = m_edgeRight = m_edgeTop = m_edgeBottom = false;
    m_hoverResize = 0;
}

void cEditor::OnMouseLeave(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseLeave(event, handled);
    ClearPointerState();
    UpdatePointerFrame(m_mouseX, m_mouseY);
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

void cEditor::UpdatePointerFrame(int32_t mx, int32_t my)
{
    if (!IsFullScreen())
        return;
    const bool left = mx == 0, right = mx == 799, top = my == 0, bottom = my == 599;
    int32_t frame = 0;
    if (top && right)
        frame = 1;
    else if (bottom && left)
        frame = 2;
    else if (bottom && right)
        frame = 3;
    else if (top && left)
        frame = 0;
    else if (left)
        frame = 4;
    else if (right)
        frame = 5;
    else if (top)
        frame = 6;
    else if (bottom)
        frame = 7;
    if (frame != m_pointerFrame)
    {
        m_pointerFrame = frame;
        GetGUI().SetCursorAnimation(frame);
    }
}

void cEditor::OnMouseEnter(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    if (m_popup != kPopupNone)
        return;
    for (int i = 0; i < kButtonCount; ++i)
        if (widget == m_buttons[static_cast<size_t>(i)].get())
            m_hint.Show(kButtons[i].hint, widget);
}

void cEditor::OnMouseLeave(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    m_hint.Hide(widget);
}

void cEditor::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    int index = -1;
    for (int i = 0; i < kButtonCount; ++i)
        if (button == m_buttons[static_cast<size_t>(i)].get())
            index = i;
    switch (index)
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

void cEditor::OnInputEvent(const cInputEvent& event)
{
    // Auto-repeats and releases do nothing.
    if (event.GetClass() != kInputClassKeyboard || event.GetKind() != kKeyPressed)
        return;
    HandleKey(AsKeyboardEvent(event).GetKey());
}

void cEditor::HandleKey(int32_t key)
{
    const bool popupOpen = m_popup != kPopupNone;
    if (key == kKeyEscape)
    {
        if (popupOpen)
            ClosePopup();
        else
            OpenPopup(kPopupQuitToMenu);
        PlaySound(kSndButtonPressed);
        return;
    }
    if (popupOpen)
        return;
    switch (key)
    {
    case kKeyT:
        StartTestPlay();
        break;
    case kKeyI:
        OpenPopup(kPopupLevelInfo);
        break;
    case kKeyS:
        OpenPopup(kPopupSaveLevel);
        break;
    case kKeyL:
        OpenPopup(kPopupLoadLevel);
        break;
    case kKeyN:
        OpenPopup(kPopupNewLevel);
        break;
    case kKeyH:
        ToggleHints();
        break;
    case kKeyM:
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

    if (m_popup != kPopupNone)
        return;
    if (m_hold.Update(dt))
        OpenChooserAt(m_mouseX, m_mouseY);
    if (m_popup != kPopupNone)
        return;
    UpdateScrolling(dt);
    UpdatePainting();
}

void cEditor::UpdateScrolling(float dt)
{
    const cBoard& board = m_level.GetBoard();
    const float step = kScrollSpeed * dt;
    const float x = m_offsetX, y = m_offsetY;
    if (IsKeyDown(kKeyLeft) || (m_edgeLeft && m_mouseX == 0))
        m_offsetX = std::min(0.0f, m_offsetX + step);
    if (IsKeyDown(kKeyRight) || (m_edgeRight && m_mouseX == 799))
        m_offsetX = std::max(-static_cast<float>(board.PixelWidth()), m_offsetX - step);
    if (IsKeyDown(kKeyUp) || (m_edgeTop && m_mouseY == 0))
        m_offsetY = std::min(0.0f, m_offsetY + step);
    if (IsKeyDown(kKeyDown) || (m_edgeBottom && m_mouseY == 599))
        m_offsetY = std::max(-static_cast<float>(board.PixelHeight()), m_offsetY - step);
    // The background moves slower than the board, for depth.
    m_backgroundX += 0.4f * (m_offsetX - x);
    m_backgroundY += 0.4f * (m_offsetY - y);
}

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
    const int px = m_mouseX - static_cast<int>(m_offsetX) - kBoardCentreX;
    const int py = m_mouseY - static_cast<int>(m_offsetY) - kBoardCentreY;
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
        if (m_popup == kPopupNone && kBoardArea.Contains(m_mouseX, m_mouseY) &&
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
    if (m_popup != kPopupNone || IsShiftDown() || (m_mode != kModeCell && m_mode != kModeBrick))
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
        panels.DrawFrame(50, 10, kFrameTitle);
        panels.DrawFrame(2, 34, kFrameLeftColumn);
        panels.DrawFrame(10, 248, kFrameLabelCell);
        panels.DrawFrame(10, 368, kFrameLabelBrick);
        panels.DrawFrame(710, 10, kFrameLabelPieces);
        panels.DrawFrame(100, 500, kFrameItemsLeft);
        panels.DrawFrame(400, 500, kFrameItems);
        panels.DrawFrame(689, 500, kFrameItemsRight);
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
