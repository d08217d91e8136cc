#pragma once
// The user interface's look: buttons in three states, labels, boxes. Shared by
// the panel sprites and the instruction pages.
#include "tools/datagen/Canvas.h"

#include <string>

namespace DataGen
{

sRGB UiNavy();
sRGB UiGold();

// state 0 normal, 1 hover, 2 pressed. Lines of the label are separated by '\n'.
sImage ButtonImage(int w, int h, const std::string& label, int state, double fontSize = 13);
// A label in white with a dark rim on a transparent ground.
sImage LabelImage(int w, int h, const std::string& text, double size, int align,
                  eFace face = eFace::CondensedBold, sRGB fill = {1, 1, 1});
// A translucent rounded box with a light border.
void DrawBox(cairo_t* cr, double x, double y, double w, double h, double radius, double alpha);

} // namespace DataGen
