#include "formats/outline/glyph_renderer.h"

#include FT_OUTLINE_H
#include FT_BITMAP_H

#include <cstdlib>
#include <cstring>
#include <limits>

namespace dotforge {
namespace {

// Copies a bitmap glyph into the cell with the outline placement rule, in whole
// pixels; `top` is the glyph's top row above the baseline. The bitmap is 1 bit
// per pixel when `mono` is set, else 8-bit coverage.
void CopyBitmap(const FT_Bitmap& bitmap, bool mono, FT_Int top, const CellGeometry& cell, std::uint8_t* target) {
  const auto glyphWidth = static_cast<FT_Pos>(bitmap.width);
  const auto glyphRows = static_cast<FT_Pos>(bitmap.rows);
  const FT_BBox box{0, (static_cast<FT_Pos>(top) - glyphRows) * 64, glyphWidth * 64, static_cast<FT_Pos>(top) * 64};
  const FT_Vector place = OutlinePlacement(box, cell.width, cell.height);
  // The glyph's lower-left corner, in whole pixels from the cell's lower-left.
  const FT_Pos x0 = (place.x + box.xMin) / 64;
  const FT_Pos y0 = (place.y + box.yMin) / 64;
  const FT_Pos threshold = mono ? 1 : (bitmap.num_grays > 1 ? bitmap.num_grays : 256) / 2;
  for (FT_Pos row = 0; row < glyphRows; ++row) {
    const FT_Pos cellRow = cell.height - 1 - (y0 + glyphRows - 1 - row);
    if (cellRow < 0 || cellRow >= cell.height) continue;
    const unsigned char* source = bitmap.buffer + row * bitmap.pitch;
    for (FT_Pos column = 0; column < glyphWidth; ++column) {
      const FT_Pos cellColumn = x0 + column;
      if (cellColumn < 0 || cellColumn >= cell.width) continue;
      const FT_Pos value = mono ? (source[column / 8] >> (7 - column % 8)) & 1 : source[column];
      if (value < threshold) continue;
      target[static_cast<std::size_t>(cellRow) * cell.rowBytes + static_cast<std::size_t>(cellColumn / 8)] |=
          static_cast<std::uint8_t>(0x80 >> (cellColumn % 8));
    }
  }
}

bool PlaceBitmapGlyph(FT_Library library, FT_GlyphSlot slot, const CellGeometry& cell, std::uint8_t* target) {
  if (slot->bitmap.pitch < 0) return false;
  if (slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
    CopyBitmap(slot->bitmap, true, slot->bitmap_top, cell, target);
    return true;
  }
  FT_Bitmap gray;
  FT_Bitmap_Init(&gray);
  const bool converted = FT_Bitmap_Convert(library, &slot->bitmap, &gray, 1) == 0;
  if (converted) CopyBitmap(gray, false, slot->bitmap_top, cell, target);
  FT_Bitmap_Done(library, &gray);
  return converted;
}

bool RenderOutline(FT_Library library, FT_Outline& outline, const CellGeometry& cell, std::uint8_t* target) {
  FT_BBox box;
  FT_Outline_Get_CBox(&outline, &box);
  const FT_Vector place = OutlinePlacement(box, cell.width, cell.height);
  FT_Outline_Translate(&outline, place.x, place.y);
  FT_Bitmap bitmap;
  FT_Bitmap_Init(&bitmap);
  bitmap.rows = static_cast<unsigned>(cell.height);
  bitmap.width = static_cast<unsigned>(cell.width);
  bitmap.pitch = static_cast<int>(cell.rowBytes);
  bitmap.buffer = target;
  bitmap.num_grays = 2;
  bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
  return FT_Outline_Get_Bitmap(library, &outline, &bitmap) == 0;
}

}  // namespace

CellGeometry MakeCellGeometry(std::int32_t width, std::int32_t height) {
  const auto rowBytes = static_cast<std::size_t>(width < 1 ? 0 : (width - 1) / 8 + 1);
  return {width, height, rowBytes, rowBytes * static_cast<std::size_t>(height < 1 ? 0 : height)};
}

FT_Vector OutlinePlacement(const FT_BBox& box, std::int32_t width, std::int32_t height) {
  const bool deep = box.yMin < kDeepGlyphLimit;
  // After moving the box to (0, 0) its far corner is the ink width and height.
  const FT_Pos inkWidth = box.xMax - box.xMin;
  const FT_Pos inkHeight = box.yMax - box.yMin;
  const FT_Pos dx = (static_cast<FT_Pos>(width) * 64 - inkWidth) / 2;
  const FT_Pos dy = deep ? 0 : (static_cast<FT_Pos>(height) * 64 - inkHeight) / 2;
  return {dx - box.xMin, dy - box.yMin};
}

bool SetCellSize(FT_Face face, std::int32_t width, std::int32_t height) {
  if (FT_IS_SCALABLE(face)) {
    return FT_Set_Char_Size(face, static_cast<FT_F26Dot6>(width) * 64, static_cast<FT_F26Dot6>(height) * 64, 72, 72) ==
           0;
  }
  int best = -1;
  long bestDistance = std::numeric_limits<long>::max();
  for (int i = 0; i < face->num_fixed_sizes; ++i) {
    const FT_Bitmap_Size& size = face->available_sizes[i];
    const long distance = std::labs(size.height - height) + std::labs(size.width - width);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best >= 0 && FT_Select_Size(face, best) == 0;
}

std::optional<std::size_t> RenderGlyphs(FT_Library library, FT_Face face, const std::vector<FT_UInt>& glyphs,
                                        std::size_t begin, std::size_t end, const CellGeometry& cell,
                                        std::uint8_t* cells, RenderControl* control) {
  // Scalable faces never use their embedded bitmaps: a strike at the cell size
  // would otherwise replace the outlines.
  const FT_Int32 flags = FT_LOAD_MONOCHROME | (FT_IS_SCALABLE(face) ? FT_LOAD_NO_BITMAP : 0);
  for (std::size_t n = begin; n < end; ++n) {
    if (control && control->stop.load(std::memory_order_relaxed)) return std::nullopt;
    if (FT_Load_Glyph(face, glyphs[n], flags) != 0) return n;
    std::uint8_t* target = cells + n * cell.cellSize;
    FT_GlyphSlot slot = face->glyph;
    bool rendered = true;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      std::memset(target, 0, cell.cellSize);
      rendered = RenderOutline(library, slot->outline, cell, target);
    } else if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
      rendered = PlaceBitmapGlyph(library, slot, cell, target);
    }
    if (!rendered) return n;
  }
  return std::nullopt;
}

}  // namespace dotforge
