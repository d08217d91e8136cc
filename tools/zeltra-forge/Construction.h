#pragma once

#include "Recipe.h"

#include "game/Game/Level.h"
#include "game/Game/MoveLog.h"
#include "game/Game/PlayState.h"

#include <optional>
#include <random>
#include <set>
#include <utility>
#include <vector>

// A level built together with a solution, and the solution.
struct sForged
{
    cLevel level;
    std::vector<cMove> moves;
};

// Builds a level forward, one move of its solution at a time. Each step
// aims at an enclosure: a window of seven cells whose bricks share a colour.
// Bricks the window still lacks come from the step's piece, or are put on
// the starting board where no brick has ever been (the "filled-in" bricks:
// they sat there from the start, untouched by every earlier move, which a
// replay of the whole solution confirms). A piece may also leave bricks
// behind for later windows, push bricks along arrows and ice, blow them up
// or fire a bolt through them; items move bricks into windows. Every step is
// played with the game's own rules, so the solution is known to work when
// the level is done.
class cConstruction
{
public:
    cConstruction(const sRecipe& recipe, uint32_t seed);
    // The level and its solution, or nothing when this seed led nowhere.
    std::optional<sForged> Build();

private:
    using tCell = std::pair<int, int>;
    struct sRetro
    {
        tCell cell;
        int code;
    };
    // One proposed step: its move, the piece it puts (for piece moves, in
    // board orientation around the move's cell) and the bricks it fills in.
    struct sStep
    {
        cMove move;
        std::optional<tPiece> piece;
        std::vector<sRetro> retro;
        std::vector<tCell> mustClear; // the window the step closes, if any
        int bonus = 0;                // preferred over plain steps by this much
    };
    enum class eKind
    {
        kPiece,
        kBombPiece,
        kPlasmaPiece,
        kItem,
    };

    bool RunStep(eKind kind, int itemSlot, bool last);
    std::optional<sStep> ProposeFit(bool extrasAllowed, int forcedCode);
    std::optional<sStep> ProposeDrop();
    std::optional<sStep> ProposeBomb();
    std::optional<sStep> ProposePlasma();
    std::optional<sStep> ProposeItem(int slot);
    // A push or swap laid out for its window: the brick it moves (and, for a
    // swap, the wrong brick it moves away) filled in beside the gap.
    std::optional<sStep> ProposeToolFit(int slot, int code);
    // Fills in a window around one of `cells` (bricks the move has just put
    // or moved), so that the move completes it.
    bool FitWindowAround(const std::vector<tCell>& cells, const cPlayState& after, sStep& step);
    // Plays `step` on the board as it stands; `cells` are where a brick now
    // stands that did not before, where the move's bricks came to rest.
    bool Landed(const sStep& step, std::optional<cPlayState>& after,
                std::vector<tCell>& cells) const;
    // Plays `step` on the level with its bricks filled in; the state after it
    // when the whole solution so far still replays unchanged.
    std::optional<cPlayState> Try(const sStep& step, cLevel& level) const;
    bool Feasible(const cPlayState& state, int stepsLeft) const;
    bool WindowOpen(const cPlayState& state, int cx, int cy, int colour, bool retroOk,
                    std::vector<tCell>* empties) const;
    bool RetroOk(const cPlayState& state, const tCell& cell) const;
    int Code(int colour);
    int Pick(int a, int b)
    {
        return b <= a ? a : std::uniform_int_distribution<int>(a, b)(m_random);
    }
    const cPlayState& Now() const { return m_states.back(); }
    std::vector<tCell> Leftovers(const cPlayState& state) const;
    std::vector<tCell> Window(int cx, int cy) const;

    sRecipe m_recipe;
    std::mt19937 m_random;
    cLevel m_level; // the starting board so far, the pieces so far, the items
    std::vector<cMove> m_moves;
    std::vector<cPlayState> m_states; // at the start and after each move
    std::set<tCell> m_touched;        // cells that held a brick at some rest
    int m_starsLeft = 0;
};
