#include "edit/rectangle_raster.h"

namespace dotforge {

void DrawRectangle(PixelGrid& grid, GridPoint a, GridPoint b, std::uint8_t value, bool filled) {
  const DotRect rect = RectBetween(a, b);
  const DotRect inside = ClipRect(rect, grid.Width(), grid.Height());
  const std::int32_t lastColumn = rect.column + rect.width - 1;
  const std::int32_t lastRow = rect.row + rect.height - 1;
  for (std::int32_t row = inside.row; row < inside.row + inside.height; ++row) {
    const bool edgeRow = row == rect.row || row == lastRow;
    for (std::int32_t column = inside.column; column < inside.column + inside.width; ++column) {
      if (filled || edgeRow || column == rect.column || column == lastColumn) grid.Set(column, row, value);
    }
  }
}

}  // namespace dotforge
