#pragma once
// Runs a dotforge-cli command in the test process and keeps what it printed.

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace dotforge::cli {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

using CliCommand = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

inline CliRun RunCommand(CliCommand command, const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int status = command(arguments, out, err);
  return {status, out.str(), err.str()};
}

inline CliRun Dump(const std::vector<std::string>& arguments) { return RunCommand(&RunDump, arguments); }
inline CliRun Convert(const std::vector<std::string>& arguments) { return RunCommand(&RunConvert, arguments); }

}  // namespace dotforge::cli
