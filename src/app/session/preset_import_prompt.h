#pragma once
// A prompt that answers the import dialog for one file named in advance (from the
// command line, a dropped file or the Recent Files list) and leaves every other
// question to the prompt it wraps. The file's type comes from its extension; a
// file whose type needs a cell size, or whose extension names no type, gets the
// real dialog, opened on that file (and on its type, when the extension names one).

#include <string>

#include "framework/prompt.h"

namespace dotforge {

class PresetImportPrompt : public Prompt {
 public:
  PresetImportPrompt(Prompt& inner, std::string path) : inner_(inner), path_(std::move(path)) {}

  std::optional<ImportDialogAnswer> RunImportFileDialog(const ImportDialogRequest& request) override;

  void ShowMessage(std::string_view text, MessageKind kind) override { inner_.ShowMessage(text, kind); }
  Answer Ask(std::string_view text, Buttons buttons) override { return inner_.Ask(text, buttons); }
  bool RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) override {
    return inner_.RequestCodeEntry(fields, ok);
  }
  bool RequestNewFont(NewFontFields& fields, const NewFontDialogLogic& logic) override {
    return inner_.RequestNewFont(fields, logic);
  }
  bool RequestFontProperties(FontPropertiesFields& fields, const DialogCheck<FontPropertiesFields>& ok) override {
    return inner_.RequestFontProperties(fields, ok);
  }
  std::optional<ExportDialogAnswer> RunExportFileDialog(const ExportDialogRequest& request) override {
    return inner_.RunExportFileDialog(request);
  }
  std::optional<FontFacesAnswer> RunFontFacesDialog(const FontFacesRequest& request) override {
    return inner_.RunFontFacesDialog(request);
  }

 private:
  Prompt& inner_;
  std::string path_;
};

}  // namespace dotforge
