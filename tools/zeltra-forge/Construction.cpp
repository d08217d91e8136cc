#include "Construction.h"

#include "Layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace
{
// Tries per step before the construction gives up on its seed.
constexpr int kAttempts = 80;

bool StandsStill(int kind)
{
    return kind == kCellPlain || kind == kCellIce || kind == kCellFragilePlain ||
           kind == kCellFragileIce;
}

bool IsMovingKind(int kind)
{
    return (kind >= kCellArrowNorth && kind <= kCellArrowNorthWest) || kind == kCellVortex ||
           CellClass(kind) == kClassIce;
}

bool Carries(int code, int colour)
{
    if (code == kBrickMulti || code == kBrickStar)
        return true;
    return IsColourBrick(code) && (code / 10 == colour || code % 10 == colour);
}

bool Removable(int code)
{
    return (code >= 1 && code <= kBrickStar) || code == kBrickPlasma;
}

int RemovableCount(const cPlayState& state)
{
    return state.RemovableBricks();
}

// The stored piece that, turned `rotation` sixths, lies as `placed`.
tPiece Unturned(const tPiece& placed, int rotation)
{
    tPiece stored{};
    stored[0] = placed[0];
    for (int k = 1; k <= 6; ++k)
        stored[static_cast<size_t>(k)] = placed[static_cast<size_t>((k - 1 + rotation) % 6 + 1)];
    return stored;
}

// Same board but for the filled-in bricks, which sit where they were put.
bool SameWithRetro(const cBoard& before, const cBoard& after,
                   const std::vector<std::pair<std::pair<int, int>, int>>& retro)
{
    if (before.GetCells().size() != after.GetCells().size())
        return false;
    const int w = before.GetWidth();
    for (size_t i = 0; i < before.GetCells().size(); ++i)
    {
        const int x = static_cast<int>(i) % w;
        const int y = static_cast<int>(i) / w;
        const auto it = std::find_if(retro.begin(), retro.end(),
                                     [x, y](const auto& r) {
                                         return r.first == std::pair{x, y};
                                     });
        if (it != retro.end())
        {
            if (after.GetBricks()[i].code != static_cast<int8_t>(it->second) ||
                before.GetCells()[i].kind != after.GetCells()[i].kind)
                return false;
            continue;
        }
        if (!(before.GetCells()[i] == after.GetCells()[i]) ||
            !(before.GetBricks()[i] == after.GetBricks()[i]))
            return false;
    }
    return true;
}
} // namespace

cConstruction::cConstruction(const sRecipe& recipe, uint32_t seed)
    : m_recipe(recipe), m_random(seed)
{
    m_level = MakeLayout(recipe, m_random);
    std::vector<int> slots(kItemSlotCount);
    std::iota(slots.begin(), slots.end(), 0);
    std::shuffle(slots.begin(), slots.end(), m_random);
    size_t next = 0;
    for (int code : recipe.items)
        if (next < slots.size())
            m_level.SetItem(slots[next++], code);
    for (int code : recipe.decoys)
        if (next < slots.size())
            m_level.SetItem(slots[next++], code);
    for (; next < slots.size(); ++next)
        m_level.SetItem(slots[next], 0);
    m_level.SetPieceCount(0);
    m_starsLeft = recipe.star ? 1 : 0;
}

std::vector<cConstruction::tCell> cConstruction::Window(int cx, int cy) const
{
    const cBoard& board = Now().GetBoard();
    std::vector<tCell> cells{{cx, cy}};
    for (int d = 1; d <= 6; ++d)
    {
        int x = cx, y = cy;
        board.Neighbour(cx, cy, d, x, y);
        cells.emplace_back(x, y);
    }
    return cells;
}

std::vector<cConstruction::tCell> cConstruction::Leftovers(const cPlayState& state) const
{
    std::vector<tCell> cells;
    const cBoard& board = state.GetBoard();
    for (int y = 0; y < board.GetHeight(); ++y)
        for (int x = 0; x < board.GetWidth(); ++x)
            if (Removable(board.GetBrickCode(x, y)))
                cells.emplace_back(x, y);
    return cells;
}

int cConstruction::Code(int colour)
{
    if (m_recipe.multi && Pick(0, 99) < 8)
        return kBrickMulti;
    const int r = Pick(0, 99);
    int other = colour;
    if (m_recipe.colours > 1)
        while (other == colour)
            other = Pick(1, m_recipe.colours);
    if (r < 45)
        return colour * 11;
    return r < 72 ? colour * 10 + other : other * 10 + colour;
}

bool cConstruction::RetroOk(const cPlayState& state, const tCell& cell) const
{
    const cBoard& board = state.GetBoard();
    const int kind = board.GetCellKind(cell.first, cell.second);
    return (kind == kCellPlain || kind == kCellFragilePlain) && !m_touched.count(cell) &&
           board.IsFree(cell.first, cell.second);
}

bool cConstruction::WindowOpen(const cPlayState& state, int cx, int cy, int colour, bool retroOk,
                               std::vector<tCell>* empties) const
{
    const cBoard& board = state.GetBoard();
    if (empties)
        empties->clear();
    for (const tCell& cell : Window(cx, cy))
    {
        if (!board.IsInside(cell.first, cell.second) ||
            !StandsStill(board.GetCellKind(cell.first, cell.second)))
            return false;
        const int code = board.GetBrickCode(cell.first, cell.second);
        if (code == 0)
        {
            if (!board.IsFree(cell.first, cell.second) || (retroOk && !RetroOk(state, cell)))
                return false;
            if (empties)
                empties->push_back(cell);
        }
        else if (!Carries(code, colour))
            return false;
    }
    return true;
}

bool cConstruction::Feasible(const cPlayState& state, int stepsLeft) const
{
    const std::vector<tCell> left = Leftovers(state);
    if (stepsLeft <= 0)
        return left.empty();
    if (static_cast<int>(left.size()) > stepsLeft * 7)
        return false;
    const cBoard& board = state.GetBoard();
    for (const tCell& cell : left)
    {
        const int code = board.GetBrickCode(cell.first, cell.second);
        if (code == kBrickPlasma)
            continue; // waits for its partner
        std::vector<int> colours;
        if (IsColourBrick(code))
            colours = {code / 10, code % 10};
        else
            for (int c = 1; c <= m_recipe.colours; ++c)
                colours.push_back(c);
        bool open = false;
        for (int d = 0; d <= 6 && !open; ++d)
        {
            int cx = cell.first, cy = cell.second;
            if (d > 0)
                board.Neighbour(cell.first, cell.second, d, cx, cy);
            for (int colour : colours)
                open = open || WindowOpen(state, cx, cy, colour, false, nullptr);
        }
        if (!open)
            return false;
    }
    return true;
}

std::optional<cPlayState> cConstruction::Try(const sStep& step, cLevel& level) const
{
    level = m_level;
    std::vector<std::pair<tCell, int>> retro;
    for (const sRetro& r : step.retro)
    {
        level.SetBrick(r.cell.first, r.cell.second, r.code);
        retro.emplace_back(r.cell, r.code);
    }
    if (step.piece)
    {
        level.SetPieceCount(level.GetPieceCount() + 1);
        for (int i = 0; i + 1 < level.GetPieceCount(); ++i)
            level.SetPiece(i, m_level.GetPiece(i));
        level.SetPiece(level.GetPieceCount() - 1, Unturned(*step.piece, step.move.rotation));
    }
    // The solution so far must replay as before, the filled-in bricks
    // sitting untouched all along.
    cPlayState state = cPlayState::FromLevel(level, 1);
    if (!state.GetBoard().IsIdle() ||
        !SameWithRetro(m_states[0].GetBoard(), state.GetBoard(), retro))
        return std::nullopt;
    for (size_t i = 0; i < m_moves.size(); ++i)
    {
        if (!state.Play(m_moves[i]) ||
            !SameWithRetro(m_states[i + 1].GetBoard(), state.GetBoard(), retro))
            return std::nullopt;
    }
    if (!state.Play(step.move))
        return std::nullopt;
    return state;
}

std::optional<cConstruction::sStep> cConstruction::ProposeFit(bool extrasAllowed, int forcedCode)
{
    const cPlayState& now = Now();
    const cBoard& board = now.GetBoard();
    const std::vector<tCell> left = Leftovers(now);
    tCell anchor;
    if (!left.empty() && Pick(0, 99) < 85)
        anchor = left[static_cast<size_t>(Pick(0, static_cast<int>(left.size()) - 1))];
    else
        anchor = {Pick(0, board.GetWidth() - 1), Pick(0, board.GetHeight() - 1)};
    const int anchorCode = board.GetBrickCode(anchor.first, anchor.second);
    std::vector<int> colours;
    if (IsColourBrick(anchorCode))
        colours = {anchorCode / 10, anchorCode % 10};
    else if (anchorCode == 0 || anchorCode == kBrickMulti || anchorCode == kBrickStar)
        colours = {Pick(1, m_recipe.colours)};
    else
        return std::nullopt;
    if (IsColourBrick(forcedCode))
    {
        // A loose colour brick closes only a window of a colour it carries.
        std::erase_if(colours, [forcedCode](int c) { return !Carries(forcedCode, c); });
        if (colours.empty())
            colours = {forcedCode / 10};
    }
    std::vector<tCell> centres = Window(anchor.first, anchor.second);
    std::shuffle(centres.begin(), centres.end(), m_random);
    std::shuffle(colours.begin(), colours.end(), m_random);
    std::vector<tCell> empties;
    for (const tCell& centre : centres)
    {
        for (int colour : colours)
        {
            if (!WindowOpen(now, centre.first, centre.second, colour, false, &empties) ||
                empties.empty())
                continue;
            const std::vector<tCell> window = Window(centre.first, centre.second);
            // Cells that cannot be filled in must come from the piece.
            std::vector<tCell> needed, optional;
            for (const tCell& cell : empties)
                (RetroOk(now, cell) ? optional : needed).push_back(cell);
            std::vector<tCell> pieceCentres = window;
            std::shuffle(pieceCentres.begin(), pieceCentres.end(), m_random);
            for (const tCell& p : pieceCentres)
            {
                if (!board.IsInside(p.first, p.second))
                    continue;
                const std::vector<tCell> flower = Window(p.first, p.second);
                auto inFlower = [&flower](const tCell& c)
                { return std::find(flower.begin(), flower.end(), c) != flower.end(); };
                if (!std::all_of(needed.begin(), needed.end(), inFlower))
                    continue;
                std::vector<tCell> coverable;
                for (const tCell& cell : optional)
                    if (inFlower(cell))
                        coverable.push_back(cell);
                std::shuffle(coverable.begin(), coverable.end(), m_random);
                std::vector<tCell> fill = needed;
                const int want =
                    Pick(std::max(0, m_recipe.minPieceBricks - static_cast<int>(fill.size())),
                         m_recipe.maxPieceBricks - static_cast<int>(fill.size()));
                for (size_t i = 0;
                     i < coverable.size() &&
                     static_cast<int>(fill.size()) < static_cast<int>(needed.size()) + want;
                     ++i)
                    fill.push_back(coverable[i]);
                if (fill.empty() || static_cast<int>(fill.size()) > m_recipe.maxPieceBricks)
                    continue;
                // Bricks the piece leaves behind for later windows.
                std::vector<tCell> extras;
                if (extrasAllowed)
                {
                    std::vector<tCell> spare;
                    for (const tCell& cell : flower)
                        if (std::find(window.begin(), window.end(), cell) == window.end() &&
                            board.IsFree(cell.first, cell.second) &&
                            StandsStill(board.GetCellKind(cell.first, cell.second)))
                            spare.push_back(cell);
                    std::shuffle(spare.begin(), spare.end(), m_random);
                    const int room = m_recipe.maxPieceBricks - static_cast<int>(fill.size());
                    const int count =
                        std::min<int>({static_cast<int>(spare.size()), m_recipe.maxExtras, room});
                    extras.assign(spare.begin(), spare.begin() + Pick(0, std::max(0, count)));
                }
                sStep step;
                tPiece placed{};
                bool forced = forcedCode == 0;
                for (int k = 0; k < 7; ++k)
                {
                    const tCell& cell = flower[static_cast<size_t>(k)];
                    int code = 0;
                    if (std::find(fill.begin(), fill.end(), cell) != fill.end())
                    {
                        code = Code(colour);
                        if (!forced)
                            code = forcedCode, forced = true;
                    }
                    else if (std::find(extras.begin(), extras.end(), cell) != extras.end())
                        code = Code(Pick(1, m_recipe.colours));
                    placed[static_cast<size_t>(k)] = static_cast<uint8_t>(code);
                }
                for (const tCell& cell : optional)
                    if (std::find(fill.begin(), fill.end(), cell) == fill.end())
                        step.retro.push_back(sRetro{cell, Code(colour)});
                step.piece = placed;
                step.move = cMove{false, p.first, p.second, Pick(0, 5), 0};
                step.mustClear = window;
                // A star that clears its colour across the board is worth a
                // step of its own.
                if (forcedCode == kBrickStar)
                    step.bonus = 10;
                return step;
            }
        }
    }
    return std::nullopt;
}

bool cConstruction::FitWindowAround(const std::vector<tCell>& cells, const cPlayState& after,
                                    sStep& step)
{
    const cBoard& board = after.GetBoard();
    std::vector<tCell> shuffled = cells;
    std::shuffle(shuffled.begin(), shuffled.end(), m_random);
    std::vector<tCell> empties;
    for (const tCell& cell : shuffled)
    {
        const int code = board.GetBrickCode(cell.first, cell.second);
        std::vector<int> colours;
        if (IsColourBrick(code))
            colours = {code / 10, code % 10};
        else if (code == kBrickMulti || code == kBrickStar)
            colours = {Pick(1, m_recipe.colours)};
        else
            continue;
        std::vector<tCell> centres = Window(cell.first, cell.second);
        std::shuffle(centres.begin(), centres.end(), m_random);
        for (const tCell& centre : centres)
        {
            for (int colour : colours)
            {
                if (!WindowOpen(after, centre.first, centre.second, colour, true, &empties) ||
                    empties.empty())
                    continue;
                for (const tCell& empty : empties)
                    step.retro.push_back(sRetro{empty, Code(colour)});
                step.mustClear = Window(centre.first, centre.second);
                return true;
            }
        }
    }
    return false;
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
    cLevel level;
    const std::optional<cPlayState> after = Try(step, level);
    if (!after)
        return std::nullopt;
    std::vector<tCell> landed;
    const cBoard& next = after->GetBoard();
    for (int y = 0; y < next.GetHeight(); ++y)
        for (int x = 0; x < next.GetWidth(); ++x)
            if (next.GetBrickCode(x, y) != board.GetBrickCode(x, y) && next.GetBrickCode(x, y) > 0)
                landed.emplace_back(x, y);
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
    cLevel level;
    const std::optional<cPlayState> after = Try(step, level);
    if (!after)
        return std::nullopt;
    std::vector<tCell> moved;
    const cBoard& next = after->GetBoard();
    for (int y = 0; y < next.GetHeight(); ++y)
        for (int x = 0; x < next.GetWidth(); ++x)
            if (next.GetBrickCode(x, y) != board.GetBrickCode(x, y) && next.GetBrickCode(x, y) > 0)
                moved.emplace_back(x, y);
    if (moved.empty())
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
    const int d = !swap                        ? code - 200
                  : code == kItemSwapNorthWest ? kNorthWest
                  : code == kItemSwapNorth     ? kNorth
                                               : kNorthEast;
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
        if (fillSource ? !RetroOk(now, source) : !Carries(there, colour))
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

bool cConstruction::RunStep(eKind kind, int itemSlot, bool last)
{
    const int stepsLeft = [&]
    {
        int pieces = 0;
        for (int i = m_level.GetPieceCount(); i < m_recipe.pieces; ++i)
            ++pieces;
        return pieces - (kind == eKind::kItem ? 0 : 1);
    }();
    const double progress = static_cast<double>(m_moves.size()) /
                            static_cast<double>(m_recipe.pieces + m_recipe.items.size());
    const bool hasMoving = [&]
    {
        const cBoard& board = Now().GetBoard();
        for (int y = 0; y < board.GetHeight(); ++y)
            for (int x = 0; x < board.GetWidth(); ++x)
                if (IsMovingKind(board.GetCellKind(x, y)))
                    return true;
        return false;
    }();
    const int before = RemovableCount(Now());

    std::optional<sStep> best;
    cLevel bestLevel;
    std::optional<cPlayState> bestState;
    int bestScore = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt)
    {
        std::optional<sStep> step;
        switch (kind)
        {
        case eKind::kPiece:
            if (hasMoving && Pick(0, 99) < 35)
                step = ProposeDrop();
            else
            {
                int forced = 0;
                if (m_starsLeft > 0 && progress > 0.3 && Pick(0, 99) < 30)
                    forced = kBrickStar;
                step = ProposeFit(progress < 0.6 && !last, forced);
            }
            break;
        case eKind::kBombPiece:
            step = ProposeBomb();
            break;
        case eKind::kPlasmaPiece:
            step = ProposePlasma();
            break;
        case eKind::kItem:
            step = ProposeItem(itemSlot);
            break;
        }
        if (!step)
            continue;
        cLevel level;
        const std::optional<cPlayState> after = Try(*step, level);
        if (!after)
            continue;
        const cBoard& board = after->GetBoard();
        if (!std::all_of(step->mustClear.begin(), step->mustClear.end(),
                         [&board](const tCell& c)
                         { return board.GetBrickCode(c.first, c.second) == 0; }))
            continue;
        if (last ? !after->IsCompleted() : !Feasible(*after, stepsLeft))
            continue;
        const int left = RemovableCount(*after);
        int added = 0;
        if (step->piece)
            for (uint8_t code : *step->piece)
                added += Removable(static_cast<int8_t>(code));
        added += static_cast<int>(step->retro.size());
        const int removed = before + added - left;
        if (removed <= 0 && (kind == eKind::kBombPiece || kind == eKind::kPlasmaPiece))
            continue;
        // Bricks left behind tie the steps together: a level keeps a few of
        // them waiting in its middle and none at its end.
        const double peak = std::min(9.0, 2.0 + m_recipe.pieces);
        const int target = last ? 0 : static_cast<int>(peak * std::sin(3.14159 * progress) + 0.5);
        const int score =
            -3 * std::abs(left - target) + std::min(removed, 7) / 2 + step->bonus + Pick(0, 4);
        if (!best || score > bestScore)
        {
            best = step;
            bestLevel = level;
            bestState = after;
            bestScore = score;
        }
        if (attempt >= kAttempts / 4 && best)
            break;
    }
    if (!best)
        return false;
    m_level = bestLevel;
    m_moves.push_back(best->move);
    if (best->piece)
        m_starsLeft -= std::count(best->piece->begin(), best->piece->end(), kBrickStar);
    // Replayed states with the new filled-in bricks.
    m_states.clear();
    cPlayState state = cPlayState::FromLevel(m_level, 1);
    m_states.push_back(state);
    for (const cMove& move : m_moves)
    {
        state.Play(move);
        m_states.push_back(state);
    }
    for (const cPlayState& s : m_states)
        for (const tCell& cell : Leftovers(s))
            m_touched.insert(cell);
    for (const tCell& cell : Leftovers(m_states.front()))
        m_touched.insert(cell);
    return true;
}

std::optional<sForged> cConstruction::Build()
{
    m_states = {cPlayState::FromLevel(m_level, 1)};
    const cBoard& start = m_states[0].GetBoard();
    for (int y = 0; y < start.GetHeight(); ++y)
        for (int x = 0; x < start.GetWidth(); ++x)
            if (start.GetBrickCode(x, y) != 0)
                m_touched.insert({x, y});

    // The order of steps: pieces, some carrying bombs or plasma, with the
    // items used between them (never last: the last piece ends the level).
    std::vector<std::pair<eKind, int>> plan(static_cast<size_t>(m_recipe.pieces),
                                            {eKind::kPiece, 0});
    std::vector<size_t> middle;
    for (size_t i = 1; i + 1 < plan.size(); ++i)
        middle.push_back(i);
    std::shuffle(middle.begin(), middle.end(), m_random);
    size_t next = 0;
    for (int i = 0; i < m_recipe.bombs && next < middle.size(); ++i)
        plan[middle[next++]].first = eKind::kBombPiece;
    for (int i = 0; i < m_recipe.plasma && next < middle.size(); ++i)
        plan[middle[next++]].first = eKind::kPlasmaPiece;
    for (int code : m_recipe.items)
    {
        int slot = 0;
        while (slot < kItemSlotCount && m_level.GetItem(slot) != code)
            ++slot;
        const size_t at = static_cast<size_t>(Pick(1, static_cast<int>(plan.size()) - 1));
        plan.insert(plan.begin() + static_cast<std::ptrdiff_t>(at), {eKind::kItem, slot});
    }
    // Items with the same code: each step uses the next slot holding it.
    std::vector<int> usedSlots;
    for (auto& entry : plan)
    {
        if (entry.first != eKind::kItem)
            continue;
        const int code = m_level.GetItem(entry.second);
        for (int slot = 0; slot < kItemSlotCount; ++slot)
            if (m_level.GetItem(slot) == code &&
                std::find(usedSlots.begin(), usedSlots.end(), slot) == usedSlots.end())
            {
                entry.second = slot;
                usedSlots.push_back(slot);
                break;
            }
    }
    for (size_t i = 0; i < plan.size(); ++i)
        if (!RunStep(plan[i].first, plan[i].second, i + 1 == plan.size()))
            return std::nullopt;

    // Explosions and bolts take random times: the solution must not depend
    // on them.
    for (uint32_t seed : {1u, 2u, 3u, 77u, 4242u})
    {
        cPlayState state = cPlayState::FromLevel(m_level, seed);
        for (const cMove& move : m_moves)
            if (!state.Play(move))
                return std::nullopt;
        if (!state.IsCompleted())
            return std::nullopt;
    }
    return sForged{m_level, m_moves};
}
