#pragma once
// A font set as the Adafruit GFX library holds a font: one glyph record per code
// from the first to the last, each glyph's inked box packed row after row
// without padding between rows (the first dot in the most significant bit,
// each glyph starting on a byte), placed by offsets from the cursor on the
// baseline.

#include <cstdint>
#include <vector>

#include "model/app_values.h"
#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

struct GfxGlyph {
  std::uint32_t code = 0;
  std::size_t bitmapOffset = 0;
  std::int32_t width = 0;     // the inked box; 0 x 0 for a blank or missing character
  std::int32_t height = 0;
  std::int32_t xAdvance = 0;  // the cell width
  std::int32_t xOffset = 0;   // the box's left edge from the cell's left
  std::int32_t yOffset = 0;   // the box's top from the baseline, negative above it
};

struct GfxFont {
  Bytes bitmap;
  std::vector<GfxGlyph> glyphs;  // codes first..last
  std::uint32_t first = 0;
  std::uint32_t last = 0;
  std::int32_t yAdvance = 0;     // the cell height
};

// The characters a GFX font of `doc` holds: those whose codes lie in `codes`
// (every one when it is empty), ascending, the first of equal codes.
std::vector<const CharacterRecord*> GfxCharacters(const CDotforgeImportDoc& doc, const std::vector<CodeRange>& codes);

// The font of `characters` (ascending codes, none twice, at least one) with
// `baseline` cell rows above the baseline.
GfxFont BuildGfxFont(const std::vector<const CharacterRecord*>& characters, const CDotforgeImportDoc& doc,
                     std::int32_t baseline);

}  // namespace dotforge
