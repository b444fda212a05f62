#include "edit/pixel_grid.h"

#include <algorithm>

#include "model/character_record.h"

namespace dotforge {

void PixelGrid::Reshape(std::int32_t width, std::int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) + 1, kWhitePixel);
  pixels_.back() = 0;
}

void UnpackBitmap(ByteView packed, std::int32_t width, std::int32_t height, PixelGrid& grid) {
  grid.Reshape(width, height);
  const std::size_t rowBytes = BytesPerRow(grid.Width());
  for (std::int32_t row = 0; row < grid.Height(); ++row) {
    const std::size_t rowStart = static_cast<std::size_t>(row) * rowBytes;
    std::uint8_t* pixels = grid.Row(row);
    for (std::int32_t column = 0; column < grid.Width(); ++column) {
      const std::size_t index = rowStart + static_cast<std::size_t>(column / 8);
      const std::uint8_t byte = index < packed.size() ? packed[index] : 0;
      const bool black = (byte & (0x80 >> (column % 8))) != 0;
      pixels[column] = black ? kBlackPixel : kWhitePixel;
    }
  }
}

void PackBitmap(const PixelGrid& grid, std::int32_t width, std::int32_t height, Bytes& packed) {
  packed.assign(CellSize(width, height), 0);
  if (packed.empty()) return;
  const std::size_t rowBytes = BytesPerRow(width);
  const std::int32_t rows = std::min(height, grid.Height());
  const std::int32_t columns = std::min(width, grid.Width());
  for (std::int32_t row = 0; row < rows; ++row) {
    const std::uint8_t* pixels = grid.Row(row);
    std::uint8_t* out = packed.data() + static_cast<std::size_t>(row) * rowBytes;
    for (std::int32_t column = 0; column < columns; ++column) {
      if (pixels[column] == kBlackPixel) out[column / 8] |= static_cast<std::uint8_t>(0x80 >> (column % 8));
    }
  }
}

}  // namespace dotforge
