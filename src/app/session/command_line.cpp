#include "app/session/command_line.h"

namespace dotforge {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool filesOnly = false;
  for (const std::string& word : arguments) {
    if (filesOnly || word.empty() || word.front() != '-' || word == "-") {
      line.files.push_back(word);
    } else if (word == "--") {
      filesOnly = true;
    } else if (word == "--help" || word == "-h") {
      return {CommandLine::Action::Help, {}, {}};
    } else if (word == "--version" || word == "-v") {
      return {CommandLine::Action::Version, {}, {}};
    } else if (line.action == CommandLine::Action::Run) {
      line.action = CommandLine::Action::Usage;
      line.error = "unknown option '" + word + "'";
    }
  }
  return line;
}

std::string VersionText() { return std::string("Dotforge ") + DOTFORGE_VERSION; }

}  // namespace dotforge
