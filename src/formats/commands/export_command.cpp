#include "formats/commands/export_command.h"

#include "formats/bitmap/bdf_writer.h"
#include "formats/commands/file_dialog_logic.h"
#include "formats/formats_messages.h"

namespace dotforge {
namespace {

// The dialog until its answer passes the checks made when a file name is
// confirmed; nothing when it is cancelled.
std::optional<ExportDialogAnswer> AskExportDialog(const ExportDialogRequest& request, Prompt& prompt) {
  for (;;) {
    std::optional<ExportDialogAnswer> answer = prompt.RunExportFileDialog(request);
    if (!answer) return std::nullopt;
    const std::optional<const char*> problem = CheckExportConfirm(*answer, request.height);
    if (!problem) return answer;
    prompt.ShowMessage(*problem, MessageKind::Warning);
  }
}

}  // namespace

ExportOutcome ExportCommand::Run(CDotforgeImportDoc& doc, ImportRequest& importRequest, Prompt& prompt) {
  doc.exportMemory.defaultName = doc.GetTitle();
  const ExportDialogRequest request{msg::kExportTitle,
                                    ExportTypeList(),
                                    doc.exportMemory.defaultName,
                                    doc.dataWordBits,
                                    static_cast<unsigned char>(doc.fontId),
                                    doc.height,
                                    FontSetBaseline(doc),
                                    carrayRows_};
  const std::optional<ExportDialogAnswer> answer = AskExportDialog(request, prompt);
  if (!answer) return ExportOutcome::Cancelled;
  carrayRows_ = answer->carray;
  const std::optional<int> chosenFormat = ExportFormatAt(answer->type);
  if (!chosenFormat) return ExportOutcome::Cancelled;
  const FileFormat& format = *FindFileFormat(*chosenFormat);

  const std::filesystem::path path(answer->path);
  const std::string fileName = path.filename().string();
  doc.dataWordBits = DataWordBits(answer->dataWordIndex);
  importRequest.importType = format.format;
  doc.exportMemory.lastPath = answer->path;
  doc.exportMemory.lastFileName = fileName;

  if (!format.write(FormatWrite{doc, path, *answer, warnings_, prompt})) return ExportOutcome::Stopped;
  doc.name = fileName;
  doc.SetTitle(fileName);
  doc.SetPathName(answer->path);
  doc.SetModifiedFlag(false);
  doc.history.MarkSaved();
  return ExportOutcome::Written;
}

bool CanCloseFontSet(CDotforgeImportDoc& doc, AppValues& app, ExportCommand& exporter, Prompt& prompt) {
  if (doc.IsModified()) {
    const std::string question = msg::kSaveChangesTo + doc.GetTitle() + "?";
    switch (prompt.Ask(question, Buttons::YesNoCancel)) {
      case Answer::Yes:
        // A cancelled or failed export keeps the font set open rather than losing
        // the changes the user asked to save.
        if (exporter.Run(doc, app.importRequest, prompt) != ExportOutcome::Written) return false;
        break;
      case Answer::No:
        break;
      default:
        return false;
    }
  }
  return true;
}

}  // namespace dotforge
