#pragma once
// The application without its windows: the values shared by all documents, the
// open font sets and character editors, and the commands that create, change or
// close documents. The desktop program wraps it; the tests drive it directly.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edit/edit_doc.h"
#include "formats/commands/export_command.h"
#include "framework/prompt.h"
#include "model/app_values.h"
#include "model/character_operations.h"
#include "model/font_set.h"

namespace dotforge {

// The model's application-wide values plus the copied character and the
// hand-over block for a new editor.
struct ApplicationValues : AppValues {
  std::optional<CopiedCharacter> copiedCharacter;
  PendingEdit pendingEdit;
};

// Whatever shows documents in windows: told when the core opens, activates or is
// about to destroy one.
class DocumentWindows {
 public:
  virtual ~DocumentWindows() = default;
  virtual void DocumentOpened(CDocument& document) = 0;
  virtual void DocumentActivated(CDocument& document) = 0;
  // The document is destroyed right after this returns.
  virtual void DocumentClosing(CDocument& document) = 0;
  // The document's title changed (a font set saved under another name, and its editors).
  virtual void DocumentRetitled(CDocument& document) = 0;
};

class ApplicationCore {
 public:
  explicit ApplicationCore(Prompt& prompt) : prompt_(prompt) {}
  ApplicationCore(const ApplicationCore&) = delete;
  ApplicationCore& operator=(const ApplicationCore&) = delete;

  // Null, or the windows to keep in step with the open documents.
  void SetDocumentWindows(DocumentWindows* windows) { windows_ = windows; }

  ApplicationValues& Values() { return values_; }
  const ApplicationValues& Values() const { return values_; }
  // The export command of the whole run, for the choices it keeps between runs.
  ExportCommand& Exporter() { return exporter_; }

  const std::vector<std::unique_ptr<CDotforgeImportDoc>>& FontSets() const { return fontSets_; }
  const std::vector<std::unique_ptr<CDotforgeEditDoc>>& Editors() const { return editors_; }
  // The document whose window was last opened or brought to the front; none at start.
  CDocument* ActiveDocument() const { return active_; }

  // True when an open font set's file is the file `path` names: the same device
  // and inode once links are followed, so another name or a link to it counts too.
  bool IsFileOpen(const std::string& path) const;

  // Takes a font set a command created or opened, counts it and makes it active.
  CDotforgeImportDoc& AddFontSet(std::unique_ptr<CDotforgeImportDoc> fontSet);
  // Closes a font set whose close check let it close: its editors first.
  void CloseFontSet(CDotforgeImportDoc& fontSet);

  // Save: the export dialog and writer. A font set written under another name
  // takes that name, and so do the titles of its editors. True when written.
  bool SaveFontSet(CDotforgeImportDoc& fontSet);
  // The close check (Yes saves, No discards, Cancel keeps it), then the close.
  // False when the font set stays open.
  bool CloseFontSetAfterCheck(CDotforgeImportDoc& fontSet);
  // Exit: the close check of every font set first, then, only when every one let
  // its set close, the close of all. A Cancel anywhere closes nothing (a set
  // saved by an earlier Yes stays saved). False when the program keeps running.
  bool CloseAllFontSets();

  // "Create New Font": the New Font dialog, then a new font set from its request.
  // The new font set, or none when the dialog was cancelled.
  CDotforgeImportDoc* NewFont();
  // "Font Properties" on a font set: its id and cell size.
  void FontProperties(CDotforgeImportDoc& fontSet);
  // "Shift Area Rotate" in a font set window. The set's open editors show their
  // turned characters.
  void RotateFont(CDotforgeImportDoc& fontSet);
  // The font-wide shift of a font set window; the open editors follow.
  void ShiftFont(CDotforgeImportDoc& fontSet, ShiftDirection direction);
  // After a change to the set behind its editors' backs (Paste, a font-wide
  // change, undo or redo): an editor whose character is gone or changed size
  // closes, the others take their grids again from their characters, and every
  // view of the set repaints.
  void ReloadEditors(CDotforgeImportDoc& fontSet);

  // "Delete" of the character in the cell `rect`: its open editor closes first,
  // so nothing writes into the gone character, and an undo that brings the
  // character back brings no editor with it.
  void DeleteCharacter(CDotforgeImportDoc& fontSet, const Rect& rect);

  // "Undo" and "Redo" on a font set, from its table or any of its editors: the
  // last step is taken back, or the next one made again. The modified mark
  // follows the saved state, the set's editors take their grids again from their
  // characters (an editor whose character is gone or changed size closes), and
  // every view repaints. False when there was nothing to undo or redo.
  bool Undo(CDotforgeImportDoc& fontSet);
  bool Redo(CDotforgeImportDoc& fontSet);

  // "Edit" on a character of a font set: opens an editor, or brings the open one
  // to the front. A character never has more than one editor.
  void EditCharacter(CDotforgeImportDoc& fontSet, CharacterRecord& record);
  CDotforgeEditDoc& OpenCharacterEditor(CDotforgeImportDoc& fontSet, const Bytes& bitmap, std::int32_t width,
                                        std::int32_t height, const std::string& title);
  // The open editor of the character of `fontSet` with this label, if any.
  CDotforgeEditDoc* FindEditor(const CDotforgeImportDoc& fontSet, std::string_view label) const;
  // Brings an open editor to the front.
  void ActivateCharacterEditor(CDotforgeEditDoc& editor);
  // Closes every editor whose font set is closing.
  void CloseEditorsOfFontSet();
  void CloseEditor(CDotforgeEditDoc& editor);

 private:
  void CloseEditorsWhere(const std::function<bool(const CDotforgeEditDoc&)>& shouldClose);
  // The font set's windows and editors follow its title, which a save may have changed.
  void FollowFontSetTitle(CDotforgeImportDoc& fontSet);

  Prompt& prompt_;
  ApplicationValues values_;
  // Lives as long as the program: each stream format warns once per run.
  ExportCommand exporter_;
  std::vector<std::unique_ptr<CDotforgeImportDoc>> fontSets_;
  std::vector<std::unique_ptr<CDotforgeEditDoc>> editors_;
  CDocument* active_ = nullptr;
  DocumentWindows* windows_ = nullptr;
};

}  // namespace dotforge
