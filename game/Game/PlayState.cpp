#include "game/Game/PlayState.h"

#include "game/Game/Level.h"
#include "game/Game/Puzzle.h"

#include <algorithm>
#include <cstring>

cPlayState::cPlayState(const cBoard& board, std::shared_ptr<const std::vector<tPiece>> pieces)
    : m_board(board), m_pieces(std::move(pieces))
{
    m_board.SetSoundListener(nullptr);
    m_board.SetHeadless(true);
}

namespace
{
std::shared_ptr<const std::vector<tPiece>> LevelPieces(const cLevel& level)
{
    auto pieces = std::make_shared<std::vector<tPiece>>();
    for (int i = 0; i < level.GetPieceCount(); ++i)
        pieces->push_back(level.GetPiece(i));
    return pieces;
}
} // namespace

cPlayState cPlayState::FromLevel(const cLevel& level, uint32_t seed)
{
    // The board's generator is seeded from the puzzle's as cPuzzle does it.
    cRandom random(seed);
    const uint32_t high = static_cast<uint32_t>(random.Next());
    const uint32_t boardSeed = high * 32768u + static_cast<uint32_t>(random.Next());
    cPlayState state(cBoard(level, {}, boardSeed), LevelPieces(level));
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        state.m_items[static_cast<size_t>(slot)] = level.GetItem(slot);
    state.m_board.RunMatches();
    state.m_board.Settle(cPuzzle::kReplayStep, kMaxFrames);
    return state;
}

cPlayState cPlayState::FromPuzzle(const cPuzzle& puzzle)
{
    cPlayState state(puzzle.GetBoard(), LevelPieces(puzzle.GetLevel()));
    state.m_pieceIndex = puzzle.GetPiecePanel().GetCurrentIndex();
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        state.m_items[static_cast<size_t>(slot)] = puzzle.GetItemPanel().GetSlot(slot);
    return state;
}

bool cPlayState::IsLegal(const cMove& move) const
{
    if (IsCompleted())
        return false;
    if (move.item)
    {
        if (move.slot < 0 || move.slot >= kItemSlotCount)
            return false;
        const int code = m_items[static_cast<size_t>(move.slot)];
        return code != 0 && m_board.CanUseItem(move.x, move.y, code);
    }
    return HasPiecesLeft() &&
           m_board.CanPlacePiece(move.x, move.y, GetPiece(m_pieceIndex), move.rotation);
}

bool cPlayState::Play(const cMove& move)
{
    if (!IsLegal(move))
        return false;
    if (move.item)
    {
        int& slot = m_items[static_cast<size_t>(move.slot)];
        m_board.UseItem(move.x, move.y, slot);
        slot = 0;
    }
    else
    {
        m_board.PlacePiece(move.x, move.y, GetPiece(m_pieceIndex), move.rotation);
        ++m_pieceIndex;
    }
    return m_board.Settle(cPuzzle::kReplayStep, kMaxFrames) >= 0;
}

void cPlayState::LegalMoves(std::vector<cMove>& moves, bool useItems) const
{
    moves.clear();
    if (IsCompleted())
        return;
    const int width = m_board.GetWidth();
    const int height = m_board.GetHeight();
    if (HasPiecesLeft())
    {
        // The rotations that give a shape not seen at a lower rotation.
        const tPiece& piece = GetPiece(m_pieceIndex);
        std::array<tPiece, 6> shapes{};
        std::array<int, 6> rotations{};
        int distinct = 0;
        for (int rotation = 0; rotation < 6; ++rotation)
        {
            const tPiece shape = cBoard::RotatedPiece(piece, rotation);
            if (std::find(shapes.begin(), shapes.begin() + distinct, shape) ==
                shapes.begin() + distinct)
            {
                shapes[static_cast<size_t>(distinct)] = shape;
                rotations[static_cast<size_t>(distinct++)] = rotation;
            }
        }
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int i = 0; i < distinct; ++i)
                    if (m_board.CanPlacePiece(x, y, shapes[static_cast<size_t>(i)], 0))
                        moves.push_back(cMove{false, x, y, rotations[static_cast<size_t>(i)], 0});
    }
    if (!useItems)
        return;
    for (int slot = 0; slot < kItemSlotCount; ++slot)
    {
        const int code = m_items[static_cast<size_t>(slot)];
        if (code == 0 ||
            std::find(m_items.begin(), m_items.begin() + slot, code) != m_items.begin() + slot)
            continue;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (m_board.CanUseItem(x, y, code))
                    moves.push_back(cMove{true, x, y, 0, slot});
    }
}

bool cPlayState::IsCompleted() const
{
    return !HasPiecesLeft() && m_board.IsCleared();
}

bool cPlayState::HasPiecesLeft() const
{
    return m_pieceIndex < GetPieceCount();
}

bool cPlayState::HasItems() const
{
    return std::any_of(m_items.begin(), m_items.end(), [](int code) { return code != 0; });
}

int cPlayState::RemovableBricks() const
{
    int count = 0;
    for (const cBoard::sBrick& brick : m_board.GetBricks())
        count += IsRemovableBrick(brick.code);
    return count;
}

namespace
{
// A quick 64-bit hash of a byte run: eight bytes at a time, each mixed in
// with a multiply and a rotation.
uint64_t HashBytes(const void* data, size_t size, uint64_t hash)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    auto mix = [&hash](uint64_t word)
    {
        hash = (hash ^ word) * 0x9e3779b97f4a7c15ull;
        hash ^= hash >> 29;
    };
    size_t i = 0;
    for (; i + 8 <= size; i += 8)
    {
        uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        mix(word);
    }
    uint64_t tail = 0;
    std::memcpy(&tail, bytes + i, size - i);
    mix(tail ^ (static_cast<uint64_t>(size) << 56));
    return hash;
}
} // namespace

uint64_t cPlayState::Hash() const
{
    const auto& cells = m_board.GetCells();
    const auto& bricks = m_board.GetBricks();
    uint64_t hash = HashBytes(cells.data(), cells.size() * sizeof(cells[0]), 0x51ed27fd1a2b3c4dull);
    hash = HashBytes(bricks.data(), bricks.size() * sizeof(bricks[0]), hash);
    // The items as a sorted list: which slot holds an item does not matter.
    std::array<int, kItemSlotCount> items = m_items;
    std::sort(items.begin(), items.end());
    hash = HashBytes(items.data(), sizeof(items), hash ^ static_cast<uint64_t>(m_pieceIndex));
    return hash;
}
