#include <gtest/gtest.h>

#include "formats/source/st9_asm_parser.h"

namespace dotforge {
namespace {

struct Parsed {
  ParseResult result;
  std::int32_t characters;
  Bytes cells;
};

Parsed ParseAsm(const std::string& text, std::int32_t width, std::int32_t height,
                St9AsmParser::Kind kind = St9AsmParser::Kind::Asm) {
  St9AsmParser parser(kind);
  parser.SetCellSize(width, height);
  parser.SetText(text);
  ParseResult result = parser.StripComments();
  if (result == ParseResult::Ok) result = parser.Parse();
  return {result, parser.CharacterCount(), parser.Cells()};
}

TEST(St9AsmParser, HexadecimalAndDecimalElements) {
  const Parsed parsed = ParseAsm("\t.byte\t0FFH, 12, 0AH\n", 8, 3);
  EXPECT_EQ(parsed.result, ParseResult::Ok);
  EXPECT_EQ(parsed.characters, 1);
  EXPECT_EQ(parsed.cells, (Bytes{0xFF, 12, 0x0A}));
  // Every hex digit of an 'H' element is shifted in, keeping 8 bits; decimals
  // stop at their first non-digit and keep 8 bits too.
  EXPECT_EQ(ParseAsm(".byte 1A2Bh, 300, 7x, 0a5H\n", 8, 4).cells, (Bytes{0x2B, 300 & 0xFF, 7, 0xA5}));
}

TEST(St9AsmParser, KeywordLinesOnly) {
  // Capitals are not the keyword; empty fields are skipped; a keyword with
  // nothing after it gives one zero byte.
  const Parsed parsed = ParseAsm(
      "label:\n\t.BYTE 1, 2\n\t.byte 3,, 4\n\t.byte\n\t.byte 5 ; .byte 9, 9\n; .byte 7\n", 1, 4);
  EXPECT_EQ(parsed.result, ParseResult::Ok);
  EXPECT_EQ(parsed.cells, (Bytes{3, 4, 0, 5}));
  // A letter 'e' before the keyword does not move where the elements start.
  EXPECT_EQ(ParseAsm("level: .byte 12, 1\n", 8, 2).cells, (Bytes{12, 1}));
}

TEST(St9AsmParser, ByteCountMustBeWholeCells) {
  EXPECT_EQ(ParseAsm(".byte 1, 2, 3\n", 12, 1).result, ParseResult::SizeMismatch);
  const Parsed two = ParseAsm(".byte 1, 2, 3, 4\n", 12, 1);
  EXPECT_EQ(two.result, ParseResult::Ok);
  EXPECT_EQ(two.characters, 2);
  EXPECT_EQ(ParseAsm("no data\n", 8, 8).characters, 0);
}

TEST(St9AsmParser, St9RowStripsBecomeCells) {
  // Two characters of 12 x 2: row 0 of both, then row 1 of both.
  const Parsed parsed =
      ParseAsm("\n\n;ssligne 1\n\n\t.byte\t001H, 002H, 011H, 012H\n\n\n;ssligne 2\n\n\t.byte\t003H, 004H, 013H, 014H\n\n",
               12, 2, St9AsmParser::Kind::St9);
  EXPECT_EQ(parsed.result, ParseResult::Ok);
  EXPECT_EQ(parsed.characters, 2);
  EXPECT_EQ(parsed.cells, (Bytes{0x01, 0x02, 0x03, 0x04, 0x11, 0x12, 0x13, 0x14}));
}

}  // namespace
}  // namespace dotforge
