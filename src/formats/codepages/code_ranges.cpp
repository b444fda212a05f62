#include "formats/codepages/code_ranges.h"

#include <algorithm>
#include <charconv>

namespace dotforge {
namespace {

constexpr std::uint32_t kMaxCode = 0xFFFFFF;

std::optional<std::uint32_t> ParseHexCode(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || status != std::errc() || end != text.data() + text.size() || value > kMaxCode) {
    return std::nullopt;
  }
  return value;
}

std::optional<CodeRange> ParseRange(std::string_view part) {
  const std::size_t dash = part.find('-');
  const std::optional<std::uint32_t> first = ParseHexCode(part.substr(0, dash));
  const std::optional<std::uint32_t> last =
      dash == std::string_view::npos ? first : ParseHexCode(part.substr(dash + 1));
  if (!first || !last || *first > *last) return std::nullopt;
  return CodeRange{*first, *last};
}

}  // namespace

std::optional<std::vector<CodeRange>> ParseCodeRanges(std::string_view text) {
  std::vector<CodeRange> ranges;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::optional<CodeRange> range = ParseRange(text.substr(start, comma - start));
    if (!range) return std::nullopt;
    ranges.push_back(*range);
    start = comma + 1;
  }
  return ranges;
}

bool InCodeRanges(const std::vector<CodeRange>& ranges, std::uint32_t code) {
  for (const CodeRange& range : ranges) {
    if (code >= range.first && code <= range.last) return true;
  }
  return false;
}

}  // namespace dotforge
