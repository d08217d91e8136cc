#pragma once

#include "game/Game/PuzzleTypes.h"
#include "game/Game/Random.h"

#include <array>
#include <cstdint>
#include <vector>

class cLevel;

// The live board of a level in play: cells and bricks with their state flags,
// the running effects of a reaction, and the rules that advance them frame by
// frame until the board is at rest. Copying a board copies all of it
// (the solver branches this way); the sound listener is not owned.
class cBoard
{
public:
    struct sCell
    {
        uint8_t kind = 0;
        uint8_t covered = 0;
        bool operator==(const sCell&) const = default;
    };
    struct sBrick
    {
        int8_t code = 0;
        uint8_t movable = 1;
        uint8_t destructible = 1;
        bool operator==(const sBrick&) const = default;
    };
    struct sFading
    {
        int x, y, code;
        float alpha;
    };
    struct sMover
    {
        int fromX, fromY, toX, toY, direction;
        float progress;
        int code;
    };
    struct sParticle
    {
        int cellX, cellY;
        float x, y, vx, vy, delay, timer;
        bool dead;
        bool started; // its animation runs once the delay has passed
        float animTime;
    };
    struct sBoltPoint
    {
        int restX, restY, jitterX, jitterY, halfX, halfY;
    };
    struct sBolt
    {
        int sourceX, sourceY, targetX, targetY, direction;
        bool hit;
        float time;
        int rows, columns;
        std::vector<sBoltPoint> points; // rows x columns, row-major
    };
    struct sCrumble
    {
        int x, y, kind;
    };

    // An empty board of the given size (all holes), for the editor.
    cBoard(int width, int height, bool adjustIndexX, const cBoardMetrics& metrics = {},
           uint32_t seed = 1);
    explicit cBoard(const cLevel& level, const cBoardMetrics& metrics = {}, uint32_t seed = 1);

    void SetSoundListener(cBoardSoundListener* listener) { m_sound = listener; }
    // A headless board plays by the same rules but keeps nothing that only
    // shows: no fading bricks, no bolt drawing, crumbling cells break at
    // once, no sounds. Settle then reaches the same rest state as Update
    // frame by frame; the solver's boards run this way.
    void SetHeadless(bool headless) { m_headless = headless; }
    bool IsHeadless() const { return m_headless; }
    // Runs every pass over the board in every frame, as the rules are
    // written, instead of skipping passes while nothing they look at has
    // changed. The outcome is the same; tests hold the two ways together.
    void SetEveryPass(bool everyPass) { m_everyPass = everyPass; }
    const cBoardMetrics& GetMetrics() const { return m_metrics; }
    cRandom& GetRandom() { return m_random; }

    // Geometry.
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetAdjustIndexX() const { return m_adjustIndexX; }
    int GetCellWidth() const { return m_metrics.cellWidth; }
    int GetCellHeight() const { return m_metrics.cellHeight; }
    bool IsInside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    bool IsOddColumn(int x) const
    {
        // The mathematical remainder, so negative columns alternate too.
        int parity = (x + m_adjustIndexX) % 2;
        if (parity < 0)
            parity += 2;
        return parity == 1;
    }
    // Leaves x, y untouched for a direction outside 1..6; no bounds check.
    // x and y are copies, so callers may step a position in place.
    void Neighbour(int x, int y, int direction, int& nx, int& ny) const
    {
        if (direction < 1 || direction > 6)
            return;
        // Column and row steps of directions 1..6 in even and odd columns.
        static constexpr int kStepX[6] = {0, 1, 1, 0, -1, -1};
        static constexpr int kStepY[2][6] = {{-1, -1, 0, 1, 0, -1}, {-1, 0, 1, 1, 1, 0}};
        nx = x + kStepX[direction - 1];
        ny = y + kStepY[IsOddColumn(x) ? 1 : 0][direction - 1];
    }
    std::array<int, 6> Neighbours6Cells(int x, int y) const;
    std::array<int, 6> Neighbours6Bricks(int x, int y) const;
    int ColumnPitch() const;
    int ColumnLeft(int x) const { return x * ColumnPitch(); }
    int CellTop(int x, int y) const;
    void CellCentre(int x, int y, int& px, int& py) const;
    bool CellAtPixel(int px, int py, int& x, int& y) const;
    int PixelWidth() const;
    int PixelHeight() const;
    int ContentCentreX() const;
    int ContentCentreY() const;

    // Cells and bricks. Reads outside the board give 0; writes are ignored.
    int GetCellKind(int x, int y) const { return IsInside(x, y) ? m_cells[Index(x, y)].kind : 0; }
    int GetCellClass(int x, int y) const { return CellClass(GetCellKind(x, y)); }
    int GetBrickCode(int x, int y) const { return IsInside(x, y) ? m_bricks[Index(x, y)].code : 0; }
    bool IsCovered(int x, int y) const;
    bool IsMovable(int x, int y) const;
    bool IsDestructible(int x, int y) const;
    void SetCell(int x, int y, int kind);
    void SetBrick(int x, int y, int code);
    bool IsFree(int x, int y) const
    {
        return IsInside(x, y) && IsPlaceableClass(CellClass(m_cells[Index(x, y)].kind)) &&
               m_bricks[Index(x, y)].code == 0 && !IsMoverHeadingFor(x, y);
    }
    bool IsOccupied(int x, int y) const
    {
        return IsInside(x, y) && (m_bricks[Index(x, y)].code != 0 || IsMoverHeadingFor(x, y));
    }
    bool IsMoverHeadingFor(int x, int y) const
    {
        for (const sMover& mover : m_movers)
        {
            if (mover.toX == x && mover.toY == y)
                return true;
        }
        return false;
    }
    const std::vector<sCell>& GetCells() const { return m_cells; }
    const std::vector<sBrick>& GetBricks() const { return m_bricks; }

    // Moves.
    static tPiece RotatedPiece(const tPiece& piece, int rotation);
    bool CanPlacePiece(int x, int y, const tPiece& piece, int rotation) const;
    bool PlacePiece(int x, int y, const tPiece& piece, int rotation);
    // Whether UseItem would succeed; also what the item preview marks.
    bool CanUseItem(int x, int y, int code) const;
    bool UseItem(int x, int y, int code);

    // The reaction.
    void Update(float dt, bool active);
    void RunArrowsAndVortices();
    void RunMatches();
    void CreateMover(int x, int y, int direction, int code);
    bool FindPushable(int x, int y, int direction, int& px, int& py) const;
    void CreateExplosion(int x, int y, float minDelay, float maxDelay);
    void FirePlasma(int x, int y, int direction);
    void CreateBolt(int sx, int sy, int tx, int ty, int direction);
    void AddFading(int x, int y, int code);
    void StartCrumble(int x, int y, int kind);
    bool IsIdle() const;
    // Runs the reaction in steps of `step` until the board is at rest, with
    // the rest state and random numbers of Update(step, true) called frame
    // by frame, but the passes over the board are skipped in frames where
    // nothing they look at has changed (a brick in flight, a fuse burning).
    // The frames it took, or -1 when the board is not at rest after
    // `maxFrames`.
    int Settle(float step, int maxFrames);
    // No colour, multi, star or plasma brick left and nothing moving.
    bool IsCleared() const;

    // What the board view draws.
    float GetMultiPhase() const { return m_multiPhase; }
    float GetStarPhase() const { return m_starPhase; }
    int GetBombAnimation() const { return m_bombAnimation; }
    float GetBombTime() const { return m_bombTime; }
    float GetCrumbleTime() const { return m_crumbleTime; }
    const std::vector<sFading>& GetFading() const { return m_fading; }
    const std::vector<sMover>& GetMovers() const { return m_movers; }
    const std::vector<sParticle>& GetParticles() const { return m_particles; }
    const std::vector<sBolt>& GetBolts() const { return m_bolts; }
    const std::vector<sCrumble>& GetCrumbling() const { return m_crumbling; }

    // The editor's row and column operations.
    void AddColumnLeft();
    void AddColumnRight();
    void AddRowTop();
    void AddRowBottom();
    void RemoveColumnLeft();
    void RemoveColumnRight();
    void RemoveRowTop();
    void RemoveRowBottom();

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * m_width + x; }
    void Play(int effect)
    {
        if (m_sound && !m_headless)
            m_sound->PlaySound(effect);
    }
    void Changed() { ++m_changes; }
    // Runs the arrow and vortex pass and the match pass straight after a
    // move, noting when they found nothing to do.
    void RunMovePasses();
    void RunPasses();
    void StepReaction(float dt);
    void Resize(int width, int height, int shiftX, int shiftY);
    void CountSpecials();
    void AdvanceTimers(float dt);
    void OnFuseBurnt();
    void UpdateFading(float dt);
    void UpdateMovers(float dt);
    void UpdateParticles(float dt);
    void UpdateBolts(float dt);
    void RunBombsAndPlasma();
    void RunFragileCells();
    bool HasParticleAt(int x, int y) const;
    void ExplodeAround(int x, int y, float minDelay, float maxDelay);
    bool ReuseMover(sMover& mover, int x, int y, int direction);

    int m_width = 0;
    int m_height = 0;
    int m_adjustIndexX = 0;
    cBoardMetrics m_metrics;
    cRandom m_random;
    // The flicker of plasma bolts draws from its own generator, so what is
    // drawn never changes the numbers the rules draw (explosion delays).
    cRandom m_drawRandom;
    cBoardSoundListener* m_sound = nullptr;
    bool m_headless = false;
    // Counts changes to what the passes over the board look at (bricks,
    // cells, flags, movers, particles, bolts, the fuse). While it still
    // equals the count at which the passes last found nothing to do, they
    // would find nothing again: m_quietAt for all three passes,
    // m_quietMovePassesAt for the arrow and match passes alone.
    uint64_t m_changes = 1;
    uint64_t m_quietAt = 0;
    uint64_t m_quietMovePassesAt = 0;
    uint64_t m_fragileQuietAt = 0;
    bool m_everyPass = false;

    std::vector<sCell> m_cells;
    std::vector<sBrick> m_bricks;
    // Arrow and vortex cells on the board: without any, their pass has
    // nothing to do.
    int m_pushingCells = 0;
    // Bombs and plasma bricks on the board, for the same reason.
    int m_bombsAndPlasma = 0;

    float m_multiPhase = 0.0f;
    float m_starPhase = 0.0f;
    // The shared bomb timer: 0 idle, 1 fuse burning, 2 blast.
    int m_bombAnimation = 0;
    float m_bombTime = 0.0f;
    bool m_crumbleRunning = false;
    float m_crumbleTime = 0.0f;

    std::vector<std::pair<int, int>> m_marks;
    std::vector<int> m_starColours;
    std::vector<sFading> m_fading;
    std::vector<sMover> m_movers;
    std::vector<sParticle> m_particles;
    std::vector<sBolt> m_bolts;
    std::vector<sCrumble> m_crumbling;
};
