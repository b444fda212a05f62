#pragma once
// The commands of a font set document itself: Save (the export), Close and the
// downloads.

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

}  // namespace dotforge
