#include "game/Game/MoveLog.h"

#include "engine/Core/Exception.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystem.h"
#include "game/Game/Puzzle.h"

std::string cMove::Describe() const
{
    if (item)
        return "item " + std::to_string(slot) + " at (" + std::to_string(x) + ", " +
               std::to_string(y) + ")";
    return "piece at (" + std::to_string(x) + ", " + std::to_string(y) + ") rotation " +
           std::to_string(rotation);
}

void cMoveLog::Read(Korva::cFileInput& input)
{
    Korva::cDataTree tree;
    tree.Read(input);
    const Korva::cDataNode* node = tree.GetRoot().FindChild("MoveLog");
    const Korva::cDataNode* list = node ? node->FindChild("Moves") : nullptr;
    if (!list)
        KORVA_THROW(Korva::cException, "Error in move log.");
    level = node->GetString("Level", "");
    seed = static_cast<uint32_t>(node->GetInt("Seed", 1));
    moves.clear();
    for (size_t i = 0; i < list->ChildCount(); ++i)
    {
        const Korva::cDataNode& entry = list->Child(i);
        cMove move;
        move.item = entry.Name() == "Item";
        if (!move.item && entry.Name() != "Piece")
            KORVA_THROW(Korva::cException, "Error in move log.");
        if (!entry.FindAttribute("X") || !entry.FindAttribute("Y"))
            KORVA_THROW(Korva::cException, "Error in move log.");
        move.x = entry.GetInt("X", 0);
        move.y = entry.GetInt("Y", 0);
        move.rotation = entry.GetInt("Rotation", 0);
        move.slot = entry.GetInt("Slot", 0);
        moves.push_back(move);
    }
}

void cMoveLog::Load(Korva::cFileSystem& fileSystem, const std::string& path)
{
    Korva::cScopedInput input(fileSystem, fileSystem.OpenInput(path, true, false));
    Read(*input);
}

void cMoveLog::Write(Korva::cFileOutput& output) const
{
    Korva::cDataTree tree;
    Korva::cDataNode& node = tree.GetRoot().AddChild("MoveLog");
    node.AddAttribute("Level", level);
    node.AddInt("Seed", seed);
    Korva::cDataNode& list = node.AddChild("Moves");
    for (const cMove& move : moves)
    {
        Korva::cDataNode& entry = list.AddChild(move.item ? "Item" : "Piece");
        if (move.item)
            entry.AddInt("Slot", move.slot);
        entry.AddInt("X", move.x);
        entry.AddInt("Y", move.y);
        if (!move.item)
            entry.AddInt("Rotation", move.rotation);
    }
    tree.Write(output);
}

void BeginReplay(cPuzzle& puzzle)
{
    puzzle.StartLevel();
    puzzle.RunStartMatches();
    puzzle.RunToRest();
}

bool PlayMove(cPuzzle& puzzle, const cMove& move)
{
    const bool played = move.item ? puzzle.UseItemInSlot(move.slot, move.x, move.y)
                                  : puzzle.PutPieceTurned(move.x, move.y, move.rotation);
    return played && puzzle.RunToRest();
}
