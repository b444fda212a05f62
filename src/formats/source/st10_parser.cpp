#include "formats/source/st10_parser.h"

namespace dotforge {
namespace {

// The bytes of one element's digits, read in pairs from the start; a pair that is
// not two hexadecimal digits gives nothing.
void ElementBytes(std::string_view digits, Bytes& bytes) {
  bytes.clear();
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
    const int high = HexDigitValue(digits[i]);
    const int low = HexDigitValue(digits[i + 1]);
    if (high >= 0 && low >= 0) bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
}

}  // namespace

St10Parser::St10Parser(std::int32_t width, std::int32_t height, std::int32_t wordBits) {
  width_ = width;
  height_ = height;
  wordBits_ = wordBits;
}

std::size_t St10Parser::CharacterBytes() const {
  if (width_ < 1 || height_ < 1) return 0;
  const std::int32_t bytesPerWord = wordBits_ == 16 ? 2 : 1;
  const std::int32_t wordsPerRow = (width_ - 1) / (bytesPerWord * 8) + 1;
  return static_cast<std::size_t>(wordsPerRow * bytesPerWord) * static_cast<std::size_t>(height_);
}

// One pass over the text. Removing a comment can never join the text around it
// into a new "/*": that would need a '/' just before the removed "/*", which ends
// the search instead. So the next "/*" is always found after the last removal.
ParseResult St10Parser::StripBlockComments() {
  std::string kept;
  kept.reserve(text_.size());
  const std::string_view text = text_;
  std::size_t position = 0;
  for (;;) {
    const std::size_t open = text.find("/*", position);
    if (open == std::string_view::npos) break;
    kept.append(text.substr(position, open - position));
    if (!kept.empty() && kept.back() == '/') {
      position = open;
      break;
    }
    const std::size_t close = text.find("*/", open + 2);
    if (close == std::string_view::npos) return ParseResult::UnterminatedComment;
    position = close + 2;
  }
  kept.append(text.substr(position));
  text_ = std::move(kept);
  return ParseResult::Ok;
}

ParseResult St10Parser::StripComments() {
  const ParseResult blocks = StripBlockComments();
  if (blocks != ParseResult::Ok) return blocks;
  StripLineComments("//", true);
  return ParseResult::Ok;
}

ParseResult St10Parser::Parse() {
  cells_.clear();
  characterCount_ = 0;
  const std::string_view text = text_;
  const std::size_t open = text.find('{');
  if (open == std::string_view::npos) return ParseResult::OpeningBracketMissing;
  const std::size_t close = text.find('}', open + 1);
  if (close == std::string_view::npos) return ParseResult::ClosingBracketMissing;
  const std::string_view data = text.substr(open + 1, close - open - 1);

  const std::size_t wordBytes = wordBits_ == 16 ? 2 : 1;
  ParseResult result = ParseResult::Ok;
  if (data.find("0x") != std::string_view::npos) {
    Bytes element;
    std::size_t position = 0;
    for (;;) {
      const std::size_t x = data.find('x', position);
      if (x == std::string_view::npos) break;
      const std::size_t comma = data.find(',', x + 1);
      const std::size_t end = comma == std::string_view::npos ? data.size() : comma;
      ElementBytes(data.substr(x + 1, end - x - 1), element);
      if (element.empty()) break;
      if (element.size() != wordBytes) {
        result = ParseResult::DataError;
        break;
      }
      cells_.insert(cells_.end(), element.begin(), element.end());
      position = end;
    }
  }
  if (result != ParseResult::Ok) return result;

  const std::size_t characterBytes = CharacterBytes();
  if (characterBytes == 0) return ParseResult::SizeMismatch;
  characterCount_ = static_cast<std::int32_t>(cells_.size() / characterBytes);
  // A partial character means the width or height does not fit the data.
  return cells_.size() % characterBytes == 0 ? ParseResult::Ok : ParseResult::SizeMismatch;
}

}  // namespace dotforge
