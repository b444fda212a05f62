#include "edit/line_raster.h"

#include <cstdlib>

namespace dotforge {

void DrawLine(PixelGrid& grid, GridPoint from, GridPoint to, std::uint8_t value) {
  std::int64_t x = from.column;
  std::int64_t y = from.row;
  const std::int64_t dx = std::llabs(std::int64_t{to.column} - x);
  const std::int64_t dy = -std::llabs(std::int64_t{to.row} - y);
  const std::int64_t stepX = from.column < to.column ? 1 : -1;
  const std::int64_t stepY = from.row < to.row ? 1 : -1;
  std::int64_t error = dx + dy;
  for (;;) {
    const auto column = static_cast<std::int32_t>(x);
    const auto row = static_cast<std::int32_t>(y);
    if (grid.Contains(column, row)) grid.Set(column, row, value);
    if (x == to.column && y == to.row) return;
    const std::int64_t doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x += stepX;
    }
    if (doubled <= dx) {
      error += dx;
      y += stepY;
    }
  }
}

}  // namespace dotforge
