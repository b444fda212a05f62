#include "app/font_set_commands.h"

#include "app/command_ids.h"
#include "app/dotforge_app.h"

namespace dotforge {

bool FontSetCommands::QueryCommand(int id, CommandState&) { return id == cmd::kSave || id == cmd::kClose; }

void FontSetCommands::OnCommand(int id) {
  if (id == cmd::kSave) {
    app_.ExportFontSet(fontSet_);
  } else if (id == cmd::kClose) {
    app_.CloseFontSetAfterCheck(fontSet_);
  }
}

}  // namespace dotforge
