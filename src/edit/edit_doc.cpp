#include "edit/edit_doc.h"

#include <string_view>

#include "edit/edit_messages.h"
#include "edit/flood_fill.h"
#include "edit/glyph_transforms.h"
#include "model/font_set_changes.h"

namespace dotforge {
namespace {

constexpr std::string_view kTitleSeparator = " : ";

// The label is what follows the title's colon and blank. The last colon is taken:
// labels are hexadecimal digits, while a font set's file name may hold a colon.
std::string_view TitleLabel(std::string_view title) {
  const std::size_t colon = title.rfind(':');
  if (colon == std::string_view::npos || colon + 2 > title.size()) return {};
  return title.substr(colon + 2);
}

std::string TitleOf(const CDotforgeImportDoc& fontSet, std::string_view label) {
  return fontSet.GetTitle() + std::string(kTitleSeparator) + std::string(label);
}

// The step a mode click makes: the one mode that acts, or several.
const char* ModeClickStep(const EditModes& modes) {
  const int acting = int{modes.addRow} + int{modes.addColumn} + int{modes.deleteRow} + int{modes.deleteColumn};
  if (acting > 1) return msg::kStepRowsAndColumns;
  if (modes.addRow) return msg::kStepAddRow;
  if (modes.addColumn) return msg::kStepAddColumn;
  if (modes.deleteRow) return msg::kStepDeleteRow;
  return msg::kStepDeleteColumn;
}

const char* TransformStep(GlyphTransform transform) {
  switch (transform) {
    case GlyphTransform::FlipHorizontal:
      return msg::kStepFlipHorizontal;
    case GlyphTransform::FlipVertical:
      return msg::kStepFlipVertical;
    case GlyphTransform::Invert:
      return msg::kStepInvert;
    case GlyphTransform::RotateLeft:
      return msg::kStepRotateLeft;
    case GlyphTransform::RotateRight:
      return msg::kStepRotateRight;
  }
  return msg::kStepStroke;
}

void ApplyTransform(PixelGrid& grid, GlyphTransform transform) {
  PixelGrid turned;
  switch (transform) {
    case GlyphTransform::FlipHorizontal:
      FlipHorizontal(grid);
      return;
    case GlyphTransform::FlipVertical:
      FlipVertical(grid);
      return;
    case GlyphTransform::Invert:
      InvertGrid(grid);
      return;
    case GlyphTransform::RotateLeft:
      RotateCounterClockwise(grid, turned);
      break;
    case GlyphTransform::RotateRight:
      RotateClockwise(grid, turned);
      break;
  }
  grid = std::move(turned);
}

const char* ShapeStep(ShapeKind shape) {
  switch (shape) {
    case ShapeKind::Line:
      return msg::kStepLine;
    case ShapeKind::Rectangle:
      return msg::kStepRectangle;
    case ShapeKind::FilledRectangle:
      return msg::kStepFilledRectangle;
    case ShapeKind::Ellipse:
      return msg::kStepEllipse;
  }
  return msg::kStepStroke;
}

}  // namespace

std::string EditorTitle(const CDotforgeImportDoc& fontSet, const CharacterRecord& record) {
  return TitleOf(fontSet, record.label);
}

CDotforgeEditDoc::CDotforgeEditDoc(const PendingEdit& pending)
    : fontSet_(pending.fontSet), label_(TitleLabel(pending.title)), width_(pending.width), height_(pending.height),
      pendingStep_(msg::kStepStroke) {
  SetTitle(pending.title);
  UnpackBitmap(pending.bitmap != nullptr ? ByteView(*pending.bitmap) : ByteView(), width_, height_, grid_);
}

void CDotforgeEditDoc::ShiftArea(ShiftDirection direction) {
  selection_.Drop();
  ShiftGrid(grid_, direction);
  WriteBackAs(msg::kStepShift);
}

void CDotforgeEditDoc::ClearEdit() {
  selection_.Drop();
  ClearGrid(grid_);
  WriteBackAs(msg::kStepClearEdit);
}

void CDotforgeEditDoc::ToggleAddRow() {
  modes_.addRow = !modes_.addRow;
  WriteBack();
}

void CDotforgeEditDoc::ToggleAddColumn() {
  modes_.addColumn = !modes_.addColumn;
  WriteBack();
}

void CDotforgeEditDoc::ToggleDeleteRow() { modes_.deleteRow = !modes_.deleteRow; }

void CDotforgeEditDoc::ToggleDeleteColumn() { modes_.deleteColumn = !modes_.deleteColumn; }

void CDotforgeEditDoc::TogglePen() { modes_.pen = !modes_.pen; }

bool CDotforgeEditDoc::ModeClick(std::int32_t column, std::int32_t row) {
  if (!modes_.AnyRowOrColumnMode()) return false;
  selection_.Drop();
  pendingStep_ = ModeClickStep(modes_);
  ApplyModeClick(grid_, modes_, column, row);
  UpdateAllViews();
  return true;
}

bool CDotforgeEditDoc::CanTransform(GlyphTransform transform) const {
  const bool turn = transform == GlyphTransform::RotateLeft || transform == GlyphTransform::RotateRight;
  return !turn || width_ == height_;
}

void CDotforgeEditDoc::Transform(GlyphTransform transform) {
  if (!CanTransform(transform)) return;
  selection_.Drop();
  ApplyTransform(grid_, transform);
  WriteBackAs(TransformStep(transform));
}

void CDotforgeEditDoc::DrawShape(ShapeKind shape, GridPoint from, GridPoint to, std::uint8_t value) {
  selection_.Drop();
  DrawShapeOn(grid_, shape, from, to, value);
  WriteBackAs(ShapeStep(shape));
}

void CDotforgeEditDoc::Fill(GridPoint seed, std::uint8_t value) {
  selection_.Drop();
  FloodFill(grid_, seed, value);
  WriteBackAs(msg::kStepFloodFill);
}

void CDotforgeEditDoc::Select(DotRect area) {
  selection_.Mark(grid_, area);
  UpdateAllViews();
}

void CDotforgeEditDoc::DropSelection() {
  if (!selection_.Active()) return;
  selection_.Drop();
  UpdateAllViews();
}

void CDotforgeEditDoc::MoveSelectionTo(GridPoint at) {
  selection_.MoveTo(grid_, at);
  UpdateAllViews();
}

void CDotforgeEditDoc::FinishMove() { WriteBackAs(msg::kStepMove); }

void CDotforgeEditDoc::MoveSelectionBy(std::int32_t columns, std::int32_t rows) {
  if (!selection_.Active()) return;
  const DotRect area = selection_.Area();
  selection_.MoveTo(grid_, GridPoint{area.column + columns, area.row + rows});
  WriteBackAs(msg::kStepMove);
}

PixelGrid CDotforgeEditDoc::SelectedDots() const { return selection_.Active() ? selection_.Dots(grid_) : grid_; }

void CDotforgeEditDoc::DeleteSelection() {
  if (!selection_.Active()) return;
  selection_.Erase(grid_);
  WriteBackAs(msg::kStepDelete);
}

PixelGrid CDotforgeEditDoc::CutSelection() {
  PixelGrid dots = selection_.Dots(grid_);
  if (!selection_.Active()) return dots;
  selection_.Erase(grid_);
  WriteBackAs(msg::kStepCut);
  return dots;
}

void CDotforgeEditDoc::Paste(PixelGrid dots) {
  const DotRect area = selection_.Area();
  selection_.Drop();
  selection_.Float(grid_, std::move(dots), GridPoint{area.column, area.row});
  WriteBackAs(msg::kStepPaste);
}

CharacterRecord* CDotforgeEditDoc::FindCharacter() const {
  if (label_.empty()) return nullptr;
  for (const auto& record : fontSet_->characters) {
    if (record->label == label_) return record.get();
  }
  return nullptr;
}

bool CDotforgeEditDoc::FollowFontSetTitle() {
  std::string title = TitleOf(*fontSet_, label_);
  if (title == GetTitle()) return false;
  SetTitle(std::move(title));
  return true;
}

void CDotforgeEditDoc::WriteBack() { WriteBackAs(pendingStep_); }

void CDotforgeEditDoc::WriteBackAs(const char* stepName) {
  pendingStep_ = msg::kStepStroke;
  CharacterRecord* record = FindCharacter();
  if (record == nullptr) return;
  GlyphImage before = GlyphOf(*record);
  PackBitmap(grid_, record->width, record->height, record->bitmap);
  if (!SameDots(record->bitmap, before.bitmap, record->width, record->height)) {
    RecordStep(*fontSet_, stepName, GlyphChange(*fontSet_, *fontSet_->IndexOf(record), std::move(before)));
  }
  fontSet_->SetModifiedFlag();
  fontSet_->UpdateAllViews();
  UpdateAllViews();
}

void CDotforgeEditDoc::ReloadGrid(const CharacterRecord& record) {
  selection_.Drop();
  UnpackBitmap(record.bitmap, width_, height_, grid_);
  UpdateAllViews();
}

void CDotforgeEditDoc::ReleaseCharacter() {
  if (CharacterRecord* record = FindCharacter()) record->editorOpen = 0;
}

}  // namespace dotforge
