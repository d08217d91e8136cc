#pragma once

// A level file with values the rules have no meaning for, which the reader
// keeps as stored, for the screens that must cope with them.

#include <string>

// Every cell kind 0..255 and every brick byte 0..255 somewhere on a 16 x 16
// board, pieces and items the rules do not know.
inline std::string OutOfRangeLevelText()
{
    std::string cells, bricks;
    for (int i = 0; i < 256; ++i)
    {
        cells += std::to_string(i % 3 == 0 ? 1 : i) + " ";
        bricks += std::to_string(255 - i) + " ";
    }
    std::string text = "Level=\n{\n\tName=\"odd\"\n\tDescription=\"values out of range\"\n"
                       "\tWidth=\"16\"\n\tHeight=\"16\"\n\tAdjustIndexX=\"True\"\n\tCells=\"" +
                       cells + "\"\n\tBricks=\"" + bricks + "\"\n\tPieces=\n\t{\n";
    const int pieces[][7] = {{200, 255, 105, 0, 0, 0, 0}, {-1, 11, 300, 127, 128, 99, 104}};
    for (const auto& piece : pieces)
    {
        text += "\t\tPiece=\n\t\t{\n";
        for (int k = 0; k < 7; ++k)
            text += "\t\t\tBrick" + std::to_string(k) + "=\"" + std::to_string(piece[k]) + "\"\n";
        text += "\t\t}\n";
    }
    text += "\t}\n\tInventory=\n\t{\n";
    const int items[] = {212, -7, 3000000, 105, 200, 255, 201, 0, -2147483647, 150};
    for (int slot = 0; slot < 10; ++slot)
        text += "\t\tItem" + std::to_string(slot) + "=\"" + std::to_string(items[slot]) + "\"\n";
    return text + "\t}\n}\n";
}
