#include "formats/firmware/carray_layout.h"

#include "formats/writer_support.h"
#include "model/character_record.h"

namespace dotforge {
namespace {

// Where the dot (x, y) of a glyph lies in the options' layout.
struct DotPlace {
  std::size_t byte = 0;
  std::uint8_t mask = 0;
};

class GlyphPlaces {
 public:
  GlyphPlaces(std::int32_t width, std::int32_t height, const CArrayOptions& options)
      : rowBytes_(static_cast<std::size_t>(BytesPerRow(width))),
        bands_(static_cast<std::size_t>((height + 7) / 8)),
        options_(options) {}

  DotPlace Of(std::int32_t x, std::int32_t y) const {
    const bool rows = options_.layout == DotLayout::Rows;
    const auto ux = static_cast<std::size_t>(x);
    const auto uy = static_cast<std::size_t>(y);
    const std::size_t byte = rows ? uy * rowBytes_ + ux / 8 : ux * bands_ + uy / 8;
    const auto bit = static_cast<unsigned>(rows ? ux % 8 : uy % 8);
    const auto mask = static_cast<std::uint8_t>(options_.bitOrder == BitOrder::Msb ? 0x80u >> bit : 1u << bit);
    return {byte, mask};
  }

 private:
  std::size_t rowBytes_;
  std::size_t bands_;
  const CArrayOptions& options_;
};

constexpr std::int32_t kMaxCellSide = 255;

}  // namespace

bool IsCArrayCell(std::int32_t width, std::int32_t height) {
  return width >= 1 && width <= kMaxCellSide && height >= 1 && height <= kMaxCellSide;
}

std::size_t CArrayGlyphBytes(std::int32_t width, std::int32_t height, DotLayout layout) {
  if (width < 1 || height < 1) return 0;
  if (layout == DotLayout::Rows) return CellSize(width, height);
  return static_cast<std::size_t>(width) * static_cast<std::size_t>((height + 7) / 8);
}

void AppendCArrayGlyph(ByteView cell, std::int32_t width, std::int32_t height, const CArrayOptions& options,
                       Bytes& out) {
  const std::size_t start = out.size();
  out.resize(start + CArrayGlyphBytes(width, height, options.layout), 0);
  const GlyphPlaces places(width, height, options);
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width));
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      if (CellDot(cell, rowBytes, x, y) == options.invert) continue;
      const DotPlace place = places.Of(x, y);
      out[start + place.byte] = static_cast<std::uint8_t>(out[start + place.byte] | place.mask);
    }
  }
}

void ReadCArrayGlyph(ByteView glyph, std::int32_t width, std::int32_t height, const CArrayOptions& options,
                     std::uint8_t* cell) {
  const GlyphPlaces places(width, height, options);
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width));
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      const DotPlace place = places.Of(x, y);
      const bool set = (glyph[place.byte] & place.mask) != 0;
      if (set == options.invert) continue;
      cell[static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x) / 8] |=
          static_cast<std::uint8_t>(0x80u >> (x % 8));
    }
  }
}

}  // namespace dotforge
