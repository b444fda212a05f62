#pragma once
// The parsers of the firmware source texts (ST10 C source, ST9 and ASM assembler).
// Each import makes one, loads the file, strips its comments and parses its data
// into the cells the new font set is built from.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "framework/prompt.h"
#include "model/character_record.h"
#include "model/app_values.h"
#include "platform/bytes.h"

namespace dotforge {

// 0..4 are the ST10 parser's result codes; the ST9/ASM parser fails with
// SizeMismatch.
enum class ParseResult {
  Ok = 0,
  OpeningBracketMissing = 1,
  ClosingBracketMissing = 2,
  DataError = 3,
  SizeMismatch = 4,
  UnterminatedComment,
};

// The message of a result other than Ok.
const char* ParseResultMessage(ParseResult result);

class SourceParser {
 public:
  SourceParser() = default;
  SourceParser(const SourceParser&) = delete;
  SourceParser& operator=(const SourceParser&) = delete;
  virtual ~SourceParser() = default;

  // Reads the whole file as the text to parse. Shows "Unable To Open File" or
  // "Unable to Allocate Memory" and returns false when it cannot.
  bool LoadFile(const std::filesystem::path& path, Prompt& prompt);
  void SetText(std::string text) { text_ = std::move(text); }
  void SetCellSize(std::int32_t width, std::int32_t height);

  virtual ParseResult StripComments() = 0;
  virtual ParseResult Parse() = 0;

  const std::string& Text() const { return text_; }
  std::int32_t CharacterCount() const { return characterCount_; }
  std::size_t ByteCount() const { return cells_.size(); }
  const Bytes& Cells() const { return cells_; }
  // The codes of the code comments ("0xHHHH:") the comments were stripped of,
  // in file order.
  const std::vector<std::int32_t>& CommentCodes() const { return commentCodes_; }
  // The parsed characters, handed to the font set being opened. They take the
  // codes of the code comments when there is exactly one per character, all
  // distinct and from 0x20 up (a file this program wrote); otherwise the codes
  // 0x20, 0x21, ... in order.
  ParsedGlyphBlock TakeBlock();

 protected:
  // Replaces every line (up to and including its "\n") that holds `marker` with
  // the text before the marker followed by "\r\n". With `codeComments` a
  // comment that reads "0xHHHH:" (after blanks) adds its code to CommentCodes.
  void StripLineComments(std::string_view marker, bool codeComments);

  std::int32_t wordBits_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::int32_t characterCount_ = 0;
  Bytes cells_;
  std::string text_;
  std::vector<std::int32_t> commentCodes_;
};

// The value of a hexadecimal digit (0-9, A-F, a-f), or -1.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Calls `visit(line)` for every line of `text`, each up to and including its
// "\n"; the last runs to the end of the text.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t newline = text.find('\n', start);
    const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
    visit(text.substr(start, end - start));
    start = end;
  }
}

}  // namespace dotforge
