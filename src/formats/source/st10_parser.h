#pragma once
// The ST10 C source parser: the data between the first "{" and the next "}",
// elements "0x.." separated by commas, each holding one byte (8-bit words) or two
// (16-bit words, high half first).

#include "formats/source/source_parser.h"

namespace dotforge {

class St10Parser : public SourceParser {
 public:
  St10Parser(std::int32_t width, std::int32_t height, std::int32_t wordBits);

  // Removes block comments, then line comments. A "/*" directly after a '/'
  // belongs to a line comment and ends the block comment search; a "/*" without
  // its "*/" gives UnterminatedComment.
  ParseResult StripComments() override;
  // Results 0..4; the character count is the number of whole cells parsed.
  ParseResult Parse() override;

  // Bytes one character takes: whole words per row.
  std::size_t CharacterBytes() const;

 private:
  ParseResult StripBlockComments();
};

}  // namespace dotforge
