#include "game/Game/Screen/Game.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Gui/GUI.h"
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

using namespace Korva;

namespace
{
// In the order of cGame::eButton.
constexpr sPanelButtonLayout kButtons[] = {
    {{10, 60, 80, 28}, 14, "show level info popup (i) - stuck? ask for a hint (f1)"},
    {{10, 98, 80, 27}, 17, "undo your last move (u) - redo it (y or ctrl+y)"},
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
} // namespace

cGame::cGame(cGUI& gui, cGameHost& host)
    : cBoardScreen(gui), m_host(host), m_panels(FindSprite("SprGamePanels")),
      m_banner(FindSprite("SprLevelCompleted"))
{
    if (!Claim(this))
        KORVA_THROW(cException, "An instance of cGame already exists.");
    // The options are read before the screens exist; the editor's palettes
    // draw bricks through the same code and follow this setting too.
    SetBrickSymbols(host.GetOptions().IsColourSymbols());
    CreateButtons();
    m_levelInfo = std::make_unique<cLevelInfoPopup>(gui, this);
    m_questions = {std::make_unique<cYesNoPopup>(gui, "restart level", this),
                   std::make_unique<cChangeLevelPopup>(gui, this),
                   std::make_unique<cQuitToMenuPopup>(gui, this),
                   std::make_unique<cBackToEditorPopup>(gui, this)};
    m_completedPopup = std::make_unique<cGameCompletedPopup>(gui, this);
}

cGame::~cGame()
{
    m_popups.Dismiss();
    RemoveAllChildren();
    Unclaim(this);
}

// The application's one game screen.
template class cSingleScreen<cGame, cApplicationGameHost, eScreen::Game>;

void cGame::CreateButtons()
{
    MakeScreenButtons(*this, kButtons, kButtonLogo, "SprGamePanels", m_buttons);
    RemoveChild(m_buttons[kButtonBackToEditor].get());
}

cButton* cGame::GetButton(int index) const
{
    return PanelButtonAt(m_buttons, index);
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
    m_popups.Dismiss();
    m_puzzle->StartLevel();
    m_view.SetOffset(m_puzzle->GetStartOffsetX(), m_puzzle->GetStartOffsetY());
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
    m_popups.Activate();
}

void cGame::Deactivate()
{
    DropHint();
    m_popups.Deactivate();
    // Leaving the level leaves nothing to redo.
    if (m_puzzle)
        m_puzzle->ClearRedo();
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
    if (!m_puzzle || !m_puzzle->HasBoard() || IsPopupOpen() || !m_puzzle->IsSettled() ||
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

cPopup* cGame::PreparePopup(int kind)
{
    if (kind == kPopupLevelInfo)
    {
        m_levelInfo->SetTitle(LevelTitle());
        m_levelInfo->SetText(m_level.GetDescription());
        return m_levelInfo.get();
    }
    if (kind == kPopupGameCompleted)
        return m_completedPopup.get();
    if (kind >= kPopupRestart && kind <= kPopupBackToEditor)
        return m_questions[static_cast<size_t>(kind - kPopupRestart)].get();
    return nullptr;
}

void cGame::OnPopupClosed(int kind)
{
    cBoardScreen::OnPopupClosed(kind);
    // The level's starting layout may hold enclosures: they go once the
    // player has read about the level.
    if (kind == kPopupLevelInfo && m_puzzle)
        m_puzzle->RunStartMatches();
    if (kind == kPopupGameCompleted)
        GoOn();
}

bool cGame::OnPopupEnter(int kind)
{
    // The questions answer Enter themselves.
    if (kind != kPopupLevelInfo)
        return false;
    ClosePopup();
    return true;
}

void cGame::OnPopupYes(cYesNoPopup* popup)
{
    (void)popup;
    // Only the open question can be answered.
    const int answered = GetPopup();
    ClosePopup();
    switch (answered)
    {
    case kPopupRestart:
        StartLevel();
        break;
    case kPopupChangeLevel:
        // A test play returns to the editor only through its own popup.
        if (!m_editorTestMode)
            m_host.RequestLevelSelector();
        break;
    case kPopupQuitToMenu:
        m_host.RequestMenu();
        break;
    case kPopupBackToEditor:
        m_host.RequestEditor();
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
        {
            m_host.SelectCampaignLevel(m_campaignIndex);
            return;
        }
        m_host.RequestLevelSelector();
    }
    else if (m_editorTestMode)
        m_host.RequestEditor();
    else
        m_host.RequestLevelSelector();
}

// --- sound ---

void cGame::PlaySound(int effect)
{
    Sound(effect);
}

void cGame::StopSound(int effect)
{
    if (m_sound)
        m_sound->StopSound(effect);
}

// --- buttons and hints ---

const char* cGame::ButtonHint(const cWidget* widget) const
{
    return PanelButtonHint(kButtons, m_buttons, widget);
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
    const int index = PanelButtonIndex(m_buttons, button);
    if (index < 0)
        return;
    if (IsPopupOpen())
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
}

// --- frame ---

void cGame::Update(float dt)
{
    cWidget::Update(dt);
    m_boardView.Update(dt);
    m_pieceView.Update(dt);
    m_itemBarView.Update(dt);
    if (m_puzzle)
        m_puzzle->Update(dt, !IsPopupOpen());
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

    if (IsPopupOpen())
        return;
    if (m_puzzle && m_puzzle->HasBoard())
        m_view.Update(dt, m_puzzle->GetBoard().PixelWidth(), m_puzzle->GetBoard().PixelHeight());
    UpdateCompletion();
}
