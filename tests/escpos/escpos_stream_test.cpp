#include <gtest/gtest.h>

#include "escpos/escpos_messages.h"
#include "escpos/streams/escpos_stream.h"
#include "framework/scripted_prompt.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

// A font set whose every glyph is blank but for the pixels given per code.
std::unique_ptr<CDotforgeImportDoc> Blank(std::int32_t width, std::int32_t height,
                                          const std::vector<std::int32_t>& codes, std::int32_t fontType = 0) {
  auto doc = test::MakeFontSet(width, height, codes, fontType);
  for (auto& record : doc->characters) std::fill(record->bitmap.begin(), record->bitmap.end(), 0);
  return doc;
}

void Append(Bytes& out, std::initializer_list<int> bytes) {
  for (int byte : bytes) out.push_back(static_cast<std::uint8_t>(byte));
}

// What every stream starts with: NUL bytes that end an unfinished definition, then ESC @.
Bytes Prefix() {
  Bytes prefix(kEscPosPrefixNuls, 0x00);
  Append(prefix, {0x1B, 0x40});
  return prefix;
}

std::vector<std::string> Messages(const ScriptedPrompt& prompt) {
  std::vector<std::string> texts;
  for (const auto& entry : prompt.Entries()) texts.push_back(entry.text);
  return texts;
}

TEST(EscPosStream, RunsBreakAtMissingCodesAndColumnsAreTopRowInBit7) {
  // 2 x 2 cells; 0x43 missing splits 0x41..0x42 from 0x44.
  auto doc = Blank(2, 2, {0x41, 0x42, 0x44});
  doc->characters[0]->SetPixel(0, 0, true);  // column 0, top row
  doc->characters[1]->SetPixel(1, 1, true);  // column 1, second row
  doc->characters[2]->SetPixel(0, 1, true);
  doc->characters[2]->SetPixel(1, 0, true);
  ScriptedPrompt prompt;
  const auto stream = BuildEscPosStream(*doc, {}, prompt);
  ASSERT_TRUE(stream);
  Bytes expected = Prefix();
  Append(expected, {0x1B, 0x4D, 0x00});
  Append(expected, {0x1B, 0x26, 0x03, 0x41, 0x42});
  Append(expected, {2, 0x80, 0, 0, 0x00, 0, 0});
  Append(expected, {2, 0x00, 0, 0, 0x40, 0, 0});
  Append(expected, {0x1B, 0x26, 0x03, 0x44, 0x44});
  Append(expected, {2, 0x40, 0, 0, 0x80, 0, 0});
  Append(expected, {0x1B, 0x25, 0x01});
  EXPECT_EQ(stream->bytes, expected);
  EXPECT_EQ(stream->defined, 3u);
  EXPECT_EQ(stream->skipped, 0u);
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(EscPosStream, OrderOfTheListDoesNotMatterAndTheFirstOfTwoCodesWins) {
  auto doc = Blank(1, 1, {0x31, 0x30, 0x30});
  doc->characters[1]->SetPixel(0, 0, true);  // the first 0x30
  ScriptedPrompt prompt;
  const auto stream = BuildEscPosStream(*doc, {}, prompt);
  ASSERT_TRUE(stream);
  Bytes expected = Prefix();
  Append(expected, {0x1B, 0x4D, 0x00, 0x1B, 0x26, 0x03, 0x30, 0x31});
  Append(expected, {1, 0x80, 0, 0});
  Append(expected, {1, 0x00, 0, 0});
  Append(expected, {0x1B, 0x25, 0x01});
  EXPECT_EQ(stream->bytes, expected);
}

TEST(EscPosStream, NarrowShortCellSendsItsWidthAndZeroRowsBelowTheCell) {
  // 5 x 20, all black: every column is rows 0..19 set, 20..23 clear.
  auto doc = test::MakeFontSet(5, 20, {0x7E});
  std::fill(doc->characters[0]->bitmap.begin(), doc->characters[0]->bitmap.end(), 0xFF);
  ScriptedPrompt prompt;
  const auto stream = BuildEscPosStream(*doc, {}, prompt);
  ASSERT_TRUE(stream);
  Bytes expected = Prefix();
  Append(expected, {0x1B, 0x4D, 0x00, 0x1B, 0x26, 0x03, 0x7E, 0x7E, 5});
  for (int x = 0; x < 5; ++x) Append(expected, {0xFF, 0xFF, 0xF0});
  Append(expected, {0x1B, 0x25, 0x01});
  EXPECT_EQ(stream->bytes, expected);
}

TEST(EscPosStream, FullFontACellUsesAllTwentyFourRows) {
  auto doc = Blank(12, 24, {0x20});
  doc->characters[0]->SetPixel(11, 23, true);
  doc->characters[0]->SetPixel(11, 16, true);
  ScriptedPrompt prompt;
  const auto stream = BuildEscPosStream(*doc, {}, prompt);
  ASSERT_TRUE(stream);
  const std::size_t start = Prefix().size();
  ASSERT_EQ(stream->bytes.size(), start + 3u + 5u + 1u + 12u * 3u + 3u);
  const std::size_t lastColumn = start + 3 + 5 + 1 + 11 * 3;
  EXPECT_EQ(stream->bytes[lastColumn + 2], 0x81);
  EXPECT_EQ(std::count(stream->bytes.begin() + start + 9, stream->bytes.end() - 3, 0), 12 * 3 - 1);
}

TEST(EscPosStream, FontBSelectsFontOneAndRefusesCellsLargerThanNineBySeventeen) {
  auto fits = Blank(9, 17, {0x41});
  fits->characters[0]->SetPixel(8, 16, true);
  ScriptedPrompt prompt;
  EscPosStreamOptions options;
  options.font = EscPosFont::B;
  const auto stream = BuildEscPosStream(*fits, options, prompt);
  ASSERT_TRUE(stream);
  Bytes expected = Prefix();
  Append(expected, {0x1B, 0x4D, 0x01, 0x1B, 0x26, 0x03, 0x41, 0x41, 9});
  for (int x = 0; x < 8; ++x) Append(expected, {0, 0, 0});
  Append(expected, {0, 0, 0x80});
  Append(expected, {0x1B, 0x25, 0x01});
  EXPECT_EQ(stream->bytes, expected);

  for (const auto& [width, height] : {std::pair{10, 17}, std::pair{9, 18}}) {
    auto large = Blank(width, height, {0x41});
    ScriptedPrompt refused;
    EXPECT_FALSE(BuildEscPosStream(*large, options, refused));
    EXPECT_EQ(Messages(refused), std::vector<std::string>{"The cell is larger than printer font B (9 x 17 dots): "
                                                          "choose a smaller cell or the other printer font."});
  }
}

TEST(EscPosStream, FontARefusesACellLargerThanTwelveByTwentyFour) {
  for (const auto& [width, height] : {std::pair{13, 24}, std::pair{12, 25}}) {
    auto large = Blank(width, height, {0x41});
    ScriptedPrompt prompt;
    EXPECT_FALSE(BuildEscPosStream(*large, {}, prompt));
    // Font A is the largest: no other printer font is advised.
    EXPECT_EQ(Messages(prompt), std::vector<std::string>{"The cell is larger than printer font A (12 x 24 dots), the "
                                                         "largest printer font: choose a smaller cell."});
  }
  EXPECT_EQ(FontForCell(9, 17), EscPosFont::B);
  EXPECT_EQ(FontForCell(10, 17), EscPosFont::A);
  EXPECT_EQ(FontForCell(12, 24), EscPosFont::A);
}

TEST(EscPosStream, CharactersOutsideThePrintableRangeAreSkippedAndCountedWhenTheyHaveDots) {
  // Double-byte set: 0x1F, 0x7F, 0x100, 0x4100 and 0xA0 are outside; 0x20 and
  // 0x7E stay in runs of their own. The blank 0xA0 is filler, not counted.
  auto doc = Blank(1, 1, {0x1F, 0x20, 0x7E, 0x7F, 0x100, 0x4100, 0xA0}, kDoubleByteFont);
  for (std::size_t i : {0u, 3u, 4u, 5u}) doc->characters[i]->SetPixel(0, 0, true);
  ScriptedPrompt prompt;
  const auto stream = BuildEscPosStream(*doc, {}, prompt);
  ASSERT_TRUE(stream);
  Bytes expected = Prefix();
  Append(expected, {0x1B, 0x4D, 0x00});
  Append(expected, {0x1B, 0x26, 0x03, 0x20, 0x20, 1, 0, 0, 0});
  Append(expected, {0x1B, 0x26, 0x03, 0x7E, 0x7E, 1, 0, 0, 0});
  Append(expected, {0x1B, 0x25, 0x01});
  EXPECT_EQ(stream->bytes, expected);
  EXPECT_EQ(stream->skipped, 4u);
  EXPECT_EQ(UnsendableCharacters(*doc), 4u);
  // Telling the user is the front end's part, once.
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(EscPosStream, SampleTextIsEncodedWithoutControlBytesAndEndsTheUserSet) {
  auto doc = Blank(1, 1, {0x41});
  EscPosStreamOptions options;
  options.sampleText = "H\xC3\xA9\tA\r\nB\x1B";  // "Hé", tab, "A", CR LF, "B", ESC
  ScriptedPrompt prompt;
  const auto stream = BuildEscPosStream(*doc, options, prompt);
  ASSERT_TRUE(stream);
  Bytes expected = Prefix();
  Append(expected, {0x1B, 0x4D, 0x00, 0x1B, 0x26, 0x03, 0x41, 0x41, 1, 0, 0, 0, 0x1B, 0x25, 0x01});
  Append(expected, {'H', 0x82, 'A', 0x0A, 'B', 0x0A, 0x1B, 0x25, 0x00});
  EXPECT_EQ(stream->bytes, expected);

  options.codePage = "CP1252";
  const auto western = BuildEscPosStream(*doc, options, prompt);
  ASSERT_TRUE(western);
  EXPECT_EQ(western->bytes[Prefix().size() + 16], 0xE9);
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(EscPosStream, UnknownCodePageAndUnencodableTextAreRefused) {
  auto doc = Blank(1, 1, {0x41});
  EscPosStreamOptions options;
  options.sampleText = "A";
  options.codePage = "NO-SUCH-PAGE";
  ScriptedPrompt prompt;
  EXPECT_FALSE(BuildEscPosStream(*doc, options, prompt));
  options.codePage = "CP437";
  options.sampleText = "price 5 \xE2\x82\xAC";  // the euro sign is not in CP437
  EXPECT_FALSE(BuildEscPosStream(*doc, options, prompt));
  options.sampleText = "bad \xFF utf-8";
  EXPECT_FALSE(BuildEscPosStream(*doc, options, prompt));
  EXPECT_EQ(Messages(prompt), (std::vector<std::string>{"The code page NO-SUCH-PAGE is not known.",
                                                         "The sample text has characters the code page CP437 does "
                                                         "not hold.",
                                                         "The sample text has characters the code page CP437 does "
                                                         "not hold."}));
}

}  // namespace
}  // namespace dotforge
