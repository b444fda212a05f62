#pragma once
// The desktop program's command line: the files to open, or a request for help
// or the version (answered before any window system is needed).

#include <string>
#include <vector>

namespace dotforge {

struct CommandLine {
  enum class Action { Run, Help, Version, Usage };
  Action action = Action::Run;
  std::vector<std::string> files;
  std::string error;  // for Usage
};

// `arguments` without the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// "Dotforge 2.1.3".
std::string VersionText();

}  // namespace dotforge
