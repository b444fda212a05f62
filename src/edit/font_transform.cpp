#include "edit/font_transform.h"

#include <utility>

#include "edit/pixel_grid.h"

namespace dotforge {

void ShiftFontSet(CDotforgeImportDoc& doc, ShiftDirection direction) {
  PixelGrid grid;
  for (const auto& record : doc.characters) {
    UnpackBitmap(record->bitmap, record->width, record->height, grid);
    ShiftGrid(grid, direction);
    PackBitmap(grid, record->width, record->height, record->bitmap);
  }
  doc.SetModifiedFlag();
  doc.UpdateAllViews();
}

void RotateFontSet(CDotforgeImportDoc& doc) {
  PixelGrid grid;
  PixelGrid rotated;
  for (const auto& record : doc.characters) {
    UnpackBitmap(record->bitmap, record->width, record->height, grid);
    RotateClockwise(grid, rotated);
    std::swap(record->width, record->height);
    PackBitmap(rotated, record->width, record->height, record->bitmap);
  }
  // The cell turns with the glyphs, also in a set with no character.
  std::swap(doc.width, doc.height);
  doc.SetModifiedFlag();
  doc.UpdateAllViews();
}

}  // namespace dotforge
