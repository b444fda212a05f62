#include "edit/dot_selection.h"

#include <algorithm>

namespace dotforge {

PixelGrid CopyArea(const PixelGrid& grid, DotRect area) {
  PixelGrid dots(area.width, area.height);
  for (std::int32_t row = 0; row < area.height; ++row) {
    const std::uint8_t* from = grid.Row(area.row + row) + area.column;
    std::copy_n(from, area.width, dots.Row(row));
  }
  return dots;
}

void StampDots(PixelGrid& grid, const PixelGrid& dots, GridPoint at) {
  const DotRect inside = ClipRect(DotRect{at.column, at.row, dots.Width(), dots.Height()}, grid.Width(), grid.Height());
  for (std::int32_t row = inside.row; row < inside.row + inside.height; ++row) {
    for (std::int32_t column = inside.column; column < inside.column + inside.width; ++column) {
      grid.Set(column, row, dots.At(column - at.column, row - at.row));
    }
  }
}

void DotSelection::Mark(const PixelGrid& grid, DotRect area) {
  Drop();
  area_ = ClipRect(area, grid.Width(), grid.Height());
  active_ = !area_.Empty();
}

void DotSelection::Float(PixelGrid& grid, PixelGrid dots, GridPoint at) {
  Drop();
  if (dots.Width() == 0 || dots.Height() == 0) return;
  area_ = DotRect{at.column, at.row, dots.Width(), dots.Height()};
  dots_ = std::move(dots);
  base_ = grid;
  active_ = true;
  floating_ = true;
  StampDots(grid, dots_, at);
}

void DotSelection::Lift(const PixelGrid& grid) {
  dots_ = CopyArea(grid, area_);
  base_ = grid;
  StampDots(base_, PixelGrid(area_.width, area_.height), GridPoint{area_.column, area_.row});
  floating_ = true;
}

void DotSelection::MoveTo(PixelGrid& grid, GridPoint at) {
  if (!active_) return;
  if (!floating_) Lift(grid);
  area_.column = std::clamp(at.column, 1 - area_.width, std::max(grid.Width() - 1, 1 - area_.width));
  area_.row = std::clamp(at.row, 1 - area_.height, std::max(grid.Height() - 1, 1 - area_.height));
  grid = base_;
  StampDots(grid, dots_, GridPoint{area_.column, area_.row});
}

PixelGrid DotSelection::Dots(const PixelGrid& grid) const {
  if (!active_) return PixelGrid();
  return floating_ ? dots_ : CopyArea(grid, area_);
}

void DotSelection::Erase(PixelGrid& grid) {
  if (!active_) return;
  if (floating_) {
    grid = base_;
  } else {
    StampDots(grid, PixelGrid(area_.width, area_.height), GridPoint{area_.column, area_.row});
  }
  Drop();
}

void DotSelection::Drop() {
  active_ = false;
  floating_ = false;
  area_ = {};
  dots_.Reshape(0, 0);
  base_.Reshape(0, 0);
}

}  // namespace dotforge
