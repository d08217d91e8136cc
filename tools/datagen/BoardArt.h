#pragma once
// The board's pictures, drawn straight onto a cairo context so that the sprite
// frames, the instruction pages and the level icons all share one look.
#include "tools/datagen/Canvas.h"

namespace DataGen
{

// Cell size of the board (frame 0 of SprCells); the column pitch follows from it.
constexpr int kCellW = 44;
constexpr int kCellH = 40;
constexpr int kPitch = kCellW - kCellH / 4 + 1;
// Bricks of the board and the pointer preview (scale 1) and of the queue.
constexpr double kSmallScale = 0.64;

sRGB BrickColour(int colour); // colours 0..9
sRGB BackgroundBlue();        // the game screen's own fill (100, 150, 200)

// A cell of kind 0..12 with its top-left at (x, y); phase in [0, 1) animates
// arrows, vortices and ice. crumble in [0, 1] breaks fragile cells apart.
void DrawCell(cairo_t* cr, double x, double y, int kind, double phase, double crumble = 0);

// Bricks centred on (cx, cy) at a scale (1 = board size).
void DrawBrickShadow(cairo_t* cr, double cx, double cy, double scale);
void DrawBrickBody(cairo_t* cr, double cx, double cy, double scale, int colour);
void DrawBrickHalf(cairo_t* cr, double cx, double cy, double scale, int colour);
void DrawColourBrick(cairo_t* cr, double cx, double cy, double scale, int code);
void DrawMultiLayer(cairo_t* cr, double cx, double cy, double scale, int layer, int step);
void DrawMultiBrick(cairo_t* cr, double cx, double cy, double scale, double phase);
void DrawStarBrick(cairo_t* cr, double cx, double cy, double scale, double phase);
void DrawBlocker(cairo_t* cr, double cx, double cy, double scale);
// state 0 idle (phase twinkles), 1 fuse (phase = burnt part), 2 blast (phase = progress)
void DrawBomb(cairo_t* cr, double cx, double cy, double scale, int state, double phase);
void DrawPlasma(cairo_t* cr, double cx, double cy, double scale, double phase);
// Colour c's symbol (as the bricks carry it) centred on (x, y) with radius r,
// in white with a dark rim so that it reads on every colour: the
// colour-blind aid the game can draw over the bricks.
void DrawSymbolMark(cairo_t* cr, int colour, double x, double y, double r);
// Any brick code 1..104 (multi and star at phase 0.3, bomb idle).
void DrawAnyBrick(cairo_t* cr, double cx, double cy, double scale, int code);
// Item pictures of codes 201..211 centred on (cx, cy); phase animates the arrows.
void DrawItemArrow(cairo_t* cr, double cx, double cy, double scale, int arrow, double phase);

} // namespace DataGen
