#pragma once
// Edits of a whole pixel grid. The glyph keeps its size in each: a row or column
// pushed out is lost and a freed one becomes white; nothing wraps around.

#include <cstdint>

#include "edit/pixel_grid.h"

namespace dotforge {

enum class ShiftDirection { Down, Up, Right, Left };

void ShiftGrid(PixelGrid& grid, ShiftDirection direction);

// Row `row` is duplicated into the next one; the rows below move down and the
// bottom row is lost. A row below 0 changes nothing, the last row or beyond too.
void AddRow(PixelGrid& grid, std::int32_t row);
// The same for column `column`, pushing the columns to its right.
void AddColumn(PixelGrid& grid, std::int32_t column);
// The rows below `row` move up over it and the bottom row turns white. A row
// below 0 changes nothing; the last row or beyond only whitens the bottom row.
void DeleteRow(PixelGrid& grid, std::int32_t row);
// The same for column `column`, with the rightmost column turning white.
void DeleteColumn(PixelGrid& grid, std::int32_t column);

// Every pixel white.
void ClearGrid(PixelGrid& grid);

// A quarter turn clockwise: pixel (row r, column c) goes to (row c, column
// height - 1 - r) of `rotated`, which becomes height x width.
void RotateClockwise(const PixelGrid& grid, PixelGrid& rotated);

}  // namespace dotforge
