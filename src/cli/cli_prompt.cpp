#include "cli/cli_prompt.h"

#include <string>

#include "cli/commands.h"

namespace dotforge::cli {

void CliPrompt::ShowMessage(std::string_view text, MessageKind) {
  errors_ << text << '\n';
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
  return ConfirmDialog(fields, ok);
}

int UsageError(std::ostream& err, const std::string& command, const std::string& text) {
  err << "dotforge-cli: " << text << "\n(see 'dotforge-cli " << command << " --help')\n";
  return kExitUsage;
}

}  // namespace dotforge::cli
