#include "app/table/font_set_commands.h"

#include "app/shell/command_ids.h"
#include "app/shell/dotforge_app.h"

namespace dotforge {

bool FontSetCommands::QueryCommand(int id, CommandState&) {
  return id == cmd::kSave || id == cmd::kClose || id == cmd::kDownloadEntireFont || id == cmd::kDownloadPrintOne ||
         id == cmd::kSendToEscPosPrinter || id == cmd::kPrintTableOnReceiptPrinter;
}

void FontSetCommands::OnCommand(int id) {
  if (id == cmd::kSave) {
    app_.ExportFontSet(fontSet_);
  } else if (id == cmd::kClose) {
    app_.CloseFontSetAfterCheck(fontSet_);
  } else if (id == cmd::kDownloadEntireFont || id == cmd::kDownloadPrintOne) {
    app_.DownloadFont(fontSet_, id == cmd::kDownloadPrintOne);
  } else if (id == cmd::kSendToEscPosPrinter) {
    app_.SendToEscPosPrinter(fontSet_);
  } else if (id == cmd::kPrintTableOnReceiptPrinter) {
    app_.PrintOnReceiptPrinter(fontSet_, PicturePrint{true, {}});
  }
}

bool EditorCommands::QueryCommand(int id, CommandState&) { return id == cmd::kSave; }

void EditorCommands::OnCommand(int id) {
  if (id == cmd::kSave) app_.ExportFontSet(editor_.FontSet());
}

}  // namespace dotforge
