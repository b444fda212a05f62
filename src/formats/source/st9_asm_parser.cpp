#include "formats/source/st9_asm_parser.h"

#include <algorithm>

namespace dotforge {
namespace {

constexpr std::string_view kByteKeyword = ".byte";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// An element with an 'H' or 'h' is hexadecimal: all its hexadecimal digits are
// shifted in. Any other is decimal up to its first non-digit. Both keep 8 bits.
std::uint8_t ElementValue(std::string_view element) {
  unsigned value = 0;
  if (element.find_first_of("Hh") != std::string_view::npos) {
    for (const char c : element) {
      const int digit = HexDigitValue(c);
      if (digit >= 0) value = (value * 16 + static_cast<unsigned>(digit)) & 0xFF;
    }
    return static_cast<std::uint8_t>(value);
  }
  std::size_t i = 0;
  while (i < element.size() && IsSpace(element[i])) ++i;
  for (; i < element.size() && element[i] >= '0' && element[i] <= '9'; ++i) {
    value = (value * 10 + static_cast<unsigned>(element[i] - '0')) & 0xFF;
  }
  return static_cast<std::uint8_t>(value);
}

}  // namespace

ParseResult St9AsmParser::StripComments() {
  // ST9 files hold rows of every character, so their comments carry no codes.
  StripLineComments(";", kind_ == Kind::Asm);
  return ParseResult::Ok;
}

// Empty fields between commas are skipped; a keyword with nothing after it gives
// one zero byte.
void St9AsmParser::ParseByteLine(std::string_view fields) {
  bool any = false;
  std::size_t start = 0;
  while (start <= fields.size()) {
    const std::size_t comma = fields.find(',', start);
    const std::size_t end = comma == std::string_view::npos ? fields.size() : comma;
    if (end > start) {
      cells_.push_back(ElementValue(fields.substr(start, end - start)));
      any = true;
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (!any) cells_.push_back(0);
}

void St9AsmParser::RearrangeRowStrips() {
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width_));
  const auto height = static_cast<std::size_t>(height_);
  const std::size_t strip = cells_.size() / height;
  Bytes cells(cells_.size());
  std::size_t out = 0;
  for (std::size_t k = 0; k < static_cast<std::size_t>(characterCount_); ++k) {
    for (std::size_t y = 0; y < height; ++y) {
      const auto from = cells_.begin() + static_cast<std::ptrdiff_t>(strip * y + k * rowBytes);
      std::copy(from, from + static_cast<std::ptrdiff_t>(rowBytes), cells.begin() + static_cast<std::ptrdiff_t>(out));
      out += rowBytes;
    }
  }
  cells_ = std::move(cells);
}

ParseResult St9AsmParser::Parse() {
  cells_.clear();
  characterCount_ = 0;
  ForEachLine(text_, [&](std::string_view line) {
    const std::size_t keyword = line.find(kByteKeyword);
    if (keyword != std::string_view::npos) ParseByteLine(line.substr(keyword + kByteKeyword.size()));
  });
  if (width_ < 1 || height_ < 1) return ParseResult::SizeMismatch;
  const std::size_t cellSize = CellSize(width_, height_);
  if (cells_.size() % cellSize != 0) return ParseResult::SizeMismatch;
  characterCount_ = static_cast<std::int32_t>(cells_.size() / cellSize);
  if (kind_ == Kind::St9) RearrangeRowStrips();
  return ParseResult::Ok;
}

}  // namespace dotforge
