#pragma once
// The commands of a font set document itself: Save (the export), Close and the
// downloads; and of a character editor's document: Save, of its font set.

#include "edit/edit_doc.h"
#include "framework/command_target.h"
#include "model/font_set.h"

namespace dotforge {

class CDotforgeApp;

class FontSetCommands : public CCmdTarget {
 public:
  FontSetCommands(CDotforgeImportDoc& fontSet, CDotforgeApp& app) : fontSet_(fontSet), app_(app) {}

  bool QueryCommand(int id, CommandState& state) override;
  void OnCommand(int id) override;

 private:
  CDotforgeImportDoc& fontSet_;
  CDotforgeApp& app_;
};

// Ctrl+S in an editor window saves the font set the editor belongs to; the
// editor's menus have no File menu, so only the key and the toolbar reach it.
class EditorCommands : public CCmdTarget {
 public:
  EditorCommands(CDotforgeEditDoc& editor, CDotforgeApp& app) : editor_(editor), app_(app) {}

  bool QueryCommand(int id, CommandState& state) override;
  void OnCommand(int id) override;

 private:
  CDotforgeEditDoc& editor_;
  CDotforgeApp& app_;
};

}  // namespace dotforge
