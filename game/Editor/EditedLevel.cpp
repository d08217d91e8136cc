#include "game/Editor/EditedLevel.h"

#include "game/Game/Level.h"

#include <algorithm>
#include <utility>

cEditedLevel::cEditedLevel(const cBoardMetrics& metrics)
    : m_metrics(metrics), m_board(kNewWidth, kNewHeight, false, metrics)
{
    NewLevel();
}

void cEditedLevel::NewLevel()
{
    m_board = cBoard(kNewWidth, kNewHeight, false, m_metrics);
    m_pieces.assign(1, tPiece{});
    m_items = cItemPanel();
    m_name.clear();
    m_description.clear();
}

cLevel cEditedLevel::ToLevel() const
{
    cLevel level;
    level.SetName(m_name);
    level.SetDescription(m_description);
    level.SetWidth(m_board.GetWidth());
    level.SetHeight(m_board.GetHeight());
    level.SetAdjustIndexX(m_board.GetAdjustIndexX() != 0);
    for (int y = 0; y < m_board.GetHeight(); ++y)
        for (int x = 0; x < m_board.GetWidth(); ++x)
        {
            level.SetCell(x, y, m_board.GetCellKind(x, y));
            level.SetBrick(x, y, m_board.GetBrickCode(x, y));
        }
    std::vector<tPiece> pieces;
    for (const tPiece& piece : m_pieces)
        if (!IsEmptyPiece(piece))
            pieces.push_back(piece);
    level.SetPieceCount(static_cast<int>(pieces.size()));
    for (size_t i = 0; i < pieces.size(); ++i)
        level.SetPiece(static_cast<int>(i), pieces[i]);
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        level.SetItem(slot, m_items.GetSlot(slot));
    return level;
}

void cEditedLevel::FromLevel(const cLevel& level)
{
    m_board = cBoard(level, m_metrics);
    m_pieces.clear();
    for (int i = 0; i < level.GetPieceCount(); ++i)
        m_pieces.push_back(level.GetPiece(i));
    if (m_pieces.empty() || !IsEmptyPiece(m_pieces.back()))
        m_pieces.push_back(tPiece{});
    m_items = cItemPanel();
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        m_items.SetSlot(slot, level.GetItem(slot));
    m_name = level.GetName();
    m_description = level.GetDescription();
}

bool cEditedLevel::PutCell(int x, int y, int kind)
{
    if (!m_board.IsInside(x, y) || m_board.GetCellKind(x, y) == kind)
        return false;
    m_board.SetCell(x, y, kind);
    if (!IsPlaceableClass(CellClass(kind)))
        m_board.SetBrick(x, y, kBrickNone);
    return true;
}

bool cEditedLevel::PutBrick(int x, int y, int code)
{
    if (!m_board.IsInside(x, y) || m_board.GetBrickCode(x, y) == code ||
        !IsPlaceableClass(m_board.GetCellClass(x, y)))
        return false;
    m_board.SetBrick(x, y, code);
    return true;
}

bool cEditedLevel::Resize(int action)
{
    const int width = m_board.GetWidth();
    const int height = m_board.GetHeight();
    // A board larger than a level file may hold could be saved but never
    // loaded again.
    const bool wider = width < cLevel::kMaxSide;
    const bool taller = height < cLevel::kMaxSide;
    switch (action)
    {
    case kAddColumnLeft:
        if (wider)
            m_board.AddColumnLeft();
        break;
    case kRemoveColumnLeft:
        m_board.RemoveColumnLeft();
        break;
    case kAddColumnRight:
        if (wider)
            m_board.AddColumnRight();
        break;
    case kRemoveColumnRight:
        m_board.RemoveColumnRight();
        break;
    case kAddRowTop:
        if (taller)
            m_board.AddRowTop();
        break;
    case kRemoveRowTop:
        m_board.RemoveRowTop();
        break;
    case kAddRowBottom:
        if (taller)
            m_board.AddRowBottom();
        break;
    case kRemoveRowBottom:
        m_board.RemoveRowBottom();
        break;
    default:
        return false;
    }
    return m_board.GetWidth() != width || m_board.GetHeight() != height;
}

tPiece cEditedLevel::GetPiece(int index) const
{
    if (index < 0 || index >= GetPieceCount())
        return tPiece{};
    return m_pieces[static_cast<size_t>(index)];
}

void cEditedLevel::SetPiece(int index, const tPiece& piece)
{
    if (index < 0 || index >= GetPieceCount())
        return;
    m_pieces[static_cast<size_t>(index)] = piece;
    if (index == GetPieceCount() - 1 && !IsEmptyPiece(piece))
        m_pieces.push_back(tPiece{});
}

void cEditedLevel::ResizePieceList(int n)
{
    m_pieces.resize(static_cast<size_t>(std::max(n, 0)), tPiece{});
}

void cEditedLevel::SwapPieces(int a, int b)
{
    if (a < 0 || b < 0 || a >= GetPieceCount() || b >= GetPieceCount())
        return;
    std::swap(m_pieces[static_cast<size_t>(a)], m_pieces[static_cast<size_t>(b)]);
}

void cEditedLevel::InsertPiece(int index)
{
    if (index < 0 || index > GetPieceCount())
        return;
    m_pieces.insert(m_pieces.begin() + index, tPiece{});
}

void cEditedLevel::DeletePiece(int index)
{
    if (index < 0 || index >= GetPieceCount())
        return;
    if (index == GetPieceCount() - 1)
        m_pieces.back() = tPiece{};
    else
        m_pieces.erase(m_pieces.begin() + index);
}

bool cEditedLevel::IsEmptyPiece(const tPiece& piece)
{
    return std::all_of(piece.begin(), piece.end(), [](uint8_t b) { return b == 0; });
}
