#pragma once

#include "engine/Display/AnimPlayer.h"
#include "game/Editor/EditedLevel.h"
#include "game/Editor/EditorHost.h"
#include "game/Editor/EditorPanelsHost.h"
#include "game/Editor/HoldTimer.h"
#include "game/Game/Level.h"
#include "game/Game/Screen/BoardScreen.h"
#include "game/Game/Screen/BoardView.h"
#include "game/Game/Screen/ItemBarView.h"
#include "game/Game/Screen/SpriteDrawing.h"
#include "game/SingleScreen.h"

#include <array>
#include <memory>
#include <string>

class cEditorPopups;
class cPiecesPanel;

// The level editor screen: a hex board to paint cells and bricks on, the
// piece list at the right, ten item slots along the bottom, and the buttons
// and popups around them. A level can be test-played on the game screen; the
// editor keeps everything meanwhile, so the player comes back to it as it was.
class cEditor : public cBoardScreen,
                public cEditorPanelsHost,
                public cSingleScreen<cEditor, cApplicationEditorHost, eScreen::Editor>
{
public:
    // What a click on the board or the item bar does.
    enum eMode
    {
        kModeCell,
        kModeBrick,
        kModePiece,
        kModeItem,
    };

    // Button indices for GetButton.
    enum eButton
    {
        kButtonNew,
        kButtonLoad,
        kButtonSave,
        kButtonQuit,
        kButtonLevelInfo,
        kButtonTest,
        kButtonLogo,
        kButtonPieceUp,
        kButtonPieceDown,
        kButtonPieceInsert,
        kButtonPieceDelete,
        kButtonCount,
    };

    // Layout (the board area is cBoardScreen's).
    static constexpr Korva::cRect kCellSelector{10, 275, 80, 80};
    static constexpr Korva::cRect kBrickSelector{10, 395, 80, 80};
    static constexpr Korva::cRect kItemBar{100, 530, 600, 60};

    static constexpr const char* kName = "The editor";

    // Only one editor may exist. `host` must outlive it.
    cEditor(Korva::cGUI& gui, cEditorHost& host);
    ~cEditor() override;

    // --- cScreen ---
    void Activate() override;
    void Deactivate() override;

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;

    // --- the buttons, the popups, the keys ---
    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void OnPopupYes(cYesNoPopup* popup) override;
    cPopup* PreparePopup(int kind) override;
    void OnScreenKey(const Korva::cKeyboardEvent& event) override;

    // --- cEditorPanelsHost ---
    int GetCurrentCellKind() const override { return m_cellKind; }
    void SetCurrentCellKind(int kind) override;
    int GetCurrentBrickCode() const override { return m_brickCode; }
    void SetCurrentBrickCode(int code) override;
    int GetSelectedItemSlot() const override { return m_itemSlot; }
    int GetItem(int slot) const override { return m_level.GetItems().GetSlot(slot); }
    void SetItem(int slot, int item) override;
    int GetPieceCount() const override { return m_level.GetPieceCount(); }
    tPiece GetPiece(int index) const override { return m_level.GetPiece(index); }
    void SetPiece(int index, const tPiece& piece) override { m_level.SetPiece(index, piece); }
    void ResizePieceList(int n) override;
    void SwapPieces(int a, int b) override { m_level.SwapPieces(a, b); }
    void SelectPiece(int index) override;
    int GetSelectedPiece() const override { return m_selectedPiece; }
    bool IsPieceMode() const override { return m_mode == kModePiece; }
    std::string GetLevelName() const override { return m_level.GetName(); }
    void SetLevelName(const std::string& name) override { m_level.SetName(name); }
    std::string GetLevelDescription() const override { return m_level.GetDescription(); }
    void SetLevelDescription(const std::string& text) override { m_level.SetDescription(text); }
    std::string GetLevelFile() const override { return m_levelFile; }
    void SetLevelFile(const std::string& fileName) override { m_levelFile = fileName; }
    void NewLevel() override;
    cLevel GetLevel() const override { return m_level.ToLevel(); }
    void SetLevel(const cLevel& level) override;
    void OpenPopup(int kind) override;
    void ClosePopup() override { m_popups.Close(); }
    bool IsPopupOpen() const override { return m_popups.IsOpen(); }
    void ShowHint(const std::string& text, const Korva::cWidget* owner) override;
    void HideHint(const Korva::cWidget* owner) override;
    float GetPulsePhaseA() const override { return m_phaseA; }
    float GetPulsePhaseB() const override { return m_phaseB; }
    void PlaySound(int effect) override;

    // --- actions of the buttons and keys ---
    void StartTestPlay();
    void MovePieceUp();
    void MovePieceDown();
    void InsertPiece();
    void DeletePiece();

    // --- state, for tests and tools ---
    cEditedLevel& GetEditedLevel() { return m_level; }
    const cEditedLevel& GetEditedLevel() const { return m_level; }
    eMode GetMode() const { return m_mode; }
    Korva::cRect GetResizeButtonRect(int n) const;
    const cHoldTimer& GetHoldTimer() const { return m_hold; }
    const cLevel& GetTestLevel() const { return m_testLevel; }
    cEditorPopups& GetPopups() { return *m_popupSet; }
    cPiecesPanel& GetPiecesPanel() { return *m_piecesPanel; }
    Korva::cButton* GetButton(int index) const;

private:
    void CreateButtons();
    void CreatePopups();
    void CentreView();
    void SetMode(eMode mode);

    void OnScreenPress(const Korva::cMouseEvent& event) override;
    void OnScreenRelease(const Korva::cMouseEvent& event, bool onScreen) override;
    void OnScreenMove(int32_t mx, int32_t my) override;
    void OnScreenLeave() override;
    Korva::cPoint GetBoardPixelSize() const override;
    void OnViewScrolled(const cBoardScroller::sMove& move) override;
    void PressResizeButton(int n);
    int ResizeButtonAt(int32_t x, int32_t y) const;
    void UpdateAreaHint(int32_t mx, int32_t my);
    void ClearPointerState();
    void OpenChooserAt(int32_t mx, int32_t my);
    void ToggleHints();
    void ToggleMusic();

    void UpdateScrolling(float dt);
    void UpdatePainting();
    void PutCellAtPointer(int kind);
    void PutBrickAtPointer(int code);
    void PickAtPointer();
    bool CellAtPointer(int& x, int& y) const;
    bool IsBoardRectAt(int32_t mx, int32_t my) const;
    bool IsShiftDown() const;
    bool IsFullScreen() const override;
    const char* ButtonHint(const Korva::cWidget* widget) const override;

    cBrickLook Look() const;
    void DrawBackground(Korva::cRenderDevice& device) const;
    void DrawResizeButtons() const;
    void DrawPreview() const;
    void DrawCellKind(int kind, int32_t cx, int32_t cy, int32_t alpha) const;
    void DrawPanels() const;

    cEditorHost& m_host;
    cEditedLevel m_level;
    std::string m_levelFile;
    cLevel m_testLevel;

    eMode m_mode = kModeCell;
    int m_cellKind = 1;
    int m_brickCode = 11;
    int m_itemSlot = 0;
    int m_selectedPiece = 0;
    float m_backgroundX = 0.0f;
    float m_backgroundY = 0.0f;
    float m_phaseA = 0.0f;
    float m_phaseB = 0.0f;
    int32_t m_mouseX = 400;
    int32_t m_mouseY = 300;
    bool m_leftHeld = false;
    bool m_rightHeld = false;
    cHoldTimer m_hold;

    std::unique_ptr<cEditorPopups> m_popupSet;
    std::unique_ptr<cPiecesPanel> m_piecesPanel;
    int m_hoverResize = 0;

    const Korva::cSprite* m_panels;
    const Korva::cSprite* m_resize;
    const Korva::cSprite* m_cells;
    cBrickSprites m_bricks;
    std::array<std::unique_ptr<Korva::cAnimPlayer>, kCellKindCount> m_cellPlayers;
    std::unique_ptr<Korva::cAnimPlayer> m_bomb;
    std::unique_ptr<Korva::cAnimPlayer> m_plasma;
    cBoardView m_boardView;
    cItemBarView m_itemBarView;
    std::array<std::unique_ptr<Korva::cButton>, kButtonCount> m_buttons;
};
