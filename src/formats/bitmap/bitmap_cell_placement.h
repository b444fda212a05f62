#pragma once
// Bitmap font glyphs placed into a W x H cell: a glyph's top row in the cell is
// B - (yoff + h), its left column xoff; dots outside the cell are cut.

#include <cstdint>
#include <optional>

#include "formats/bitmap/bitmap_font.h"

namespace dotforge {

struct CellLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t baseline = 0;  // rows of the cell above the baseline
};

// The largest cell side the font sets hold.
inline constexpr std::int32_t kMaxBitmapCellSide = 255;

// The layout with the given values, each 0 or missing one taken from the font:
// width from its widest glyph box, height A + D, baseline A; the sides are kept
// within 1..kMaxBitmapCellSide.
CellLayout DefaultCellLayout(const BitmapFont& font, std::int32_t width, std::int32_t height,
                             std::optional<std::int32_t> baseline);

// Draws the glyph into `cell` (CellSize(width, height) bytes, blank before).
// Returns true when black dots fell outside the cell and were cut.
bool PlaceGlyph(const BitmapGlyph& glyph, const CellLayout& layout, std::uint8_t* cell);

}  // namespace dotforge
