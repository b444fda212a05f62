#pragma once
// The command-line tool's prompt: messages go to stderr, questions are answered
// OK (or Yes) and their texts printed to stderr too. Dialogs are confirmed once
// with the values they open with; a tool cannot correct a refused field, so a
// refusal counts as Cancel.

#include <ostream>

#include "framework/prompt.h"

namespace dotforge::cli {

class CliPrompt : public Prompt {
 public:
  explicit CliPrompt(std::ostream& errors) : errors_(errors) {}

  void ShowMessage(std::string_view text, MessageKind kind = MessageKind::Plain) override;
  Answer Ask(std::string_view text, Buttons buttons) override;
  bool RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) override;
  bool RequestNewFont(NewFontFields& fields, const NewFontDialogLogic& logic) override;
  bool RequestFontProperties(FontPropertiesFields& fields, const DialogCheck<FontPropertiesFields>& ok) override;

  int MessageCount() const { return messages_; }

 private:
  template <typename Fields, typename Check>
  bool ConfirmDialog(const Fields& fields, const Check& ok);

  std::ostream& errors_;
  int messages_ = 0;
};

}  // namespace dotforge::cli
