// The board's reaction: everything that happens after a move until the board
// is at rest, in the order one frame runs it.
#include "game/Game/Board.h"

#include <algorithm>

namespace
{
// Brick moves one cell per 0.25 s; removed bricks fade in 0.5 s.
constexpr float kMoverSpeed = 4.0f;
constexpr float kFadeSpeed = 2.0f;
// Explosion particles destroy their cell's brick 0.2 s after their delay.
constexpr float kParticleDestroyTime = 0.2f;
constexpr int kParticlesPerCell = 30;
// A bolt destroys what lies between its ends at 0.5 s and ends at 1 s.
constexpr float kBoltHitTime = 0.5f;
constexpr float kBoltEndTime = 1.0f;

void WrapPhase(float& phase, float delta)
{
    phase += delta;
    while (phase >= 1.0f)
        phase -= 1.0f;
}
} // namespace

void cBoard::Update(float dt, bool active)
{
    WrapPhase(m_multiPhase, 0.5f * dt);
    WrapPhase(m_starPhase, 1.5f * dt);
    AdvanceTimers(dt);
    if (!active)
        return;
    StepReaction(dt);
    // The fragile-cell pass finds nothing new either until something changed.
    if (IsIdle() && (m_everyPass || m_changes != m_fragileQuietAt))
    {
        RunFragileCells();
        m_fragileQuietAt = m_changes;
    }
}

// The bomb timer and the crumble animations run even while the game is
// paused, like every other animation of the board.
void cBoard::AdvanceTimers(float dt)
{
    if (m_bombAnimation != 0)
    {
        m_bombTime += dt;
        if (m_bombAnimation == 1 && m_bombTime >= m_metrics.fuseTime)
            OnFuseBurnt();
        else if (m_bombAnimation == 2 && m_bombTime >= m_metrics.blastTime)
        {
            m_bombAnimation = 0;
            m_bombTime = 0.0f;
            Changed();
        }
    }
    if (m_crumbleRunning)
    {
        m_crumbleTime += dt;
        // The first of the two crumble animations to end breaks the cells.
        if (m_crumbleTime >= std::min(m_metrics.crumbleTimeA, m_metrics.crumbleTimeB))
        {
            m_crumbleRunning = false;
            for (const sCrumble& crumble : m_crumbling)
                SetCell(crumble.x, crumble.y, kCellBroken);
            m_crumbling.clear();
        }
    }
}

void cBoard::OnFuseBurnt()
{
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            if (GetBrickCode(x, y) == kBrickBomb)
            {
                CreateExplosion(x, y, 0.0f, 0.0f);
                ExplodeAround(x, y, 0.0f, 0.1f);
            }
        }
    }
    m_bombAnimation = 2;
    m_bombTime = 0.0f;
    Changed();
    Play(kSndExplosion);
}

void cBoard::ExplodeAround(int x, int y, float minDelay, float maxDelay)
{
    for (int d = 1; d <= 6; ++d)
    {
        int nx = x, ny = y;
        Neighbour(x, y, d, nx, ny);
        if (IsInside(nx, ny) && IsPlaceableClass(GetCellClass(nx, ny)))
            CreateExplosion(nx, ny, minDelay, maxDelay);
    }
}

void cBoard::UpdateFading(float dt)
{
    for (sFading& fading : m_fading)
        fading.alpha -= kFadeSpeed * dt;
    std::erase_if(m_fading, [](const sFading& fading) { return fading.alpha <= 0.0f; });
}

// Points `mover` at the brick at (x, y), which a stopping brick knocked on.
bool cBoard::ReuseMover(sMover& mover, int x, int y, int direction)
{
    const int code = GetBrickCode(x, y);
    if (code == 0)
        return false;
    mover.fromX = x;
    mover.fromY = y;
    Neighbour(x, y, direction, mover.toX, mover.toY);
    mover.direction = direction;
    mover.progress = 0.0f;
    mover.code = code;
    SetBrick(x, y, 0);
    return true;
}

void cBoard::UpdateMovers(float dt)
{
    for (size_t i = 0; i < m_movers.size();)
    {
        sMover& mover = m_movers[i];
        mover.progress += kMoverSpeed * dt;
        if (mover.progress < 1.0f)
        {
            ++i;
            continue;
        }
        // Every arrival changes what is free, even when the brick slides on.
        Changed();
        const int tx = mover.toX;
        const int ty = mover.toY;
        if (IsInside(tx, ty))
            m_cells[Index(tx, ty)].covered = 1;
        bool keep = false;
        const int cellClass = GetCellClass(tx, ty);
        if (mover.code == kBrickBlocker)
        {
            SetBrick(tx, ty, kBrickBlocker);
        }
        else if (cellClass == kClassIce)
        {
            int nx = tx, ny = ty;
            Neighbour(tx, ty, mover.direction, nx, ny);
            if (IsFree(nx, ny))
            {
                mover.fromX = tx;
                mover.fromY = ty;
                mover.toX = nx;
                mover.toY = ny;
                mover.progress -= 1.0f;
                keep = true;
            }
            else
            {
                SetBrick(tx, ty, mover.code);
                if (IsInside(nx, ny) && GetBrickCode(nx, ny) != 0)
                    Play(kSndCollision);
                int px = 0, py = 0;
                if (FindPushable(nx, ny, mover.direction, px, py))
                    keep = ReuseMover(mover, px, py, mover.direction);
            }
        }
        else if (cellClass >= 2 && cellClass <= 7)
        {
            const int d = cellClass - 1;
            int nx = tx, ny = ty;
            Neighbour(tx, ty, d, nx, ny);
            if (IsFree(nx, ny))
            {
                mover.fromX = tx;
                mover.fromY = ty;
                mover.toX = nx;
                mover.toY = ny;
                mover.direction = d;
                mover.progress = 0.0f;
                keep = true;
            }
            else
            {
                SetBrick(tx, ty, mover.code);
                int px = 0, py = 0;
                if (FindPushable(nx, ny, d, px, py))
                    keep = ReuseMover(mover, px, py, d);
            }
        }
        else
        {
            SetBrick(tx, ty, mover.code);
        }
        if (keep)
            ++i;
        else
            m_movers.erase(m_movers.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

// A brick on ice that a push reaches, or the last of a row of them, slides
// on. A position that is only reserved by a travelling brick has nothing to
// push, so it is not pushable.
bool cBoard::FindPushable(int x, int y, int direction, int& px, int& py) const
{
    if (!IsOccupied(x, y))
        return false;
    // Each step moves one column or row, so the walk leaves the board.
    for (;;)
    {
        if (!IsInside(x, y) || !IsMovable(x, y) || GetCellClass(x, y) != kClassIce)
            return false;
        int nx = x, ny = y;
        Neighbour(x, y, direction, nx, ny);
        if (IsFree(nx, ny))
        {
            if (GetBrickCode(x, y) == 0)
                return false;
            px = x;
            py = y;
            return true;
        }
        if (!IsOccupied(nx, ny))
            return false;
        x = nx;
        y = ny;
    }
}

void cBoard::CreateMover(int x, int y, int direction, int code)
{
    if (code == 0)
        return;
    sMover mover{x, y, x, y, direction, 0.0f, code};
    Neighbour(x, y, direction, mover.toX, mover.toY);
    m_movers.push_back(mover);
    Changed();
}

bool cBoard::HasParticleAt(int x, int y) const
{
    return std::any_of(m_particles.begin(), m_particles.end(),
                       [x, y](const sParticle& p) { return p.cellX == x && p.cellY == y; });
}

void cBoard::CreateExplosion(int x, int y, float minDelay, float maxDelay)
{
    if (HasParticleAt(x, y))
        return;
    const float base = m_random.RandomFloat(minDelay, maxDelay);
    int cx = 0, cy = 0;
    CellCentre(x, y, cx, cy);
    if (IsOddColumn(x))
        cy = (y + 1) * m_metrics.cellHeight;
    for (int i = 0; i < kParticlesPerCell; ++i)
    {
        sParticle particle{};
        particle.cellX = x;
        particle.cellY = y;
        particle.x = static_cast<float>(cx) + m_random.RandomFloat(-15.0f, 15.0f);
        particle.y = static_cast<float>(cy) + m_random.RandomFloat(-15.0f, 15.0f);
        particle.vx = m_random.RandomFloat(-30.0f, 30.0f);
        particle.vy = m_random.RandomFloat(-30.0f, 30.0f);
        particle.delay = base + m_random.RandomFloat(0.01f, 0.2f);
        m_particles.push_back(particle);
    }
    Changed();
}

void cBoard::UpdateParticles(float dt)
{
    const float width = static_cast<float>(PixelWidth());
    const float height = static_cast<float>(PixelHeight());
    for (sParticle& p : m_particles)
    {
        p.x += p.vx * dt;
        p.y += p.vy * dt;
        if (p.x < 0.0f || p.x >= width || p.y < 0.0f || p.y > height)
            p.dead = true;
        if (p.delay > 0.0f)
        {
            p.delay -= dt;
            if (p.delay <= 0.0f)
            {
                p.delay = 0.0f;
                p.timer = 0.0f;
                p.started = true;
                p.animTime = 0.0f;
            }
            continue;
        }
        if (p.timer < kParticleDestroyTime)
        {
            p.timer += dt;
            if (p.timer >= kParticleDestroyTime && IsDestructible(p.cellX, p.cellY))
                SetBrick(p.cellX, p.cellY, 0);
        }
        p.animTime += dt;
        if (p.animTime >= m_metrics.explosionTime)
            p.dead = true;
    }
    if (std::erase_if(m_particles, [](const sParticle& p) { return p.dead; }) > 0)
        Changed();
}

void cBoard::FirePlasma(int x, int y, int direction)
{
    int cx = x, cy = y;
    for (;;)
    {
        Neighbour(cx, cy, direction, cx, cy);
        if (!IsInside(cx, cy) || GetCellClass(cx, cy) == kClassBroken)
            return;
        if (GetBrickCode(cx, cy) == kBrickPlasma)
            break;
    }
    for (auto [bx, by] : {std::pair{x, y}, std::pair{cx, cy}})
    {
        m_bricks[Index(bx, by)].movable = 0;
        m_bricks[Index(bx, by)].destructible = 0;
    }
    Changed();
    CreateBolt(x, y, cx, cy, direction);
}

void cBoard::CreateBolt(int sx, int sy, int tx, int ty, int direction)
{
    bool createdThisFrame = false;
    for (const sBolt& bolt : m_bolts)
    {
        if ((bolt.sourceX == sx && bolt.sourceY == sy && bolt.targetX == tx &&
             bolt.targetY == ty) ||
            (bolt.sourceX == tx && bolt.sourceY == ty && bolt.targetX == sx && bolt.targetY == sy))
            return;
        if (bolt.time == 0.0f)
            createdThisFrame = true;
    }
    if (!createdThisFrame)
        Play(kSndPlasmaBolt);
    Changed();

    sBolt bolt{sx, sy, tx, ty, direction, false, 0.0f, 3, 0, {}};
    if (m_headless)
    {
        m_bolts.push_back(std::move(bolt));
        return;
    }
    // The drawing path runs from centre to centre in half steps; its three
    // rows are one wide and two narrow strips.
    const int pitch = ColumnPitch();
    const int ch = m_metrics.cellHeight;
    const int fullStep[6][2] = {{0, -ch}, {pitch, -(ch / 2)}, {pitch, ch / 2},
                                {0, ch},  {-pitch, ch / 2},   {-pitch, -(ch / 2)}};
    static const int kHalfWidth[6][2] = {{-3, 0}, {-2, -3}, {2, -3}, {3, 0}, {2, 3}, {-2, 3}};
    const int d = direction - 1;
    const int stepX = fullStep[d][0];
    const int stepY = fullStep[d][1];
    std::vector<std::pair<int, int>> centres;
    int cx = sx, cy = sy;
    for (;;)
    {
        int px = 0, py = 0;
        CellCentre(cx, cy, px, py);
        centres.emplace_back(px, py);
        if ((cx == tx && cy == ty) || !IsInside(cx, cy))
            break;
        Neighbour(cx, cy, direction, cx, cy);
    }
    bolt.columns = static_cast<int>(centres.size()) * 2 - 1;
    for (int row = 0; row < bolt.rows; ++row)
    {
        const int scale = row == 0 ? 2 : 1;
        for (int column = 0; column < bolt.columns; ++column)
        {
            const auto& centre = centres[static_cast<size_t>(column / 2)];
            sBoltPoint point{};
            point.restX = centre.first + (column % 2 ? stepX / 2 : 0);
            point.restY = centre.second + (column % 2 ? stepY / 2 : 0);
            point.jitterX = m_drawRandom.RandomInt(-5, 5);
            point.jitterY = m_drawRandom.RandomInt(-5, 5);
            point.halfX = kHalfWidth[d][0] * scale;
            point.halfY = kHalfWidth[d][1] * scale;
            bolt.points.push_back(point);
        }
    }
    m_bolts.push_back(std::move(bolt));
}

void cBoard::UpdateBolts(float dt)
{
    if (m_bolts.empty())
        return;
    bool hitAny = false;
    for (sBolt& bolt : m_bolts)
    {
        bolt.time += dt;
        for (sBoltPoint& point : bolt.points)
        {
            point.jitterX = std::clamp(point.jitterX + m_drawRandom.RandomInt(-3, 3), -6, 6);
            point.jitterY = std::clamp(point.jitterY + m_drawRandom.RandomInt(-3, 3), -6, 6);
        }
        if (bolt.time >= kBoltHitTime && !bolt.hit)
        {
            int x = bolt.sourceX, y = bolt.sourceY;
            for (;;)
            {
                Neighbour(x, y, bolt.direction, x, y);
                if (!IsInside(x, y) || (x == bolt.targetX && y == bolt.targetY))
                    break;
                const int code = GetBrickCode(x, y);
                if (code == 0)
                    continue;
                CreateExplosion(x, y, 0.0f, 0.0f);
                hitAny = true;
                if (code == kBrickBomb)
                    ExplodeAround(x, y, 0.0f, 0.1f);
            }
            bolt.hit = true;
        }
    }
    for (size_t i = 0; i < m_bolts.size();)
    {
        const sBolt& bolt = m_bolts[i];
        if (bolt.time < kBoltEndTime)
        {
            ++i;
            continue;
        }
        AddFading(bolt.sourceX, bolt.sourceY, kBrickPlasma);
        AddFading(bolt.targetX, bolt.targetY, kBrickPlasma);
        SetBrick(bolt.sourceX, bolt.sourceY, 0);
        SetBrick(bolt.targetX, bolt.targetY, 0);
        m_bolts.erase(m_bolts.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (m_bolts.empty() && m_sound && !m_headless)
        m_sound->StopSound(kSndPlasmaBolt);
    if (hitAny)
        Play(kSndExplosion);
}

void cBoard::RunArrowsAndVortices()
{
    if (m_pushingCells == 0)
        return;
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            const int kind = GetCellKind(x, y);
            const int code = GetBrickCode(x, y);
            if (code == 0)
                continue;
            if (kind >= 2 && kind <= 7 && IsMovable(x, y) && !HasParticleAt(x, y))
            {
                const int d = kind - 1;
                int nx = x, ny = y;
                Neighbour(x, y, d, nx, ny);
                int px = 0, py = 0;
                if (IsFree(nx, ny))
                {
                    CreateMover(x, y, d, code);
                    SetBrick(x, y, 0);
                }
                else if (FindPushable(nx, ny, d, px, py))
                {
                    CreateMover(px, py, d, GetBrickCode(px, py));
                    SetBrick(px, py, 0);
                    Play(kSndCollision);
                }
            }
            else if (kind == kCellVortex && code != kBrickBlocker)
            {
                AddFading(x, y, code);
                SetBrick(x, y, 0);
                Play(kSndVortex);
            }
        }
    }
}

void cBoard::RunBombsAndPlasma()
{
    if (!m_movers.empty() || m_bombsAndPlasma == 0)
        return;
    bool anyBomb = false;
    for (sBrick& brick : m_bricks)
    {
        if (brick.code == kBrickBomb)
        {
            if (brick.movable)
                Changed();
            brick.movable = 0;
            anyBomb = true;
        }
    }
    if (anyBomb && m_bombAnimation == 0)
    {
        m_bombAnimation = 1;
        m_bombTime = 0.0f;
        Changed();
    }
    if (!m_bolts.empty())
        return;
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            if (GetBrickCode(x, y) != kBrickPlasma)
                continue;
            for (int d = 1; d <= 6; ++d)
                FirePlasma(x, y, d);
        }
    }
}

void cBoard::RunMatches()
{
    m_marks.clear();
    m_starColours.clear();
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            const int c = m_bricks[Index(x, y)].code;
            if (c < 1 || c > kBrickStar)
                continue;
            bool enclosed = true;
            bool star = c == kBrickStar;
            bool hasReference = false;
            int a = 0, b = 0;
            bool matchA = false, matchB = false;
            if (IsColourBrick(c))
            {
                a = c / 10;
                b = c % 10;
                matchA = matchB = hasReference = true;
            }
            // Neighbours are read one by one: most centres fail at the first.
            for (int d = 1; d <= 6; ++d)
            {
                int nx = x, ny = y;
                Neighbour(x, y, d, nx, ny);
                const int n = GetBrickCode(nx, ny);
                if (n == 0)
                    enclosed = false;
                else if (IsColourBrick(n))
                {
                    const int t = n / 10;
                    const int u = n % 10;
                    if (!hasReference)
                    {
                        a = t;
                        b = u;
                        matchA = matchB = hasReference = true;
                    }
                    if (t != a && u != a)
                        matchA = false;
                    if (t != b && u != b)
                        matchB = false;
                }
                else if (n == kBrickStar)
                    star = true;
                else if (n != kBrickMulti)
                    enclosed = false;
                if (hasReference && !matchA && !matchB)
                    enclosed = false;
                if (!enclosed)
                    break;
            }
            if (!enclosed)
                continue;
            auto mark = [this](int mx, int my)
            {
                const std::pair<int, int> position{mx, my};
                if (std::find(m_marks.begin(), m_marks.end(), position) == m_marks.end())
                    m_marks.push_back(position);
            };
            mark(x, y);
            for (int d = 1; d <= 6; ++d)
            {
                int nx = x, ny = y;
                Neighbour(x, y, d, nx, ny);
                mark(nx, ny);
            }
            if (star && hasReference)
            {
                if (matchA)
                    m_starColours.push_back(a);
                if (matchB)
                    m_starColours.push_back(b);
            }
        }
    }
    if (!m_marks.empty())
    {
        Play(kSndBricksRemoved);
        for (const auto& [mx, my] : m_marks)
        {
            AddFading(mx, my, GetBrickCode(mx, my));
            m_bricks[Index(mx, my)].code = 0;
        }
        m_marks.clear();
        Changed();
    }
    for (int colour : m_starColours)
    {
        for (int y = 0; y < m_height; ++y)
        {
            for (int x = 0; x < m_width; ++x)
            {
                const int code = GetBrickCode(x, y);
                if (IsColourBrick(code) && (code / 10 == colour || code % 10 == colour))
                {
                    AddFading(x, y, code);
                    m_bricks[Index(x, y)].code = 0;
                    Changed();
                }
            }
        }
    }
    m_starColours.clear();
}

void cBoard::AddFading(int x, int y, int code)
{
    // Only drawn; a headless board just notes that a brick went.
    Changed();
    if (m_headless)
        return;
    for (const sFading& fading : m_fading)
    {
        if (fading.x == x && fading.y == y)
            return;
    }
    m_fading.push_back(sFading{x, y, code, 1.0f});
}

void cBoard::StartCrumble(int x, int y, int kind)
{
    const bool listed = std::any_of(m_crumbling.begin(), m_crumbling.end(),
                                    [x, y](const sCrumble& c) { return c.x == x && c.y == y; });
    if (!listed)
        m_crumbling.push_back(sCrumble{x, y, kind});
    m_crumbleRunning = true;
    m_crumbleTime = 0.0f;
}

void cBoard::RunFragileCells()
{
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            const size_t i = Index(x, y);
            if (m_bricks[i].code != 0)
                continue;
            sCell& cell = m_cells[i];
            if (cell.covered && (cell.kind == kCellFragilePlain || cell.kind == kCellFragileIce))
            {
                // The board is at rest while a cell crumbles, and nothing a
                // pass looks at differs between the crumbling hole and the
                // broken cell it becomes, so a headless board skips the wait.
                if (m_headless)
                    cell.kind = kCellBroken;
                else
                {
                    StartCrumble(x, y, cell.kind);
                    cell.kind = kCellHole;
                }
                Changed();
            }
            cell.covered = 0;
        }
    }
}

bool cBoard::IsIdle() const
{
    return m_bombAnimation == 0 && m_fading.empty() && m_movers.empty() && m_particles.empty() &&
           m_bolts.empty() && m_crumbling.empty();
}

bool cBoard::IsCleared() const
{
    if (!m_movers.empty())
        return false;
    for (const sBrick& brick : m_bricks)
    {
        if (IsRemovableBrick(brick.code))
            return false;
    }
    return true;
}
