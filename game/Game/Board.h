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
    };
    struct sBrick
    {
        int8_t code = 0;
        uint8_t movable = 1;
        uint8_t destructible = 1;
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
    const cBoardMetrics& GetMetrics() const { return m_metrics; }
    cRandom& GetRandom() { return m_random; }

    // Geometry.
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetAdjustIndexX() const { return m_adjustIndexX; }
    int GetCellWidth() const { return m_metrics.cellWidth; }
    int GetCellHeight() const { return m_metrics.cellHeight; }
    bool IsInside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    bool IsOddColumn(int x) const;
    // Leaves x, y untouched for a direction outside 1..6; no bounds check.
    void Neighbour(int x, int y, int direction, int& nx, int& ny) const;
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
    int GetCellKind(int x, int y) const;
    int GetCellClass(int x, int y) const { return CellClass(GetCellKind(x, y)); }
    int GetBrickCode(int x, int y) const;
    bool IsCovered(int x, int y) const;
    bool IsMovable(int x, int y) const;
    bool IsDestructible(int x, int y) const;
    void SetCell(int x, int y, int kind);
    void SetBrick(int x, int y, int code);
    bool IsFree(int x, int y) const;
    bool IsOccupied(int x, int y) const;
    bool IsMoverHeadingFor(int x, int y) const;
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
        if (m_sound)
            m_sound->PlaySound(effect);
    }
    void Resize(int width, int height, int shiftX, int shiftY);
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
    cBoardSoundListener* m_sound = nullptr;

    std::vector<sCell> m_cells;
    std::vector<sBrick> m_bricks;

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
