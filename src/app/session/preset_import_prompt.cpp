#include "app/session/preset_import_prompt.h"

#include <filesystem>

#include "formats/commands/file_dialog_logic.h"
#include "formats/format_table.h"

namespace dotforge {

std::optional<ImportDialogAnswer> PresetImportPrompt::RunImportFileDialog(const ImportDialogRequest& request) {
  const std::filesystem::path file(path_);
  const FileFormat* format = FileFormatByExtension(file);
  // A type that is not read (a .h file is written as a GFX font) leaves the
  // choice to the dialog, which offers the first type of that extension it lists.
  if (!format || !format->read || format->needsCellSize) {
    ImportDialogRequest onFile = request;
    onFile.defaultFileName = file.filename().string();
    onFile.initialFolder = file.parent_path().string();
    // Its extension may name the type in another case or as another of the type's extensions.
    if (format && format->read) onFile.type = ImportTypePosition(format->format);
    return inner_.RunImportFileDialog(onFile);
  }
  // The dialog's type positions count from 1. A bitmap font takes its own cell
  // size, not the one of an earlier import, and the default options: a file
  // opened without the dialog gets no choices the user cannot see.
  const bool ownSize = format->bitmapFont;
  return ImportDialogAnswer{path_,
                            ImportTypePosition(format->format),
                            ownSize ? 0 : request.width,
                            ownSize ? 0 : request.height,
                            DataWordIndex(request.dataWordBits),
                            file.filename().string(),
                            BitmapDialogOptions{}};
}

}  // namespace dotforge
