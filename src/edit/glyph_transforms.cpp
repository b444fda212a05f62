#include "edit/glyph_transforms.h"

#include <algorithm>

namespace dotforge {

void FlipHorizontal(PixelGrid& grid) {
  for (std::int32_t row = 0; row < grid.Height(); ++row) std::reverse(grid.Row(row), grid.Row(row) + grid.Width());
}

void FlipVertical(PixelGrid& grid) {
  for (std::int32_t top = 0, bottom = grid.Height() - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(grid.Row(top), grid.Row(top) + grid.Width(), grid.Row(bottom));
  }
}

void InvertGrid(PixelGrid& grid) {
  for (std::int32_t row = 0; row < grid.Height(); ++row) {
    std::uint8_t* pixels = grid.Row(row);
    for (std::int32_t column = 0; column < grid.Width(); ++column) {
      pixels[column] = pixels[column] == kBlackPixel ? kWhitePixel : kBlackPixel;
    }
  }
}

void RotateCounterClockwise(const PixelGrid& grid, PixelGrid& rotated) {
  const std::int32_t w = grid.Width();
  rotated.Reshape(grid.Height(), w);
  for (std::int32_t row = 0; row < grid.Height(); ++row) {
    const std::uint8_t* pixels = grid.Row(row);
    for (std::int32_t column = 0; column < w; ++column) rotated.Set(row, w - 1 - column, pixels[column]);
  }
}

}  // namespace dotforge
