#pragma once
// A dot's place in a pixel grid and a rectangle of dots. Either may lie partly
// or wholly outside a grid: whoever draws with them clips at the grid.

#include <cstdint>

namespace dotforge {

struct GridPoint {
  std::int32_t column = 0;
  std::int32_t row = 0;
  bool operator==(const GridPoint&) const = default;
};

struct DotRect {
  std::int32_t column = 0;
  std::int32_t row = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const DotRect&) const = default;

  bool Empty() const { return width <= 0 || height <= 0; }
  bool Contains(GridPoint point) const {
    return point.column >= column && point.row >= row && point.column - column < width && point.row - row < height;
  }
};

// The rectangle whose opposite corners are the dots `a` and `b`, both inside it.
DotRect RectBetween(GridPoint a, GridPoint b);

// The part of `rect` inside a `width` x `height` grid (empty when none is).
DotRect ClipRect(DotRect rect, std::int32_t width, std::int32_t height);

}  // namespace dotforge
