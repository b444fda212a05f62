#pragma once
// The export command (the font set's Save): the export file dialog, the checks
// each format makes before writing, the writer, and what the font set keeps
// afterwards. Also the close check, whose Yes answer runs the export.

#include <filesystem>
#include <string>

#include "formats/format_table.h"
#include "formats/streams/stream_writers.h"
#include "framework/prompt.h"
#include "model/app_values.h"
#include "model/font_set.h"

namespace dotforge {

enum class ExportOutcome {
  Cancelled,  // the dialog was cancelled: nothing changed
  Stopped,    // a check or the writer stopped with a message: no file written
  Written,    // the file is written; the font set took its name
};

class ExportCommand {
 public:
  // `importRequest` is the application's: the chosen format is stored in its type.
  ExportOutcome Run(CDotforgeImportDoc& doc, ImportRequest& importRequest, Prompt& prompt);
  // The C array rows the next export dialog starts with (kept between runs of the program by its caller).
  const CArrayDialogOptions& CArrayRows() const { return carrayRows_; }
  void SetCArrayRows(const CArrayDialogOptions& rows) { carrayRows_ = rows; }

 private:
  // Live for the whole run of the program: each stream warns once, and the
  // export dialog offers the C array rows as the last export left them.
  StreamWarnings warnings_;
  CArrayDialogOptions carrayRows_;
};

// Asked before a font set closes. A modified font set asks whether to save it:
// Yes exports, and the close goes on only when the file was written; No closes
// without saving; Cancel keeps it open. The application core counts the open
// font sets.
bool CanCloseFontSet(CDotforgeImportDoc& doc, AppValues& app, ExportCommand& exporter, Prompt& prompt);

}  // namespace dotforge
