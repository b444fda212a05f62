#pragma once
// The ellipse that fits a rectangle of dots.

#include <cstdint>

#include "edit/grid_point.h"
#include "edit/pixel_grid.h"

namespace dotforge {

// The outline of the ellipse inscribed in the rectangle with corners `a` and `b`,
// set to `value` and clipped at the grid. A dot is inside the ellipse when its
// centre is; the outline is each inside dot with a left, right, upper or lower
// neighbour outside, so it is closed and one dot thick along its sides. A
// rectangle one dot wide or high gives a straight line.
void DrawEllipse(PixelGrid& grid, GridPoint a, GridPoint b, std::uint8_t value);

}  // namespace dotforge
