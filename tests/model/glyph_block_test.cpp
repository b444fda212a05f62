#include <gtest/gtest.h>

#include "framework/scripted_prompt.h"
#include "model/glyph_block.h"
#include "model/model_messages.h"

namespace dotforge {
namespace {

std::unique_ptr<CDotforgeImportDoc> Fill(std::int32_t width, std::int32_t height, const ParsedGlyphBlock& block,
                        std::int32_t wordBits, ScriptedPrompt& prompt) {
  auto doc = std::make_unique<CDotforgeImportDoc>();
  doc->width = width;
  doc->height = height;
  ReadGlyphBlock(*doc, block, wordBits, prompt);
  return doc;
}

TEST(GlyphBlock, CodesStartAt0x20) {
  ParsedGlyphBlock block{3, {1, 2, 3, 4, 5, 6}};
  ScriptedPrompt prompt;
  const auto doc = Fill(8, 2, block, 8, prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_EQ(doc->codes, (std::vector<std::int32_t>{0x20, 0x21, 0x22}));
  EXPECT_EQ(doc->characters[2]->label, "0022");
  EXPECT_EQ(doc->characters[2]->bitmap, (Bytes{5, 6}));
  EXPECT_EQ(doc->characterCount, 3);
  EXPECT_EQ(doc->fontType, kSingleByteFont);
}

TEST(GlyphBlock, SixteenBitWordRows) {
  ScriptedPrompt prompt;
  // 12 dots wide: a word row is exactly a packed row.
  const auto narrow = Fill(12, 2, ParsedGlyphBlock{1, {0xA1, 0xB0, 0xC2, 0xD0}}, 16, prompt);
  EXPECT_EQ(narrow->characters.at(0)->bitmap, (Bytes{0xA1, 0xB0, 0xC2, 0xD0}));
  // 20 dots wide: 4-byte word rows lose their last byte.
  const auto wide =
      Fill(20, 2, ParsedGlyphBlock{2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}}, 16, prompt);
  EXPECT_EQ(wide->characters.at(0)->bitmap, (Bytes{1, 2, 3, 5, 6, 7}));
  EXPECT_EQ(wide->characters.at(1)->bitmap, (Bytes{9, 10, 11, 13, 14, 15}));
  // The same bytes as 8-bit data are plain cells.
  const auto bytes =
      Fill(20, 2, ParsedGlyphBlock{2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}, 8, prompt);
  EXPECT_EQ(bytes->characters.at(1)->bitmap, (Bytes{7, 8, 9, 10, 11, 12}));
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(GlyphBlock, ShortDataKeepsTheCompletedCharacters) {
  ScriptedPrompt prompt;
  const auto doc = Fill(8, 2, ParsedGlyphBlock{4, {1, 2, 3, 4, 5}}, 8, prompt);
  EXPECT_EQ(doc->characters.size(), 2u);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kGlyphDataEndsEarly});
}

TEST(GlyphBlock, NoCellSizeOrNoCharacters) {
  ScriptedPrompt prompt;
  EXPECT_TRUE(Fill(0, 8, ParsedGlyphBlock{2, Bytes(16, 0)}, 8, prompt)->characters.empty());
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kWidthHeightZero});
  prompt.Clear();
  EXPECT_TRUE(Fill(8, 8, ParsedGlyphBlock{-5, Bytes(16, 0)}, 8, prompt)->characters.empty());
  EXPECT_TRUE(prompt.Entries().empty());
}

}  // namespace
}  // namespace dotforge
