#include <gtest/gtest.h>

#include <sys/stat.h>

#include "framework/scripted_prompt.h"
#include "model/download_file.h"
#include "model/model_messages.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using test::CodeRange;
using test::MakeFontSet;
using test::PatternCell;

Bytes EncodeDsb(const CDotforgeImportDoc& doc) {
  ScriptedPrompt prompt;
  const std::optional<Bytes> file = EncodeDsbFile(doc, DownloadFontName("LOGO.DSB"), prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  return file.value_or(Bytes{});
}

Bytes EncodeDdb(const CDotforgeImportDoc& doc) {
  ScriptedPrompt prompt;
  const std::optional<Bytes> file = EncodeDdbFile(doc, DownloadFontName("KANJI.DDB"), prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  return file.value_or(Bytes{});
}

TEST(DownloadFontName, CutAtTheDotAndSpacePadded) {
  EXPECT_EQ(DownloadFontName("LOGO.DSB"), "LOGO    ");
  EXPECT_EQ(DownloadFontName("ABCDEFGH.DSB"), "ABCDEFGH");
  EXPECT_EQ(DownloadFontName("A.B.C"), "A       ");
  EXPECT_EQ(DownloadFontName(""), "        ");
}

TEST(DsbFile, OnlyOneCharacterFillsTheOther223Cells) {
  auto doc = MakeFontSet(8, 2, {0x41});
  doc->fontId = '2';
  const Bytes file = EncodeDsb(*doc);
  ASSERT_EQ(file.size(), 13u + 224 * 2);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 13), std::string("\x1CLLOGO    2\x08\x02"));
  const std::size_t cellOf41 = 13 + 0x21 * 2;
  EXPECT_TRUE(std::all_of(file.begin() + 13, file.begin() + cellOf41, [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(Bytes(file.begin() + cellOf41, file.begin() + cellOf41 + 2), PatternCell(0x41, 8, 2));
  EXPECT_TRUE(std::all_of(file.begin() + cellOf41 + 2, file.end(), [](std::uint8_t b) { return b == 0; }));

  ScriptedPrompt prompt;
  CDotforgeImportDoc back;
  ReadDsbFile(back, file, prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_EQ(back.characters.size(), 224u);
  EXPECT_EQ(back.codes, CodeRange(0x20, 0xFF));
  EXPECT_EQ(back.characters[0x21]->bitmap, PatternCell(0x41, 8, 2));
  EXPECT_EQ(back.characterCount, 224);
  EXPECT_EQ(back.fontId, '2');
  EXPECT_EQ(back.fontType, kSingleByteFont);
}

TEST(DsbFile, CodesWithoutACellAreSkipped) {
  // Below 0x20 and from 0x100 up: none of them may shift the cells.
  auto doc = MakeFontSet(8, 1, {0x10, 0x41, 0x30, 0x42, 0x100, 0x8140});
  const Bytes file = EncodeDsb(*doc);
  ASSERT_EQ(file.size(), 13u + 224);
  EXPECT_EQ(file[13 + 0x41 - 0x20], PatternCell(0x41, 8, 1)[0]);
  EXPECT_EQ(file[13 + 0x42 - 0x20], PatternCell(0x42, 8, 1)[0]);
  EXPECT_EQ(file[13 + 0x30 - 0x20], PatternCell(0x30, 8, 1)[0]);
  EXPECT_EQ(std::count(file.begin() + 13, file.end(), 0), 221);
}

// A font set read from a stream file or a DAT range table holds its codes in the
// order of the file: each character still goes to the cell of its code.
TEST(DsbFile, CodesInFileOrderEachFillTheirOwnCell) {
  auto doc = MakeFontSet(12, 3, {0x42, 0x41, 0xFF, 0x20, 0x7E});
  const Bytes file = EncodeDsb(*doc);
  ASSERT_EQ(file.size(), 13u + 224 * 6);
  ScriptedPrompt prompt;
  CDotforgeImportDoc back;
  ReadDsbFile(back, file, prompt);
  ASSERT_EQ(back.characters.size(), 224u);
  for (const std::int32_t code : {0x20, 0x41, 0x42, 0x7E, 0xFF}) {
    EXPECT_EQ(back.characters[static_cast<std::size_t>(code - 0x20)]->bitmap, PatternCell(code, 12, 3)) << code;
  }
  EXPECT_EQ(back.characters[0x43 - 0x20]->bitmap, Bytes(6, 0));
}

TEST(DsbFile, OfTwoCharactersWithOneCodeTheFirstIsKeptAndNamed) {
  auto doc = MakeFontSet(8, 1, {0x41, 0x41, 0x41, 0x30, 0x30});
  doc->characters[1]->bitmap = {0xAA};
  doc->characters[2]->bitmap = {0x55};
  ScriptedPrompt prompt;
  const std::optional<Bytes> file = EncodeDsbFile(*doc, "LOGO    ", prompt);
  ASSERT_TRUE(file);
  EXPECT_EQ((*file)[13 + 0x41 - 0x20], PatternCell(0x41, 8, 1)[0]);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{std::string(msg::kDuplicateCodes) + "0x0030, 0x0041"});
}

TEST(DsbFile, TruncatedFileKeepsCompleteCells) {
  const Bytes file = EncodeDsb(*MakeFontSet(8, 2, CodeRange(0x20, 0xFF)));
  ScriptedPrompt prompt;
  CDotforgeImportDoc doc;
  ReadDsbFile(doc, Bytes(file.begin(), file.begin() + 13 + 5), prompt);
  EXPECT_EQ(doc.characters.size(), 2u);
  EXPECT_EQ(doc.characterCount, 2);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kFileEndsEarly});

  prompt.Clear();
  CDotforgeImportDoc empty;
  ReadDsbFile(empty, Bytes(file.begin(), file.begin() + 12), prompt);
  EXPECT_TRUE(empty.characters.empty());
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kFileEndsEarly});
}

TEST(DsbFile, ZeroOrNegativeCellIsRefused) {
  for (const std::uint8_t bad : {0x00, 0x80, 0xFF}) {
    Bytes file(13 + 224, 0);
    file[11] = bad;
    file[12] = 8;
    ScriptedPrompt prompt;
    CDotforgeImportDoc doc;
    ReadDsbFile(doc, file, prompt);
    EXPECT_TRUE(doc.characters.empty());
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kWidthHeightZero});
  }
}

TEST(DdbFile, RunsOfCodesBecomeBlocks) {
  const auto doc = MakeFontSet(8, 1, {0x8140, 0x8141, 0x8142, 0x8150}, kDoubleByteFont);
  const Bytes file = EncodeDdb(*doc);
  ASSERT_EQ(file.size(), 17u + 3 + 17 + 1 + 10);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 13), std::string("\x1C" "DKANJI   4\x08\x01"));
  EXPECT_EQ(GetU16LE(file, 13), 0x8140);
  EXPECT_EQ(GetU16LE(file, 15), 3);
  EXPECT_EQ(GetU16LE(file, 20 + 13), 0x8150);
  EXPECT_EQ(GetU16LE(file, 20 + 15), 1);
  EXPECT_EQ(std::string(file.end() - 10, file.end()), "\x1C" "EKANJI   ");

  ScriptedPrompt prompt;
  CDotforgeImportDoc back;
  ReadDdbFile(back, file, prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_EQ(back.codes, doc->codes);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(back.characters[i]->bitmap, doc->characters[i]->bitmap);
  EXPECT_EQ(back.characterCount, 4);
  EXPECT_EQ(back.fontType, kDoubleByteFont);
  EXPECT_EQ(back.fontId, '4');
}

TEST(DdbFile, BlocksHoldAtMost224Characters) {
  const Bytes file = EncodeDdb(*MakeFontSet(8, 1, CodeRange(0x100, 0x100 + 449), kDoubleByteFont));
  EXPECT_EQ(GetU16LE(file, 15), 224);
  EXPECT_EQ(GetU16LE(file, 17 + 224 + 13), 0x100 + 224);
  EXPECT_EQ(GetU16LE(file, 17 + 224 + 15), 224);
  EXPECT_EQ(GetU16LE(file, 2 * (17 + 224) + 15), 2);
}

TEST(DdbFile, BlocksOfOtherSizesKeepTheirOwnSize) {
  const Bytes small = EncodeDdb(*MakeFontSet(8, 2, {0x8140}, kDoubleByteFont));
  const Bytes large = EncodeDdb(*MakeFontSet(16, 3, {0x9000}, kDoubleByteFont));
  Bytes file(small.begin(), small.end() - 10);
  file.insert(file.end(), large.begin(), large.end());
  ScriptedPrompt prompt;
  CDotforgeImportDoc doc;
  ReadDdbFile(doc, file, prompt);
  ASSERT_EQ(doc.characters.size(), 2u);
  EXPECT_EQ(doc.characters[0]->width, 8);
  EXPECT_EQ(doc.characters[0]->bitmap.size(), 2u);
  EXPECT_EQ(doc.characters[1]->width, 16);
  EXPECT_EQ(doc.characters[1]->bitmap, PatternCell(0x9000, 16, 3));
  EXPECT_EQ(doc.width, 16);
  EXPECT_EQ(doc.height, 3);

  // Writing the mixed set fits every record to the font set's cell.
  const Bytes written = EncodeDdb(doc);
  EXPECT_EQ(written.size(), 2 * (17u + 6) + 10);
}

TEST(DdbFile, TruncatedFileKeepsCompleteCharacters) {
  const Bytes file = EncodeDdb(*MakeFontSet(8, 4, CodeRange(0x8140, 0x8149), kDoubleByteFont));
  for (const std::size_t cut : {std::size_t{12}, std::size_t{17 + 4 * 3 + 2}, file.size() - 10 - 1}) {
    ScriptedPrompt prompt;
    CDotforgeImportDoc doc;
    ReadDdbFile(doc, Bytes(file.begin(), file.begin() + cut), prompt);
    const std::size_t complete = cut < 17 ? 0 : (cut - 17) / 4;
    EXPECT_EQ(doc.characters.size(), complete) << cut;
    EXPECT_EQ(doc.characterCount, static_cast<std::int32_t>(complete));
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kFileEndsEarly}) << cut;
  }
}

TEST(DdbFile, CodesBeyond16BitsAreRefusedNotCut) {
  // Code 0x10000 read as four digits would be 0x1000, a second character 0x1000.
  auto doc = MakeFontSet(8, 1, {0x1000, 0xFFFF, 0x10000}, kDoubleByteFont);
  ScriptedPrompt prompt;
  EXPECT_FALSE(EncodeDdbFile(*doc, "KANJI   ", prompt));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{std::string(msg::kCodeAbove0xFFFF) + "10000"});
}

TEST(DownloadFiles, WritersRefuseCellsTheyCannotStore) {
  ScriptedPrompt prompt;
  EXPECT_FALSE(EncodeDsbFile(*MakeFontSet(200, 8, {0x41}), "X", prompt));
  EXPECT_FALSE(EncodeDdbFile(*MakeFontSet(8, 128, {0x41}, 1), "X", prompt));
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{msg::kCellTooLarge, msg::kCellTooLarge}));
}

TEST(DownloadFiles, SaveUsesTheFileNameAsFontName) {
  test::TempDir dir;
  ScriptedPrompt prompt;
  auto doc = MakeFontSet(8, 1, {0x41});
  int repaints = 0;
  doc->AddUpdateListener([&] { ++repaints; });
  ASSERT_TRUE(WriteDsbFile(*doc, dir / "small.dsb", prompt));
  EXPECT_EQ(repaints, 1);
  const Bytes file = test::ReadBytes(dir / "small.dsb");
  ASSERT_EQ(file.size(), 13u + 224);
  EXPECT_EQ(std::string(file.begin() + 2, file.begin() + 10), "small   ");
}

TEST(DownloadFiles, ReadOnlyTargetIsRefusedAndKept) {
  test::TempDir dir;
  const auto path = dir / "LOGO.DSB";
  test::WriteBytes(path, Bytes{1, 2, 3});
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  ScriptedPrompt prompt;
  auto doc = MakeFontSet(8, 1, {0x41});
  int repaints = 0;
  doc->AddUpdateListener([&] { ++repaints; });
  EXPECT_FALSE(WriteDsbFile(*doc, path, prompt));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kUnableToOpenFile});
  EXPECT_EQ(test::ReadBytes(path), (Bytes{1, 2, 3}));
  EXPECT_EQ(repaints, 0);
}

}  // namespace
}  // namespace dotforge
