#pragma once
// The ST9 and ASM assembler parser: ';' comments, ".byte" lines of comma-separated
// bytes (hexadecimal when written with an 'H', decimal otherwise). ST9 files hold
// one strip per pixel row; the parser rearranges them into cells.

#include "formats/source/source_parser.h"

namespace dotforge {

class St9AsmParser : public SourceParser {
 public:
  enum class Kind { St9, Asm };

  explicit St9AsmParser(Kind kind) : kind_(kind) {}

  ParseResult StripComments() override;
  // Ok, or SizeMismatch when the bytes are not a whole number of cells.
  ParseResult Parse() override;

 private:
  void ParseByteLine(std::string_view fields);
  void RearrangeRowStrips();

  Kind kind_;
};

}  // namespace dotforge
