#pragma once
// Whole-glyph mirror images, inversion and the quarter turn to the left. The
// quarter turn to the right is RotateClockwise in grid_operations.h.

#include "edit/pixel_grid.h"

namespace dotforge {

// Left and right change places: column c goes to column width - 1 - c.
void FlipHorizontal(PixelGrid& grid);
// Top and bottom change places: row r goes to row height - 1 - r.
void FlipVertical(PixelGrid& grid);
// Every black dot white and every white dot black.
void InvertGrid(PixelGrid& grid);
// A quarter turn counter-clockwise: pixel (row r, column c) goes to (row
// width - 1 - c, column r) of `rotated`, which becomes height x width.
void RotateCounterClockwise(const PixelGrid& grid, PixelGrid& rotated);

}  // namespace dotforge
