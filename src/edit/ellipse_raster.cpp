#include "edit/ellipse_raster.h"

namespace dotforge {
namespace {

// Whether the centre of dot (column, row), counted from the rectangle's corner,
// lies inside the ellipse inscribed in a `width` x `height` rectangle: with
// offsets from the centre doubled to stay in integers,
// (2c + 1 - w)^2 h^2 + (2r + 1 - h)^2 w^2 <= w^2 h^2.
bool Inside(std::int64_t column, std::int64_t row, std::int64_t width, std::int64_t height) {
  if (column < 0 || row < 0 || column >= width || row >= height) return false;
  const std::int64_t x = 2 * column + 1 - width;
  const std::int64_t y = 2 * row + 1 - height;
  return x * x * height * height + y * y * width * width <= width * width * height * height;
}

}  // namespace

void DrawEllipse(PixelGrid& grid, GridPoint a, GridPoint b, std::uint8_t value) {
  const DotRect rect = RectBetween(a, b);
  const DotRect visible = ClipRect(rect, grid.Width(), grid.Height());
  for (std::int32_t row = visible.row; row < visible.row + visible.height; ++row) {
    for (std::int32_t column = visible.column; column < visible.column + visible.width; ++column) {
      const std::int64_t c = std::int64_t{column} - rect.column;
      const std::int64_t r = std::int64_t{row} - rect.row;
      if (!Inside(c, r, rect.width, rect.height)) continue;
      const bool edge = !Inside(c - 1, r, rect.width, rect.height) || !Inside(c + 1, r, rect.width, rect.height) ||
                        !Inside(c, r - 1, rect.width, rect.height) || !Inside(c, r + 1, rect.width, rect.height);
      if (edge) grid.Set(column, row, value);
    }
  }
}

}  // namespace dotforge
