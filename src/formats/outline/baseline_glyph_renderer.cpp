#include "formats/outline/baseline_glyph_renderer.h"

#include FT_BITMAP_H

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "model/character_record.h"

namespace dotforge {
namespace {

// Floor of a 1/64 pixel value in whole pixels, for negative values too.
FT_Pos FloorPixels(FT_Pos value) { return value >= 0 ? value / 64 : -((-value + 63) / 64); }

int NearestStrike(FT_Face face, std::int32_t height) {
  int best = -1;
  long bestDistance = std::numeric_limits<long>::max();
  for (int i = 0; i < face->num_fixed_sizes; ++i) {
    const long distance = std::labs(face->available_sizes[i].height - height);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

// The face's ascender and descender (both up positive: the descender is a depth)
// at its set size, in 1/64 pixel.
std::pair<FT_Pos, FT_Pos> ScaledExtent(FT_Face face) {
  if (FT_IS_SCALABLE(face)) {
    const FT_Fixed scale = face->size->metrics.y_scale;
    return {FT_MulFix(face->ascender, scale), FT_MulFix(-face->descender, scale)};
  }
  return {face->size->metrics.ascender, -face->size->metrics.descender};
}

// A 1-bit or 8-bit bitmap as a glyph box with offsets from the origin, 1 bit per
// dot; `originColumn` is where the origin falls in the cell.
BitmapGlyph BoxOf(const FT_Bitmap& source, bool mono, FT_Int left, FT_Int top, std::int32_t originColumn) {
  BitmapGlyph glyph;
  glyph.width = static_cast<std::int32_t>(source.width);
  glyph.height = static_cast<std::int32_t>(source.rows);
  glyph.xoff = originColumn + left;
  glyph.yoff = top - glyph.height;
  const auto rowBytes = static_cast<std::size_t>((glyph.width + 7) / 8);
  glyph.rows.assign(rowBytes * static_cast<std::size_t>(glyph.height), 0);
  const int threshold = mono ? 1 : std::max(static_cast<int>(source.num_grays), 2) / 2;
  for (std::int32_t y = 0; y < glyph.height; ++y) {
    const unsigned char* row = source.buffer + static_cast<std::ptrdiff_t>(y) * source.pitch;
    for (std::int32_t x = 0; x < glyph.width; ++x) {
      const int value = mono ? (row[x / 8] >> (7 - x % 8)) & 1 : row[x];
      if (value < threshold) continue;
      glyph.rows[static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x / 8)] |=
          static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  return glyph;
}

// The slot's bitmap as a glyph box; nothing when it cannot be read.
std::optional<BitmapGlyph> SlotGlyph(FT_Library library, FT_GlyphSlot slot, std::int32_t originColumn) {
  if (slot->bitmap.pitch < 0) return std::nullopt;
  if (slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
    return BoxOf(slot->bitmap, true, slot->bitmap_left, slot->bitmap_top, originColumn);
  }
  FT_Bitmap gray;
  FT_Bitmap_Init(&gray);
  std::optional<BitmapGlyph> glyph;
  if (FT_Bitmap_Convert(library, &slot->bitmap, &gray, 1) == 0) {
    glyph = BoxOf(gray, false, slot->bitmap_left, slot->bitmap_top, originColumn);
  }
  FT_Bitmap_Done(library, &gray);
  return glyph;
}

}  // namespace

std::int32_t DefaultPixelSize(FT_Face face, std::int32_t cellHeight) {
  if (!FT_IS_SCALABLE(face)) {
    const int strike = NearestStrike(face, cellHeight);
    return strike < 0 ? std::max(cellHeight, 1) : std::max<std::int32_t>(face->available_sizes[strike].height, 1);
  }
  const long faceHeight = static_cast<long>(face->ascender) - face->descender;
  if (faceHeight <= 0) return std::clamp(cellHeight, 1, kMaxPixelSize);
  const long size = static_cast<long>(cellHeight) * face->units_per_EM / faceHeight;
  return static_cast<std::int32_t>(std::clamp<long>(size, 1, kMaxPixelSize));
}

bool SetPixelSize(FT_Face face, std::int32_t pixelSize) {
  if (FT_IS_SCALABLE(face)) return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) == 0;
  const int strike = NearestStrike(face, pixelSize);
  return strike >= 0 && FT_Select_Size(face, strike) == 0;
}

std::int32_t DefaultBaseline(FT_Face face, std::int32_t cellHeight) {
  const auto [ascender, descender] = ScaledExtent(face);
  // Ascender plus half of what is left: (height + ascender - descender) / 2, rounded.
  const FT_Pos twice = static_cast<FT_Pos>(cellHeight) * 64 + ascender - descender;
  const FT_Pos rows = FloorPixels(twice / 2 + 32);
  return static_cast<std::int32_t>(std::clamp<FT_Pos>(rows, 0, cellHeight));
}

std::int32_t OriginColumn(FT_Pos advance, std::int32_t cellWidth) {
  return static_cast<std::int32_t>(FloorPixels((static_cast<FT_Pos>(cellWidth) * 64 - advance) / 2));
}

bool DrawGlyphOnBaseline(FT_Library library, FT_Face face, FT_UInt index, const CellLayout& layout,
                         std::uint8_t* cell, bool& cut) {
  cut = false;
  // Scalable faces never use their embedded bitmaps: a strike of another design
  // would stand among the outlines.
  const FT_Int32 flags = FT_LOAD_TARGET_MONO | (FT_IS_SCALABLE(face) ? FT_LOAD_NO_BITMAP : 0);
  if (FT_Load_Glyph(face, index, flags) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return false;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP) return true;  // nothing FreeType can draw: a blank cell
  const std::optional<BitmapGlyph> glyph = SlotGlyph(library, slot, OriginColumn(slot->advance.x, layout.width));
  if (!glyph) return false;
  cut = PlaceGlyph(*glyph, layout, cell);
  return true;
}

std::optional<std::size_t> DrawGlyphsOnBaseline(FT_Library library, FT_Face face, const std::vector<FT_UInt>& glyphs,
                                                std::size_t begin, std::size_t end, const CellLayout& layout,
                                                std::uint8_t* cells, std::uint8_t* cuts, RenderControl& control) {
  const std::size_t cellBytes = CellSize(layout.width, layout.height);
  for (std::size_t n = begin; n < end; ++n) {
    if (control.stop.load(std::memory_order_relaxed)) return std::nullopt;
    bool cut = false;
    if (!DrawGlyphOnBaseline(library, face, glyphs[n], layout, cells + n * cellBytes, cut)) return n;
    cuts[n] = cut ? 1 : 0;
  }
  return std::nullopt;
}

}  // namespace dotforge
