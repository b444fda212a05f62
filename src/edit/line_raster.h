#pragma once
// A straight line of dots between two dots (Bresenham): every step moves one dot
// along the longer axis, so the line has no gaps and no doubled corners.

#include <cstdint>

#include "edit/grid_point.h"
#include "edit/pixel_grid.h"

namespace dotforge {

// Sets the dots of the line from `from` to `to` (both included) to `value`;
// dots outside the grid are left out.
void DrawLine(PixelGrid& grid, GridPoint from, GridPoint to, std::uint8_t value);

}  // namespace dotforge
