#include "cli/cli_prompt.h"

#include <cstring>
#include <string>
#include <utility>

#include "cli/commands.h"
#include "formats/commands/file_dialog_logic.h"

namespace dotforge::cli {
namespace {

constexpr const char* kUnicodeMapName = "unicode encoding";

int DefaultCharmap(const std::vector<std::string>& maps) {
  for (std::size_t i = 0; i < maps.size(); ++i) {
    if (maps[i] == kUnicodeMapName) return static_cast<int>(i);
  }
  return maps.empty() ? -1 : 0;
}

}  // namespace

void CliPrompt::ShowMessage(std::string_view text, MessageKind) {
  errors_ << text << '\n';
  ++messages_;
}

void CliPrompt::ShowFileError(std::string_view text, std::string_view file, int reason) {
  errors_ << file << ": " << (reason != 0 ? std::strerror(reason) : text) << '\n';
  ++messages_;
}

Answer CliPrompt::Ask(std::string_view text, Buttons buttons) {
  const Answer answer = (buttons == Buttons::Ok || buttons == Buttons::OkCancel) ? Answer::Ok : Answer::Yes;
  errors_ << text << (answer == Answer::Ok ? " [OK]" : " [Yes]") << '\n';
  return answer;
}

template <typename Fields, typename Check>
bool CliPrompt::ConfirmDialog(const Fields& fields, const Check& ok) {
  const bool accepted = ok(fields);
  errors_ << Fields::kCaption << (accepted ? " [OK]" : " [Cancel]") << '\n';
  return accepted;
}

bool CliPrompt::RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) {
  return ConfirmDialog(fields, ok);
}

bool CliPrompt::RequestNewFont(NewFontFields& fields, const NewFontDialogLogic& logic) {
  return ConfirmDialog(fields, logic.ok);
}

bool CliPrompt::RequestFontProperties(FontPropertiesFields& fields, const DialogCheck<FontPropertiesFields>& ok) {
  // The export's --font-id answers the single-byte id question of a DSB export.
  if (const std::optional<int> id = std::exchange(fontPropertiesId_, std::nullopt)) {
    fields.fontId = std::to_string(*id);
  }
  return ConfirmDialog(fields, ok);
}

std::optional<ExportDialogAnswer> CliPrompt::RunExportFileDialog(const ExportDialogRequest& request) {
  const std::optional<FileChoice> choice = std::exchange(exportChoice_, std::nullopt);
  if (!choice) return std::nullopt;
  ExportFileDialogState state(request);
  const int type = ExportTypePosition(choice->format);
  if (state.Type() != type) state.ChangeType(type);
  if (choice->wordBits) state.SetDataWordIndex(DataWordIndex(*choice->wordBits));
  // The same id answers a later Font Properties question, if it is a single-byte one.
  fontPropertiesId_ = choice->fontId;
  return ExportDialogAnswer{choice->path,     type, state.DataWordIndex(), choice->fontId.value_or(state.FontId()),
                            choice->baseline, choice->codePage, choice->carray, choice->codes};
}

std::optional<ImportDialogAnswer> CliPrompt::RunImportFileDialog(const ImportDialogRequest& request) {
  const std::optional<FileChoice> choice = std::exchange(importChoice_, std::nullopt);
  if (!choice) return std::nullopt;
  ImportFileDialogState state(request.typeList, request.defaultFileName, request.width, request.height,
                              request.dataWordBits);
  const int type = ImportTypePosition(choice->format);
  if (state.Type() != type) state.ChangeType(type);
  if (choice->wordBits) state.SetDataWordIndex(DataWordIndex(*choice->wordBits));
  return ImportDialogAnswer{choice->path,
                            type,
                            choice->width.value_or(state.Width()),
                            choice->height.value_or(state.Height()),
                            state.DataWordIndex(),
                            state.FileNameText(),
                            choice->bitmap};
}

std::optional<FontFacesAnswer> CliPrompt::RunFontFacesDialog(const FontFacesRequest& request) {
  const std::optional<FaceChoice> choice = std::exchange(faceChoice_, std::nullopt);
  if (!choice) return std::nullopt;
  const int face = choice->face.value_or(0);
  const bool known = face >= 0 && static_cast<std::size_t>(face) < request.charmaps.size();
  const int charmap =
      choice->charmap.value_or(known ? DefaultCharmap(request.charmaps[static_cast<std::size_t>(face)]) : -1);
  FontFacesAnswer answer(face, charmap);
  answer.keepCodes = choice->keepCodes;
  answer.encoding = choice->encoding;
  answer.pixelSize = choice->pixelSize;
  answer.baseline = choice->baseline;
  return answer;
}

int UsageError(std::ostream& err, const std::string& command, const std::string& text) {
  err << "dotforge-cli: " << text << "\n(see 'dotforge-cli " << command << " --help')\n";
  return kExitUsage;
}

}  // namespace dotforge::cli
