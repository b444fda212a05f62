// A block of dots as the editor's Paste reads it from the clipboard, possibly
// damaged or claiming any size: a block that reads back must encode and read
// back the same, and pasting, moving, drawing and filling on a small glyph with
// it must keep every dot inside the glyph's grid.
#include <cstdint>
#include <cstdlib>

#include "edit/dot_selection.h"
#include "edit/dots_transfer.h"
#include "edit/flood_fill.h"
#include "edit/glyph_shapes.h"

namespace {

using namespace dotforge;

GridPoint PointFrom(ByteView bytes, std::size_t at) {
  const auto value = [&](std::size_t i) { return i < bytes.size() ? AsSigned8(bytes[i]) : std::int8_t{0}; };
  return GridPoint{value(at), value(at + 1)};
}

void EditWith(const PixelGrid& dots, ByteView bytes) {
  PixelGrid grid(13, 9);
  DotSelection selection;
  selection.Float(grid, dots, PointFrom(bytes, 8));
  selection.MoveTo(grid, PointFrom(bytes, 10));
  if (selection.Dots(grid).Pixels() != dots.Pixels()) std::abort();
  selection.Erase(grid);
  for (const ShapeKind shape :
       {ShapeKind::Line, ShapeKind::Rectangle, ShapeKind::FilledRectangle, ShapeKind::Ellipse}) {
    DrawShapeOn(grid, shape, PointFrom(bytes, 12), PointFrom(bytes, 14), kBlackPixel);
  }
  FloodFill(grid, PointFrom(bytes, 16), kBlackPixel);
  selection.Mark(grid, RectBetween(PointFrom(bytes, 18), PointFrom(bytes, 20)));
  selection.MoveTo(grid, PointFrom(bytes, 22));
  if (grid.Width() != 13 || grid.Height() != 9 || grid.Pixels().back() != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteView bytes(data, size);
  const std::optional<PixelGrid> dots = DecodeDots(bytes);
  if (!dots) return 0;
  const std::optional<PixelGrid> again = DecodeDots(EncodeDots(*dots));
  if (!again || again->Pixels() != dots->Pixels() || again->Width() != dots->Width()) std::abort();
  EditWith(*dots, bytes);
  return 0;
}
