#include "edit/grid_operations.h"

#include <algorithm>
#include <cstring>

namespace dotforge {
namespace {

std::size_t RowBytes(const PixelGrid& grid) { return static_cast<std::size_t>(grid.Width()); }

bool IsEmpty(const PixelGrid& grid) { return grid.Width() == 0 || grid.Height() == 0; }

void WhitenRow(PixelGrid& grid, std::int32_t row) { std::fill_n(grid.Row(row), grid.Width(), kWhitePixel); }

void WhitenColumn(PixelGrid& grid, std::int32_t column) {
  for (std::int32_t row = 0; row < grid.Height(); ++row) grid.Set(column, row, kWhitePixel);
}

// Copies rows [from, from + count) onto the rows starting at `to` (overlap allowed).
void MoveRows(PixelGrid& grid, std::int32_t from, std::int32_t to, std::int32_t count) {
  if (count <= 0) return;
  std::memmove(grid.Row(to), grid.Row(from), RowBytes(grid) * static_cast<std::size_t>(count));
}

// In every row, copies columns [from, from + count) onto the columns starting at `to`.
void MoveColumns(PixelGrid& grid, std::int32_t from, std::int32_t to, std::int32_t count) {
  if (count <= 0) return;
  for (std::int32_t row = 0; row < grid.Height(); ++row) {
    std::memmove(grid.Row(row) + to, grid.Row(row) + from, static_cast<std::size_t>(count));
  }
}

}  // namespace

void ShiftGrid(PixelGrid& grid, ShiftDirection direction) {
  if (IsEmpty(grid)) return;
  const std::int32_t w = grid.Width();
  const std::int32_t h = grid.Height();
  switch (direction) {
    case ShiftDirection::Down:
      MoveRows(grid, 0, 1, h - 1);
      WhitenRow(grid, 0);
      break;
    case ShiftDirection::Up:
      MoveRows(grid, 1, 0, h - 1);
      WhitenRow(grid, h - 1);
      break;
    case ShiftDirection::Right:
      MoveColumns(grid, 0, 1, w - 1);
      WhitenColumn(grid, 0);
      break;
    case ShiftDirection::Left:
      MoveColumns(grid, 1, 0, w - 1);
      WhitenColumn(grid, w - 1);
      break;
  }
}

void AddRow(PixelGrid& grid, std::int32_t row) {
  if (IsEmpty(grid) || row < 0 || row >= grid.Height()) return;
  MoveRows(grid, row, row + 1, grid.Height() - 1 - row);
}

void AddColumn(PixelGrid& grid, std::int32_t column) {
  if (IsEmpty(grid) || column < 0 || column >= grid.Width()) return;
  MoveColumns(grid, column, column + 1, grid.Width() - 1 - column);
}

void DeleteRow(PixelGrid& grid, std::int32_t row) {
  if (IsEmpty(grid) || row < 0) return;
  if (row < grid.Height()) MoveRows(grid, row + 1, row, grid.Height() - 1 - row);
  WhitenRow(grid, grid.Height() - 1);
}

void DeleteColumn(PixelGrid& grid, std::int32_t column) {
  if (IsEmpty(grid) || column < 0) return;
  if (column < grid.Width()) MoveColumns(grid, column + 1, column, grid.Width() - 1 - column);
  WhitenColumn(grid, grid.Width() - 1);
}

void ClearGrid(PixelGrid& grid) { grid.Reshape(grid.Width(), grid.Height()); }

void RotateClockwise(const PixelGrid& grid, PixelGrid& rotated) {
  const std::int32_t h = grid.Height();
  rotated.Reshape(h, grid.Width());
  for (std::int32_t row = 0; row < h; ++row) {
    const std::uint8_t* pixels = grid.Row(row);
    for (std::int32_t column = 0; column < grid.Width(); ++column) rotated.Set(h - 1 - row, column, pixels[column]);
  }
}

}  // namespace dotforge
