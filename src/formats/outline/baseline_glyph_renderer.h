#pragma once
// Glyphs of one FreeType face drawn at one pixel size on one common baseline, as
// a keep-codes import places them: each glyph's advance box is centred in the
// cell's width and its origin stands on the baseline, never stretched; dots that
// fall outside the cell are cut and counted.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <optional>
#include <vector>

#include "formats/bitmap/bitmap_cell_placement.h"
#include "formats/outline/glyph_renderer.h"

namespace dotforge {

// The largest pixel size the keep-codes import renders at.
inline constexpr std::int32_t kMaxPixelSize = 512;

// The pixel size at which the face's full height (ascender + descender) fits
// `cellHeight` rows; for a face without outlines, its strike nearest to that
// height. At least 1.
std::int32_t DefaultPixelSize(FT_Face face, std::int32_t cellHeight);

// Sets the face to `pixelSize` (a face without outlines takes its nearest
// strike); false when neither is possible.
bool SetPixelSize(FT_Face face, std::int32_t pixelSize);

// Rows above the baseline for a face at its set size: its ascender, with the room
// the cell has beyond the face's height shared between top and bottom; within
// 0..cellHeight.
std::int32_t DefaultBaseline(FT_Face face, std::int32_t cellHeight);

// The cell column of a glyph's origin so that its advance (1/64 pixel) is centred
// in a cell `cellWidth` dots wide; a half column goes to the left.
std::int32_t OriginColumn(FT_Pos advance, std::int32_t cellWidth);

// Loads glyph `index` at the face's size and draws it into `cell` (blank, of the
// layout's size) on the layout's baseline. False when FreeType cannot load or
// render it; `cut` tells whether black dots fell outside the cell.
bool DrawGlyphOnBaseline(FT_Library library, FT_Face face, FT_UInt index, const CellLayout& layout,
                         std::uint8_t* cell, bool& cut);

// Draws glyphs [begin, end) of `glyphs` into cells [begin, end) of `cells` and
// sets `cuts[n]` for each glyph n that was cut. The index of the first glyph that
// failed, or nothing; returns early once a stop is asked.
std::optional<std::size_t> DrawGlyphsOnBaseline(FT_Library library, FT_Face face, const std::vector<FT_UInt>& glyphs,
                                                std::size_t begin, std::size_t end, const CellLayout& layout,
                                                std::uint8_t* cells, std::uint8_t* cuts, RenderControl& control);

}  // namespace dotforge
