#pragma once
// How the core talks to the user. The desktop program answers with real message
// boxes, the command-line tool from its flags, the tests from a script.

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "framework/dialog_fields.h"
#include "framework/dialog_requests.h"

namespace dotforge {

enum class MessageKind {
  Plain,    // a command reports and stops
  Warning,  // an input check inside a dialog: box titled "Warning", information icon
};

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

enum class Answer { Ok, Cancel, Yes, No };

// Told how far a long piece of work got (`done` of `total` steps); answers false
// once the user asked to cancel it.
using ProgressCallback = std::function<bool(std::size_t done, std::size_t total)>;

class Prompt {
 public:
  virtual ~Prompt() = default;
  virtual void ShowMessage(std::string_view text, MessageKind kind = MessageKind::Plain) = 0;
  virtual Answer Ask(std::string_view text, Buttons buttons) = 0;
  // A file could not be read or written: `text` is the program's own message,
  // `file` the file and `reason` the system's reason (an errno value, 0 when it
  // gave none). The desktop program shows `text`; the command-line tool names
  // the file and the reason.
  virtual void ShowFileError(std::string_view text, std::string_view file, int reason) {
    static_cast<void>(file);
    static_cast<void>(reason);
    ShowMessage(text);
  }

  // Modal dialogs: `fields` come in as the dialog opens and go out as the user
  // left them. OK runs the check and closes the dialog only when it passes; the
  // result is true for a passed OK and false for Cancel.
  virtual bool RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) = 0;
  virtual bool RequestNewFont(NewFontFields& fields, const NewFontDialogLogic& logic) = 0;
  virtual bool RequestFontProperties(FontPropertiesFields& fields, const DialogCheck<FontPropertiesFields>& ok) = 0;
  // Dialogs: nothing means Cancel.
  virtual std::optional<ExportDialogAnswer> RunExportFileDialog(const ExportDialogRequest& request) = 0;
  virtual std::optional<ImportDialogAnswer> RunImportFileDialog(const ImportDialogRequest& request) = 0;
  virtual std::optional<FontFacesAnswer> RunFontFacesDialog(const FontFacesRequest& request) = 0;

  // Long work that the user may cancel, described by `label`: the work reports
  // to the returned callback and ends by dropping it. A prompt that shows no
  // progress returns nothing, and nothing is cancelled.
  virtual ProgressCallback StartProgress(std::string_view label) {
    static_cast<void>(label);
    return {};
  }
};

}  // namespace dotforge
