#include "formats/commands/import_command.h"

#include <filesystem>

#include "formats/commands/file_dialog_logic.h"
#include "formats/formats_messages.h"
#include "model/model_messages.h"
#include "model/open_font_set.h"
#include "model/side_format.h"

namespace dotforge {
namespace {

std::optional<ImportDialogAnswer> AskImportDialog(const ImportDialogRequest& request, Prompt& prompt) {
  for (;;) {
    std::optional<ImportDialogAnswer> answer = prompt.RunImportFileDialog(request);
    if (!answer) return std::nullopt;
    const std::optional<const char*> problem =
        CheckImportConfirm(answer->type, answer->width, answer->height, answer->bitmap);
    if (!problem) return answer;
    prompt.ShowMessage(*problem, MessageKind::Warning);
  }
}

// The folder an import path stands for: the folder of the file when it names
// one (a path stored by an earlier run may name the last file), else the path.
std::string ImportFolder(const std::string& importPath) {
  std::error_code error;
  const std::filesystem::path path(importPath);
  if (!std::filesystem::exists(path, error) || std::filesystem::is_directory(path, error)) return importPath;
  return path.parent_path().string();
}

}  // namespace

ImportCommand::ImportCommand(std::string importPath) { settings_.importPath = ImportFolder(importPath); }

bool ImportCommand::Run(AppValues& app, Prompt& prompt, const PathOpenTest& isFontSetPathOpen) {
  // A user who cancels a later step (faces dialog, rendering) changes nothing.
  // The glyph block is only replaced by a completed import, so it is not kept.
  ImportRequest& request = app.importRequest;
  const ImportRequest before{request.importType, request.fileName, request.width, request.height,
                             request.wordBits,   {},               {},            {}};
  const ImportSettings settingsBefore = settings_;
  bool cancelled = false;
  const bool ready = Prepare(request, prompt, isFontSetPathOpen, cancelled);
  if (cancelled) {
    request.importType = before.importType;
    request.fileName = before.fileName;
    request.width = before.width;
    request.height = before.height;
    request.wordBits = before.wordBits;
    settings_ = settingsBefore;
  }
  return ready;
}

bool ImportCommand::Prepare(ImportRequest& request, Prompt& prompt, const PathOpenTest& isFontSetPathOpen,
                            bool& cancelled) {
  const DialogCellSize cell = settings_.bitmapCell.value_or(DialogCellSize{request.width, request.height});
  const ImportDialogRequest dialog{msg::kImportTitle, ImportTypeList(), settings_.defaultFileName,
                                   settings_.importPath, cell.width,     cell.height,
                                   request.wordBits,   settings_.bitmap};
  const std::optional<ImportDialogAnswer> answer = AskImportDialog(dialog, prompt);
  if (!answer) return false;
  const std::optional<int> chosenFormat = ImportFormatAt(answer->type);
  if (!chosenFormat) return false;
  const FileFormat& format = *FindFileFormat(*chosenFormat);
  const int type = format.format;

  request.width = answer->width;
  request.height = answer->height;
  settings_.bitmapCell.reset();
  if (format.bitmapFont) {
    settings_.bitmap = answer->bitmap;
    settings_.bitmapCell = DialogCellSize{answer->width, answer->height};
  }
  // The code choices apply to the bitmap fonts and to an outline font keeping its codes.
  request.bitmapOptions = BitmapImportOptionsOf(answer->bitmap);
  settings_.defaultFileName = answer->fileNameText;
  settings_.dialogType = type;
  settings_.lastFileName = std::filesystem::path(answer->path).filename().string();
  settings_.importPath = std::filesystem::path(answer->path).parent_path().string();

  if (type != kFormatOutline && isFontSetPathOpen(answer->path)) {
    prompt.ShowMessage(settings_.lastFileName + msg::kAlreadyOpened);
    return false;
  }
  request.importType = type;
  request.fileName = answer->path;
  return format.read(FormatRead{request, *answer, prompt, cancelled});
}

std::unique_ptr<CDotforgeImportDoc> OpenImportedFontSet(AppValues& app, Prompt& prompt) {
  auto doc = std::make_unique<CDotforgeImportDoc>();
  OpenFontSet(*doc, app.importRequest, prompt);
  doc->SetTitle(app.importRequest.fileName.filename().string());
  doc->SetPathName(app.importRequest.fileName.string());
  return doc;
}

}  // namespace dotforge
