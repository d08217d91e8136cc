#include "Construction.h"

#include "ForgeRules.h"
#include "Layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace ForgeRules;

namespace
{
// Tries per step before the construction gives up on its seed.
constexpr int kAttempts = 80;

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
            if (IsRemovableBrick(board.GetBrickCode(x, y)))
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
        else if (!CarriesColour(code, colour))
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
        level.SetPiece(level.GetPieceCount() - 1,
                       cBoard::RotatedPiece(*step.piece, -step.move.rotation));
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
        std::erase_if(colours, [forcedCode](int c) { return !CarriesColour(forcedCode, c); });
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

bool cConstruction::RunStep(eKind kind, int itemSlot, bool last)
{
    // Pieces still to come after this step.
    const int stepsLeft =
        std::max(0, m_recipe.pieces - m_level.GetPieceCount()) - (kind == eKind::kItem ? 0 : 1);
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
    const int before = Now().RemovableBricks();

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
        const int left = after->RemovableBricks();
        int added = 0;
        if (step->piece)
            for (uint8_t code : *step->piece)
                added += IsRemovableBrick(static_cast<int8_t>(code));
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
