#pragma once
// Draws a level's board the way the game does, from the generated files only:
// the cell sprite's animation of each cell kind and the brick sprites' frames
// by the board's brick-drawing rules. For reviewing the data as a whole.
#include "tools/datagen/DataSet.h"

#include <string>

namespace DataGen
{

// Writes a PNG of 800 x 600 with the level of `levelAlias` (or a level file of
// that path) centred on the game screen's blue.
void WriteBoardShot(const cDataSet& data, const std::string& levelAlias, const std::string& png);

} // namespace DataGen
