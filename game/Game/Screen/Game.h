#pragma once

#include "game/Game/Level.h"
#include "game/Game/Puzzle.h"
#include "game/Game/Random.h"
#include "game/Game/Screen/BoardScreen.h"
#include "game/Game/Screen/BoardView.h"
#include "game/Game/Screen/GameHost.h"
#include "game/Game/Screen/HintMarker.h"
#include "game/Game/Screen/HintSearch.h"
#include "game/Game/Screen/ItemBarView.h"
#include "game/Game/Screen/PieceView.h"
#include "game/SingleScreen.h"

#include <array>
#include <memory>
#include <set>
#include <string>

namespace Korva
{
class cFileSystem;
class cRenderDevice;
} // namespace Korva

class cCampaign;
class cGameCompletedPopup;
class cLevelInfoPopup;

// The screen on which a level is played: the board in the middle, buttons on
// the left, the piece queue at the top right, the item bar along the bottom
// and a hint line. It turns clicks and keys into the puzzle's moves, runs the
// puzzle every frame and opens its popups; the rules are all the puzzle's.
class cGame : public cBoardScreen,
              public cPuzzleListener,
              public cSingleScreen<cGame, cApplicationGameHost, eScreen::Game>
{
public:
    enum ePopup
    {
        kPopupNone = 0,
        kPopupLevelInfo = 1,
        kPopupRestart = 2,
        kPopupChangeLevel = 3,
        kPopupQuitToMenu = 4,
        kPopupBackToEditor = 5,
        kPopupGameCompleted = 6,
    };

    // Layout (the board area is cBoardScreen's).
    static constexpr Korva::cRect kPiecePanelArea{710, 37, 80, 80};
    static constexpr Korva::cRect kItemBarArea{100, 530, 600, 60};

    static constexpr const char* kName = "The game screen";

    // Only one game screen may exist. `host` must outlive it.
    cGame(Korva::cGUI& gui, cGameHost& host);
    ~cGame() override;

    // --- starting ---
    // A level of a campaign; in campaign mode completion is recorded and the
    // game goes on to the next level. A level that cannot be loaded leaves
    // the screen as it was and returns false (the reason is in the log).
    bool StartCampaignLevel(const cCampaign& campaign, int index);
    // A user level file; raises the level file's exception before anything
    // changes.
    void StartFromFile(Korva::cFileSystem& fileSystem, const std::string& path);
    // The editor's level, played as a test.
    void StartEditorTest(const cLevel& level);
    // Builds a new attempt at the level copy (also what restart does).
    void StartLevel();

    // --- popups ---
    // Replaces any open popup (which goes with its step after closing).
    void ShowPopup(int popup) { m_popups.Open(popup); }
    // After the level info popup the board's start matches run; after the
    // game-completed popup the game goes on.
    void ClosePopup() { m_popups.Close(); }

    // --- cScreen ---
    void Activate() override;
    void Deactivate() override;

    // --- hints from the solver ---
    // F1: while the board is at rest and no popup is open, searches for the
    // next move of a solution on a worker thread; Update shows the answer.
    // False when the moment does not allow one (or a search is running).
    bool AskForHint();
    // Cancels a running search and takes the marker away (any move, undo,
    // restart or leaving the level).
    void DropHint();
    bool IsHintSearching() const { return m_hintSearch.IsRunning(); }
    const cHintMarker& GetHintMarker() const { return m_hintMarker; }
    // Whether a hint was given for the level being played, this session.
    bool WasHintUsed() const;
    // Replaces the search the hints run (tests hold it with a latch).
    void SetHintSolve(cHintSearch::tSolve solve);
    const cHintSearch& GetHintSearch() const { return m_hintSearch; }

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;

    // --- the buttons, the popups, the keys ---
    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void OnPopupYes(cYesNoPopup* popup) override;
    cPopup* PreparePopup(int kind) override;
    void OnPopupClosed(int kind) override;
    bool OnPopupEnter(int kind) override;
    void OnScreenKey(const Korva::cKeyboardEvent& event) override;

    // --- puzzle events ---
    void PlaySound(int effect) override;
    void StopSound(int effect) override;
    void OnLevelCompleted() override;

    // --- state, for tests and tools ---
    cPuzzle& GetPuzzle() { return *m_puzzle; }
    const cPuzzle& GetPuzzle() const { return *m_puzzle; }
    bool HasPuzzle() const { return m_puzzle != nullptr; }
    bool IsCampaignMode() const { return m_campaignMode; }
    bool IsEditorTestMode() const { return m_editorTestMode; }
    int GetCampaignIndex() const { return m_campaignIndex; }
    Korva::cButton* GetButton(int index) const;
    cBoardView& GetBoardView() { return m_boardView; }
    cRandom& GetRandom() { return m_random; }

    // Button indices for GetButton.
    enum eButton
    {
        kButtonLevelInfo,
        kButtonUndo,
        kButtonRestart,
        kButtonChangeLevel,
        kButtonBackToEditor,
        kButtonQuit,
        kButtonMusic,
        kButtonSound,
        kButtonHints,
        kButtonFullScreen,
        kButtonLogo,
        kButtonCount,
    };

private:
    enum eMode
    {
        kModeCampaign,
        kModeFile,
        kModeEditorTest,
    };

    void Start(eMode mode, const cLevel& level);
    void CreateButtons();
    void OnScreenPress(const Korva::cMouseEvent& event) override;
    void OnScreenMove(int32_t mx, int32_t my) override;
    Korva::cPoint GetBoardPixelSize() const override;
    void UpdateCompletion();
    void UpdateHint();
    std::string LevelKey() const;
    void GoOn();
    void Undo();
    void Redo();
    void ToggleOption(int button);
    bool IsFullScreen() const override;
    const char* ButtonHint(const Korva::cWidget* widget) const override;
    void DrawBoard(Korva::cRenderDevice& device) const;
    void DrawPanels() const;
    std::string LevelTitle() const;

    cGameHost& m_host;
    cRandom m_random;
    cLevel m_level;
    std::unique_ptr<cPuzzle> m_puzzle;
    cBoardView m_boardView;
    cPieceView m_pieceView;
    cItemBarView m_itemBarView;

    bool m_campaignMode = false;
    bool m_editorTestMode = false;
    const cCampaign* m_campaign = nullptr;
    int m_campaignIndex = 0;
    std::string m_levelAlias;

    bool m_wentOn = false;
    bool m_bannerHidden = false;

    std::unique_ptr<cLevelInfoPopup> m_levelInfo;
    std::unique_ptr<cGameCompletedPopup> m_completedPopup;
    // The questions, from kPopupRestart to kPopupBackToEditor.
    std::array<std::unique_ptr<cYesNoPopup>, kPopupBackToEditor - kPopupRestart + 1> m_questions;

    const Korva::cSprite* m_panels;
    const Korva::cSprite* m_banner;
    std::array<std::unique_ptr<Korva::cButton>, kButtonCount> m_buttons;

    cHintSearch m_hintSearch;
    cHintMarker m_hintMarker;
    // The history's length when the hint was asked for: any change means
    // the board moved on and the hint no longer applies.
    size_t m_hintHistory = 0;
    // Levels a hint was given for (kept for the session only).
    std::set<std::string> m_hintedLevels;
};
