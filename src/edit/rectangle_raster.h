#pragma once
// Axis-parallel rectangles of dots between two opposite corner dots.

#include <cstdint>

#include "edit/grid_point.h"
#include "edit/pixel_grid.h"

namespace dotforge {

// The one-dot border of the rectangle with corners `a` and `b` (or, with
// `filled`, every dot inside it too) set to `value`, clipped at the grid.
void DrawRectangle(PixelGrid& grid, GridPoint a, GridPoint b, std::uint8_t value, bool filled);

}  // namespace dotforge
