#include "edit/font_transform.h"

#include <utility>

#include "edit/edit_messages.h"
#include "edit/pixel_grid.h"
#include "model/font_set_changes.h"

namespace dotforge {
namespace {

// A step of every glyph and the cell as they were, unless nothing changed.
void RecordSetWideStep(CDotforgeImportDoc& doc, const char* name, std::vector<GlyphImage> before,
                       std::int32_t width, std::int32_t height) {
  if (width == doc.width && height == doc.height && HasGlyphs(doc, before)) return;
  RecordStep(doc, name, CellChange(doc, std::move(before), width, height));
}

}  // namespace

void ShiftFontSet(CDotforgeImportDoc& doc, ShiftDirection direction) {
  std::vector<GlyphImage> before = GlyphsOf(doc);
  PixelGrid grid;
  for (const auto& record : doc.characters) {
    UnpackBitmap(record->bitmap, record->width, record->height, grid);
    ShiftGrid(grid, direction);
    PackBitmap(grid, record->width, record->height, record->bitmap);
  }
  RecordSetWideStep(doc, msg::kStepShiftFont, std::move(before), doc.width, doc.height);
  doc.SetModifiedFlag();
  doc.UpdateAllViews();
}

void RotateFontSet(CDotforgeImportDoc& doc) {
  std::vector<GlyphImage> before = GlyphsOf(doc);
  const std::int32_t width = doc.width;
  const std::int32_t height = doc.height;
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
  RecordSetWideStep(doc, msg::kStepRotateFont, std::move(before), width, height);
  doc.SetModifiedFlag();
  doc.UpdateAllViews();
}

}  // namespace dotforge
