// The steps that use the board's mechanics and the items: bricks dropped
// onto arrows and ice, bombs, plasma bolts, and tools laid out for their
// windows.
#include "Construction.h"
#include "ForgeRules.h"

#include <algorithm>

using namespace ForgeRules;

bool cConstruction::Landed(const sStep& step, std::optional<cPlayState>& after,
                           std::vector<tCell>& cells) const
{
    cLevel level;
    after = Try(step, level);
    if (!after)
        return false;
    const cBoard& before = Now().GetBoard();
    const cBoard& next = after->GetBoard();
    cells.clear();
    for (int y = 0; y < next.GetHeight(); ++y)
        for (int x = 0; x < next.GetWidth(); ++x)
            if (next.GetBrickCode(x, y) != before.GetBrickCode(x, y) && next.GetBrickCode(x, y) > 0)
                cells.emplace_back(x, y);
    return true;
}

std::optional<cConstruction::sStep> cConstruction::ProposeDrop()
{
    const cPlayState& now = Now();
    const cBoard& board = now.GetBoard();
    std::vector<tCell> moving;
    for (int y = 0; y < board.GetHeight(); ++y)
        for (int x = 0; x < board.GetWidth(); ++x)
            if (IsMovingKind(board.GetCellKind(x, y)) && board.IsFree(x, y))
                moving.emplace_back(x, y);
    if (moving.empty())
        return std::nullopt;
    const tCell target = moving[static_cast<size_t>(Pick(0, static_cast<int>(moving.size()) - 1))];
    std::vector<tCell> flower = Window(target.first, target.second);
    const tCell p = flower[static_cast<size_t>(Pick(0, 6))];
    flower = Window(p.first, p.second);
    const int colour = Pick(1, m_recipe.colours);
    tPiece placed{};
    int bricks = 0;
    const int want = Pick(m_recipe.minPieceBricks, m_recipe.maxPieceBricks);
    for (int k = 0; k < 7; ++k)
    {
        const tCell& cell = flower[static_cast<size_t>(k)];
        const bool onTarget = cell == target;
        if (!board.IsFree(cell.first, cell.second) || (!onTarget && bricks + 1 >= want))
            continue;
        if (onTarget || Pick(0, 99) < 40)
        {
            placed[static_cast<size_t>(k)] = static_cast<uint8_t>(Code(colour));
            ++bricks;
        }
    }
    sStep step;
    step.piece = placed;
    step.move = cMove{false, p.first, p.second, Pick(0, 5), 0};
    // Where the bricks come to rest decides the window.
    std::optional<cPlayState> after;
    std::vector<tCell> landed;
    if (!Landed(step, after, landed))
        return std::nullopt;
    // Without a window to close here, the bricks wait for later pieces.
    if (!landed.empty() && FitWindowAround(landed, *after, step))
        step.bonus = 6; // the floor carries a brick into its window: what the level is about
    return step;
}

std::optional<cConstruction::sStep> cConstruction::ProposeBomb()
{
    const cPlayState& now = Now();
    const cBoard& board = now.GetBoard();
    // Next to bricks that are hard to enclose, or to blockers.
    std::vector<tCell> targets;
    for (int y = 0; y < board.GetHeight(); ++y)
        for (int x = 0; x < board.GetWidth(); ++x)
            if (board.GetBrickCode(x, y) > 0 && board.GetBrickCode(x, y) != kBrickPlasma)
                targets.emplace_back(x, y);
    if (targets.empty())
        return std::nullopt;
    const tCell target =
        targets[static_cast<size_t>(Pick(0, static_cast<int>(targets.size()) - 1))];
    std::vector<tCell> around = Window(target.first, target.second);
    around.erase(around.begin());
    std::shuffle(around.begin(), around.end(), m_random);
    for (const tCell& p : around)
    {
        if (!board.IsFree(p.first, p.second) || !StandsStill(board.GetCellKind(p.first, p.second)))
            continue;
        sStep step;
        tPiece placed{};
        placed[0] = kBrickBomb;
        // Spare bricks beside the bomb go up with it.
        const std::vector<tCell> flower = Window(p.first, p.second);
        for (int k = 1; k <= 6; ++k)
            if (board.IsFree(flower[static_cast<size_t>(k)].first,
                             flower[static_cast<size_t>(k)].second) &&
                Pick(0, 99) < 25)
                placed[static_cast<size_t>(k)] =
                    static_cast<uint8_t>(Code(Pick(1, m_recipe.colours)));
        step.piece = placed;
        step.move = cMove{false, p.first, p.second, Pick(0, 5), 0};
        return step;
    }
    return std::nullopt;
}

std::optional<cConstruction::sStep> cConstruction::ProposePlasma()
{
    const cPlayState& now = Now();
    const cBoard& board = now.GetBoard();
    const std::vector<tCell> left = Leftovers(now);
    if (left.empty())
        return std::nullopt;
    const tCell through = left[static_cast<size_t>(Pick(0, static_cast<int>(left.size()) - 1))];
    const int d = Pick(1, 6);
    // Walk both ways from the brick to find the two ends of the bolt: one
    // sat on the board from the start, the other comes with the piece.
    auto end = [&](int direction, bool filledIn) -> std::optional<tCell>
    {
        int x = through.first, y = through.second;
        std::vector<tCell> free;
        for (;;)
        {
            board.Neighbour(x, y, direction, x, y);
            if (!board.IsInside(x, y) || board.GetCellClass(x, y) == kClassBroken ||
                board.GetBrickCode(x, y) == kBrickPlasma)
                break;
            if (board.IsFree(x, y) && StandsStill(board.GetCellKind(x, y)) &&
                (!filledIn || RetroOk(now, {x, y})))
                free.emplace_back(x, y);
        }
        if (free.empty())
            return std::nullopt;
        return free[static_cast<size_t>(Pick(0, static_cast<int>(free.size()) - 1))];
    };
    const std::optional<tCell> a = end(d, true);
    const std::optional<tCell> b = end(OppositeDirection(d), false);
    if (!a || !b)
        return std::nullopt;
    sStep step;
    step.retro.push_back(sRetro{*a, kBrickPlasma});
    tPiece placed{};
    placed[0] = kBrickPlasma;
    step.piece = placed;
    step.move = cMove{false, b->first, b->second, Pick(0, 5), 0};
    return step;
}

std::optional<cConstruction::sStep> cConstruction::ProposeItem(int slot)
{
    const cPlayState& now = Now();
    const cBoard& board = now.GetBoard();
    const int code = now.GetItem(slot);
    sStep step;
    if (code >= 1 && code <= kBrickStar)
    {
        // A loose brick closes a window like a piece of one brick.
        const int saveMin = m_recipe.minPieceBricks, saveMax = m_recipe.maxPieceBricks;
        m_recipe.minPieceBricks = m_recipe.maxPieceBricks = 1;
        std::optional<sStep> fit = ProposeFit(false, code);
        m_recipe.minPieceBricks = saveMin;
        m_recipe.maxPieceBricks = saveMax;
        if (!fit)
            return std::nullopt;
        const tPiece& placed = *fit->piece;
        const auto it =
            std::find_if(placed.begin(), placed.end(), [](uint8_t c) { return c != 0; });
        if (it == placed.end())
            return std::nullopt;
        const int k = static_cast<int>(it - placed.begin());
        int x = fit->move.x, y = fit->move.y;
        if (k > 0)
            board.Neighbour(fit->move.x, fit->move.y, k, x, y);
        step.retro = fit->retro;
        step.mustClear = fit->mustClear;
        step.move = cMove{true, x, y, 0, slot};
        return step;
    }
    if (code == kBrickBomb || code == kBrickPlasma)
    {
        std::optional<sStep> piece = code == kBrickBomb ? ProposeBomb() : ProposePlasma();
        if (!piece)
            return std::nullopt;
        step.retro = piece->retro;
        step.move = cMove{true, piece->move.x, piece->move.y, 0, slot};
        return step;
    }
    const bool pushOrSwap = code >= kItemPushFirst && code <= kItemSwapNorthEast;
    if (pushOrSwap && Pick(0, 99) < 70)
        return ProposeToolFit(slot, code);
    // A tool: used on a brick, then a window is filled in where bricks landed.
    std::vector<tCell> uses;
    for (int y = 0; y < board.GetHeight(); ++y)
        for (int x = 0; x < board.GetWidth(); ++x)
            if (board.CanUseItem(x, y, code))
                uses.emplace_back(x, y);
    if (uses.empty())
        return std::nullopt;
    const tCell use = uses[static_cast<size_t>(Pick(0, static_cast<int>(uses.size()) - 1))];
    step.move = cMove{true, use.first, use.second, 0, slot};
    std::optional<cPlayState> after;
    std::vector<tCell> moved;
    if (!Landed(step, after, moved) || moved.empty())
        return std::nullopt;
    // Without a window to close here, the tool moves a brick where a later
    // piece can enclose it.
    if (FitWindowAround(moved, *after, step))
        step.bonus = 4;
    return step;
}

std::optional<cConstruction::sStep> cConstruction::ProposeToolFit(int slot, int code)
{
    const cPlayState& now = Now();
    const cBoard& board = now.GetBoard();
    const bool swap = code >= kItemSwapNorthWest;
    const int d = swap ? SwapDirection(code) : PushDirection(code);
    // The window: near a leftover when there is one, all its gaps free to
    // fill in.
    const std::vector<tCell> left = Leftovers(now);
    tCell anchor{Pick(0, board.GetWidth() - 1), Pick(0, board.GetHeight() - 1)};
    if (!left.empty() && Pick(0, 99) < 70)
        anchor = left[static_cast<size_t>(Pick(0, static_cast<int>(left.size()) - 1))];
    std::vector<tCell> centres = Window(anchor.first, anchor.second);
    std::shuffle(centres.begin(), centres.end(), m_random);
    const int colour = Pick(1, m_recipe.colours);
    std::vector<tCell> empties;
    for (const tCell& centre : centres)
    {
        if (!WindowOpen(now, centre.first, centre.second, colour, true, &empties) ||
            empties.empty())
            continue;
        const std::vector<tCell> window = Window(centre.first, centre.second);
        const tCell gap =
            empties[static_cast<size_t>(Pick(0, static_cast<int>(empties.size()) - 1))];
        if (CellClass(board.GetCellKind(gap.first, gap.second)) == kClassIce)
            continue; // the brick would slide on through
        // Where the moved brick comes from: against the push, or the swap's
        // other cell on either side.
        int px = gap.first, py = gap.second;
        const int from = !swap || Pick(0, 1) ? OppositeDirection(d) : d;
        board.Neighbour(gap.first, gap.second, from, px, py);
        const tCell source{px, py};
        if (!board.IsInside(px, py) || !StandsStill(board.GetCellKind(px, py)) ||
            std::find(window.begin(), window.end(), source) != window.end())
            continue;
        const int there = board.GetBrickCode(px, py);
        const bool fillSource = there == 0;
        if (fillSource ? !RetroOk(now, source) : !CarriesColour(there, colour))
            continue;
        sStep step;
        for (const tCell& cell : empties)
        {
            if (cell != gap)
                step.retro.push_back(sRetro{cell, Code(colour)});
            else if (swap)
            {
                // The brick the swap takes out of the window: of a colour
                // that keeps the window open until then.
                int wrong = colour;
                while (wrong == colour && m_recipe.colours > 1)
                    wrong = Pick(1, m_recipe.colours);
                if (wrong == colour)
                    return std::nullopt;
                step.retro.push_back(sRetro{cell, wrong * 11});
            }
        }
        if (fillSource)
            step.retro.push_back(sRetro{source, Code(colour)});
        // A push is used on the brick it moves; a swap on the cell whose
        // neighbour in its direction is the other.
        const tCell use = !swap || from == OppositeDirection(d) ? source : gap;
        step.move = cMove{true, use.first, use.second, 0, slot};
        step.mustClear = window;
        step.bonus = 4;
        return step;
    }
    return std::nullopt;
}
