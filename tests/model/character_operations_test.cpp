#include <gtest/gtest.h>

#include "framework/scripted_prompt.h"
#include "model/character_operations.h"
#include "model/model_messages.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using Texts = std::vector<std::string>;
using test::MakeFontSet;
using test::PatternCell;

// Gives every character a distinct cell, as the character table does when it draws.
void LayOutCells(CDotforgeImportDoc& doc) {
  for (std::size_t i = 0; i < doc.characters.size(); ++i) {
    const auto left = static_cast<std::int32_t>(i) * 40;
    doc.characters[i]->cellRect = Rect{left, 10, left + 30, 50};
  }
}

Rect CellOf(const CDotforgeImportDoc& doc, std::int32_t code) {
  for (std::size_t i = 0; i < doc.codes.size(); ++i) {
    if (doc.codes[i] == code) return doc.characters[i]->cellRect;
  }
  ADD_FAILURE() << "no code " << code;
  return {};
}

const CharacterRecord& CharacterOf(const CDotforgeImportDoc& doc, std::int32_t code) {
  for (std::size_t i = 0; i < doc.codes.size(); ++i) {
    if (doc.codes[i] == code) return *doc.characters[i];
  }
  throw std::runtime_error("no such code");
}

// The two lists stay parallel, sorted and labelled by their codes.
void ExpectConsistent(const CDotforgeImportDoc& doc) {
  ASSERT_EQ(doc.characters.size(), doc.codes.size());
  EXPECT_EQ(doc.characterCount, static_cast<std::int32_t>(doc.codes.size()));
  for (std::size_t i = 0; i < doc.codes.size(); ++i) {
    EXPECT_EQ(doc.characters[i]->label, FormatLabel(doc.codes[i]));
    if (i > 0) {
      EXPECT_LT(doc.codes[i - 1], doc.codes[i]);
    }
  }
}

TEST(AddCharacter, GoesBetweenItsNeighboursInBothLists) {
  auto doc = MakeFontSet(12, 4, {0x41, 0x60});
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("50");
  AddCharacter(*doc, prompt);
  EXPECT_EQ(doc->codes, (std::vector<std::int32_t>{0x41, 0x50, 0x60}));
  const CharacterRecord& added = *doc->characters[1];
  EXPECT_EQ(added.label, "0050");
  EXPECT_EQ(added.bitmap, Bytes(8, 0));
  EXPECT_EQ(added.width, 12);
  EXPECT_EQ(added.height, 4);
  EXPECT_EQ(added.editorOpen, 0);
  EXPECT_EQ(doc->characters[2]->bitmap, PatternCell(0x60, 12, 4));
  EXPECT_TRUE(doc->IsModified());
  ExpectConsistent(*doc);
}

TEST(AddCharacter, GoesToTheFrontOrTheEnd) {
  auto doc = MakeFontSet(8, 1, {0x41, 0x60});
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("7E");
  prompt.QueueCodeEntry("0020");
  AddCharacter(*doc, prompt);
  AddCharacter(*doc, prompt);
  EXPECT_EQ(doc->codes, (std::vector<std::int32_t>{0x20, 0x41, 0x60, 0x7E}));
  ExpectConsistent(*doc);
}

TEST(AddCharacter, FullSingleByteSetRefusesWithoutTheDialog) {
  auto doc = MakeFontSet(8, 1, test::CodeRange(0x20, 0xFF));
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("41");
  AddCharacter(*doc, prompt);
  EXPECT_EQ(prompt.Texts(), Texts{msg::kSingleByteSetFull});
  EXPECT_EQ(doc->codes.size(), 224u);
  EXPECT_FALSE(doc->IsModified());
}

TEST(AddCharacter, FullDoubleByteSetRefuses) {
  auto doc = MakeFontSet(8, 1, {0x8140}, kDoubleByteFont);
  doc->characterCount = 0xFFFF;
  ScriptedPrompt prompt;
  AddCharacter(*doc, prompt);
  EXPECT_EQ(prompt.Texts(), Texts{msg::kDoubleByteSetFull});
  EXPECT_EQ(doc->codes.size(), 1u);
}

TEST(AddCharacter, UnknownTypeHasNoLimitButOtherTypesTakeNothing) {
  auto unknown = MakeFontSet(8, 1, {}, -1);
  unknown->characterCount = 100000;
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("8140");
  AddCharacter(*unknown, prompt);
  EXPECT_EQ(unknown->codes, std::vector<std::int32_t>{0x8140});

  auto odd = MakeFontSet(8, 1, {}, 5);
  prompt.Clear();
  prompt.QueueCodeEntry("41");
  AddCharacter(*odd, prompt);
  EXPECT_TRUE(odd->codes.empty());
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(AddCharacter, ExistingCodeIsRefused) {
  auto doc = MakeFontSet(8, 1, {0x41});
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("0041");
  AddCharacter(*doc, prompt);
  EXPECT_EQ(prompt.Texts(), (Texts{"Character Position", msg::kCharacterAlreadyMapped}));
  EXPECT_EQ(doc->codes.size(), 1u);
  EXPECT_FALSE(doc->IsModified());
}

TEST(AddCharacter, CancelChangesNothing) {
  auto doc = MakeFontSet(8, 1, {0x41});
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry(std::nullopt);
  AddCharacter(*doc, prompt);
  EXPECT_EQ(doc->codes.size(), 1u);
  EXPECT_FALSE(doc->IsModified());
}

TEST(DeleteCharacter, RemovesTheCharacterOfTheCell) {
  auto doc = MakeFontSet(8, 2, {0x41, 0x42, 0x43});
  LayOutCells(*doc);
  DeleteCharacter(*doc, CellOf(*doc, 0x42));
  EXPECT_EQ(doc->codes, (std::vector<std::int32_t>{0x41, 0x43}));
  EXPECT_EQ(doc->characters[1]->bitmap, PatternCell(0x43, 8, 2));
  EXPECT_TRUE(doc->IsModified());
  ExpectConsistent(*doc);
}

TEST(DeleteCharacter, OnlyCharacterLeavesAnEmptySet) {
  auto doc = MakeFontSet(8, 2, {0x41});
  LayOutCells(*doc);
  doc->selected = doc->characters[0].get();
  DeleteCharacter(*doc, CellOf(*doc, 0x41));
  EXPECT_TRUE(doc->characters.empty());
  EXPECT_TRUE(doc->codes.empty());
  EXPECT_EQ(doc->characterCount, 0);
  EXPECT_EQ(doc->selected, nullptr);
}

TEST(DeleteCharacter, UnknownCellChangesNothing) {
  auto doc = MakeFontSet(8, 2, {0x41});
  LayOutCells(*doc);
  DeleteCharacter(*doc, Rect{1, 2, 3, 4});
  EXPECT_EQ(doc->codes.size(), 1u);
  EXPECT_FALSE(doc->IsModified());
}

TEST(DeleteCharacter, SelectionMovesOffTheDeletedCharacter) {
  auto doc = MakeFontSet(8, 2, {0x41, 0x42, 0x43});
  LayOutCells(*doc);
  doc->selected = doc->characters[1].get();
  DeleteCharacter(*doc, CellOf(*doc, 0x42));
  EXPECT_EQ(doc->selected, doc->characters[1].get());  // the one that followed: 0x43
  DeleteCharacter(*doc, CellOf(*doc, 0x43));
  EXPECT_EQ(doc->selected, doc->characters[0].get());  // it was last: now the last one
  // Deleting another character keeps the selection where it is.
  doc->AppendCharacter(0x50, 8, 2);
  doc->characterCount = 2;
  LayOutCells(*doc);
  DeleteCharacter(*doc, CellOf(*doc, 0x50));
  EXPECT_EQ(doc->selected, doc->characters[0].get());
}

TEST(CopyCharacter, TakesASnapshotThatOutlivesTheRecord) {
  auto doc = MakeFontSet(12, 3, {0x41, 0x42});
  LayOutCells(*doc);
  std::optional<CopiedCharacter> copied;
  CopyCharacter(*doc, CellOf(*doc, 0x42), copied);
  ASSERT_TRUE(copied.has_value());
  EXPECT_EQ(copied->width, 12);
  EXPECT_EQ(copied->height, 3);
  EXPECT_EQ(copied->bitmap, PatternCell(0x42, 12, 3));
  EXPECT_FALSE(doc->IsModified());

  DeleteCharacter(*doc, CellOf(*doc, 0x42));
  doc->selected = doc->characters[0].get();
  ScriptedPrompt prompt;
  PasteCharacter(*doc, copied, prompt);
  EXPECT_EQ(doc->characters[0]->bitmap, PatternCell(0x42, 12, 3));
}

TEST(CopyCharacter, EmptyOrUnknownCellKeepsTheSlot) {
  auto doc = MakeFontSet(8, 1, {0x41});
  LayOutCells(*doc);
  std::optional<CopiedCharacter> copied;
  CopyCharacter(*doc, Rect{}, copied);
  CopyCharacter(*doc, Rect{500, 500, 510, 510}, copied);
  EXPECT_FALSE(copied.has_value());
  CopyCharacter(*doc, CellOf(*doc, 0x41), copied);
  CopyCharacter(*doc, Rect{500, 500, 510, 510}, copied);
  ASSERT_TRUE(copied.has_value());
  EXPECT_EQ(copied->bitmap, PatternCell(0x41, 8, 1));
}

CopiedCharacter Copied(std::int32_t width, std::int32_t height, std::uint8_t fill) {
  return CopiedCharacter{width, height, Bytes(CellSize(width, height), fill)};
}

TEST(PasteCharacter, NothingCopiedDoesNothing) {
  auto doc = MakeFontSet(8, 1, {0x41});
  doc->selected = doc->characters[0].get();
  ScriptedPrompt prompt;
  PasteCharacter(*doc, std::nullopt, prompt);
  EXPECT_EQ(doc->characters[0]->bitmap, PatternCell(0x41, 8, 1));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(PasteCharacter, ShorterSourceOfEqualRowWidthKeepsTheLowerRows) {
  auto doc = MakeFontSet(16, 24, {0x41});
  doc->selected = doc->characters[0].get();
  ScriptedPrompt prompt;
  PasteCharacter(*doc, Copied(16, 16, 0xAA), prompt);
  const Bytes old = PatternCell(0x41, 16, 24);
  Bytes expected(32, 0xAA);
  expected.insert(expected.end(), old.begin() + 32, old.end());
  EXPECT_EQ(doc->characters[0]->bitmap, expected);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->selected, doc->characters[0].get());
}

TEST(PasteCharacter, TallerSourceIsCutAtTheCellHeight) {
  auto doc = MakeFontSet(8, 2, {0x41});
  doc->selected = doc->characters[0].get();
  ScriptedPrompt prompt;
  PasteCharacter(*doc, CopiedCharacter{8, 4, {1, 2, 3, 4}}, prompt);
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{1, 2}));
}

TEST(PasteCharacter, NarrowerRowsClearTheTargetFirst) {
  auto doc = MakeFontSet(20, 3, {0x41});
  doc->selected = doc->characters[0].get();
  ScriptedPrompt prompt;
  PasteCharacter(*doc, CopiedCharacter{12, 2, {1, 2, 3, 4}}, prompt);
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{1, 2, 0, 3, 4, 0, 0, 0, 0}));
}

TEST(PasteCharacter, WiderRowsCopyTheirFirstBytes) {
  auto doc = MakeFontSet(12, 3, {0x41});
  doc->selected = doc->characters[0].get();
  ScriptedPrompt prompt;
  PasteCharacter(*doc, CopiedCharacter{20, 2, {1, 2, 3, 4, 5, 6}}, prompt);
  const Bytes old = PatternCell(0x41, 12, 3);
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{1, 2, 4, 5, old[4], old[5]}));
}

TEST(PasteCharacter, DamagedSourceIsNeverOverread) {
  auto doc = MakeFontSet(16, 4, {0x41});
  doc->selected = doc->characters[0].get();
  ScriptedPrompt prompt;
  PasteCharacter(*doc, CopiedCharacter{16, 4, {7, 7, 7}}, prompt);
  const Bytes old = PatternCell(0x41, 16, 4);
  Bytes expected = old;
  expected[0] = expected[1] = expected[2] = 7;
  EXPECT_EQ(doc->characters[0]->bitmap, expected);
}

TEST(PasteCharacter, WithoutSelectionAsksForANewCode) {
  auto doc = MakeFontSet(8, 2, {0x41});
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("0042");
  PasteCharacter(*doc, Copied(8, 2, 0x3C), prompt);
  EXPECT_EQ(doc->codes, (std::vector<std::int32_t>{0x41, 0x42}));
  EXPECT_EQ(CharacterOf(*doc, 0x42).bitmap, (Bytes{0x3C, 0x3C}));
  EXPECT_EQ(doc->selected, nullptr);
  ExpectConsistent(*doc);
}

TEST(PasteCharacter, WithoutSelectionRefusesAnExistingCode) {
  auto doc = MakeFontSet(8, 2, {0x41});
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("41");
  PasteCharacter(*doc, Copied(8, 2, 0x3C), prompt);
  EXPECT_EQ(prompt.Texts(), (Texts{"Character Position", msg::kCharacterAlreadyMapped}));
  EXPECT_EQ(doc->characters[0]->bitmap, PatternCell(0x41, 8, 2));
  EXPECT_FALSE(doc->IsModified());
}

TEST(MapCharacter, MovesTheGlyphToItsNewPlace) {
  std::vector<std::int32_t> codes = test::CodeRange(0x20, 0x7E);
  std::erase(codes, 0x7A);
  auto doc = MakeFontSet(12, 3, codes);
  LayOutCells(*doc);
  doc->selected = &const_cast<CharacterRecord&>(CharacterOf(*doc, 0x41));
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("7A");
  MapCharacter(*doc, CellOf(*doc, 0x41), prompt);

  EXPECT_EQ(std::count(doc->codes.begin(), doc->codes.end(), 0x41), 0);
  const auto at = std::find(doc->codes.begin(), doc->codes.end(), 0x7A) - doc->codes.begin();
  EXPECT_EQ(doc->codes[at - 1], 0x79);
  EXPECT_EQ(doc->codes[at + 1], 0x7B);
  EXPECT_EQ(doc->characters[at]->bitmap, PatternCell(0x41, 12, 3));
  EXPECT_EQ(doc->characterCount, static_cast<std::int32_t>(codes.size()));
  EXPECT_EQ(doc->selected, doc->characters[at].get());
  EXPECT_TRUE(doc->IsModified());
  ExpectConsistent(*doc);
}

TEST(MapCharacter, ExistingCodeIsRefused) {
  auto doc = MakeFontSet(8, 1, {0x41, 0x42});
  LayOutCells(*doc);
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("42");
  MapCharacter(*doc, CellOf(*doc, 0x41), prompt);
  EXPECT_EQ(prompt.Texts(), (Texts{"Character Position", msg::kCharacterIsAlreadyMapped}));
  EXPECT_EQ(doc->codes, (std::vector<std::int32_t>{0x41, 0x42}));
  EXPECT_FALSE(doc->IsModified());
}

TEST(MapCharacter, CancelOrUnknownCellChangesNothing) {
  auto doc = MakeFontSet(8, 1, {0x41});
  LayOutCells(*doc);
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry(std::nullopt);
  MapCharacter(*doc, CellOf(*doc, 0x41), prompt);
  prompt.QueueCodeEntry("50");
  MapCharacter(*doc, Rect{900, 0, 910, 10}, prompt);
  EXPECT_EQ(doc->codes, std::vector<std::int32_t>{0x41});
  EXPECT_FALSE(doc->IsModified());
}

}  // namespace
}  // namespace dotforge
