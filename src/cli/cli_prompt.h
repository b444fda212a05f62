#pragma once
// The command-line tool's prompt: messages go to stderr, questions are answered
// OK (or Yes) and their texts printed to stderr too. Dialogs are answered once
// from the command's flags, as a user who picks the file and format the flags
// name and otherwise keeps what the dialog offers; a tool cannot correct a
// refused field, so a refusal (or a dialog asked again) counts as Cancel.

#include <optional>
#include <ostream>
#include <string>

#include "framework/prompt.h"

namespace dotforge::cli {

// The file an import or export dialog is to choose, with the flags that fill its
// option boxes (unset flags keep what the dialog shows).
struct FileChoice {
  std::string path;
  int format = 0;  // a SideFormat
  std::optional<int> width;
  std::optional<int> height;
  std::optional<int> wordBits;
  std::optional<int> fontId;
  std::optional<int> baseline;  // a BDF export's baseline
  std::string codePage;         // the code page of a BDF or PSF2 export's codes
  BitmapDialogOptions bitmap;  // the import's bitmap font options
  CArrayDialogOptions carray;  // a C array export's layout
  std::string codes;           // the codes a GFX export writes; empty: every code
};

struct FaceChoice {
  std::optional<int> face;     // default 0
  std::optional<int> charmap;  // default: the face's first Unicode map, else its first
  bool keepCodes = false;
  std::string encoding;
  int pixelSize = 0;
  std::optional<int> baseline;
};

class CliPrompt : public Prompt {
 public:
  explicit CliPrompt(std::ostream& errors) : errors_(errors) {}

  void ShowMessage(std::string_view text, MessageKind kind = MessageKind::Plain) override;
  // "FILE: reason", as command-line tools say it (the program's own message when
  // the system gave no reason).
  void ShowFileError(std::string_view text, std::string_view file, int reason) override;
  Answer Ask(std::string_view text, Buttons buttons) override;
  bool RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) override;
  bool RequestNewFont(NewFontFields& fields, const NewFontDialogLogic& logic) override;
  bool RequestFontProperties(FontPropertiesFields& fields, const DialogCheck<FontPropertiesFields>& ok) override;
  std::optional<ExportDialogAnswer> RunExportFileDialog(const ExportDialogRequest& request) override;
  std::optional<ImportDialogAnswer> RunImportFileDialog(const ImportDialogRequest& request) override;
  std::optional<FontFacesAnswer> RunFontFacesDialog(const FontFacesRequest& request) override;

  void SetImportChoice(FileChoice choice) { importChoice_ = std::move(choice); }
  void SetExportChoice(FileChoice choice) { exportChoice_ = std::move(choice); }
  void SetFaceChoice(FaceChoice choice) { faceChoice_ = choice; }

  int MessageCount() const { return messages_; }
  // Writes a line of information, which is no problem and is not counted.
  void Note(std::string_view text) { errors_ << text << '\n'; }

 private:
  template <typename Fields, typename Check>
  bool ConfirmDialog(const Fields& fields, const Check& ok);

  std::ostream& errors_;
  int messages_ = 0;
  std::optional<FileChoice> importChoice_;
  std::optional<FileChoice> exportChoice_;
  std::optional<FaceChoice> faceChoice_;
  std::optional<int> fontPropertiesId_;
};

}  // namespace dotforge::cli
