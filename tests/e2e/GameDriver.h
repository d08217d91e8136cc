#pragma once

#include "XDriver.h"

#include "engine/Display/Point.h"
#include "game/Game/Board.h"
#include "game/Game/Level.h"
#include "game/Game/MoveLog.h"
#include "game/Game/PuzzleTypes.h"

#include <string>

// What a player of Zeltra does, built on the X driver: skips the intro,
// presses the menu's buttons, picks levels in the selector, plays a level from
// a recorded solution by pointer, buttons and keys, and answers popups. It
// knows the screens only by their layout on the 800 x 600 screen and by what
// they show, never by the game's internals. Every step returns an empty
// string when it worked, else a sentence saying which step failed.
class cGameDriver
{
public:
    // Menu buttons, top to bottom.
    enum eMenuButton
    {
        kMenuPlay,
        kMenuEditor,
        kMenuInstructions,
        kMenuOptions,
        kMenuQuit
    };

    // `programFolder` holds the game's data (Sprites/, Levels/, Resources/);
    // the board's cell size is taken from its cell sprite.
    cGameDriver(cXDriver& x, std::string programFolder);

    cXDriver& X() { return m_x; }
    const cBoardMetrics& GetMetrics() const { return m_metrics; }

    // Waits for loading to end, then presses a key until the menu shows.
    std::string SkipIntro(double timeout = 120.0);
    // The menu with its five buttons at rest.
    std::string WaitForMenu(double timeout = 30.0);
    void PressMenuButton(eMenuButton button);
    std::string WaitForSelector(double timeout = 30.0);
    std::string WaitForGame(double timeout = 30.0);
    std::string WaitForOptions(double timeout = 30.0);

    // The options panel at rest (its top at y = 210).
    bool OptionsMusicOn(const Korva::cPixelBuffer& frame) const;
    bool OptionsSoundOn(const Korva::cPixelBuffer& frame) const;
    // Filled segments (1..8) of the music or sound volume slider.
    int OptionsVolume(const Korva::cPixelBuffer& frame, bool sound) const;
    void ClickOptionsMusic();
    void ClickOptionsSound();
    // Presses the slider on the segment of `value`.
    void SetOptionsVolume(bool sound, int value);
    void PressOptionsOk();
    void PressOptionsCancel();

    // In the selector: double-clicks the icon of campaign level `index` (0-based;
    // the first rows, which show without scrolling).
    std::string StartCampaignLevel(int index);
    // Switches the selector to its user levels and double-clicks row `row`.
    std::string StartUserLevel(int row);
    // Checks the completion mark on the icon of campaign level `index`.
    bool IconShowsCompleted(const Korva::cPixelBuffer& frame, int index) const;

    // On the game screen with the level info popup open: closes it, then
    // plays the moves. `progressAlias`, when given, is the level alias whose
    // entry in the progress file marks the level completed; otherwise the
    // completion banner is waited for.
    std::string PlayLevel(const cLevel& level, const cMoveLog& moves,
                          const std::string& progressAlias = "");
    // The level info popup that opens with every level (after a completed
    // campaign level the game goes on to the next by itself).
    std::string WaitForLevelInfo(double timeout = 30.0);
    // Quit to the menu through the quit popup (q, then its confirm button).
    std::string QuitGameToMenu();

    // The level editor: its board area's checker background at rest.
    std::string WaitForEditor(double timeout = 30.0);
    // Logical pixel of a cell's centre on the editor's board as it is shown
    // after a new level or a load (centred view).
    Korva::cPoint EditorCellPixel(const cBoard& board, int x, int y) const;
    // Paints the cell (cell or brick mode) and waits until its picture
    // changes; a press that came and went within one frame is tried again.
    std::string EditorPaint(const cBoard& board, int x, int y);
    void EditorCellMode();
    void EditorBrickMode();
    // Opens the piece chooser on the first piece, paints its centre with the
    // coloured brick of colours (first, second), 1..8, and closes it.
    void EditorSetFirstPieceCentre(int first, int second);
    // The level info dialog: types the name, then OK.
    void EditorSetName(const std::string& name);
    // A new, empty level (n, then yes).
    void EditorNewLevel();
    // The load dialog: double-clicks its first file.
    void EditorLoadFirst();
    // The save dialog: types the name, then Enter; waits for the file.
    std::string EditorSave(const std::string& name);

    // Reads a campaign level and its recorded solution beside it.
    static std::string LoadCampaignLevel(const std::string& folder, int number, cLevel& level,
                                         cMoveLog& moves);

    // Logical pixel of a board cell's centre when the level has just started.
    Korva::cPoint CellPixel(const cLevel& level, int x, int y) const;
    // The piece queue's first piece as shown: how far the game turned it at
    // the start (0..5), found by matching the level's piece against what the
    // panel shows. -1 when nothing matches.
    int FindStartTurn(const tPiece& piece);

    bool ProgressHas(const std::string& alias) const;
    // Keeps the frame for a failure report in `folder`/`name`.
    void SaveFailureFrame(const std::string& path);

private:
    static bool Bright(const Korva::cPixelBuffer& frame, int x, int y, int w, int h, int count);

    cXDriver& m_x;
    std::string m_programFolder;
    cBoardMetrics m_metrics;
};
