#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/Button.h"
#include "engine/Gui/Hint.h"
#include "engine/Gui/Widget.h"
#include "game/Game/Level.h"
#include "game/Game/Puzzle.h"
#include "game/Game/Random.h"
#include "game/Game/Screen/BoardView.h"
#include "game/Game/Screen/GameHost.h"
#include "game/Game/Screen/HintMarker.h"
#include "game/Game/Screen/HintSearch.h"
#include "game/Game/Screen/ItemBarView.h"
#include "game/Game/Screen/PieceView.h"
#include "game/Menu/YesNoPopup.h"
#include "game/Screen.h"

#include <array>
#include <memory>
#include <set>
#include <string>

namespace Korva
{
class cFileSystem;
}

class cCampaign;
class cGameCompletedPopup;
class cLevelInfoPopup;

// The screen on which a level is played: the board in the middle, buttons on
// the left, the piece queue at the top right, the item bar along the bottom
// and a hint line. It turns clicks and keys into the puzzle's moves, runs the
// puzzle every frame and opens its popups; the rules are all the puzzle's.
class cGame : public Korva::cWidget,
              public Korva::cWidgetListener,
              public Korva::cButtonListener,
              public cYesNoPopupListener,
              public cPuzzleListener,
              public cScreen
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

    // Layout.
    static constexpr Korva::cRect kBoardArea{100, 10, 600, 480};
    static constexpr Korva::cRect kPiecePanelArea{710, 37, 80, 80};
    static constexpr Korva::cRect kItemBarArea{100, 530, 600, 60};
    static constexpr int32_t kBoardCentreX = 400;
    static constexpr int32_t kBoardCentreY = 250;
    static constexpr float kScrollSpeed = 200.0f;

    // Only one game screen may exist. `host` must outlive it.
    cGame(Korva::cGUI& gui, cGameHost& host);
    ~cGame() override;

    // The screen of the running application, created on first use with the
    // application's GUI, and registered with it.
    static cGame& Get();
    static cGame* GetIfExists() { return s_instance; }
    static void Destroy();

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
    void ShowPopup(int popup);
    void ClosePopup();
    int GetPopup() const { return m_popup; }

    // --- cScreen ---
    Korva::cWidget& GetScreenWidget() override { return *this; }
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

    // --- cWidget ---
    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnMouseMove(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseLeave(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseDown(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseUp(const Korva::cMouseEvent& event, bool handled) override;
    void OnKeyDown(const Korva::cKeyboardEvent& event) override;

    // --- listeners of the buttons and popups ---
    void OnMouseEnter(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnMouseLeave(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnKeyDown(const Korva::cKeyboardEvent& event, Korva::cWidget* widget) override;
    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void OnPopupYes(cYesNoPopup* popup) override;
    void OnPopupNo(cYesNoPopup* popup) override;

    // --- puzzle events ---
    void PlaySound(int effect) override;
    void StopSound(int effect) override;
    void OnLevelCompleted() override;

    // --- state, for tests and tools ---
    cPuzzle& GetPuzzle() { return *m_puzzle; }
    const cPuzzle& GetPuzzle() const { return *m_puzzle; }
    bool HasPuzzle() const { return m_puzzle != nullptr; }
    float GetOffsetX() const { return m_offsetX; }
    float GetOffsetY() const { return m_offsetY; }
    // Where the board's origin is drawn on screen.
    int32_t GetOriginX() const { return kBoardCentreX + static_cast<int32_t>(m_offsetX); }
    int32_t GetOriginY() const { return kBoardCentreY + static_cast<int32_t>(m_offsetY); }
    bool IsCampaignMode() const { return m_campaignMode; }
    bool IsEditorTestMode() const { return m_editorTestMode; }
    int GetCampaignIndex() const { return m_campaignIndex; }
    const Korva::cHint& GetHint() const { return m_hint; }
    int32_t GetPointerFrame() const { return m_pointerFrame; }
    Korva::cWidget* GetPopupWidget() const { return m_popupWidget; }
    Korva::cButton* GetButton(int index) const;
    cBoardView& GetBoardView() { return m_boardView; }
    cRandom& GetRandom() { return m_random; }
    // Where the puzzle's sounds go (the game's sound player by default).
    void SetSoundListener(cBoardSoundListener* listener) { m_sound = listener; }

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
    void RemovePopupWidget();
    void HandleKey(const Korva::cKeyboardEvent& event);
    void ConfirmPopup();
    void PressBoard(const Korva::cMouseEvent& event);
    void UpdateAreaHint(int32_t mx, int32_t my);
    void UpdatePointerFrame(int32_t mx, int32_t my);
    void UpdateScrolling(float dt);
    void UpdateCompletion();
    void UpdateHint();
    std::string LevelKey() const;
    void GoOn();
    void Undo();
    void ToggleOption(int button);
    void Sound(int effect);
    bool IsFullScreen() const;
    bool IsKeyDown(int32_t key) const;
    void DrawPanels() const;
    std::string LevelTitle() const;

    static cGame* s_instance;

    cGameHost& m_host;
    cBoardSoundListener* m_sound;
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

    float m_offsetX = 0.0f;
    float m_offsetY = 0.0f;
    int32_t m_mouseX = 1;
    int32_t m_mouseY = 1;
    bool m_edgeLeft = false;
    bool m_edgeRight = false;
    bool m_edgeTop = false;
    bool m_edgeBottom = false;
    int32_t m_pointerFrame = 0;
    bool m_wentOn = false;
    bool m_bannerHidden = false;

    int m_popup = kPopupNone;
    Korva::cWidget* m_popupWidget = nullptr;
    std::unique_ptr<cLevelInfoPopup> m_levelInfo;
    std::unique_ptr<cYesNoPopup> m_restartPopup;
    std::unique_ptr<cChangeLevelPopup> m_changeLevelPopup;
    std::unique_ptr<cQuitToMenuPopup> m_quitPopup;
    std::unique_ptr<cBackToEditorPopup> m_backToEditorPopup;
    std::unique_ptr<cGameCompletedPopup> m_completedPopup;

    Korva::cHint m_hint;
    Korva::cHeadlineFont m_font;
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
