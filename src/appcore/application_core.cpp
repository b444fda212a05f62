#include "appcore/application_core.h"

#include <algorithm>
#include <filesystem>

#include "edit/font_transform.h"
#include "model/font_properties.h"
#include "model/font_set_changes.h"
#include "model/model_messages.h"
#include "model/new_font.h"
#include "model/resize.h"

namespace dotforge {

namespace {

// One file under both names: `equivalent` compares device and inode after
// following links. A set's file that is gone compares by its name.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  const bool same = std::filesystem::equivalent(a, b, error);
  if (!error) return same;
  const auto full = [&error](const std::filesystem::path& path) {
    return std::filesystem::absolute(path, error).lexically_normal();
  };
  return full(a) == full(b);
}

}  // namespace

bool ApplicationCore::IsFileOpen(const std::string& path) const {
  return std::any_of(fontSets_.begin(), fontSets_.end(), [&path](const auto& fontSet) {
    return !fontSet->GetPathName().empty() && SameFile(fontSet->GetPathName(), path);
  });
}

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

bool ApplicationCore::SaveFontSet(CDotforgeImportDoc& fontSet) {
  const bool written = exporter_.Run(fontSet, values_.importRequest, prompt_) == ExportOutcome::Written;
  if (written) FollowFontSetTitle(fontSet);
  return written;
}

bool ApplicationCore::CloseFontSetAfterCheck(CDotforgeImportDoc& fontSet) {
  const bool mayClose = CanCloseFontSet(fontSet, values_, exporter_, prompt_);
  // A Yes may have saved it under another name, whether or not it closes now.
  FollowFontSetTitle(fontSet);
  if (mayClose) CloseFontSet(fontSet);
  return mayClose;
}

bool ApplicationCore::CloseAllFontSets() {
  std::vector<CDotforgeImportDoc*> open;
  for (const auto& fontSet : fontSets_) open.push_back(fontSet.get());
  for (CDotforgeImportDoc* fontSet : open) {
    // A question runs the desktop's event loop, in which a set left empty closes by itself.
    const bool stillOpen = std::any_of(fontSets_.begin(), fontSets_.end(),
                                       [fontSet](const auto& kept) { return kept.get() == fontSet; });
    if (!stillOpen) continue;
    const bool mayClose = CanCloseFontSet(*fontSet, values_, exporter_, prompt_);
    FollowFontSetTitle(*fontSet);
    if (!mayClose) return false;
  }
  while (!fontSets_.empty()) CloseFontSet(*fontSets_.front());
  return true;
}

void ApplicationCore::FollowFontSetTitle(CDotforgeImportDoc& fontSet) {
  for (const auto& editor : editors_) {
    if (&editor->FontSet() == &fontSet && editor->FollowFontSetTitle() && windows_) {
      windows_->DocumentRetitled(*editor);
    }
  }
  if (windows_) windows_->DocumentRetitled(fontSet);
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
  Changes changes;
  if (result->fontId != fontSet.fontId) changes.push_back(FontIdChange(fontSet, fontSet.fontId));
  fontSet.fontId = result->fontId;
  if (result->width != fontSet.width || result->height != fontSet.height) {
    // The set's editors hold grids of the old size; they close before it changes.
    if (IsResizableCellSize(result->width, result->height)) {
      CloseEditorsWhere([&fontSet](const CDotforgeEditDoc& editor) { return &editor.FontSet() == &fontSet; });
    }
    std::vector<GlyphImage> before = GlyphsOf(fontSet);
    const std::int32_t width = fontSet.width;
    const std::int32_t height = fontSet.height;
    if (ResizeFontSet(fontSet, result->width, result->height, prompt_)) {
      changes.push_back(CellChange(fontSet, std::move(before), width, height));
      fontSet.UpdateAllViews();
    }
  }
  RecordStep(fontSet, msg::kStepFontProperties, std::move(changes));
  for (const auto& editor : editors_) editor->UpdateAllViews();
}

void ApplicationCore::RotateFont(CDotforgeImportDoc& fontSet) {
  // A grid that is not square would no longer fit its turned character.
  CloseEditorsWhere([&fontSet](const CDotforgeEditDoc& editor) {
    return &editor.FontSet() == &fontSet && editor.Width() != editor.Height();
  });
  RotateFontSet(fontSet);
  ReloadEditors(fontSet);
}

void ApplicationCore::ShiftFont(CDotforgeImportDoc& fontSet, ShiftDirection direction) {
  ShiftFontSet(fontSet, direction);
  ReloadEditors(fontSet);
}

void ApplicationCore::DeleteCharacter(CDotforgeImportDoc& fontSet, const Rect& rect) {
  const std::optional<std::size_t> index = FindCharacterByCell(fontSet, rect);
  if (!index) return;
  if (CDotforgeEditDoc* editor = FindEditor(fontSet, fontSet.characters[*index]->label)) CloseEditor(*editor);
  dotforge::DeleteCharacter(fontSet, rect);
  fontSet.UpdateAllViews();
}

bool ApplicationCore::Undo(CDotforgeImportDoc& fontSet) {
  if (!fontSet.history.Undo()) return false;
  fontSet.SetModifiedFlag(!fontSet.history.AtSavedState());
  ReloadEditors(fontSet);
  return true;
}

bool ApplicationCore::Redo(CDotforgeImportDoc& fontSet) {
  if (!fontSet.history.Redo()) return false;
  fontSet.SetModifiedFlag(!fontSet.history.AtSavedState());
  ReloadEditors(fontSet);
  return true;
}

void ApplicationCore::ReloadEditors(CDotforgeImportDoc& fontSet) {
  CloseEditorsWhere([&fontSet](const CDotforgeEditDoc& editor) {
    if (&editor.FontSet() != &fontSet) return false;
    const CharacterRecord* record = editor.FindCharacter();
    return record == nullptr || record->width != editor.Width() || record->height != editor.Height();
  });
  // A character taken back or restored keeps no stale editor mark.
  for (const auto& record : fontSet.characters) record->editorOpen = 0;
  for (const auto& editor : editors_) {
    if (&editor->FontSet() != &fontSet) continue;
    CharacterRecord& record = *editor->FindCharacter();
    record.editorOpen = 1;
    editor->ReloadGrid(record);
  }
  fontSet.UpdateAllViews();
}

void ApplicationCore::EditCharacter(CDotforgeImportDoc& fontSet, CharacterRecord& record) {
  // The editor is found by its font set and label, whatever its flag or title say.
  record.editorOpen = 1;
  if (CDotforgeEditDoc* open = FindEditor(fontSet, record.label)) {
    ActivateCharacterEditor(*open);
    return;
  }
  OpenCharacterEditor(fontSet, record.bitmap, record.width, record.height, EditorTitle(fontSet, record));
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

CDotforgeEditDoc* ApplicationCore::FindEditor(const CDotforgeImportDoc& fontSet, std::string_view label) const {
  for (const auto& editor : editors_) {
    if (&editor->FontSet() == &fontSet && editor->Label() == label) return editor.get();
  }
  return nullptr;
}

void ApplicationCore::ActivateCharacterEditor(CDotforgeEditDoc& editor) {
  active_ = &editor;
  if (windows_) windows_->DocumentActivated(editor);
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
