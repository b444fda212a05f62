#pragma once
// The unpacked working form of one glyph: one byte per pixel, row-major (index =
// row x width + column), 1 = white, 0 = black, followed by one trailing 0 byte.
// The editor and the font-wide operations work on it and pack it back.

#include <cstdint>

#include "platform/bytes.h"

namespace dotforge {

inline constexpr std::uint8_t kWhitePixel = 1;
inline constexpr std::uint8_t kBlackPixel = 0;

class PixelGrid {
 public:
  PixelGrid() { Reshape(0, 0); }
  PixelGrid(std::int32_t width, std::int32_t height) { Reshape(width, height); }

  // Makes the grid `width` x `height` white pixels (a side below 0 counts as 0).
  void Reshape(std::int32_t width, std::int32_t height);

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  bool Contains(std::int32_t column, std::int32_t row) const {
    return column >= 0 && row >= 0 && column < width_ && row < height_;
  }

  std::uint8_t At(std::int32_t column, std::int32_t row) const { return pixels_[Index(column, row)]; }
  void Set(std::int32_t column, std::int32_t row, std::uint8_t value) { pixels_[Index(column, row)] = value; }
  std::uint8_t* Row(std::int32_t row) { return pixels_.data() + Index(0, row); }
  const std::uint8_t* Row(std::int32_t row) const { return pixels_.data() + Index(0, row); }

  // All width x height + 1 bytes.
  const Bytes& Pixels() const { return pixels_; }

 private:
  std::size_t Index(std::int32_t column, std::int32_t row) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(column);
  }

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  Bytes pixels_;
};

// Fills `grid` as a `width` x `height` glyph from the packed bitmap. Bytes the
// bitmap lacks read as 0, so a short bitmap gives white pixels, never a read past it.
void UnpackBitmap(ByteView packed, std::int32_t width, std::int32_t height, PixelGrid& grid);

// Packs a `width` x `height` glyph from `grid` into `packed` (resized to the cell
// size, padding bits 0). Pixels outside the grid pack as white.
void PackBitmap(const PixelGrid& grid, std::int32_t width, std::int32_t height, Bytes& packed);

}  // namespace dotforge
