#include "edit/glyph_shapes.h"

#include "edit/ellipse_raster.h"
#include "edit/line_raster.h"
#include "edit/rectangle_raster.h"

namespace dotforge {

void DrawShapeOn(PixelGrid& grid, ShapeKind shape, GridPoint from, GridPoint to, std::uint8_t value) {
  switch (shape) {
    case ShapeKind::Line:
      DrawLine(grid, from, to, value);
      break;
    case ShapeKind::Rectangle:
      DrawRectangle(grid, from, to, value, false);
      break;
    case ShapeKind::FilledRectangle:
      DrawRectangle(grid, from, to, value, true);
      break;
    case ShapeKind::Ellipse:
      DrawEllipse(grid, from, to, value);
      break;
  }
}

}  // namespace dotforge
