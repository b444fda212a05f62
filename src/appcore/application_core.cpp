#include "appcore/application_core.h"

#include <algorithm>

#include "edit/font_transform.h"
#include "model/font_properties.h"
#include "model/new_font.h"
#include "model/resize.h"

namespace dotforge {

CDotforgeImportDoc& ApplicationCore::AddFontSet(std::unique_ptr<CDotforgeImportDoc> fontSet) {
  fontSets_.push_back(std::move(fontSet));
  ++values_.openFontSetCount;
  active_ = fontSets_.back().get();
  if (windows_) windows_->DocumentOpened(*active_);
  return *fontSets_.back();
}

void ApplicationCore::CloseFontSet(CDotforgeImportDoc& fontSet) {
  --values_.openFontSetCount;
  fontSet.closing = 1;
  CloseEditorsOfFontSet();
  fontSet.selected = nullptr;
  if (active_ == &fontSet) active_ = nullptr;
  if (windows_) windows_->DocumentClosing(fontSet);
  std::erase_if(fontSets_, [&fontSet](const auto& open) { return open.get() == &fontSet; });
}

CDotforgeImportDoc* ApplicationCore::NewFont() {
  const std::optional<NewFontRequest> request = RunNewFontDialog(prompt_);
  if (!request) return nullptr;
  values_.newFontRequest = *request;
  auto fontSet = std::make_unique<CDotforgeImportDoc>();
  CreateNewFontSet(*fontSet, values_.newFontRequest);
  return &AddFontSet(std::move(fontSet));
}

void ApplicationCore::FontProperties(CDotforgeImportDoc& fontSet) {
  const std::optional<FontPropertiesResult> result = RunFontPropertiesDialog(
      fontSet.fontType, fontSet.width, fontSet.height, fontSet.characterCount, fontSet.fontId, prompt_);
  if (!result) return;
  fontSet.fontId = result->fontId;
  if (result->width != fontSet.width || result->height != fontSet.height) {
    // The set's editors hold grids of the old size; they close before it changes.
    if (IsResizableCellSize(result->width, result->height)) {
      CloseEditorsWhere([&fontSet](const CDotforgeEditDoc& editor) { return &editor.FontSet() == &fontSet; });
    }
    if (ResizeFontSet(fontSet, result->width, result->height, prompt_)) fontSet.UpdateAllViews();
  }
  for (const auto& editor : editors_) editor->UpdateAllViews();
}

void ApplicationCore::RotateFont(CDotforgeImportDoc& fontSet) {
  // A grid that is not square would no longer fit its turned character.
  CloseEditorsWhere([&fontSet](const CDotforgeEditDoc& editor) {
    return &editor.FontSet() == &fontSet && editor.Width() != editor.Height();
  });
  RotateFontSet(fontSet);
}

void ApplicationCore::EditCharacter(CDotforgeImportDoc& fontSet, CharacterRecord& record) {
  const std::string title = EditorTitle(fontSet, record);
  // A flag left set with no editor to show (the set was renamed meanwhile) opens a new one.
  if (record.editorOpen != 0 && ActivateCharacterEditor(fontSet, title)) return;
  record.editorOpen = 1;
  OpenCharacterEditor(fontSet, record.bitmap, record.width, record.height, title);
}

CDotforgeEditDoc& ApplicationCore::OpenCharacterEditor(CDotforgeImportDoc& fontSet, const Bytes& bitmap,
                                                       std::int32_t width, std::int32_t height,
                                                       const std::string& title) {
  values_.pendingEdit = PendingEdit{&fontSet, title, &bitmap, height, width};
  editors_.push_back(std::make_unique<CDotforgeEditDoc>(values_.pendingEdit));
  // The editor has read the block; no reference to the bitmap stays behind.
  values_.pendingEdit = PendingEdit{};
  active_ = editors_.back().get();
  if (windows_) windows_->DocumentOpened(*active_);
  return *editors_.back();
}

bool ApplicationCore::ActivateCharacterEditor(const CDotforgeImportDoc& fontSet, const std::string& title) {
  bool found = false;
  for (const auto& editor : editors_) {
    if (&editor->FontSet() == &fontSet && editor->GetTitle() == title) {
      active_ = editor.get();
      found = true;
      if (windows_) windows_->DocumentActivated(*editor);
    }
  }
  return found;
}

void ApplicationCore::CloseEditorsOfFontSet() {
  CloseEditorsWhere([](const CDotforgeEditDoc& editor) { return editor.FontSet().closing == 1; });
}

void ApplicationCore::CloseEditor(CDotforgeEditDoc& editor) {
  CloseEditorsWhere([&editor](const CDotforgeEditDoc& open) { return &open == &editor; });
}

void ApplicationCore::CloseEditorsWhere(const std::function<bool(const CDotforgeEditDoc&)>& shouldClose) {
  std::erase_if(editors_, [this, &shouldClose](const std::unique_ptr<CDotforgeEditDoc>& editor) {
    if (!shouldClose(*editor)) return false;
    editor->ReleaseCharacter();
    if (active_ == editor.get()) active_ = nullptr;
    if (windows_) windows_->DocumentClosing(*editor);
    return true;
  });
}

}  // namespace dotforge
