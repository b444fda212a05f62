#pragma once
// The import command (the application's Open): the import file dialog, the
// already-open test, and by type either the file itself or the cells parsed from
// a source text or rendered from an outline font, handed to the new font set
// through the application's ImportRequest.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "formats/format_table.h"
#include "framework/prompt.h"
#include "model/app_values.h"
#include "model/font_set.h"

namespace dotforge {

struct DialogCellSize {
  int width = 0;
  int height = 0;
};

// What the command keeps between imports besides the ImportRequest.
struct ImportSettings {
  std::string importPath;       // folder of the last imported file: the dialog's initial folder
  std::string defaultFileName;  // the last dialog's file-name text
  std::string lastFileName;     // the last imported file's name, without its folder
  int dialogType = -1;          // the last chosen type list position - 1
  BitmapDialogOptions bitmap;   // the last dialog's bitmap font options
  // The cell size the last dialog gave a bitmap font import: the request then
  // holds the font's own size, which is not the next font's, so the next dialog
  // offers what was typed (0: from the font) instead.
  std::optional<DialogCellSize> bitmapCell;
};

class ImportCommand {
 public:
  // True when an open font set has exactly this path.
  using PathOpenTest = std::function<bool(const std::string& path)>;

  // `importPath` is the stored "Import Path", or the current folder; a path that
  // names a file stands for the file's folder.
  explicit ImportCommand(std::string importPath);

  // True when `app.importRequest` is ready and a new font set is to be opened
  // from it (OpenImportedFontSet); false after a Cancel or a reported problem.
  // A Cancel in the faces dialog or during rendering leaves the request and the
  // settings as they were.
  bool Run(AppValues& app, Prompt& prompt, const PathOpenTest& isFontSetPathOpen);

  const ImportSettings& Settings() const { return settings_; }

 private:
  bool Prepare(ImportRequest& request, Prompt& prompt, const PathOpenTest& isFontSetPathOpen, bool& cancelled);

  ImportSettings settings_;
};

// Opens the new font set from the prepared request: its title is the file's name,
// its path the file. The application core counts it once it takes it.
std::unique_ptr<CDotforgeImportDoc> OpenImportedFontSet(AppValues& app, Prompt& prompt);

}  // namespace dotforge
