#pragma once
// Filling the area of one colour around a dot.

#include <cstdint>

#include "edit/grid_point.h"
#include "edit/pixel_grid.h"

namespace dotforge {

// Sets `value` on the dot `seed` and every dot of the seed's colour reachable
// from it by steps left, right, up or down (diagonal neighbours do not connect).
// A seed outside the grid or already of `value` changes nothing. Works with an
// explicit list of dots to visit, never recursion, so a large area is safe.
void FloodFill(PixelGrid& grid, GridPoint seed, std::uint8_t value);

}  // namespace dotforge
