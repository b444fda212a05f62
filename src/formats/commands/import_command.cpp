#include "formats/commands/import_command.h"

#include <filesystem>

#include "formats/bitmap/bitmap_font_import.h"
#include "formats/commands/file_dialog_logic.h"
#include "formats/format_extensions.h"
#include "formats/formats_messages.h"
#include "model/model_messages.h"
#include "formats/outline/outline_font_importer.h"
#include "formats/source/st10_parser.h"
#include "formats/source/st9_asm_parser.h"
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

// Loads, strips and parses the file; the parsed cells become the glyph block.
bool ParseSource(SourceParser& parser, const std::string& path, ImportRequest& request, Prompt& prompt) {
  if (!parser.LoadFile(path, prompt)) return false;
  ParseResult result = parser.StripComments();
  if (result == ParseResult::Ok) result = parser.Parse();
  if (result != ParseResult::Ok) {
    prompt.ShowMessage(ParseResultMessage(result));
    return false;
  }
  request.glyphBlock = parser.TakeBlock();
  return true;
}

// A download font file of no bytes holds not even its header: it is refused
// before a font set is made of it. A file that cannot be read is left to the
// reader, which says so.
bool CheckNotEmpty(const std::filesystem::path& path, Prompt& prompt) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > 0) return true;
  prompt.ShowMessage(path.filename().string() + msg::kFileIsEmpty);
  return false;
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

std::string ImportTypeList() {
  std::string list;
  for (int format = kFormatDat; format <= kLastImportFormat; ++format) {
    if (!list.empty()) list += '|';
    list += ImportTypeFilter(format);
  }
  list += '|';
  list += msg::kAllFilesType;
  return list;
}

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
  const int type = answer->type - 1;
  if (type < kFormatDat || type > kLastImportFormat) return false;

  request.width = answer->width;
  request.height = answer->height;
  settings_.bitmapCell.reset();
  if (IsBitmapFontFormat(type)) {
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
  switch (type) {
    case kFormatSt10: {
      request.wordBits = DataWordBits(answer->dataWordIndex);
      St10Parser parser(request.width, request.height, request.wordBits);
      return ParseSource(parser, answer->path, request, prompt);
    }
    case kFormatSt9:
    case kFormatAsm: {
      St9AsmParser parser(type == kFormatSt9 ? St9AsmParser::Kind::St9 : St9AsmParser::Kind::Asm);
      parser.SetCellSize(request.width, request.height);
      return ParseSource(parser, answer->path, request, prompt);
    }
    case kFormatOutline: {
      if (request.width <= 0 || request.height <= 0) {
        prompt.ShowMessage(msg::kWidthAndHeightZero, MessageKind::Warning);
        return false;
      }
      return ImportOutlineFont(request, prompt, &cancelled);
    }
    case kFormatBdf:
    case kFormatPcf:
    case kFormatPsf:
    case kFormatHex:
      return ImportBitmapFont(request, prompt);
    case kFormatDsb:
    case kFormatDdb:
      return CheckNotEmpty(answer->path, prompt);
    default:
      return true;
  }
}

std::unique_ptr<CDotforgeImportDoc> OpenImportedFontSet(AppValues& app, Prompt& prompt) {
  auto doc = std::make_unique<CDotforgeImportDoc>();
  OpenFontSet(*doc, app.importRequest, prompt);
  doc->SetTitle(app.importRequest.fileName.filename().string());
  doc->SetPathName(app.importRequest.fileName.string());
  return doc;
}

}  // namespace dotforge
