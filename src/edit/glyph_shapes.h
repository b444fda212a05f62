#pragma once
// The shapes of the drawing tools, put down between the press and the release dot.

#include <cstdint>

#include "edit/grid_point.h"
#include "edit/pixel_grid.h"

namespace dotforge {

enum class ShapeKind { Line, Rectangle, FilledRectangle, Ellipse };

// Draws `shape` between the dots `from` and `to` on `grid` in `value`, clipped
// at the grid (the editor's commit, and the view's preview while the button is down).
void DrawShapeOn(PixelGrid& grid, ShapeKind shape, GridPoint from, GridPoint to, std::uint8_t value);

}  // namespace dotforge
