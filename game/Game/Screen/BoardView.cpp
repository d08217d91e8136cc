#include "game/Game/Screen/BoardView.h"

#include "engine/Display/Image.h"
#include "engine/Display/ImageResource.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/Board.h"

#include <algorithm>
#include <cstdlib>

using namespace Korva;

namespace
{
// Animations of SprCells that crumble a fragile plain and a fragile ice cell.
constexpr int32_t kCrumbleAnimA = 13;
constexpr int32_t kCrumbleAnimB = 14;

// How far the frames of `sprite` reach left of, right of, above and below
// the point they are drawn at (their hot spot), merged into `extent`.
void AddReach(cBoardView::sReach& extent, const cSprite* sprite)
{
    for (int32_t i = 0; sprite && i < sprite->GetFrameCount(); ++i)
    {
        const cSpriteFrame& f = sprite->GetFrame(i);
        extent.left = std::max(extent.left, f.hotSpotX);
        extent.right = std::max(extent.right, f.width - f.hotSpotX);
        extent.up = std::max(extent.up, f.hotSpotY);
        extent.down = std::max(extent.down, f.height - f.hotSpotY);
    }
}

// Rounds towards minus infinity, for pixels left of or above the origin.
int FloorDiv(int value, int divisor)
{
    const int quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

// Draws everything between the two calls as one batch of the device.
class cBatch
{
public:
    explicit cBatch(cRenderDevice& device) : m_device(device) { m_device.BeginBatch(); }
    ~cBatch() { m_device.EndBatch(); }
    cBatch(const cBatch&) = delete;
    cBatch& operator=(const cBatch&) = delete;

private:
    cRenderDevice& m_device;
};

// Additive blending for glowing effects; the previous state comes back after.
class cAdditive
{
public:
    explicit cAdditive(cRenderDevice& device) : m_device(device)
    {
        m_device.PushRenderState();
        cRenderState state = m_device.GetRenderState();
        state.blendMode = kBlendAdditive;
        m_device.SetRenderState(state);
    }
    ~cAdditive() { m_device.PopRenderState(); }
    cAdditive(const cAdditive&) = delete;
    cAdditive& operator=(const cAdditive&) = delete;

private:
    cRenderDevice& m_device;
};
} // namespace

cBoardView::cBoardView()
    : m_cells(FindSprite("SprCells")), m_explosion(FindSprite("SprExplosion")),
      m_bricks(cBrickSprites::Find("Shadow"))
{
    if (auto* bolt = dynamic_cast<cImageResource*>(cResManager::Get().Find("ImgPlasmaBolt")))
        m_bolt = bolt->GetImage();
    for (size_t kind = 0; kind < m_cellPlayers.size(); ++kind)
    {
        m_cellPlayers[kind] = std::make_unique<cAnimPlayer>(m_cells);
        if (m_cells)
            m_cellPlayers[kind]->Play(static_cast<int32_t>(kind));
    }
    m_plasma = std::make_unique<cAnimPlayer>(m_bricks.plasma);
    if (m_bricks.plasma)
        m_plasma->Play(0);
    AddReach(m_cellReach, m_cells);
    for (const cSprite* sprite :
         {m_explosion, m_bricks.colour, m_bricks.multi, m_bricks.star, m_bricks.blocker,
          m_bricks.bomb, m_bricks.plasma, m_bricks.symbols})
        AddReach(m_brickReach, sprite);
}

cRect cBoardView::Reach(const cBoard& board, const cRect& area) const
{
    // Bricks, effects and their pictures lie around cell centres, half a
    // cell from the corners the cells are drawn from.
    const int32_t margin =
        std::max({m_cellReach.left, m_cellReach.right, m_cellReach.up, m_cellReach.down,
                  m_brickReach.left, m_brickReach.right, m_brickReach.up, m_brickReach.down}) +
        std::max(board.GetCellWidth(), board.GetCellHeight());
    return cRect(area.x - margin, area.y - margin, area.width + 2 * margin,
                 area.height + 2 * margin);
}

cBoardView::sCellRange cBoardView::VisibleCells(const cBoard& board, const cRect& area, int32_t ox,
                                                int32_t oy) const
{
    sCellRange range;
    const int pitch = board.ColumnPitch();
    const int width = board.GetCellWidth();
    const int height = board.GetCellHeight();
    if (pitch <= 0 || height <= 0 || area.width <= 0 || area.height <= 0)
        return range;
    // A cell's corner lies at (x * pitch, y * height) on the board, half a
    // cell lower in odd columns; its picture reaches `before` pixels left of
    // (or above) the corner and `after` pixels right of (or below) it, its
    // brick's around the centre.
    const int beforeX = std::max(m_cellReach.left, m_brickReach.left - width / 2);
    const int afterX = std::max(m_cellReach.right, width / 2 + m_brickReach.right);
    const int beforeY = std::max(m_cellReach.up, m_brickReach.up - height / 2);
    const int afterY = std::max(m_cellReach.down, height / 2 + m_brickReach.down);
    const int left = area.x - ox, top = area.y - oy;
    const int right = left + area.width, bottom = top + area.height;
    // A column is seen when corner + after > left and corner - before < right.
    range.firstX = std::max(0, FloorDiv(left - afterX, pitch) + 1);
    range.lastX = std::min(board.GetWidth() - 1, FloorDiv(right + beforeX - 1, pitch));
    // Rows alike, for the lower (odd) columns at the top.
    range.firstY = std::max(0, FloorDiv(top - afterY - height / 2, height) + 1);
    range.lastY = std::min(board.GetHeight() - 1, FloorDiv(bottom + beforeY - 1, height));
    return range;
}

void cBoardView::Update(float dt)
{
    m_time += dt;
    for (auto& player : m_cellPlayers)
        player->Update(dt);
    m_plasma->Update(dt);
}

int32_t cBoardView::GetBombFrame(const cBoard& board) const
{
    // One shared timer: every bomb shows the same fuse frame. While no fuse
    // burns the idle animation runs on the view's own clock.
    const int anim = board.GetBombAnimation();
    const float time = anim == 0 ? m_time : board.GetBombTime();
    return AnimFrameAt(m_bricks.bomb, anim, time);
}

int32_t cBoardView::GetParticleFrame(const cBoard& board, size_t particle) const
{
    const cBoard::sParticle& p = board.GetParticles()[particle];
    if (!p.started || p.dead)
        return -1;
    return AnimFrameAt(m_explosion, 0, p.animTime);
}

void cBoardView::Draw(cRenderDevice& device, const cBoard& board, int32_t ox, int32_t oy,
                      bool showHoles) const
{
    cBrickLook look;
    look.multiPhase = board.GetMultiPhase();
    look.starPhase = board.GetStarPhase();
    look.bombFrame = GetBombFrame(board);
    look.plasmaFrame = m_plasma->GetFrame();

    const cRect area = device.IsClipEnabled() ? device.GetClip()
                                              : cRect(0, 0, device.GetWidth(), device.GetHeight());
    const sCellRange range = VisibleCells(board, area, ox, oy);
    const cRect reach = Reach(board, area);
    {
        cBatch batch(device);
        DrawCells(board, range, reach, ox, oy, showHoles);
    }
    {
        // Newest first, so the oldest (smallest) lies on top.
        cBatch batch(device);
        const auto& fading = board.GetFading();
        for (size_t i = fading.size(); i-- > 0;)
        {
            int32_t cx = 0, cy = 0;
            board.CellCentre(fading[i].x, fading[i].y, cx, cy);
            if (reach.Contains(ox + cx, oy + cy))
                DrawBrick(m_bricks, look, fading[i].code, ox + cx, oy + cy, 255, fading[i].alpha);
        }
    }
    {
        cBatch batch(device);
        DrawBricks(board, range, reach, look, ox, oy);
    }
    if (m_explosion)
    {
        cAdditive additive(device);
        cBatch batch(device);
        const auto& particles = board.GetParticles();
        for (size_t i = 0; i < particles.size(); ++i)
        {
            const auto x = ox + static_cast<int32_t>(particles[i].x);
            const auto y = oy + static_cast<int32_t>(particles[i].y);
            if (!reach.Contains(x, y))
                continue;
            const int32_t frame = GetParticleFrame(board, i);
            if (frame >= 0)
                m_explosion->DrawFrame(x, y, frame);
        }
    }
    DrawBolts(device, board, ox, oy);
}

void cBoardView::DrawCells(const cBoard& board, const sCellRange& range, const cRect& reach,
                           int32_t ox, int32_t oy, bool showHoles) const
{
    if (!m_cells)
        return;
    const auto& cells = board.GetCells();
    for (int y = range.firstY; y <= range.lastY; ++y)
    {
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(board.GetWidth());
        for (int x = range.firstX; x <= range.lastX; ++x)
        {
            const int kind = cells[row + static_cast<size_t>(x)].kind;
            if (kind < 0 || kind >= kCellKindCount || (kind == 0 && !showHoles))
                continue;
            m_cells->DrawFrame(ox + board.ColumnLeft(x), oy + board.CellTop(x, y),
                               m_cellPlayers[static_cast<size_t>(kind)]->GetFrame());
        }
    }
    const float crumble = board.GetCrumbleTime();
    for (const cBoard::sCrumble& c : board.GetCrumbling())
    {
        const int32_t x = ox + board.ColumnLeft(c.x);
        const int32_t y = oy + board.CellTop(c.x, c.y);
        if (!reach.Contains(x, y))
            continue;
        const int32_t anim = c.kind == kCellFragileIce ? kCrumbleAnimB : kCrumbleAnimA;
        const int32_t frame = AnimFrameAt(m_cells, anim, crumble);
        if (frame >= 0)
            m_cells->DrawFrame(x, y, frame);
    }
}

void cBoardView::DrawBricks(const cBoard& board, const sCellRange& range, const cRect& reach,
                            const cBrickLook& look, int32_t ox, int32_t oy) const
{
    const auto& bricks = board.GetBricks();
    for (int y = range.firstY; y <= range.lastY; ++y)
    {
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(board.GetWidth());
        for (int x = range.firstX; x <= range.lastX; ++x)
        {
            const int code = bricks[row + static_cast<size_t>(x)].code;
            if (code <= 0)
                continue;
            int32_t cx = 0, cy = 0;
            board.CellCentre(x, y, cx, cy);
            DrawBrick(m_bricks, look, code, ox + cx, oy + cy);
        }
    }
    // A moving brick travels on the straight line between the two centres.
    for (const cBoard::sMover& m : board.GetMovers())
    {
        int32_t fx = 0, fy = 0, tx = 0, ty = 0;
        board.CellCentre(m.fromX, m.fromY, fx, fy);
        board.CellCentre(m.toX, m.toY, tx, ty);
        const auto x = fx + static_cast<int32_t>(static_cast<float>(tx - fx) * m.progress);
        const auto y = fy + static_cast<int32_t>(static_cast<float>(ty - fy) * m.progress);
        if (reach.Contains(ox + x, oy + y))
            DrawBrick(m_bricks, look, m.code, ox + x, oy + y);
    }
}

void cBoardView::DrawBolts(cRenderDevice& device, const cBoard& board, int32_t ox, int32_t oy) const
{
    if (!m_bolt || board.GetBolts().empty())
        return;
    cAdditive additive(device);
    cBatch batch(device);
    const auto w = static_cast<float>(m_bolt->GetWidth());
    const auto h = static_cast<float>(m_bolt->GetHeight());
    const cPointF source1[3] = {{0.0f, 0.0f}, {0.0f, h}, {w, h}};
    const cPointF source2[3] = {{0.0f, 0.0f}, {w, h}, {w, 0.0f}};
    const cColor white(255, 255, 255, 255);
    for (const cBoard::sBolt& bolt : board.GetBolts())
    {
        for (int row = 0; row < bolt.rows; ++row)
        {
            for (int column = 0; column + 1 < bolt.columns; ++column)
            {
                const cBoard::sBoltPoint& a =
                    bolt.points[static_cast<size_t>(row * bolt.columns + column)];
                const cBoard::sBoltPoint& b =
                    bolt.points[static_cast<size_t>(row * bolt.columns + column + 1)];
                const auto ax = static_cast<float>(ox + a.restX + a.jitterX);
                const auto ay = static_cast<float>(oy + a.restY + a.jitterY);
                const auto bx = static_cast<float>(ox + b.restX + b.jitterX);
                const auto by = static_cast<float>(oy + b.restY + b.jitterY);
                const cPointF aPlus(ax + a.halfX, ay + a.halfY);
                const cPointF aMinus(ax - a.halfX, ay - a.halfY);
                const cPointF bMinus(bx - b.halfX, by - b.halfY);
                const cPointF bPlus(bx + b.halfX, by + b.halfY);
                const cPointF first[3] = {aPlus, aMinus, bMinus};
                const cPointF second[3] = {aPlus, bMinus, bPlus};
                m_bolt->DrawTriangle(first, source1, white);
                m_bolt->DrawTriangle(second, source2, white);
            }
        }
    }
}
