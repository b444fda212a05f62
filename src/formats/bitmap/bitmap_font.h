#pragma once
// A bitmap font as the BDF, PCF, PSF and Unifont hex readers hand it over: each
// glyph a w x h box of packed rows placed by its offsets from the origin, and the
// font's ascent and descent, all in dots.

#include <cstdint>
#include <vector>

#include "platform/bytes.h"

namespace dotforge {

struct BitmapGlyph {
  std::uint32_t code = 0;  // the source's code: Unicode, or the font's own numbering
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t xoff = 0;  // left column of the box from the origin
  std::int32_t yoff = 0;  // bottom row of the box from the baseline, up positive
  Bytes rows;             // height packed rows of BytesPerRow(width) bytes, leftmost dot in the top bit
};

struct BitmapFont {
  std::int32_t ascent = 0;
  std::int32_t descent = 0;
  bool unicodeCodes = true;  // false when the codes are another character set's
  std::vector<BitmapGlyph> glyphs;
};

// True when the glyph's dot (x, y) (y counted down from the box's top row) is black.
inline bool GlyphDot(const BitmapGlyph& glyph, std::int32_t x, std::int32_t y) {
  const std::size_t rowBytes = static_cast<std::size_t>((glyph.width + 7) / 8);
  return (glyph.rows[static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1;
}

}  // namespace dotforge
