#include "formats/bitmap/bitmap_cell_placement.h"

#include <algorithm>

#include "model/character_record.h"

namespace dotforge {

CellLayout DefaultCellLayout(const BitmapFont& font, std::int32_t width, std::int32_t height,
                             std::optional<std::int32_t> baseline) {
  std::int32_t widest = 0;
  for (const BitmapGlyph& glyph : font.glyphs) widest = std::max(widest, std::max(glyph.xoff, 0) + glyph.width);
  const auto side = [](std::int32_t value) { return std::clamp(value, 1, kMaxBitmapCellSide); };
  CellLayout layout;
  layout.width = side(width > 0 ? width : widest);
  layout.height = side(height > 0 ? height : font.ascent + font.descent);
  layout.baseline = baseline.value_or(font.ascent);
  return layout;
}

bool PlaceGlyph(const BitmapGlyph& glyph, const CellLayout& layout, std::uint8_t* cell) {
  const std::int32_t top = layout.baseline - (glyph.yoff + glyph.height);
  const std::int32_t left = glyph.xoff;
  const std::int32_t cellRowBytes = BytesPerRow(layout.width);
  bool cut = false;
  for (std::int32_t y = 0; y < glyph.height; ++y) {
    const std::int32_t row = top + y;
    const bool rowInside = row >= 0 && row < layout.height;
    for (std::int32_t x = 0; x < glyph.width; ++x) {
      if (!GlyphDot(glyph, x, y)) continue;
      const std::int32_t column = left + x;
      if (!rowInside || column < 0 || column >= layout.width) {
        cut = true;
        continue;
      }
      cell[row * cellRowBytes + column / 8] |= static_cast<std::uint8_t>(0x80 >> (column % 8));
    }
  }
  return cut;
}

}  // namespace dotforge
