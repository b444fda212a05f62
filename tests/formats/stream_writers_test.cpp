#include <gtest/gtest.h>

#include "formats/formats_messages.h"
#include "formats/streams/stream_writers.h"
#include "framework/scripted_prompt.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

constexpr std::size_t kAll = static_cast<std::size_t>(-1);

TEST(StreamWriters, EscRecordHasThreeBytesPerColumnWhateverTheHeight) {
  // 9 x 16: pixel (0, 0), (8, 15) and (1, 8) set.
  auto doc = test::MakeFontSet(9, 16, {0x41});
  Bytes& cell = doc->characters[0]->bitmap;
  std::fill(cell.begin(), cell.end(), 0);
  doc->characters[0]->SetPixel(0, 0, true);
  doc->characters[0]->SetPixel(8, 15, true);
  doc->characters[0]->SetPixel(1, 8, true);
  ScriptedPrompt prompt;
  bool warn = true;
  Bytes expected{0x1B, 0x26, 0x03, 0x41, 0x41, 9};
  Bytes columns(9 * 3, 0);
  columns[0] = 0x80;      // column 0, rows 0..7
  columns[3 + 1] = 0x80;  // column 1, rows 8..15
  columns[8 * 3 + 1] = 0x01;
  expected.insert(expected.end(), columns.begin(), columns.end());
  EXPECT_EQ(EncodeStream1B26File(*doc, kAll, warn, prompt), expected);
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(StreamWriters, UsRecordColumnsFollowTheHeight) {
  // Height 9: two bytes per column, the second holding row 8 in bit 7.
  auto doc = test::MakeFontSet(2, 9, {0x30});
  Bytes& cell = doc->characters[0]->bitmap;
  std::fill(cell.begin(), cell.end(), 0);
  doc->characters[0]->SetPixel(1, 8, true);
  doc->characters[0]->SetPixel(0, 1, true);
  ScriptedPrompt prompt;
  bool warn = true;
  EXPECT_EQ(EncodeStream1F26File(*doc, kAll, warn, prompt), (Bytes{0x1F, 0x26, 9, 0x30, 0x30, 2, 0x40, 0x00, 0x00, 0x80}));
}

TEST(StreamWriters, CodesAboveFFAreSkippedWithOneWarning) {
  const auto doc = test::MakeFontSet(8, 8, {0x41, 0x8140, 0x8141}, kDoubleByteFont);
  ScriptedPrompt prompt;
  bool warn = true;
  const Bytes first = EncodeStream1B26File(*doc, kAll, warn, prompt);
  EXPECT_EQ(first.size(), 6u + 8 * 3);
  EXPECT_FALSE(warn);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kCodesAbove0xFF});
  EncodeStream1B26File(*doc, kAll, warn, prompt);
  EXPECT_EQ(prompt.Texts().size(), 1u);

  bool usWarn = true;
  EXPECT_EQ(EncodeStream1F26File(*doc, kAll, usWarn, prompt).size(), 6u + 8);
  EXPECT_EQ(prompt.Texts().size(), 2u);
}

TEST(StreamWriters, OnlyTheFirstCharactersWhenLimited) {
  const auto doc = test::MakeFontSet(8, 8, test::CodeRange(0x20, 0x2F));
  ScriptedPrompt prompt;
  bool warn = true;
  const Bytes file = EncodeStream1F26File(*doc, 3, warn, prompt);
  ASSERT_EQ(file.size(), 3u * (6 + 8));
  EXPECT_EQ(file[2 * 14 + 3], 0x22);
  EXPECT_TRUE(EncodeStream1F26File(*test::MakeFontSet(8, 8, {}), kAll, warn, prompt).empty());
}

TEST(StreamWriters, RowsToColumnsReadsNothingBeyondTheCell) {
  // Height 3 in 8-row groups: rows 3..7 read as 0 even with every bit set.
  const Bytes cell{0xFF, 0xFF, 0xFF};
  Bytes out;
  RowsToColumns(cell, 8, 3, 2, out);
  EXPECT_EQ(out, Bytes({0xE0, 0, 0xE0, 0, 0xE0, 0, 0xE0, 0, 0xE0, 0, 0xE0, 0, 0xE0, 0, 0xE0, 0}));
}

}  // namespace
}  // namespace dotforge
