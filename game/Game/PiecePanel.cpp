#include "game/Game/PiecePanel.h"

#include "game/Game/Board.h"
#include "game/Game/Random.h"

#include <algorithm>

void cPiecePanel::SetCount(int n)
{
    m_pieces.assign(n > 0 ? static_cast<size_t>(n) : 0, tPiece{});
    m_startTurns.assign(m_pieces.size(), 0);
}

void cPiecePanel::SetPiece(int i, const tPiece& piece)
{
    if (i >= 0 && i < GetCount())
    {
        m_pieces[static_cast<size_t>(i)] = piece;
        m_startTurns[static_cast<size_t>(i)] = 0;
    }
}

tPiece cPiecePanel::GetPiece(int i) const
{
    return i >= 0 && i < GetCount() ? m_pieces[static_cast<size_t>(i)] : tPiece{};
}

void cPiecePanel::SetPieceTurnedRandomly(int i, const tPiece& piece, cRandom& random)
{
    const int r = random.RandomInt(0, 6);
    tPiece turned{};
    turned[0] = piece[0];
    for (int k = 1; k <= 6; ++k)
    {
        const int from = k + r <= 6 ? k + r : k + r - 6;
        turned[static_cast<size_t>(k)] = piece[static_cast<size_t>(from)];
    }
    SetPiece(i, turned);
    if (i >= 0 && i < GetCount())
        m_startTurns[static_cast<size_t>(i)] = r % 6;
}

int cPiecePanel::GetStartTurn(int i) const
{
    return i >= 0 && i < GetCount() ? m_startTurns[static_cast<size_t>(i)] : 0;
}

void cPiecePanel::SetActive(bool flag)
{
    m_active = flag;
    m_selectProgress = 0.0f;
}

void cPiecePanel::SetRotation(int rotation)
{
    m_rotation = ((rotation % 6) + 6) % 6;
}

void cPiecePanel::ResetRotation()
{
    m_rotation = 0;
    m_turnProgress = 1.0f;
}

void cPiecePanel::ResetPhases()
{
    m_multiPhase = 0.0f;
    m_starPhase = 0.0f;
}

void cPiecePanel::Rotate()
{
    m_rotation = m_rotation + 1 == 6 ? 0 : m_rotation + 1;
    m_turnProgress = 0.0f;
}

bool cPiecePanel::TryPut(int mx, int my, int ox, int oy, cBoard& board)
{
    if (!HasPiecesLeft())
        return true;
    int x = 0, y = 0;
    if (!board.CellAtPixel(mx - ox - 400, my - oy - 250, x, y))
        return false;
    return PutAt(x, y, board);
}

bool cPiecePanel::PutAt(int x, int y, cBoard& board)
{
    if (!HasPiecesLeft())
        return true;
    if (!board.PlacePiece(x, y, m_pieces[static_cast<size_t>(m_current)], m_rotation))
        return false;
    ++m_current;
    m_rotation = 0;
    m_selectProgress = 0.0f;
    m_queueSlide = 1.0f;
    return true;
}

void cPiecePanel::Update(float dt)
{
    if (m_turnProgress < 1.0f)
        m_turnProgress = std::min(1.0f, m_turnProgress + 7.0f * dt);
    if (m_selectProgress < 1.0f)
        m_selectProgress = std::min(1.0f, m_selectProgress + 2.0f * dt);
    if (m_queueSlide > 0.0f)
        m_queueSlide = std::max(0.0f, m_queueSlide - 5.0f * dt);
    m_multiPhase += 0.5f * dt;
    if (m_multiPhase >= 1.0f)
        m_multiPhase -= 1.0f;
    m_starPhase += 1.5f * dt;
    if (m_starPhase >= 1.0f)
        m_starPhase -= 1.0f;
}
