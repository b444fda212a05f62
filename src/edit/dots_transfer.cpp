#include "edit/dots_transfer.h"

#include "model/character_record.h"

namespace dotforge {

Bytes EncodeDots(const PixelGrid& dots) {
  Bytes out;
  PutU32LE(out, static_cast<std::uint32_t>(dots.Width()));
  PutU32LE(out, static_cast<std::uint32_t>(dots.Height()));
  Bytes packed;
  PackBitmap(dots, dots.Width(), dots.Height(), packed);
  out.insert(out.end(), packed.begin(), packed.end());
  return out;
}

std::optional<PixelGrid> DecodeDots(ByteView bytes) {
  ByteCursor cursor(bytes);
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  if (!cursor.TakeU32LE(width) || !cursor.TakeU32LE(height)) return std::nullopt;
  const auto largest = static_cast<std::uint32_t>(kLargestDotsSide);
  if (width == 0 || height == 0 || width > largest || height > largest) return std::nullopt;
  const auto w = static_cast<std::int32_t>(width);
  const auto h = static_cast<std::int32_t>(height);
  ByteView rows;
  if (!cursor.Take(CellSize(w, h), rows)) return std::nullopt;
  PixelGrid dots;
  UnpackBitmap(rows, w, h, dots);
  return dots;
}

std::string DotsTextArt(const PixelGrid& dots) {
  std::string text;
  text.reserve(static_cast<std::size_t>(dots.Width() + 1) * static_cast<std::size_t>(dots.Height()));
  for (std::int32_t row = 0; row < dots.Height(); ++row) {
    for (std::int32_t column = 0; column < dots.Width(); ++column) {
      text += dots.At(column, row) == kBlackPixel ? '#' : '.';
    }
    text += '\n';
  }
  return text;
}

}  // namespace dotforge
