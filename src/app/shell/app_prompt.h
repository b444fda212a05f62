#pragma once
// The desktop program's prompt: message boxes plus the font set's small dialogs.

#include "framework/qt/qt_prompt.h"

namespace dotforge {

class AppPrompt : public QtPrompt {
 public:
  using QtPrompt::QtPrompt;

  bool RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) override;
  bool RequestNewFont(NewFontFields& fields, const NewFontDialogLogic& logic) override;
  bool RequestFontProperties(FontPropertiesFields& fields, const DialogCheck<FontPropertiesFields>& ok) override;
  std::optional<ExportDialogAnswer> RunExportFileDialog(const ExportDialogRequest& request) override;
  std::optional<ImportDialogAnswer> RunImportFileDialog(const ImportDialogRequest& request) override;
  std::optional<FontFacesAnswer> RunFontFacesDialog(const FontFacesRequest& request) override;
  // The wait cursor and, for work longer than about half a second, a progress
  // dialog with Cancel, until the callback is dropped.
  ProgressCallback StartProgress(std::string_view label) override;
};

}  // namespace dotforge
