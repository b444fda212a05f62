#include <gtest/gtest.h>

#include "formats/source/st10_parser.h"
#include "framework/scripted_prompt.h"
#include "model/model_messages.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

struct Parsed {
  ParseResult result;
  std::int32_t characters;
  Bytes cells;
};

Parsed ParseSt10(const std::string& text, std::int32_t width, std::int32_t height, std::int32_t wordBits) {
  St10Parser parser(width, height, wordBits);
  parser.SetText(text);
  ParseResult result = parser.StripComments();
  if (result == ParseResult::Ok) result = parser.Parse();
  return {result, parser.CharacterCount(), parser.Cells()};
}

TEST(St10Parser, ElementsBetweenTheBraces) {
  const Parsed two = ParseSt10("x[] = {0x01, 0x02}", 8, 2, 8);
  EXPECT_EQ(two.result, ParseResult::Ok);
  EXPECT_EQ(two.characters, 1);
  EXPECT_EQ(two.cells, (Bytes{1, 2}));

  // Three bytes are no whole number of 2-row cells; with 3 rows they are one.
  EXPECT_EQ(ParseSt10("{0x01, 0x02, 0x03}", 8, 2, 8).result, ParseResult::SizeMismatch);
  const Parsed three = ParseSt10("{0x01, 0x02, 0x03}", 8, 3, 8);
  EXPECT_EQ(three.result, ParseResult::Ok);
  EXPECT_EQ(three.characters, 1);
}

TEST(St10Parser, PartialCharacterIsReportedNotDropped) {
  // 12 x 2 cells are 4 bytes: 6 bytes are a whole number of rows but not of cells.
  EXPECT_EQ(ParseSt10("{0x01,0x02,0x03,0x04,0x05,0x06}", 12, 2, 8).result, ParseResult::SizeMismatch);
  EXPECT_EQ(ParseSt10("{0x01,0x02,0x03,0x04,0x05,0x06,0x07,0x08}", 12, 2, 8).characters, 2);
}

TEST(St10Parser, ResultCodes) {
  EXPECT_EQ(ParseSt10("0x01, 0x02", 8, 1, 8).result, ParseResult::OpeningBracketMissing);
  EXPECT_EQ(ParseSt10("} {0x01, 0x02", 8, 1, 8).result, ParseResult::ClosingBracketMissing);
  // One byte where a 16-bit word needs two.
  EXPECT_EQ(ParseSt10("{0xAB}", 8, 1, 16).result, ParseResult::DataError);
  EXPECT_EQ(ParseSt10("{0xABCD}", 8, 1, 8).result, ParseResult::DataError);
}

TEST(St10Parser, ElementDigitsAreReadInPairs) {
  const Parsed words = ParseSt10("{0xA55A, 0x0102}", 16, 1, 16);
  EXPECT_EQ(words.result, ParseResult::Ok);
  EXPECT_EQ(words.cells, (Bytes{0xA5, 0x5A, 0x01, 0x02}));
  // A pair that is not two hex digits gives nothing: "0x3C " is one byte.
  EXPECT_EQ(ParseSt10("{0x3C , 0x4G1F}", 8, 1, 8).cells, (Bytes{0x3C, 0x1F}));
  // An element with no byte ends the data without an error.
  const Parsed ended = ParseSt10("{0x01, 0x, 0x02}", 8, 1, 8);
  EXPECT_EQ(ended.result, ParseResult::Ok);
  EXPECT_EQ(ended.cells, (Bytes{0x01}));
  // Elements are found by their lower-case 'x'; text without "0x" has none.
  const Parsed upper = ParseSt10("{0X01, 0X02}", 8, 1, 8);
  EXPECT_EQ(upper.result, ParseResult::Ok);
  EXPECT_EQ(upper.characters, 0);
  // Fields without an 'x' are passed over on the way to the next one.
  EXPECT_EQ(ParseSt10("{0x01, 7, 0x02}", 8, 1, 8).cells, (Bytes{0x01, 0x02}));
}

TEST(St10Parser, CommentsAreRemoved) {
  const Parsed parsed = ParseSt10(
      "/* header 0x99 { } */\n"
      "const unsigned char x[] = \n{\n"
      "\t// 0x0041: {x}\n"
      "\t0x01, /* 0x77, */ 0x02, \n"
      "}",
      8, 2, 8);
  EXPECT_EQ(parsed.result, ParseResult::Ok);
  EXPECT_EQ(parsed.cells, (Bytes{1, 2}));
}

TEST(St10Parser, StarAfterLineCommentStopsTheBlockSearch) {
  St10Parser parser(8, 1, 8);
  parser.SetText("{0x01, //* not a block\n0x02, /* kept */ 0x03}");
  ASSERT_EQ(parser.StripComments(), ParseResult::Ok);
  EXPECT_EQ(parser.Text(), "{0x01, \r\n0x02, /* kept */ 0x03}");
  // Block comments before it are still removed.
  parser.SetText("/*a*/x //* y */ z\nw");
  ASSERT_EQ(parser.StripComments(), ParseResult::Ok);
  EXPECT_EQ(parser.Text(), "x \r\nw");
  // The character before a "/*" is taken after the earlier removals.
  parser.SetText("a/*1*//*2*/b");
  ASSERT_EQ(parser.StripComments(), ParseResult::Ok);
  EXPECT_EQ(parser.Text(), "ab");
}

TEST(St10Parser, UnterminatedBlockComment) {
  St10Parser parser(8, 1, 8);
  parser.SetText("{0x01, /* open */ 0x02 /* never closed }");
  EXPECT_EQ(parser.StripComments(), ParseResult::UnterminatedComment);
  parser.SetText("{/*/}");
  EXPECT_EQ(parser.StripComments(), ParseResult::UnterminatedComment);
}

TEST(St10Parser, EveryParseStartsAfresh) {
  St10Parser parser(8, 1, 8);
  parser.SetText("{0x01, 0x02}");
  ASSERT_EQ(parser.Parse(), ParseResult::Ok);
  ASSERT_EQ(parser.Parse(), ParseResult::Ok);
  EXPECT_EQ(parser.Cells(), (Bytes{1, 2}));
  EXPECT_EQ(parser.CharacterCount(), 2);
  const ParsedGlyphBlock block = parser.TakeBlock();
  EXPECT_EQ(block.characterCount, 2);
  EXPECT_EQ(block.bytes, (Bytes{1, 2}));
}

TEST(SourceParser, LoadFileMessages) {
  test::TempDir dir;
  ScriptedPrompt prompt;
  St10Parser parser(8, 1, 8);
  EXPECT_FALSE(parser.LoadFile(dir / "NONE.C", prompt));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kUnableToOpenFile});
  test::WriteBytes(dir / "FONT.C", Bytes{'{', '0', 'x', '4', '1', '}', 0, 'z'});
  prompt.Clear();
  ASSERT_TRUE(parser.LoadFile(dir / "FONT.C", prompt));
  EXPECT_EQ(parser.Text().size(), 8u);
  EXPECT_TRUE(prompt.Entries().empty());
}

}  // namespace
}  // namespace dotforge
