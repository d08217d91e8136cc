#pragma once

#include "game/Game/PuzzleTypes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Korva
{
class cDataNode;
class cDataTree;
class cFileInput;
class cFileOutput;
class cFileSystem;
} // namespace Korva

// A stored level exactly as its file gives it: what the editor builds, the
// level resource loads, and the game screen copies to rebuild an attempt.
// Copying a level copies everything.
class cLevel
{
public:
    // Largest board and piece queue the reader accepts; larger values in a
    // file are damage, not levels.
    static constexpr int kMaxSide = 1000;
    static constexpr int kMaxPieces = 100000;

    cLevel() = default;

    // Empties names, sizes, arrays and pieces; the inventory stays.
    void Clear();

    void SetName(const std::string& text);
    void SetDescription(const std::string& text);
    const std::string& GetName() const { return m_name; }
    const std::string& GetDescription() const { return m_description; }

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // Below 1 is ignored; otherwise both arrays are reallocated (all zero).
    void SetWidth(int n);
    void SetHeight(int n);
    bool GetAdjustIndexX() const { return m_adjustIndexX; }
    void SetAdjustIndexX(bool flag) { m_adjustIndexX = flag; }

    int GetCell(int x, int y) const;
    int GetBrick(int x, int y) const;
    void SetCell(int x, int y, int kind);
    void SetBrick(int x, int y, int code);

    int GetPieceCount() const { return static_cast<int>(m_pieces.size()); }
    void SetPieceCount(int n);
    // Out-of-range indices leave `piece` untouched (Get) or do nothing (Set).
    void GetPiece(int i, tPiece& piece) const;
    void SetPiece(int i, const tPiece& piece);
    tPiece GetPiece(int i) const;

    int GetItem(int slot) const;
    void SetItem(int slot, int code);

    bool operator==(const cLevel& other) const = default;

    // The level file. Load clears the level first; any fault in the file
    // raises a cException whose message starts with "Error in level file.".
    void Load(Korva::cFileSystem& fileSystem, const std::string& path);
    void Read(Korva::cFileInput& input);
    void ReadTree(const Korva::cDataTree& tree);
    // Builds the file's tree: Root > Level with every key, even when zero.
    void WriteTree(Korva::cDataTree& tree) const;
    void Write(Korva::cFileOutput& output) const;
    // Writes through a temporary file and a rename, so a failed save never
    // leaves half a level behind.
    void Save(Korva::cFileSystem& fileSystem, const std::string& path) const;

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    void Allocate();

    std::string m_name;
    std::string m_description;
    int m_width = 0;
    int m_height = 0;
    bool m_adjustIndexX = false;
    std::vector<uint8_t> m_cells;
    std::vector<uint8_t> m_bricks;
    std::vector<tPiece> m_pieces;
    std::array<int32_t, kItemSlotCount> m_items{};
};
