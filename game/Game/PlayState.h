#pragma once

#include "game/Game/Board.h"
#include "game/Game/MoveLog.h"
#include "game/Game/PuzzleTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class cLevel;
class cPuzzle;

// A level at rest between two moves, as the solver, the grading tools and
// the hints see it: a headless board, the index of the next piece and the
// item slots. Playing a move runs its reaction to rest with the same
// outcome as the game's frame-by-frame update, but without drawing, sounds
// or undo, so positions are cheap to copy and to play on.
class cPlayState
{
public:
    // The board of `level` right after its start (the enclosures of the
    // starting layout removed and the board at rest), its random numbers
    // seeded as cPuzzle seeds them.
    static cPlayState FromLevel(const cLevel& level, uint32_t seed);
    // The position of a settled puzzle (its own random numbers go on).
    static cPlayState FromPuzzle(const cPuzzle& puzzle);

    // Plays `move` (rotation relative to the level's own orientation) and
    // runs the reaction to rest. False, with the state unchanged or
    // undefined, when the rules refuse it or the board never comes to rest;
    // callers play on a copy.
    bool Play(const cMove& move);
    // Whether the rules accept `move` here, without playing it.
    bool IsLegal(const cMove& move) const;

    // Every legal move, each distinct move once: a piece's rotations that
    // give the same shape count once (the lowest), and of several slots with
    // the same item only the first is offered. Pieces come before items;
    // pieces in row-major order of the cell, then rotation; items by slot,
    // then cell in row-major order.
    void LegalMoves(std::vector<cMove>& moves, bool useItems = true) const;

    bool IsCompleted() const;
    bool HasPiecesLeft() const;
    bool HasItems() const;
    // Colour, multi, star and plasma bricks on the board: what must go.
    int RemovableBricks() const;
    // Equal for positions with the same future: cells, bricks and their
    // flags, the next piece and the items held (in any slots).
    uint64_t Hash() const;

    const cBoard& GetBoard() const { return m_board; }
    int GetPieceIndex() const { return m_pieceIndex; }
    int GetPieceCount() const { return static_cast<int>(m_pieces->size()); }
    const tPiece& GetPiece(int i) const { return (*m_pieces)[static_cast<size_t>(i)]; }
    int GetItem(int slot) const { return m_items[static_cast<size_t>(slot)]; }

    // Frames after which a reaction counts as never coming to rest (ten
    // minutes of play at the replay step).
    static constexpr int kMaxFrames = 36000;

private:
    cPlayState(const cBoard& board, std::shared_ptr<const std::vector<tPiece>> pieces);

    cBoard m_board;
    // The level's pieces in its own orientation; shared by every copy.
    std::shared_ptr<const std::vector<tPiece>> m_pieces;
    int m_pieceIndex = 0;
    std::array<int, kItemSlotCount> m_items{};
};
