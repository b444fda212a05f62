#include "cli/cli_options.h"

#include <charconv>

namespace dotforge::cli {

std::optional<ParsedArguments> ParseArguments(const std::vector<std::string>& arguments,
                                              const std::set<std::string>& valueOptions, std::string& error) {
  return ParseArguments(arguments, valueOptions, {}, error);
}

std::optional<ParsedArguments> ParseArguments(const std::vector<std::string>& arguments,
                                              const std::set<std::string>& valueOptions,
                                              const std::set<std::string>& flagOptions, std::string& error) {
  ParsedArguments parsed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "--help" || word == "-h") {
      parsed.help = true;
      continue;
    }
    if (word.rfind("--", 0) != 0 || word.size() == 2) {
      parsed.positional.push_back(word);
      continue;
    }
    std::string name = word.substr(2);
    std::optional<std::string> value;
    if (const auto equals = name.find('='); equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (flagOptions.count(name)) {
      if (value) {
        error = "option --" + name + " takes no value";
        return std::nullopt;
      }
      parsed.flags.insert(name);
      continue;
    }
    if (!valueOptions.count(name)) {
      error = "unknown option --" + name;
      return std::nullopt;
    }
    if (!value) {
      if (i + 1 >= arguments.size()) {
        error = "option --" + name + " needs a value";
        return std::nullopt;
      }
      value = arguments[++i];
    }
    parsed.options[name] = *value;
  }
  return parsed;
}

std::optional<int> IntegerOption(const ParsedArguments& parsed, const std::string& name, int low, int high,
                                 std::string& error) {
  const std::string& text = parsed.options.at(name);
  int value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    error = "--" + name + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    return std::nullopt;
  }
  return value;
}

std::vector<std::string> WithLongOutput(std::vector<std::string> arguments) {
  for (std::string& word : arguments) {
    if (word == "-o") word = "--output";
  }
  return arguments;
}

}  // namespace dotforge::cli
