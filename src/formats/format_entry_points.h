#pragma once
// The one signature of every format's reader and of every format's writer, so
// that the format table can name them side by side.

#include <cstddef>
#include <filesystem>

#include "formats/streams/stream_writers.h"
#include "framework/dialog_requests.h"
#include "framework/prompt.h"
#include "model/app_values.h"
#include "model/font_set.h"

namespace dotforge {

// What an import has once its dialog is answered. The reader prepares the
// request the font set opens from (the parsed glyph block, the font's cell); it
// sets `cancelled` when the user cancels a later question of its own.
struct FormatRead {
  ImportRequest& request;
  const ImportDialogAnswer& answer;
  Prompt& prompt;
  bool& cancelled;
};

// What an export has once its dialog is answered. The writer makes its format's
// checks, writes `path` and says what did not fit.
struct FormatWrite {
  CDotforgeImportDoc& doc;
  const std::filesystem::path& path;
  const ExportDialogAnswer& answer;
  StreamWarnings& warnings;  // each stream warns once in a run of the program
  Prompt& prompt;
};

// False after a message: nothing is opened or written.
using FormatReader = bool (*)(const FormatRead&);
using FormatWriter = bool (*)(const FormatWrite&);

}  // namespace dotforge
