#pragma once
// Each generator writes one part of the game's data and registers it in the
// resource lists.
#include "tools/datagen/Output.h"

namespace DataGen
{

void MakeBoardSprites(cOutput& out);
void MakeFonts(cOutput& out);
void MakePanels(cOutput& out);
void MakeScreens(cOutput& out);
void MakeLevels(cOutput& out);
void MakeSounds(cOutput& out);
void MakeMusic(cOutput& out);

} // namespace DataGen
