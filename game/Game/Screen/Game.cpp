#include "game/Game/Screen/Game.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "engine/Resource/ResManager.h"
#include "game/ApplicationScreen.h"
#include "game/Game/BoardMetrics.h"
#include "game/Game/Campaign.h"
#include "game/Game/LevelResource.h"
#include "game/Game/Screen/GamePopups.h"
#include "game/GameApplication.h"
#include "game/Menu/PanelButton.h"
#include "game/Options.h"
#include "game/SoundPlayer.h"

#include <algorithm>
#include <cstdio>

using namespace Korva;

cGame* cGame::s_instance = nullptr;

namespace
{
// Engine codes of the letter keys the screen uses (keyboard rows).
constexpr int32_t kKeyR = kKeyQ + 3;
constexpr int32_t kKeyU = kKeyQ + 6;
constexpr int32_t kKeyI = kKeyQ + 7;
constexpr int32_t kKeyP = kKeyQ + 9;
constexpr int32_t kKeyS = kKeyA + 1;
constexpr int32_t kKeyH = kKeyA + 5;
constexpr int32_t kKeyC = kKeyZ + 2;
constexpr int32_t kKeyM = kKeyZ + 6;
// No platform key makes this code; it confirms like Enter.
constexpr int32_t kKeyConfirm = 97;

// In the order of cGame::eButton.
constexpr sPanelButtonLayout kButtons[] = {
    {{10, 60, 80, 28}, 14, "show level info popup (i) - stuck? ask for a hint (f1)"},
    {{10, 98, 80, 27}, 17, "undo your last move (u)"},
    {{10, 125, 80, 27}, 20, "restart the level and try again (r)"},
    {{10, 162, 80, 45}, 23, "choose another level (esc)"},
    {{10, 162, 80, 45}, 26, "return to the level editor (esc)"},
    {{10, 207, 80, 27}, 29, "quit to menu (q)"},
    {{10, 260, 80, 20}, 36, "toggle music on/off (m)"},
    {{10, 290, 80, 20}, 36, "toggle sound on/off (s)"},
    {{10, 320, 80, 20}, 36, "toggle hints (like this) on/off (h)"},
    {{10, 350, 80, 20}, 36, "toggle window/fullscreen mode (alt-enter)"},
    {{5, 487, 86, 104}, 0, "visit the homepage of quillbee studios"},
};
static_assert(std::size(kButtons) == cGame::kButtonCount);

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
} // namespace

cGame::cGame(cGUI& gui, cGameHost& host)
    : cWidget(gui), m_host(host), m_sound(&cSoundPlayer::Get()),
      m_panels(FindSprite("SprGamePanels")), m_banner(FindSprite("SprLevelCompleted"))
{
    if (s_instance)
        KORVA_THROW(cException, "An instance of cGame already exists.");
    s_instance = this;
    SetSize(cPoint(800, 600));
    SetBackgroundFill(false);
    SetBorder(false);
    // The options are read before the screens exist; the editor's palettes
    // draw bricks through the same code and follow this setting too.
    SetBrickSymbols(host.GetOptions().IsColourSymbols());
    CreateButtons();
    m_levelInfo = std::make_unique<cLevelInfoPopup>(gui, this);
    m_restartPopup = std::make_unique<cYesNoPopup>(gui, "restart level", this);
    m_changeLevelPopup = std::make_unique<cChangeLevelPopup>(gui, this);
    m_quitPopup = std::make_unique<cQuitToMenuPopup>(gui, this);
    m_backToEditorPopup = std::make_unique<cBackToEditorPopup>(gui, this);
    m_completedPopup = std::make_unique<cGameCompletedPopup>(gui, this);
    // Whatever a click inside a popup focused passes its keys on to the
    // screen, so Esc and the hot keys keep working.
    cWidget* focusable[] = {
        &m_levelInfo->GetTextBox(),          &m_levelInfo->GetCloseButton(),
        &m_completedPopup->GetTextBox(),     &m_completedPopup->GetHomepageButton(),
        &m_completedPopup->GetCloseButton(), &m_restartPopup->GetYesButton(),
        &m_restartPopup->GetNoButton(),      &m_changeLevelPopup->GetYesButton(),
        &m_changeLevelPopup->GetNoButton(),  &m_quitPopup->GetYesButton(),
        &m_quitPopup->GetNoButton(),         &m_backToEditorPopup->GetYesButton(),
        &m_backToEditorPopup->GetNoButton()};
    for (cWidget* widget : focusable)
        widget->AddListener(static_cast<cWidgetListener*>(this));
}

cGame::~cGame()
{
    RemovePopupWidget();
    RemoveAllChildren();
    if (s_instance == this)
        s_instance = nullptr;
}

namespace
{
std::unique_ptr<cGame>& Owned()
{
    static std::unique_ptr<cGame> game;
    return game;
}
cApplicationGameHost g_applicationHost;
} // namespace

cGame& cGame::Get()
{
    return GetApplicationScreen(s_instance, Owned(), g_applicationHost, eScreen::Game,
                                "The game screen");
}

void cGame::Destroy()
{
    DestroyApplicationScreen(Owned(), eScreen::Game);
}

void cGame::CreateButtons()
{
    MakeScreenButtons(*this, kButtons, kButtonLogo, "SprGamePanels", m_buttons);
    RemoveChild(m_buttons[kButtonBackToEditor].get());
}

cButton* cGame::GetButton(int index) const
{
    if (index < 0 || index >= kButtonCount)
        return nullptr;
    return m_buttons[static_cast<size_t>(index)].get();
}

// --- starting ---

bool cGame::StartCampaignLevel(const cCampaign& campaign, int index)
{
    if (index < 0 || index >= campaign.GetLevelCount())
        return false;
    const std::string& alias = campaign.GetLevelAlias(index);
    auto* resource = dynamic_cast<cLevelResource*>(cResManager::Get().Find(alias));
    const cLevel* level = resource ? resource->GetLevel() : nullptr;
    if (!level)
    {
        cLog::Get().WriteDefault("Couldn't start level: '" + alias + "'.\n");
        return false;
    }
    m_campaign = &campaign;
    m_campaignIndex = index;
    m_levelAlias = alias;
    // Hints follow the level's recorded solution where the board lies on it.
    m_hintSearch.SetKnownSolution(
        cKnownSolution::Load(cFileSystemManager::Get().GetCurrent(), resource->GetFile(), *level));
    Start(kModeCampaign, *level);
    return true;
}

void cGame::StartFromFile(cFileSystem& fileSystem, const std::string& path)
{
    cLevel level;
    level.Load(fileSystem, path);
    m_campaign = nullptr;
    m_levelAlias.clear();
    Start(kModeFile, level);
}

void cGame::StartEditorTest(const cLevel& level)
{
    m_campaign = nullptr;
    m_levelAlias.clear();
    Start(kModeEditorTest, level);
}

void cGame::Start(eMode mode, const cLevel& level)
{
    m_campaignMode = mode == kModeCampaign;
    m_editorTestMode = mode == kModeEditorTest;
    if (!m_campaignMode)
        m_hintSearch.SetKnownSolution(nullptr);
    cButton* change = m_buttons[kButtonChangeLevel].get();
    cButton* back = m_buttons[kButtonBackToEditor].get();
    RemoveChild(change);
    RemoveChild(back);
    cButton* shown = m_editorTestMode ? back : change;
    AddChild(cPoint(10, 162), shown);

    // The copy is deep: the editor may change its level meanwhile.
    m_level = level;
    m_puzzle = std::make_unique<cPuzzle>(BoardMetricsFromResources(),
                                         static_cast<uint32_t>(m_random.Next()) * 32768u +
                                             static_cast<uint32_t>(m_random.Next()));
    m_puzzle->SetListener(this);
    m_puzzle->SetLevel(m_level);
    StartLevel();
}

void cGame::StartLevel()
{
    if (!m_puzzle)
        return;
    DropHint();
    RemovePopupWidget();
    m_puzzle->StartLevel();
    m_offsetX = m_puzzle->GetStartOffsetX();
    m_offsetY = m_puzzle->GetStartOffsetY();
    m_hint = cHint();
    m_wentOn = false;
    m_bannerHidden = false;
    ShowPopup(kPopupLevelInfo);
}

std::string cGame::LevelTitle() const
{
    if (!m_campaignMode)
        return m_level.GetName();
    std::string title = "Level " + std::to_string(m_campaignIndex + 1);
    if (!m_level.GetName().empty())
        title += " - " + m_level.GetName();
    return title;
}

void cGame::Activate()
{
    cSoundPlayer::Get().SetMusic(kMusicGame);
    GetGUI().GetRoot().SetFocus(this);
}

void cGame::Deactivate()
{
    DropHint();
}

// --- hints from the solver ---

std::string cGame::LevelKey() const
{
    if (!m_levelAlias.empty())
        return m_levelAlias;
    return (m_editorTestMode ? "editor:" : "file:") + m_level.GetName();
}

bool cGame::WasHintUsed() const
{
    return m_hintedLevels.contains(LevelKey());
}

void cGame::SetHintSolve(cHintSearch::tSolve solve)
{
    m_hintSearch.SetSolve(std::move(solve));
}

bool cGame::AskForHint()
{
    if (!m_puzzle || !m_puzzle->HasBoard() || m_popup != kPopupNone || !m_puzzle->IsSettled() ||
        m_puzzle->IsCompleted() || m_hintSearch.IsRunning())
        return false;
    m_hintMarker.Clear();
    m_hintMarker.ShowMessage("looking for a hint...", 0.0f);
    m_hintHistory = m_puzzle->GetHistorySize();
    m_hintSearch.Start(*m_puzzle);
    return true;
}

void cGame::DropHint()
{
    m_hintSearch.Cancel();
    m_hintMarker.Clear();
}

void cGame::UpdateHint()
{
    if (!m_puzzle)
        return;
    if ((m_hintSearch.IsRunning() || m_hintMarker.IsShown()) &&
        m_puzzle->GetHistorySize() != m_hintHistory)
        DropHint();
    cMove move;
    switch (m_hintSearch.Poll(move))
    {
    case cHintSearch::eOutcome::kFound:
        m_hintMarker.Show(move, *m_puzzle);
        if (m_hintedLevels.insert(LevelKey()).second)
            cLog::Get().WriteDefault("Hint used: '" + LevelKey() + "'.\n");
        break;
    case cHintSearch::eOutcome::kNoneLeft:
        m_hintMarker.ShowMessage("no way to win from here - undo (u) or restart (r)");
        break;
    case cHintSearch::eOutcome::kTimedOut:
        m_hintMarker.ShowMessage("no hint found in time");
        break;
    default:
        break;
    }
}

// --- popups ---

void cGame::ShowPopup(int popup)
{
    RemovePopupWidget();
    cYesNoPopup* question = nullptr;
    switch (popup)
    {
    case kPopupLevelInfo:
        m_levelInfo->SetTitle(LevelTitle());
        m_levelInfo->SetText(m_level.GetDescription());
        m_popupWidget = m_levelInfo.get();
        break;
    case kPopupRestart:
        question = m_restartPopup.get();
        break;
    case kPopupChangeLevel:
        question = m_changeLevelPopup.get();
        break;
    case kPopupQuitToMenu:
        question = m_quitPopup.get();
        break;
    case kPopupBackToEditor:
        question = m_backToEditorPopup.get();
        break;
    case kPopupGameCompleted:
        m_popupWidget = m_completedPopup.get();
        break;
    default:
        return;
    }
    m_popup = popup;
    if (question)
    {
        question->Open(*this);
        m_popupWidget = question;
    }
    else
        AddChild(cPoint(0, 0), m_popupWidget);
    m_popupWidget->SetPosition(cPoint(kBoardCentreX - m_popupWidget->GetWidth() / 2,
                                      kBoardCentreY - m_popupWidget->GetHeight() / 2));
    m_hint.HideAny();
    GetGUI().GetRoot().SetFocus(this);
}

void cGame::RemovePopupWidget()
{
    if (!m_popupWidget)
        return;
    if (auto* question = dynamic_cast<cYesNoPopup*>(m_popupWidget))
        question->Close();
    else
        RemoveChild(m_popupWidget);
    m_popupWidget = nullptr;
    m_popup = kPopupNone;
}

void cGame::ClosePopup()
{
    const int closed = m_popup;
    RemovePopupWidget();
    if (closed == kPopupLevelInfo && m_puzzle)
        m_puzzle->RunStartMatches();
    if (closed == kPopupGameCompleted)
        GoOn();
    GetGUI().GetRoot().SetFocus(this);
}

void cGame::OnPopupYes(cYesNoPopup* popup)
{
    if (popup == m_restartPopup.get())
    {
        ClosePopup();
        StartLevel();
    }
    else if (popup == m_changeLevelPopup.get())
    {
        ClosePopup();
        // A test play returns to the editor only through its own popup.
        if (!m_editorTestMode)
            m_host.RequestLevelSelector();
    }
    else if (popup == m_quitPopup.get())
    {
        ClosePopup();
        m_host.RequestMenu();
    }
    else if (popup == m_backToEditorPopup.get())
    {
        ClosePopup();
        m_host.RequestEditor();
    }
}

void cGame::OnPopupNo(cYesNoPopup* popup)
{
    (void)popup;
    ClosePopup();
}

void cGame::ConfirmPopup()
{
    switch (m_popup)
    {
    case kPopupLevelInfo:
        ClosePopup();
        break;
    case kPopupRestart:
        OnPopupYes(m_restartPopup.get());
        break;
    case kPopupChangeLevel:
        OnPopupYes(m_changeLevelPopup.get());
        break;
    case kPopupQuitToMenu:
        OnPopupYes(m_quitPopup.get());
        break;
    case kPopupBackToEditor:
        OnPopupYes(m_backToEditorPopup.get());
        break;
    default:
        break;
    }
}

// --- completion ---

void cGame::OnLevelCompleted()
{
    if (m_campaignMode && !m_levelAlias.empty())
        m_host.MarkLevelCompleted(m_levelAlias);
}

void cGame::UpdateCompletion()
{
    if (!m_puzzle || !m_puzzle->IsCompleted() || m_wentOn || m_puzzle->GetCompletionTimer() >= 0.0f)
        return;
    m_wentOn = true;
    if (m_campaignMode && m_campaign)
    {
        bool all = true;
        for (int i = 0; i < m_campaign->GetLevelCount() && all; ++i)
            all = m_host.IsLevelCompleted(m_campaign->GetLevelAlias(i));
        if (all)
        {
            m_bannerHidden = true;
            ShowPopup(kPopupGameCompleted);
            return;
        }
    }
    GoOn();
}

void cGame::GoOn()
{
    if (m_campaignMode && m_campaign)
    {
        if (m_campaignIndex + 1 < m_campaign->GetLevelCount() &&
            StartCampaignLevel(*m_campaign, m_campaignIndex + 1))
            return;
        m_host.RequestLevelSelector();
    }
    else if (m_editorTestMode)
        m_host.RequestEditor();
    else
        m_host.RequestLevelSelector();
}

// --- sound ---

void cGame::Sound(int effect)
{
    if (m_sound)
        m_sound->PlaySound(effect);
}

void cGame::PlaySound(int effect)
{
    Sound(effect);
}

void cGame::StopSound(int effect)
{
    if (m_sound)
        m_sound->StopSound(effect);
}

// --- input ---

bool cGame::IsFullScreen() const
{
    return m_host.GetOptions().IsFullScreen();
}

bool cGame::IsKeyDown(int32_t key) const
{
    const cInputDevice* input = GetGUI().GetInputDevice();
    return input && input->IsKeyDown(key);
}

void cGame::OnMouseDown(const cMouseEvent& event, bool handled)
{
    if (!handled && FindHitChild(cPoint(event.GetX(), event.GetY())))
    {
        // A button or the open popup takes it.
        cWidget::OnMouseDown(event, handled);
        return;
    }
    cWidget::OnMouseDown(event, handled);
    if (m_popup != kPopupNone)
        ClosePopup();
    PressBoard(event);
}

void cGame::PressBoard(const cMouseEvent& event)
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
        const auto ox = static_cast<int>(m_offsetX);
        const auto oy = static_cast<int>(m_offsetY);
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
    if (IsFullScreen())
    {
        m_edgeLeft = m_edgeLeft || mx == 0;
        m_edgeRight = m_edgeRight || mx == 799;
        m_edgeTop = m_edgeTop || my == 0;
        m_edgeBottom = m_edgeBottom || my == 599;
    }
}

void cGame::OnMouseUp(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseUp(event, handled);
    if (event.GetButton() == kMouseButtonLeft)
        m_edgeLeft = m_edgeRight = m_edgeTop = m_edgeBottom = false;
}

void cGame::OnMouseMove(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseMove(event, handled);
    m_mouseX = event.GetX();
    m_mouseY = event.GetY();
    if (!handled && !FindHitChild(cPoint(m_mouseX, m_mouseY)) && m_popup == kPopupNone)
        UpdateAreaHint(m_mouseX, m_mouseY);
    UpdatePointerFrame(m_mouseX, m_mouseY);
}

void cGame::OnMouseLeave(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseLeave(event, handled);
    m_mouseX = 1;
    m_mouseY = 1;
    m_edgeLeft = m_edgeRight = m_edgeTop = m_edgeBottom = false;
    UpdatePointerFrame(m_mouseX, m_mouseY);
}

void cGame::UpdateAreaHint(int32_t mx, int32_t my)
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

void cGame::UpdatePointerFrame(int32_t mx, int32_t my)
{
    int32_t frame = 0;
    if (IsFullScreen())
    {
        const bool left = mx == 0, right = mx == 799, top = my == 0, bottom = my == 599;
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
    }
    if (frame != m_pointerFrame)
    {
        m_pointerFrame = frame;
        GetGUI().SetCursorAnimation(frame);
    }
}

void cGame::OnKeyDown(const cKeyboardEvent& event)
{
    cWidget::OnKeyDown(event);
    HandleKey(event);
}

void cGame::OnKeyDown(const cKeyboardEvent& event, cWidget* widget)
{
    // A button that took the focus with a click passes its keys on.
    (void)widget;
    HandleKey(event);
}

void cGame::HandleKey(const cKeyboardEvent& event)
{
    if (event.GetKind() != kKeyPressed || !m_puzzle)
        return;
    const int32_t key = event.GetKey();
    const bool popupOpen = m_popup != kPopupNone;
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
        if (popupOpen)
            ClosePopup();
        else
            open(m_editorTestMode ? kPopupBackToEditor : kPopupChangeLevel);
        break;
    case kKeyEnter:
        // The yes/no popups answer Enter themselves.
        if (m_popup == kPopupLevelInfo)
        {
            Sound(kSndButtonPressed);
            ClosePopup();
        }
        break;
    case kKeyConfirm:
        if (popupOpen && m_popup != kPopupGameCompleted)
        {
            Sound(kSndButtonPressed);
            ConfirmPopup();
        }
        break;
    case kKeyP:
        m_puzzle->SelectPieceMode();
        Sound(kSndButtonPressed);
        break;
    case kKeySpace:
        if (m_puzzle->IsPieceMode() && m_puzzle->IsSettled())
            m_puzzle->RotatePiece();
        break;
    case kKeyU:
    case kKeyZ:
        if (key == kKeyZ && !IsKeyDown(kKeyLeftControl) && !IsKeyDown(kKeyRightControl))
            break;
        if (!popupOpen && !m_puzzle->IsCompleted())
        {
            Undo();
            Sound(kSndButtonPressed);
        }
        break;
    case kKeyR:
        if (!popupOpen)
            open(kPopupRestart);
        break;
    case kKeyQ:
        if (!popupOpen)
            open(kPopupQuitToMenu);
        break;
    case kKeyI:
        open(kPopupLevelInfo);
        break;
    case kKeyF1:
        if (AskForHint())
            Sound(kSndButtonPressed);
        break;
    case kKeyM:
        ToggleOption(kButtonMusic);
        Sound(kSndButtonPressed);
        break;
    case kKeyS:
        ToggleOption(kButtonSound);
        Sound(kSndButtonPressed);
        break;
    case kKeyH:
        ToggleOption(kButtonHints);
        Sound(kSndButtonPressed);
        break;
    case kKeyC:
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

// --- buttons and hints ---

void cGame::OnMouseEnter(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    if (m_popup != kPopupNone)
        return;
    for (int i = 0; i < kButtonCount; ++i)
        if (widget == m_buttons[static_cast<size_t>(i)].get())
            m_hint.Show(kButtons[i].hint, widget);
}

void cGame::OnMouseLeave(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    m_hint.Hide(widget);
}

void cGame::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    m_hint.HideAny();
    if (m_levelInfo && button == &m_levelInfo->GetCloseButton())
    {
        ClosePopup();
        return;
    }
    if (m_completedPopup && button == &m_completedPopup->GetHomepageButton())
    {
        m_host.OpenHomepage();
        return;
    }
    if (m_completedPopup && button == &m_completedPopup->GetCloseButton())
    {
        ClosePopup();
        return;
    }
    int index = -1;
    for (int i = 0; i < kButtonCount; ++i)
        if (button == m_buttons[static_cast<size_t>(i)].get())
            index = i;
    if (index < 0)
        return;
    if (m_popup != kPopupNone)
        ClosePopup();
    switch (index)
    {
    case kButtonLevelInfo:
        ShowPopup(kPopupLevelInfo);
        break;
    case kButtonUndo:
        Undo();
        break;
    case kButtonRestart:
        ShowPopup(kPopupRestart);
        break;
    case kButtonChangeLevel:
        ShowPopup(kPopupChangeLevel);
        break;
    case kButtonBackToEditor:
        ShowPopup(kPopupBackToEditor);
        break;
    case kButtonQuit:
        ShowPopup(kPopupQuitToMenu);
        break;
    case kButtonMusic:
    case kButtonSound:
    case kButtonHints:
        ToggleOption(index);
        break;
    case kButtonFullScreen:
        m_host.ToggleFullScreen();
        break;
    case kButtonLogo:
        m_host.OpenHomepage();
        break;
    default:
        break;
    }
    GetGUI().GetRoot().SetFocus(this);
}

// --- frame ---

void cGame::Update(float dt)
{
    cWidget::Update(dt);
    m_boardView.Update(dt);
    m_pieceView.Update(dt);
    m_itemBarView.Update(dt);
    if (m_puzzle)
        m_puzzle->Update(dt, m_popup == kPopupNone);
    m_hint.Update(dt);
    m_hintMarker.Update(dt);
    UpdateHint();

    const cOptions& options = m_host.GetOptions();
    SetBrickSymbols(options.IsColourSymbols());
    const bool states[4] = {options.IsMusicEnabled(), options.IsSoundEnabled(),
                            options.IsShowHints(), options.IsFullScreen()};
    for (int i = 0; i < 4; ++i)
    {
        const int32_t first = states[i] ? 36 : 39;
        m_buttons[static_cast<size_t>(kButtonMusic + i)]->SetFrames(first, first + 1, first + 2);
    }

    if (m_popup == kPopupNone)
    {
        UpdateScrolling(dt);
        UpdateCompletion();
    }
}

void cGame::UpdateScrolling(float dt)
{
    if (!m_puzzle || !m_puzzle->HasBoard())
        return;
    const cBoard& board = m_puzzle->GetBoard();
    const float step = kScrollSpeed * dt;
    // The screen point (400, 250) always stays on the board's pixel area.
    if (IsKeyDown(kKeyLeft) || (m_edgeLeft && m_mouseX == 0))
        m_offsetX = std::min(0.0f, m_offsetX + step);
    if (IsKeyDown(kKeyRight) || (m_edgeRight && m_mouseX == 799))
        m_offsetX = std::max(-static_cast<float>(board.PixelWidth()), m_offsetX - step);
    if (IsKeyDown(kKeyUp) || (m_edgeTop && m_mouseY == 0))
        m_offsetY = std::min(0.0f, m_offsetY + step);
    if (IsKeyDown(kKeyDown) || (m_edgeBottom && m_mouseY == 599))
        m_offsetY = std::max(-static_cast<float>(board.PixelHeight()), m_offsetY - step);
}

void cGame::DrawPanels() const
{
    if (!m_panels || !m_puzzle)
        return;
    const cSprite& panels = *m_panels;
    panels.DrawFrame(5, 8, kFrameLogo);
    panels.DrawFrame(2, 52, kFrameButtonColumn);
    panels.DrawFrame(10, 240, kFrameCaptionOptions);
    panels.DrawFrame(705, 32, kFramePieceBox);
    panels.DrawFrame(710, 16, kFrameCaptionPiece);
    panels.DrawFrame(705, 127, kFrameQueueBox);
    panels.DrawFrame(710, 130, kFrameCaptionNext);
    panels.DrawFrame(95, 525, kFrameItemBox);
    panels.DrawFrame(100, 508, kFrameCaptionItems);
    const cPuzzle& puzzle = *m_puzzle;
    if (puzzle.IsPieceMode())
        panels.DrawFrame(705, 32, kFramePieceSelected);
    for (int slot = 0; slot < kItemSlotCount; ++slot)
    {
        const bool selected = puzzle.IsItemMode() && puzzle.GetSelectedSlot() == slot;
        panels.DrawFrame(130 + 60 * slot, 560, selected ? kFrameSlotSelected : kFrameSlot);
    }
}

void cGame::Draw(int x, int y, bool drawChildren)
{
    (void)x, (void)y;
    cRenderDevice* device = GetGUI().GetRenderDevice();
    if (device && m_puzzle && m_puzzle->HasBoard())
    {
        const cPuzzle& puzzle = *m_puzzle;
        const cBoard& board = puzzle.GetBoard();
        device->FillRect(cRect(0, 0, 800, 600), kBackground);

        device->PushClip();
        device->SetClip(kBoardArea);
        m_boardView.Draw(*device, board, GetOriginX(), GetOriginY());
        device->BeginBatch();
        m_hintMarker.DrawOnBoard(board, GetOriginX(), GetOriginY());
        device->EndBatch();
        if (m_popup == kPopupNone && kBoardArea.Contains(m_mouseX, m_mouseY))
        {
            // The invalid-cell marks come first and stay below the bricks.
            device->BeginBatch();
            if (puzzle.IsPieceMode())
                m_pieceView.DrawPreview(puzzle.GetPiecePanel(), board, m_mouseX, m_mouseY,
                                        GetOriginX(), GetOriginY());
            else if (puzzle.IsItemMode())
                m_itemBarView.DrawPreview(puzzle.GetItemPanel(), board, m_mouseX, m_mouseY,
                                          GetOriginX(), GetOriginY());
            device->EndBatch();
        }
        device->PopClip();

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
    else if (device)
        device->FillRect(cRect(0, 0, 800, 600), kBackground);

    if (!drawChildren)
        return;
    // The option captions lie on the toggle buttons, so they come after.
    DrawChildren(x, y);
    if (m_panels && device)
        for (int i = 0; i < 4; ++i)
            m_panels->DrawFrame(10, 260 + 30 * i, kFrameToggleCaption + i);
}
