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

int UsageError(std::ostream& err, const std::string& command, const std::string& text) {
  err << "dotforge-cli: " << text << "\n(see 'dotforge-cli " << command << " --help')\n";
  return kExitUsage;
}

}  // namespace dotforge::cli
