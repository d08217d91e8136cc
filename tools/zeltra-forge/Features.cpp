#include "Features.h"

#include "game/Game/Level.h"
#include "game/Game/Puzzle.h"

#include <map>
#include <sstream>

namespace
{
class cHeard : public cPuzzleListener
{
public:
    void PlaySound(int effect) override { heard.insert(effect); }
    std::set<int> heard;
};
} // namespace

std::set<std::string> SolutionFeatures(const cLevel& level, const std::vector<cMove>& moves)
{
    std::set<std::string> features;
    cHeard ears;
    cPuzzle puzzle({}, 1);
    puzzle.SetListener(&ears);
    puzzle.SetLevel(level);
    BeginReplay(puzzle);
    for (const cMove& move : moves)
    {
        if (move.item)
        {
            const int code = puzzle.GetItemPanel().GetSlot(move.slot);
            features.insert(code > kBrickColourLast && code <= kBrickLast
                                ? "itembrick" + std::to_string(code)
                                : "item" + std::to_string(code));
        }
        const cBoard before = puzzle.GetBoard();
        // Special bricks the move brings, to tell which of them went.
        std::map<int, int> brought;
        if (move.item)
            ++brought[puzzle.GetItemPanel().GetSlot(move.slot)];
        else
            for (uint8_t code :
                 puzzle.GetPiecePanel().GetPiece(puzzle.GetPiecePanel().GetCurrentIndex()))
                ++brought[code];
        const bool played = move.item ? puzzle.UseItemInSlot(move.slot, move.x, move.y)
                                      : puzzle.PutPieceTurned(move.x, move.y, move.rotation);
        if (!played)
            break;
        // Frame by frame: every brick in flight leaves from a cell whose kind
        // says what sent it.
        for (int frame = 0; frame < cPuzzle::kMaxRestFrames && !puzzle.IsSettled(); ++frame)
        {
            for (const cBoard::sMover& mover : puzzle.GetBoard().GetMovers())
            {
                const int kind = puzzle.GetBoard().GetCellKind(mover.fromX, mover.fromY);
                if (kind >= kCellArrowNorth && kind <= kCellArrowNorthWest &&
                    mover.direction == kind - 1)
                    features.insert("arrow" + std::to_string(kind));
                else if (CellClass(kind) == kClassIce && mover.progress > 0.0f)
                    features.insert("ice");
            }
            puzzle.Update(cPuzzle::kReplayStep, true);
        }
        const cBoard& after = puzzle.GetBoard();
        for (int y = 0; y < after.GetHeight(); ++y)
        {
            for (int x = 0; x < after.GetWidth(); ++x)
            {
                const int was = before.GetCellKind(x, y);
                if (after.GetCellKind(x, y) == kCellBroken && was == kCellFragilePlain)
                    features.insert("fragile");
                if (after.GetCellKind(x, y) == kCellBroken && was == kCellFragileIce)
                    features.insert("fragileice");
                const int code = before.GetBrickCode(x, y);
                if (after.GetBrickCode(x, y) == 0 && code == kBrickBlocker)
                    features.insert("blocker");
            }
        }
        auto count = [](const cBoard& board, int code)
        {
            int n = 0;
            for (const cBoard::sBrick& brick : board.GetBricks())
                n += brick.code == code;
            return n;
        };
        if (count(after, kBrickMulti) < count(before, kBrickMulti) + brought[kBrickMulti])
            features.insert("multi");
        if (count(after, kBrickStar) < count(before, kBrickStar) + brought[kBrickStar])
            features.insert("star");
    }
    if (ears.heard.count(kSndVortex))
        features.insert("vortex");
    if (ears.heard.count(kSndPlasmaBolt))
        features.insert("plasma");
    // Bricks removed with a bomb: the blast sounds without a bolt.
    if (ears.heard.count(kSndExplosion))
    {
        bool bomb = false;
        for (int i = 0; i < level.GetPieceCount(); ++i)
            for (uint8_t code : level.GetPiece(i))
                bomb = bomb || code == kBrickBomb;
        for (int slot = 0; slot < kItemSlotCount; ++slot)
            bomb = bomb || level.GetItem(slot) == kBrickBomb;
        if (bomb)
            features.insert("bomb");
    }
    return features;
}

std::vector<std::string> FeatureList(const std::string& text)
{
    std::vector<std::string> names;
    std::istringstream in(text);
    std::string name;
    while (std::getline(in, name, ','))
        if (!name.empty())
            names.push_back(name);
    return names;
}
