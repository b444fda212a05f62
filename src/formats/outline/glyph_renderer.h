#pragma once
// Rendering glyphs of one FreeType face into packed character cells. Each glyph
// is centred in its cell; one that reaches more than 3 pixels below the baseline
// sits on the bottom edge instead of being centred vertically.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace dotforge {

struct CellGeometry {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::size_t rowBytes = 0;
  std::size_t cellSize = 0;
};

CellGeometry MakeCellGeometry(std::int32_t width, std::int32_t height);

// Control boxes lower than this (in 1/64 pixel) make a glyph "deep".
inline constexpr FT_Pos kDeepGlyphLimit = -192;

// The translation (1/64 pixel) that moves an outline with control box `box` to
// its place in the cell, whose lower-left corner is the origin. Divisions
// truncate towards zero.
FT_Vector OutlinePlacement(const FT_BBox& box, std::int32_t width, std::int32_t height);

// Sets the face's size for the cell: the em square becomes width x height pixels
// at 72 dpi for a scalable face; a bitmap-only face takes the strike closest to
// the cell. False when neither is possible.
bool SetCellSize(FT_Face face, std::int32_t width, std::int32_t height);

// Shared by the threads rendering one font: the glyphs done so far (counted a
// run at a time), and the request to stop early, which every glyph looks at.
// Each has a cache line of its own, so the counting does not slow the looking.
struct RenderControl {
  alignas(64) std::atomic<std::size_t> done{0};
  alignas(64) std::atomic<bool> stop{false};
};

// Renders glyphs [begin, end) into cells [begin, end) of `cells` (which are blank).
// Outlines are rasterised, bitmap glyphs copied with the same placement, other
// formats left blank. Returns the index of the first glyph that could not be
// loaded or rendered, or nothing. With a `control`, returns (with nothing) as
// soon as a stop is asked.
std::optional<std::size_t> RenderGlyphs(FT_Library library, FT_Face face, const std::vector<FT_UInt>& glyphs,
                                        std::size_t begin, std::size_t end, const CellGeometry& cell,
                                        std::uint8_t* cells, RenderControl* control = nullptr);

}  // namespace dotforge
