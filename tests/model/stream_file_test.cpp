#include <gtest/gtest.h>

#include "framework/scripted_prompt.h"
#include "model/model_messages.h"
#include "model/stream_file.h"

namespace dotforge {
namespace {

// 12 x 24 glyph data as columns of 3 bytes: column c has only dot (c * 2) set.
Bytes DiagonalColumns(int width) {
  Bytes columns(static_cast<std::size_t>(width) * 3, 0);
  for (int c = 0; c < width; ++c) {
    const int dot = (c * 2) % 24;
    columns[c * 3 + dot / 8] = static_cast<std::uint8_t>(0x80 >> (dot % 8));
  }
  return columns;
}

std::unique_ptr<CDotforgeImportDoc> ReadEsc(const Bytes& file, ScriptedPrompt& prompt) {
  auto doc = std::make_unique<CDotforgeImportDoc>();
  ReadEscStreamFile(*doc, file, prompt);
  return doc;
}

void ExpectDiagonal(const CharacterRecord& record) {
  for (int c = 0; c < record.width; ++c) {
    for (int r = 0; r < record.height; ++r) EXPECT_EQ(record.Pixel(c, r), r == (c * 2) % 24) << c << "," << r;
  }
}

TEST(EscStream, OneBlockOfTwoCharacters) {
  Bytes file{0x1B, 0x26, 0x03, 0x41, 0x42, 0x0C};
  const Bytes glyph = DiagonalColumns(12);
  file.insert(file.end(), glyph.begin(), glyph.end());
  file.insert(file.end(), glyph.begin(), glyph.end());
  ScriptedPrompt prompt;
  const auto doc = ReadEsc(file, prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_EQ(doc->codes, (std::vector<std::int32_t>{0x41, 0x42}));
  EXPECT_EQ(doc->width, 12);
  EXPECT_EQ(doc->height, 24);
  EXPECT_EQ(doc->characterCount, 2);
  EXPECT_EQ(doc->fontType, kSingleByteFont);
  ASSERT_EQ(doc->characters.size(), 2u);
  EXPECT_EQ(doc->characters[1]->label, "0042");
  EXPECT_EQ(doc->characters[0]->bitmap.size(), 48u);
  ExpectDiagonal(*doc->characters[0]);
  ExpectDiagonal(*doc->characters[1]);
}

TEST(EscStream, BadHeadersAreRefused) {
  for (const Bytes& header : {Bytes{0x1B, 0x26, 0x02, 0x41, 0x41, 0x0C}, Bytes{0x1B, 0x26, 0x03, 0x41, 0x41, 0x00},
                              Bytes{0x1B, 0x26, 0x03, 0x42, 0x41, 0x0C}}) {
    Bytes file = header;
    file.resize(200, 0);
    ScriptedPrompt prompt;
    EXPECT_TRUE(ReadEsc(file, prompt)->characters.empty());
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kInvalidDataFormat});
  }
}

TEST(EscStream, OtherBytesAroundBlocksAreSkipped) {
  Bytes file{0x1B, 0x40, 0x0A, 0x1B, 0x1B, 0x26, 0x03, 0x20};  // ESC @, LF, then ESC ESC & which starts no block
  const Bytes block{0x1B, 0x26, 0x03, 0x30, 0x30, 0x01, 0x80, 0x00, 0x01};
  file.insert(file.end(), block.begin(), block.end());
  file.insert(file.end(), {0x1D, 0x56, 0x00});
  file.insert(file.end(), block.begin(), block.end());
  file[file.size() - 6] = 0x31;
  file[file.size() - 5] = 0x31;
  ScriptedPrompt prompt;
  const auto doc = ReadEsc(file, prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_EQ(doc->codes, (std::vector<std::int32_t>{0x30, 0x31}));
  EXPECT_TRUE(doc->characters[0]->Pixel(0, 0));
  EXPECT_TRUE(doc->characters[0]->Pixel(0, 23));
  EXPECT_FALSE(doc->characters[0]->Pixel(0, 1));
  EXPECT_EQ(doc->characters[0]->bitmap.size(), 24u);
}

TEST(EscStream, EscEscAmpersandStartsNoBlock) {
  const Bytes file{0x1B, 0x1B, 0x26, 0x03, 0x41, 0x41, 0x01, 0xFF, 0xFF, 0xFF};
  ScriptedPrompt prompt;
  EXPECT_TRUE(ReadEsc(file, prompt)->characters.empty());
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(EscStream, DataEndingInsideACharacterKeepsTheCompletedOnes) {
  Bytes file{0x1B, 0x26, 0x03, 0x41, 0x43, 0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  ScriptedPrompt prompt;
  const auto doc = ReadEsc(file, prompt);
  EXPECT_EQ(doc->codes, std::vector<std::int32_t>{0x41});
  EXPECT_EQ(doc->characterCount, 1);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kFileEndsEarly});

  prompt.Clear();
  EXPECT_TRUE(ReadEsc(Bytes{0x1B, 0x26, 0x03, 0x41}, prompt)->characters.empty());
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kFileEndsEarly});
}

// Wherever the file ends inside a block header, even right after its lead byte,
// reading stops with a message and keeps the characters read before.
TEST(EscStream, FileEndingInsideABlockHeaderIsReported) {
  const Bytes block{0x1B, 0x26, 0x03, 0x41, 0x41, 0x01, 0x80, 0x00, 0x01};
  for (std::size_t cut = 1; cut < kStreamBlockHeaderSize; ++cut) {
    Bytes file = block;
    file.insert(file.end(), {0x1D, 0x56, 0x00});  // another printer command between the blocks
    file.insert(file.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(cut));
    ScriptedPrompt prompt;
    const auto doc = ReadEsc(file, prompt);
    EXPECT_EQ(doc->codes, std::vector<std::int32_t>{0x41}) << cut;
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kFileEndsEarly}) << cut;
  }
  Bytes us{0x1F, 0x26, 0x08, 0x41, 0x41, 0x01, 0x80, 0x1F};
  ScriptedPrompt prompt;
  CDotforgeImportDoc doc;
  ReadUsStreamFile(doc, us, prompt);
  EXPECT_EQ(doc.codes, std::vector<std::int32_t>{0x41});
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kFileEndsEarly});
}

TEST(EscStream, WideGlyphsUseGroupsOfEightColumns) {
  // 10 columns: dot r of column c is set when c == r.
  Bytes file{0x1B, 0x26, 0x03, 0x41, 0x41, 0x0A};
  for (int c = 0; c < 10; ++c) {
    Bytes column(3, 0);
    column[c / 8] = static_cast<std::uint8_t>(0x80 >> (c % 8));
    file.insert(file.end(), column.begin(), column.end());
  }
  ScriptedPrompt prompt;
  const auto doc = ReadEsc(file, prompt);
  ASSERT_EQ(doc->characters.size(), 1u);
  const Bytes& bitmap = doc->characters[0]->bitmap;
  ASSERT_EQ(bitmap.size(), 48u);
  EXPECT_EQ(bitmap[0], 0x80);
  EXPECT_EQ(bitmap[7 * 2], 0x01);
  EXPECT_EQ(bitmap[8 * 2 + 1], 0x80);
  EXPECT_EQ(bitmap[9 * 2 + 1], 0x40);
  EXPECT_EQ(std::count(bitmap.begin(), bitmap.end(), 0), 48 - 10);
}

TEST(UsStream, HeightComesFromTheHeader) {
  // y = 20: 3 bytes per column, 20-row characters.
  Bytes file{0x1F, 0x26, 20, 0x61, 0x61, 0x02, 0xFF, 0xFF, 0xF0, 0x00, 0x00, 0x10};
  ScriptedPrompt prompt;
  CDotforgeImportDoc doc;
  ReadUsStreamFile(doc, file, prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  ASSERT_EQ(doc.characters.size(), 1u);
  EXPECT_EQ(doc.height, 20);
  EXPECT_EQ(doc.width, 2);
  const CharacterRecord& record = *doc.characters[0];
  EXPECT_EQ(record.height, 20);
  EXPECT_EQ(record.bitmap.size(), 20u);
  for (int r = 0; r < 20; ++r) EXPECT_TRUE(record.Pixel(0, r)) << r;
  for (int r = 0; r < 20; ++r) EXPECT_EQ(record.Pixel(1, r), r == 19) << r;
}

TEST(UsStream, ZeroHeightIsRefusedButEscLeadIsIgnored) {
  ScriptedPrompt prompt;
  CDotforgeImportDoc doc;
  ReadUsStreamFile(doc, Bytes{0x1F, 0x26, 0x00, 0x41, 0x41, 0x08, 0x00}, prompt);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kInvalidDataFormat});

  prompt.Clear();
  CDotforgeImportDoc other;
  ReadUsStreamFile(other, Bytes{0x1B, 0x26, 0x03, 0x41, 0x41, 0x01, 0x00, 0x00, 0x00}, prompt);
  EXPECT_TRUE(other.characters.empty());
  EXPECT_TRUE(prompt.Entries().empty());
}

}  // namespace
}  // namespace dotforge
