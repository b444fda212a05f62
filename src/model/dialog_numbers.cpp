#include "model/dialog_numbers.h"

#include <cctype>
#include <charconv>

namespace dotforge {
namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

// Reads the number at the start of `text`; `rest` is what follows it.
std::optional<std::int32_t> TakeDecimal(std::string_view text, std::string_view& rest) {
  text = SkipBlanks(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc()) return std::nullopt;
  rest = text.substr(static_cast<std::size_t>(end - text.data()));
  return value;
}

}  // namespace

std::optional<std::int32_t> ScanDecimal(std::string_view text) {
  std::string_view rest;
  return TakeDecimal(text, rest);
}

std::optional<std::int32_t> ReadWholeDecimal(std::string_view text) {
  std::string_view rest;
  const std::optional<std::int32_t> value = TakeDecimal(text, rest);
  if (!value || !SkipBlanks(rest).empty()) return std::nullopt;
  return value;
}

}  // namespace dotforge
