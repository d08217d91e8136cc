#pragma once

#include "GameDriver.h"

#include "engine/File/FileSystemManager.h"

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// The flower the test paints: seven cells around (4, 3) of the new 9 x 7
// board, a ring of six red bricks, and one red brick as the only piece.
struct sFlower
{
    static constexpr int kX = 4;
    static constexpr int kY = 3;

    explicit sFlower(const cBoardMetrics& metrics) : board(9, 7, false, metrics)
    {
        for (int d = 1; d <= 6; ++d)
        {
            int x = kX, y = kY;
            board.Neighbour(kX, kY, d, x, y);
            ring.emplace_back(x, y);
        }
    }

    cLevel Level(const std::string& name) const
    {
        cLevel level;
        level.SetName(name);
        level.SetWidth(9);
        level.SetHeight(7);
        level.SetAdjustIndexX(false);
        level.SetCell(kX, kY, 1);
        for (const auto& [x, y] : ring)
        {
            level.SetCell(x, y, 1);
            level.SetBrick(x, y, 11);
        }
        level.SetPieceCount(1);
        level.SetPiece(0, tPiece{11, 0, 0, 0, 0, 0, 0});
        return level;
    }

    cBoard board;
    std::vector<std::pair<int, int>> ring;
};

inline std::string LevelText(const cLevel& level, const std::string& path)
{
    Korva::cFileSystem* files = Korva::cFileSystemManager::Get().CreateFileSystem(1);
    level.Save(*files, path);
    Korva::cFileSystemManager::Get().RemoveFileSystem(files);
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Builds the flower in the editor (a new level, cell mode) by pointer and keys.
inline std::string PaintFlower(cGameDriver& game, const sFlower& flower, const std::string& name)
{
    if (std::string error = game.EditorPaint(flower.board, sFlower::kX, sFlower::kY);
        !error.empty())
        return error;
    for (const auto& [x, y] : flower.ring)
        if (std::string error = game.EditorPaint(flower.board, x, y); !error.empty())
            return error;
    game.EditorBrickMode();
    for (const auto& [x, y] : flower.ring)
        if (std::string error = game.EditorPaint(flower.board, x, y); !error.empty())
            return "brick mode: " + error;
    game.EditorSetFirstPieceCentre(1, 1);
    game.EditorSetName(name);
    return "";
}
