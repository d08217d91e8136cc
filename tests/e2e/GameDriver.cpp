#include "GameDriver.h"

#include "engine/Core/Exception.h"
#include "engine/Display/Sprite.h"
#include "engine/File/FileSystemManager.h"
#include "game/Game/Board.h"
#include "game/Game/BoardMetrics.h"
#include "game/Game/ItemPanel.h"
#include "game/Game/Puzzle.h"
#include "game/Progress.h"

#include <array>
#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

using Korva::cPixelBuffer;
using Korva::cPoint;

namespace
{
// Screen layout of the 800 x 600 screens.
constexpr int kMenuButtonTop = 240;
constexpr int kMenuButtonStep = 60;
constexpr cPoint kPieceCentre(750, 77);     // current piece in the queue
constexpr cPoint kRestingPointer(750, 400); // over the empty "next" column
constexpr float kPi = 3.14159265f;

struct sRGB
{
    int r, g, b;
};

sRGB At(const cPixelBuffer& frame, int x, int y)
{
    if (frame.IsEmpty() || x < 0 || y < 0 || x >= frame.GetWidth() || y >= frame.GetHeight())
        return {0, 0, 0};
    const uint8_t* p = frame.At(x, y);
    return {p[0], p[1], p[2]};
}

bool Near(const sRGB& a, const sRGB& b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// The game screen's background (100, 150, 200), as a 16-bit display shows it.
bool GameBackground(const cPixelBuffer& frame, int x, int y)
{
    return Near(At(frame, x, y), {100, 150, 203}, 12);
}

bool Dark(const cPixelBuffer& frame, int x, int y)
{
    const sRGB c = At(frame, x, y);
    return c.r + c.g + c.b < 130;
}

int CountIf(const cPixelBuffer& frame, int x, int y, int w, int h,
            const std::function<bool(const sRGB&)>& test)
{
    int count = 0;
    for (int py = y; py < y + h; ++py)
        for (int px = x; px < x + w; ++px)
            count += test(At(frame, px, py)) ? 1 : 0;
    return count;
}

bool Yellow(const sRGB& c)
{
    return c.r > 140 && c.g > 140 && c.b < 70;
}

bool Golden(const sRGB& c)
{
    return c.r > 200 && c.g > 140 && c.b < 130;
}

// The menu's yellow version text at the bottom left.
bool VersionTextShown(const cPixelBuffer& frame)
{
    return CountIf(frame, 3, 576, 45, 20, Yellow) >= 8;
}

// Slot positions of a piece in the queue, slot 0 in the centre.
cPoint QueueSlot(int slot)
{
    if (slot == 0)
        return kPieceCentre;
    const float a = static_cast<float>(slot - 1) * kPi / 3.0f;
    return cPoint(kPieceCentre.x + static_cast<int>(28.0f * std::sin(a)),
                  kPieceCentre.y - static_cast<int>(25.0f * std::cos(a)));
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The sprite file of an alias, from the program's sprite list.
std::string SpriteFile(const std::string& programFolder, const std::string& alias)
{
    const std::string list = ReadText(programFolder + "/Resources/Sprites.res");
    const std::regex entry("File=\"([^\"]+)\"\\s*Alias=\"" + alias + "\"");
    std::smatch match;
    return std::regex_search(list, match, entry) ? programFolder + match[1].str() : std::string();
}
} // namespace

cGameDriver::cGameDriver(cXDriver& x, std::string programFolder)
    : m_x(x), m_programFolder(std::move(programFolder))
{
    // The board's cell size as the game takes it: frame 0 of the cell sprite.
    const std::string cells = SpriteFile(m_programFolder, "SprCells");
    if (cells.empty())
        return;
    Korva::cFileSystem* files = Korva::cFileSystemManager::Get().CreateFileSystem(1);
    try
    {
        const Korva::cSprite sprite(cells, *files, [](const std::string&) { return nullptr; });
        m_metrics = BoardMetricsFromSprites(&sprite, nullptr, nullptr);
    }
    catch (const Korva::cException&)
    {
        // The defaults stand; a wrong size shows as missed clicks.
    }
    Korva::cFileSystemManager::Get().RemoveFileSystem(files);
}

bool cGameDriver::Bright(const cPixelBuffer& frame, int x, int y, int w, int h, int count)
{
    return CountIf(frame, x, y, w, h,
                   [](const sRGB& c) { return c.r > 150 && c.g > 140 && c.b > 90; }) >= count;
}

std::string cGameDriver::SkipIntro(double timeout)
{
    if (!m_x.WaitForLog("Total load time", timeout))
        return "the game did not finish loading (no \"Total load time\" in the log)";
    // A key while the intro runs skips it; the main loop starts after it.
    const size_t from = m_x.ReadLog().size();
    for (int i = 0; i < 20; ++i)
    {
        m_x.MoveTo(400, 300);
        m_x.Key("space");
        if (m_x.WaitForLog("--- Entering main loop ---", 3.0, from))
            return WaitForMenu();
        if (!m_x.IsRunning())
            return "the game ended during the intro";
    }
    return "a key did not skip the intro (no \"--- Entering main loop ---\" in the log)";
}

std::string cGameDriver::WaitForMenu(double timeout)
{
    // Five button labels at rest and the version text.
    const bool ok = m_x.WaitForFrame(
        [](const cPixelBuffer& frame)
        {
            if (!VersionTextShown(frame))
                return false;
            for (int k = 0; k < 5; ++k)
                if (!Bright(frame, 360, kMenuButtonTop + kMenuButtonStep * k - 10, 80, 20, 15))
                    return false;
            return true;
        },
        timeout);
    return ok ? "" : "the main menu with its five buttons did not show";
}

void cGameDriver::PressMenuButton(eMenuButton button)
{
    m_x.Click(400, kMenuButtonTop + kMenuButtonStep * static_cast<int>(button));
}

std::string cGameDriver::WaitForSelector(double timeout)
{
    const bool ok = m_x.WaitForFrame(
        [](const cPixelBuffer& frame)
        {
            // The light panel of the game levels at rest over the dark bands.
            return GameBackground(frame, 150, 105) && GameBackground(frame, 650, 535) &&
                   Dark(frame, 60, 450) && Dark(frame, 780, 300) && !VersionTextShown(frame);
        },
        timeout);
    return ok ? "" : "the level selector did not show";
}

std::string cGameDriver::WaitForGame(double timeout)
{
    const bool ok = m_x.WaitForFrame(
        [](const cPixelBuffer& frame)
        {
            return GameBackground(frame, 60, 420) && GameBackground(frame, 97, 450) &&
                   GameBackground(frame, 650, 505) && !Dark(frame, 750, 300);
        },
        timeout);
    return ok ? "" : "the game screen did not show";
}

std::string cGameDriver::WaitForOptions(double timeout)
{
    const bool ok = m_x.WaitForFrame(
        [](const cPixelBuffer& frame)
        {
            // Both volume sliders have at least their first segment filled;
            // the panel is at rest when they sit at their places.
            return VersionTextShown(frame) && CountIf(frame, 350, 262, 14, 12, Golden) >= 40 &&
                   CountIf(frame, 350, 332, 14, 12, Golden) >= 40;
        },
        timeout);
    return ok ? "" : "the options panel did not show";
}

namespace
{
// Options panel controls, on the screen (the panel's top at y = 210).
constexpr int kOptionsTop = 210;
constexpr cPoint kMusicToggle(270, kOptionsTop + 20);
constexpr cPoint kSoundToggle(270, kOptionsTop + 90);
constexpr cPoint kMusicSlider(346, kOptionsTop + 44);
constexpr cPoint kSoundSlider(346, kOptionsTop + 114);

// The tick in a toggle's box at its left end.
bool Ticked(const cPixelBuffer& frame, cPoint toggle)
{
    return CountIf(frame, toggle.x, toggle.y, 22, 20, Golden) >= 8;
}
} // namespace

bool cGameDriver::OptionsMusicOn(const cPixelBuffer& frame) const
{
    return Ticked(frame, kMusicToggle);
}

bool cGameDriver::OptionsSoundOn(const cPixelBuffer& frame) const
{
    return Ticked(frame, kSoundToggle);
}

int cGameDriver::OptionsVolume(const cPixelBuffer& frame, bool sound) const
{
    const cPoint slider = sound ? kSoundSlider : kMusicSlider;
    int filled = 0;
    for (int k = 0; k < 8; ++k)
        filled += CountIf(frame, slider.x + 23 * k + 6, slider.y + 8, 10, 12, Golden) >= 30 ? 1 : 0;
    return filled;
}

void cGameDriver::ClickOptionsMusic()
{
    m_x.Click(kMusicToggle.x + 80, kMusicToggle.y + 10);
}

void cGameDriver::ClickOptionsSound()
{
    m_x.Click(kSoundToggle.x + 80, kSoundToggle.y + 10);
}

void cGameDriver::SetOptionsVolume(bool sound, int value)
{
    const cPoint slider = sound ? kSoundSlider : kMusicSlider;
    m_x.Click(slider.x + 23 * (value - 1) + 11, slider.y + 14);
}

void cGameDriver::PressOptionsOk()
{
    m_x.Click(310 + 40, kOptionsTop + 350 + 14);
}

void cGameDriver::PressOptionsCancel()
{
    m_x.Click(410 + 40, kOptionsTop + 350 + 14);
}

std::string cGameDriver::StartCampaignLevel(int index)
{
    if (index < 0 || index >= 12)
        return "level " + std::to_string(index + 1) + " is not in the first three rows";
    const int x = 175 + 110 * (index % 4) + 50;
    const int y = 155 + 105 * (index / 4) + 40;
    m_x.DoubleClick(x, y);
    return WaitForGame();
}

std::string cGameDriver::StartUserLevel(int row)
{
    // The to-user-levels button under the game levels panel, then the tab
    // change (about 0.63 s).
    m_x.Click(400, 100 + 430 + 14);
    m_x.Sleep(1.5);
    // Rows of 440 x 22 every 25 pixels from (6, 6) in the list at (165, 145).
    m_x.DoubleClick(165 + 6 + 220, 145 + 6 + 25 * row + 11);
    return WaitForGame();
}

bool cGameDriver::IconShowsCompleted(const cPixelBuffer& frame, int index) const
{
    // The mark is a green disc of radius 12 centred at (84, 16) in the icon.
    const int x = 175 + 110 * (index % 4) + 84;
    const int y = 155 + 105 * (index / 4) + 16;
    return CountIf(frame, x - 10, y - 10, 20, 20,
                   [](const sRGB& c) { return c.g > c.r + 60 && c.g > c.b + 40; }) >= 40;
}

cPoint cGameDriver::CellPixel(const cLevel& level, int x, int y) const
{
    cPuzzle puzzle(m_metrics, 1);
    puzzle.SetLevel(level);
    puzzle.StartLevel();
    int cx = 0, cy = 0;
    puzzle.GetBoard().CellCentre(x, y, cx, cy);
    return cPoint(400 + static_cast<int>(puzzle.GetStartOffsetX()) + cx,
                  250 + static_cast<int>(puzzle.GetStartOffsetY()) + cy);
}

int cGameDriver::FindStartTurn(const tPiece& piece)
{
    // What each slot shows: a few points across the small brick, so two
    // different bricks differ somewhere while two equal ones match exactly.
    const cPixelBuffer frame = m_x.Grab();
    std::array<std::array<sRGB, 5>, 7> looks{};
    for (int slot = 0; slot < 7; ++slot)
    {
        const cPoint p = QueueSlot(slot);
        const cPoint offsets[5] = {{0, 0}, {-5, 0}, {5, 0}, {0, -4}, {0, 4}};
        for (int i = 0; i < 5; ++i)
            looks[static_cast<size_t>(slot)][static_cast<size_t>(i)] =
                At(frame, p.x + offsets[i].x, p.y + offsets[i].y);
    }
    const auto same = [&](int a, int b)
    {
        for (size_t i = 0; i < 5; ++i)
            if (!Near(looks[static_cast<size_t>(a)][i], looks[static_cast<size_t>(b)][i], 30))
                return false;
        return true;
    };
    // The queue shows slot k holding the level's slot k + r (the game turned
    // the piece by r at the start): find the r under which equal bricks look
    // equal and different ones different.
    for (int r = 0; r < 6; ++r)
    {
        std::array<int, 7> shown{};
        shown[0] = piece[0];
        for (int k = 1; k <= 6; ++k)
            shown[static_cast<size_t>(k)] = piece[static_cast<size_t>((k - 1 + r) % 6 + 1)];
        bool fits = true;
        for (int a = 0; a < 7 && fits; ++a)
            for (int b = a + 1; b < 7 && fits; ++b)
                fits =
                    (shown[static_cast<size_t>(a)] == shown[static_cast<size_t>(b)]) == same(a, b);
        if (fits)
            return r;
    }
    return -1;
}

std::string cGameDriver::PlayLevel(const cLevel& level, const cMoveLog& moves,
                                   const std::string& progressAlias)
{
    if (std::string error = WaitForGame(); !error.empty())
        return error;
    // The level info popup opens with the level; Enter closes it.
    m_x.MoveTo(kRestingPointer.x, kRestingPointer.y);
    const auto popupOpen = [](const cPixelBuffer& frame)
    { return !GameBackground(frame, 215, 40); };
    if (!m_x.WaitForFrame(popupOpen, 15.0))
        return "the level info popup did not open";
    m_x.Key("Return");
    if (!m_x.WaitForFrame([&](const cPixelBuffer& frame) { return !popupOpen(frame); }, 15.0))
        return "Enter did not close the level info popup";

    int rotation = 0; // the panel's turn; the game starts each level at 0
    bool pieceMode = true;
    for (size_t i = 0; i < moves.moves.size(); ++i)
    {
        const cMove& move = moves.moves[i];
        const std::string step = "move " + std::to_string(i + 1) + " (" + move.Describe() + ")";
        m_x.MoveTo(kRestingPointer.x, kRestingPointer.y);
        // Wait for the board to come to rest: a press is ignored before.
        m_x.WaitForStill(20.0, 0.4, 6);
        if (move.item)
        {
            m_x.Key(std::to_string(cItemPanel::SlotLabel(move.slot)));
            pieceMode = false;
        }
        else
        {
            if (!pieceMode)
                m_x.Key("p");
            pieceMode = true;
            int pieceIndex = 0;
            for (size_t j = 0; j < i; ++j)
                pieceIndex += moves.moves[j].item ? 0 : 1;
            const int turned = FindStartTurn(level.GetPiece(pieceIndex));
            if (turned < 0)
                return step + ": the queue does not show the level's piece " +
                       std::to_string(pieceIndex + 1);
            const int wanted = (move.rotation + turned) % 6;
            for (; rotation != wanted; rotation = (rotation + 1) % 6)
            {
                m_x.Key("space");
                m_x.Sleep(0.2);
            }
        }
        const cPoint target = CellPixel(level, move.x, move.y);
        if (target.x < 100 || target.x >= 700 || target.y < 10 || target.y >= 490)
            return step + ": the cell lies outside the board area";
        m_x.MoveTo(target.x, target.y);
        m_x.Sleep(0.6); // the preview fades in at the pointer
        m_x.Click(target.x, target.y);
    }
    m_x.MoveTo(kRestingPointer.x, kRestingPointer.y);
    if (!progressAlias.empty())
    {
        for (int i = 0; i < 300 && !ProgressHas(progressAlias); ++i)
            m_x.Sleep(0.1);
        if (!ProgressHas(progressAlias))
            return "the level was not recorded as completed after its last move";
    }
    return "";
}

std::string cGameDriver::WaitForLevelInfo(double timeout)
{
    const bool ok = m_x.WaitForFrame(
        [](const cPixelBuffer& frame) { return !GameBackground(frame, 215, 40); }, timeout);
    return ok ? "" : "the level info popup did not open";
}

std::string cGameDriver::QuitGameToMenu()
{
    m_x.MoveTo(kRestingPointer.x, kRestingPointer.y);
    // The quit popup: 210 x 90, centred at (400, 250); confirm at (20, 45).
    // The level info popup (400 x 450) covers more; it may have opened for
    // the next level meanwhile, and q is ignored while it is open.
    const auto infoOpen = [](const cPixelBuffer& frame) { return !GameBackground(frame, 215, 40); };
    // Its dark title bar lies across the board area's middle.
    const auto quitOpen = [&](const cPixelBuffer& frame)
    {
        return !infoOpen(frame) && CountIf(frame, 320, 218, 160, 14,
                                           [](const sRGB& c) {
                                               return Near(c, {41, 69, 107}, 16);
                                           }) >= 600;
    };
    for (int attempt = 0; attempt < 5; ++attempt)
    {
        if (infoOpen(m_x.Grab()))
        {
            m_x.Key("Escape");
            m_x.WaitForFrame([&](const cPixelBuffer& frame) { return !infoOpen(frame); }, 10.0);
        }
        m_x.Key("q");
        if (m_x.WaitForFrame(quitOpen, 3.0))
        {
            m_x.Click(295 + 20 + 40, 205 + 45 + 14);
            return WaitForMenu();
        }
    }
    return "q did not open the quit popup";
}

std::string cGameDriver::WaitForEditor(double timeout)
{
    // The two greys of the checker pattern behind the editor's board.
    const auto checker = [](const cPixelBuffer& frame, int x, int y)
    {
        const sRGB c = At(frame, x, y);
        return Near(c, {35, 40, 45}, 10) || Near(c, {43, 48, 53}, 10);
    };
    const bool ok =
        m_x.WaitForFrame([&](const cPixelBuffer& frame)
                         { return checker(frame, 104, 14) && checker(frame, 695, 485); },
                         timeout);
    m_x.Sleep(0.7); // the shutter opens over the screen
    return ok ? "" : "the level editor did not show";
}

cPoint cGameDriver::EditorCellPixel(const cBoard& board, int x, int y) const
{
    int cx = 0, cy = 0;
    board.CellCentre(x, y, cx, cy);
    return cPoint(400 - board.PixelWidth() / 2 + cx, 250 - board.PixelHeight() / 2 + cy);
}

std::string cGameDriver::EditorPaint(const cBoard& board, int x, int y)
{
    const cPoint p = EditorCellPixel(board, x, y);
    const cPoint away(400, 515); // outside the board area: no painting preview
    const auto look = [&](const cPixelBuffer& frame)
    {
        int r = 0, g = 0, b = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
            {
                const sRGB c = At(frame, p.x + dx, p.y + dy);
                r += c.r;
                g += c.g;
                b += c.b;
            }
        return sRGB{r / 25, g / 25, b / 25};
    };
    m_x.MoveTo(away.x, away.y);
    m_x.Sleep(0.15);
    const sRGB before = look(m_x.Grab());
    for (int attempt = 0; attempt < 4; ++attempt)
    {
        m_x.Click(p.x, p.y, 1, 0.3);
        m_x.MoveTo(away.x, away.y);
        if (m_x.WaitForFrame(
                [&](const cPixelBuffer& frame) { return !Near(look(frame), before, 12); }, 2.0))
            return "";
    }
    return "painting cell (" + std::to_string(x) + ", " + std::to_string(y) +
           ") in the editor changed nothing";
}

void cGameDriver::EditorCellMode()
{
    m_x.Click(50, 315);
}

void cGameDriver::EditorBrickMode()
{
    m_x.Click(50, 435);
}

void cGameDriver::EditorSetFirstPieceCentre(int first, int second)
{
    // The first entry of the pieces panel (710, 37); a right click opens the
    // piece chooser (340 x 445, centred at (400, 250)).
    m_x.Click(750, 77, 3);
    m_x.Sleep(0.8);
    const cPoint chooser(400 - 170, 250 - 222);
    // The coloured-brick palette: first colour row at y = 255, second at 285.
    m_x.Click(chooser.x + 80 + 30 * (first - 1) + 15, chooser.y + 255 + 15);
    m_x.Click(chooser.x + 80 + 30 * (second - 1) + 15, chooser.y + 285 + 15);
    // The piece's centre slot (painted in the chooser's update), then OK.
    m_x.Click(chooser.x + 170, chooser.y + 145, 1, 0.25);
    m_x.Sleep(0.3);
    m_x.Click(chooser.x + 130 + 40, chooser.y + 400 + 14);
    m_x.Sleep(0.5);
}

void cGameDriver::EditorSetName(const std::string& name)
{
    m_x.MoveTo(400, 470);
    m_x.Key("i");
    m_x.Sleep(0.8);
    // The dialog (400 x 450) at (200, 25): name field at (20, 60), OK at (115, 405).
    m_x.Click(200 + 20 + 180, 25 + 60 + 10);
    m_x.Type(name);
    m_x.Click(200 + 115 + 40, 25 + 405 + 14);
    m_x.Sleep(0.5);
}

void cGameDriver::EditorNewLevel()
{
    m_x.MoveTo(400, 470);
    m_x.Key("n");
    m_x.Sleep(0.5);
    m_x.Key("Return");
    m_x.Sleep(0.5);
}

void cGameDriver::EditorLoadFirst()
{
    m_x.MoveTo(400, 470);
    m_x.Key("l");
    m_x.Sleep(0.8);
    // The dialog (360 x 420) at (220, 40); its list at (20, 40), rows of 20.
    m_x.DoubleClick(220 + 20 + 150, 40 + 40 + 10);
    m_x.Sleep(0.5);
}

std::string cGameDriver::EditorSave(const std::string& name)
{
    m_x.MoveTo(400, 470);
    m_x.Key("s");
    m_x.Sleep(0.8);
    // The name field has the focus; it may propose a name already.
    for (int i = 0; i < 40; ++i)
        m_x.Key("BackSpace");
    m_x.Type(name);
    m_x.Key("Return");
    const std::string path = m_x.UserFolder() + "/UserLevels/" + name + ".lvl";
    for (int i = 0; i < 100; ++i)
    {
        if (std::ifstream(path).good())
            return "";
        m_x.Sleep(0.1);
    }
    return "the save dialog did not write " + path;
}

std::string cGameDriver::LoadCampaignLevel(const std::string& folder, int number, cLevel& level,
                                           cMoveLog& moves)
{
    char name[32];
    std::snprintf(name, sizeof name, "/Zeltra%02d", number);
    Korva::cFileSystem* files = Korva::cFileSystemManager::Get().CreateFileSystem(1);
    std::string error;
    try
    {
        level.Load(*files, folder + name + ".lvl");
        moves.Load(*files, folder + name + ".moves");
    }
    catch (const Korva::cException& exception)
    {
        error = std::string("cannot read level ") + name + ": " + exception.GetMessage();
    }
    Korva::cFileSystemManager::Get().RemoveFileSystem(files);
    return error;
}

bool cGameDriver::ProgressHas(const std::string& alias) const
{
    Korva::cFileSystem* files = Korva::cFileSystemManager::Get().CreateFileSystem(1);
    cProgress progress;
    const bool loaded = progress.Load(*files, m_x.UserFolder() + "/CompletedLevels.dat");
    Korva::cFileSystemManager::Get().RemoveFileSystem(files);
    return loaded && progress.IsLevelCompleted(alias);
}

void cGameDriver::SaveFailureFrame(const std::string& path)
{
    m_x.SaveGrab(path);
}
