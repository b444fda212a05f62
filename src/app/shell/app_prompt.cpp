#include "app/shell/app_prompt.h"

#include <memory>

#include "app/dialogs/file_dialogs.h"
#include "app/dialogs/font_dialogs.h"
#include "app/dialogs/work_progress.h"

namespace dotforge {

bool AppPrompt::RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) {
  CodeEntryDialog dialog(fields, ok, Parent());
  return dialog.exec() == QDialog::Accepted;
}

bool AppPrompt::RequestNewFont(NewFontFields& fields, const NewFontDialogLogic& logic) {
  NewFontDialog dialog(fields, logic, Parent());
  return dialog.exec() == QDialog::Accepted;
}

bool AppPrompt::RequestFontProperties(FontPropertiesFields& fields, const DialogCheck<FontPropertiesFields>& ok) {
  FontPropertiesDialog dialog(fields, ok, Parent());
  return dialog.exec() == QDialog::Accepted;
}

std::optional<ExportDialogAnswer> AppPrompt::RunExportFileDialog(const ExportDialogRequest& request) {
  ExportFileDialog dialog(request, Parent());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Answer();
}

std::optional<ImportDialogAnswer> AppPrompt::RunImportFileDialog(const ImportDialogRequest& request) {
  ImportFileDialog dialog(request, Parent());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Answer();
}

std::optional<FontFacesAnswer> AppPrompt::RunFontFacesDialog(const FontFacesRequest& request) {
  FontFacesDialog dialog(request, Parent());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Answer();
}

ProgressCallback AppPrompt::StartProgress(std::string_view label) {
  auto progress = std::make_shared<WorkProgress>(QString::fromUtf8(label.data(), static_cast<int>(label.size())),
                                                 Parent());
  return [progress](std::size_t done, std::size_t total) { return progress->Report(done, total); };
}

}  // namespace dotforge
