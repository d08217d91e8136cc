#pragma once

#include "game/Game/Board.h"
#include "game/Game/ItemPanel.h"
#include "game/Game/PuzzleTypes.h"

#include <string>
#include <vector>

class cLevel;

// Everything the editor edits, without the screen around it: the board, the
// piece list, the item bar, the name and the description, and the edits the
// editor makes to them. The piece list normally ends in one empty record, the
// place where the player adds a new piece.
class cEditedLevel
{
public:
    static constexpr int kNewWidth = 9;
    static constexpr int kNewHeight = 7;

    // The eight row and column changes of the resize buttons, numbered as
    // the buttons are.
    enum eResize : int
    {
        kAddColumnLeft = 1,
        kRemoveColumnLeft = 2,
        kAddColumnRight = 3,
        kRemoveColumnRight = 4,
        kAddRowTop = 5,
        kRemoveRowTop = 6,
        kAddRowBottom = 7,
        kRemoveRowBottom = 8,
    };

    explicit cEditedLevel(const cBoardMetrics& metrics = {});

    // A 9 x 7 board without cells, one empty piece record, empty item slots,
    // no name and no description.
    void NewLevel();
    // The level as a test play and the level file get it: empty piece
    // records are dropped, the others keep their order.
    cLevel ToLevel() const;
    // Replaces everything by `level`; the piece list gets its empty record.
    void FromLevel(const cLevel& level);

    // --- board ---
    cBoard& GetBoard() { return m_board; }
    const cBoard& GetBoard() const { return m_board; }
    // Sets the cell kind unless it is already `kind`; kinds whose cells hold
    // no brick also take the brick away. True when something changed.
    bool PutCell(int x, int y, int kind);
    // Sets the brick unless it is already `code` or the cell holds no brick.
    bool PutBrick(int x, int y, int code);
    // One of eResize; a removal that would leave a side below 1, or an
    // addition beyond what a level file may hold, is refused (false).
    bool Resize(int action);

    // --- pieces ---
    int GetPieceCount() const { return static_cast<int>(m_pieces.size()); }
    // An empty piece for an index outside the list.
    tPiece GetPiece(int index) const;
    // Ignored outside the list; a non-empty piece stored into the last
    // record appends an empty one.
    void SetPiece(int index, const tPiece& piece);
    // Appends empty records or drops records from the end (never below 0).
    void ResizePieceList(int n);
    // Ignored unless both indices are in the list.
    void SwapPieces(int a, int b);
    // An empty record at `index` (0..count); the others move down.
    void InsertPiece(int index);
    // The last record is cleared and stays; any other one is removed.
    void DeletePiece(int index);
    static bool IsEmptyPiece(const tPiece& piece);

    // --- items, name, description ---
    cItemPanel& GetItems() { return m_items; }
    const cItemPanel& GetItems() const { return m_items; }
    const std::string& GetName() const { return m_name; }
    const std::string& GetDescription() const { return m_description; }
    void SetName(const std::string& name) { m_name = name; }
    void SetDescription(const std::string& description) { m_description = description; }

private:
    cBoardMetrics m_metrics;
    cBoard m_board;
    std::vector<tPiece> m_pieces;
    cItemPanel m_items;
    std::string m_name;
    std::string m_description;
};
