#pragma once
// Command-line arguments: positional words and "--name value" / "--name=value"
// options, checked against the options a command knows.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace dotforge::cli {

struct ParsedArguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::set<std::string> flags;  // options given without a value
  bool help = false;
};

// Parses `arguments` (without the program and command names). `valueOptions` are
// the option names (without "--") that take a value. Returns nothing after writing
// the reason to `error`.
std::optional<ParsedArguments> ParseArguments(const std::vector<std::string>& arguments,
                                              const std::set<std::string>& valueOptions, std::string& error);
// The same, where `flagOptions` are the option names that take no value.
std::optional<ParsedArguments> ParseArguments(const std::vector<std::string>& arguments,
                                              const std::set<std::string>& valueOptions,
                                              const std::set<std::string>& flagOptions, std::string& error);

// An option's integer value; nothing (and a reason in `error`) when it is not a
// whole number within [low, high].
std::optional<int> IntegerOption(const ParsedArguments& parsed, const std::string& name, int low, int high,
                                 std::string& error);

// The arguments with "-o FILE" written as "--output FILE".
std::vector<std::string> WithLongOutput(std::vector<std::string> arguments);

}  // namespace dotforge::cli
