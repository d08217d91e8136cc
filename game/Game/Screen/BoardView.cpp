#include "game/Game/Screen/BoardView.h"

#include "engine/Display/Image.h"
#include "engine/Display/ImageResource.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/Board.h"

using namespace Korva;

namespace
{
// Animations of SprCells that crumble a fragile plain and a fragile ice cell.
constexpr int32_t kCrumbleAnimA = 13;
constexpr int32_t kCrumbleAnimB = 14;

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

    {
        cBatch batch(device);
        DrawCells(board, ox, oy, showHoles);
    }
    {
        // Newest first, so the oldest (smallest) lies on top.
        cBatch batch(device);
        const auto& fading = board.GetFading();
        for (size_t i = fading.size(); i-- > 0;)
        {
            int32_t cx = 0, cy = 0;
            board.CellCentre(fading[i].x, fading[i].y, cx, cy);
            DrawBrick(m_bricks, look, fading[i].code, ox + cx, oy + cy, 255, fading[i].alpha);
        }
    }
    {
        cBatch batch(device);
        DrawBricks(board, look, ox, oy);
    }
    if (m_explosion)
    {
        cAdditive additive(device);
        cBatch batch(device);
        const auto& particles = board.GetParticles();
        for (size_t i = 0; i < particles.size(); ++i)
        {
            const int32_t frame = GetParticleFrame(board, i);
            if (frame >= 0)
                m_explosion->DrawFrame(ox + static_cast<int32_t>(particles[i].x),
                                       oy + static_cast<int32_t>(particles[i].y), frame);
        }
    }
    DrawBolts(device, board, ox, oy);
}

void cBoardView::DrawCells(const cBoard& board, int32_t ox, int32_t oy, bool showHoles) const
{
    if (!m_cells)
        return;
    for (int y = 0; y < board.GetHeight(); ++y)
    {
        for (int x = 0; x < board.GetWidth(); ++x)
        {
            const int kind = board.GetCellKind(x, y);
            if (kind < 0 || kind >= kCellKindCount || (kind == 0 && !showHoles))
                continue;
            m_cells->DrawFrame(ox + board.ColumnLeft(x), oy + board.CellTop(x, y),
                               m_cellPlayers[static_cast<size_t>(kind)]->GetFrame());
        }
    }
    const float crumble = board.GetCrumbleTime();
    for (const cBoard::sCrumble& c : board.GetCrumbling())
    {
        const int32_t anim = c.kind == kCellFragileIce ? kCrumbleAnimB : kCrumbleAnimA;
        const int32_t frame = AnimFrameAt(m_cells, anim, crumble);
        if (frame >= 0)
            m_cells->DrawFrame(ox + board.ColumnLeft(c.x), oy + board.CellTop(c.x, c.y), frame);
    }
}

void cBoardView::DrawBricks(const cBoard& board, const cBrickLook& look, int32_t ox,
                            int32_t oy) const
{
    for (int y = 0; y < board.GetHeight(); ++y)
    {
        for (int x = 0; x < board.GetWidth(); ++x)
        {
            const int code = board.GetBrickCode(x, y);
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
