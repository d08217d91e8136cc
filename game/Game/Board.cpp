#include "game/Game/Board.h"

#include "game/Game/Level.h"

#include <algorithm>
#include <cmath>

cBoard::cBoard(int width, int height, bool adjustIndexX, const cBoardMetrics& metrics,
               uint32_t seed)
    : m_width(width < 0 ? 0 : width), m_height(height < 0 ? 0 : height),
      m_adjustIndexX(adjustIndexX ? 1 : 0), m_metrics(metrics), m_random(seed),
      m_drawRandom(seed ^ 0x5bd1e995u)
{
    const size_t size = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
    m_cells.assign(size, sCell{});
    m_bricks.assign(size, sBrick{});
}

cBoard::cBoard(const cLevel& level, const cBoardMetrics& metrics, uint32_t seed)
    : cBoard(level.GetWidth(), level.GetHeight(), level.GetAdjustIndexX(), metrics, seed)
{
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            m_cells[Index(x, y)].kind = static_cast<uint8_t>(level.GetCell(x, y));
            SetBrick(x, y, level.GetBrick(x, y));
            // Construction leaves the covered flag only where a brick stands.
            m_cells[Index(x, y)].covered = GetBrickCode(x, y) > 0 ? 1 : 0;
        }
    }
    CountSpecials();
}

namespace
{
bool IsPushingKind(int kind)
{
    return kind >= kCellArrowNorth && kind <= kCellVortex;
}

bool IsBombOrPlasma(int code)
{
    return code == kBrickBomb || code == kBrickPlasma;
}
} // namespace

void cBoard::CountSpecials()
{
    m_pushingCells = 0;
    for (const sCell& cell : m_cells)
        m_pushingCells += IsPushingKind(cell.kind);
    m_bombsAndPlasma = 0;
    for (const sBrick& brick : m_bricks)
        m_bombsAndPlasma += IsBombOrPlasma(brick.code);
}

std::array<int, 6> cBoard::Neighbours6Cells(int x, int y) const
{
    std::array<int, 6> result{};
    for (int d = 1; d <= 6; ++d)
    {
        int nx = x, ny = y;
        Neighbour(x, y, d, nx, ny);
        result[static_cast<size_t>(d - 1)] = GetCellKind(nx, ny);
    }
    return result;
}

std::array<int, 6> cBoard::Neighbours6Bricks(int x, int y) const
{
    std::array<int, 6> result{};
    for (int d = 1; d <= 6; ++d)
    {
        int nx = x, ny = y;
        Neighbour(x, y, d, nx, ny);
        result[static_cast<size_t>(d - 1)] = GetBrickCode(nx, ny);
    }
    return result;
}

int cBoard::ColumnPitch() const
{
    return m_metrics.cellWidth - m_metrics.cellHeight / 4 + 1;
}

int cBoard::CellTop(int x, int y) const
{
    return y * m_metrics.cellHeight + (IsOddColumn(x) ? m_metrics.cellHeight / 2 : 0);
}

void cBoard::CellCentre(int x, int y, int& px, int& py) const
{
    px = m_metrics.cellWidth / 2 + ColumnLeft(x);
    py = m_metrics.cellHeight / 2 + CellTop(x, y);
}

bool cBoard::CellAtPixel(int px, int py, int& x, int& y) const
{
    const int cw = m_metrics.cellWidth;
    const int ch = m_metrics.cellHeight;
    // Only the few cells whose rectangles can hold the point are looked at,
    // in the same order as a scan of the whole board.
    const int pitch = ColumnPitch();
    const bool narrow = pitch > 0 && ch > 0;
    const auto below = [](int value, int step)
    { return static_cast<int>(std::floor(static_cast<double>(value) / step)); };
    const int firstY = narrow ? std::max(0, below(py - 2 * ch, ch)) : 0;
    const int lastY = narrow ? std::min(m_height - 1, below(py, ch)) : m_height - 1;
    const int firstX = narrow ? std::max(0, below(px - cw, pitch)) : 0;
    const int lastX = narrow ? std::min(m_width - 1, below(px, pitch)) : m_width - 1;
    for (int cy = firstY; cy <= lastY; ++cy)
    {
        for (int cx = firstX; cx <= lastX; ++cx)
        {
            const int left = ColumnLeft(cx);
            const int top = CellTop(cx, cy);
            if (px < left || px >= left + cw || py < top || py >= top + ch)
                continue;
            const double dx = cw / 2 + left - px;
            const double dy = ch / 2 + top - py;
            if (std::sqrt(dx * dx + dy * dy) < 18.0)
            {
                x = cx;
                y = cy;
                return true;
            }
        }
    }
    return false;
}

int cBoard::PixelWidth() const
{
    return ColumnPitch() * (m_width - 1) + m_metrics.cellWidth;
}

int cBoard::PixelHeight() const
{
    return m_height * m_metrics.cellHeight + m_metrics.cellHeight / 2;
}

int cBoard::ContentCentreX() const
{
    int smallest = PixelWidth();
    int largest = 0;
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            if (GetCellKind(x, y) == 0)
                continue;
            const int left = ColumnLeft(x);
            if (left < smallest)
                smallest = left;
            if (left + m_metrics.cellWidth > largest)
                largest = left + m_metrics.cellWidth;
        }
    }
    return (smallest + largest) / 2;
}

int cBoard::ContentCentreY() const
{
    int smallest = PixelHeight();
    int largest = 0;
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            if (GetCellKind(x, y) == 0)
                continue;
            const int top = CellTop(x, y);
            if (top < smallest)
                smallest = top;
            if (top + m_metrics.cellHeight > largest)
                largest = top + m_metrics.cellHeight;
        }
    }
    return (smallest + largest) / 2;
}

bool cBoard::IsCovered(int x, int y) const
{
    return IsInside(x, y) && m_cells[Index(x, y)].covered != 0;
}

bool cBoard::IsMovable(int x, int y) const
{
    return IsInside(x, y) && m_bricks[Index(x, y)].movable != 0;
}

bool cBoard::IsDestructible(int x, int y) const
{
    return IsInside(x, y) && m_bricks[Index(x, y)].destructible != 0;
}

void cBoard::SetCell(int x, int y, int kind)
{
    if (!IsInside(x, y))
        return;
    sCell& cell = m_cells[Index(x, y)];
    m_pushingCells += IsPushingKind(kind) - IsPushingKind(cell.kind);
    cell.kind = static_cast<uint8_t>(kind);
    cell.covered = 0;
    Changed();
}

void cBoard::SetBrick(int x, int y, int code)
{
    if (!IsInside(x, y))
        return;
    sBrick& brick = m_bricks[Index(x, y)];
    m_bombsAndPlasma += IsBombOrPlasma(static_cast<int8_t>(code)) - IsBombOrPlasma(brick.code);
    brick.code = static_cast<int8_t>(code);
    brick.movable = brick.code != kBrickBlocker ? 1 : 0;
    brick.destructible = 1;
    if (brick.code > 0)
        m_cells[Index(x, y)].covered = 1;
    Changed();
}

// Builds new arrays of the new size (holes, no bricks) and copies every old
// position that still fits, shifted by (shiftX, shiftY).
void cBoard::Resize(int width, int height, int shiftX, int shiftY)
{
    std::vector<sCell> cells(static_cast<size_t>(width) * height);
    std::vector<sBrick> bricks(static_cast<size_t>(width) * height);
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            const int nx = x + shiftX;
            const int ny = y + shiftY;
            if (nx < 0 || ny < 0 || nx >= width || ny >= height)
                continue;
            cells[static_cast<size_t>(ny) * width + nx] = m_cells[Index(x, y)];
            bricks[static_cast<size_t>(ny) * width + nx] = m_bricks[Index(x, y)];
        }
    }
    m_width = width;
    m_height = height;
    m_cells = std::move(cells);
    m_bricks = std::move(bricks);
    CountSpecials();
    Changed();
}

void cBoard::AddColumnLeft()
{
    Resize(m_width + 1, m_height, 1, 0);
    m_adjustIndexX = 1 - m_adjustIndexX;
}

void cBoard::AddColumnRight()
{
    Resize(m_width + 1, m_height, 0, 0);
}

void cBoard::AddRowTop()
{
    Resize(m_width, m_height + 1, 0, 1);
}

void cBoard::AddRowBottom()
{
    Resize(m_width, m_height + 1, 0, 0);
}

void cBoard::RemoveColumnLeft()
{
    if (m_width <= 1)
        return;
    Resize(m_width - 1, m_height, -1, 0);
    m_adjustIndexX = 1 - m_adjustIndexX;
}

void cBoard::RemoveColumnRight()
{
    if (m_width <= 1)
        return;
    Resize(m_width - 1, m_height, 0, 0);
}

void cBoard::RemoveRowTop()
{
    if (m_height <= 1)
        return;
    Resize(m_width, m_height - 1, 0, -1);
}

void cBoard::RemoveRowBottom()
{
    if (m_height <= 1)
        return;
    Resize(m_width, m_height - 1, 0, 0);
}
