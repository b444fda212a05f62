#include "edit/edit_doc.h"

#include <string_view>

#include "edit/edit_messages.h"
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
  ShiftGrid(grid_, direction);
  WriteBackAs(msg::kStepShift);
}

void CDotforgeEditDoc::ClearEdit() {
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
  pendingStep_ = ModeClickStep(modes_);
  ApplyModeClick(grid_, modes_, column, row);
  UpdateAllViews();
  return true;
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
  UnpackBitmap(record.bitmap, width_, height_, grid_);
  UpdateAllViews();
}

void CDotforgeEditDoc::ReleaseCharacter() {
  if (CharacterRecord* record = FindCharacter()) record->editorOpen = 0;
}

}  // namespace dotforge
