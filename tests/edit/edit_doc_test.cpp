#include <gtest/gtest.h>

#include "edit/edit_doc.h"
#include "edit/grid_pictures.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using test::Picture;
using test::PictureOf;

// A font set with one open editor on its character 0x41, and repaint counters
// for the views of both.
struct EditorFixture : ::testing::Test {
  EditorFixture() {
    fontSet->SetTitle("FONT.DSB");
    fontSet->characters[1]->bitmap = {0xC0, 0x40, 0x00};  // ##... / .#... / .....
    fontSet->AddUpdateListener([this] { ++fontSetRepaints; });
    editor = std::make_unique<CDotforgeEditDoc>(PendingFor(*fontSet->characters[1]));
    editor->AddUpdateListener([this] { ++editorRepaints; });
  }

  PendingEdit PendingFor(const CharacterRecord& record) {
    return PendingEdit{fontSet.get(), EditorTitle(*fontSet, record), &record.bitmap, fontSet->height, fontSet->width};
  }

  const Bytes& Bitmap() const { return fontSet->characters[1]->bitmap; }

  std::unique_ptr<CDotforgeImportDoc> fontSet = test::MakeFontSet(5, 3, {0x20, 0x41, 0x42});
  std::unique_ptr<CDotforgeEditDoc> editor;
  int fontSetRepaints = 0;
  int editorRepaints = 0;
};

TEST_F(EditorFixture, OpensWithTheCharactersGlyph) {
  EXPECT_EQ(editor->GetTitle(), "FONT.DSB : 0041");
  EXPECT_EQ(editor->Width(), 5);
  EXPECT_EQ(editor->Height(), 3);
  EXPECT_EQ(&editor->FontSet(), fontSet.get());
  EXPECT_EQ(PictureOf(editor->Grid()), (Picture{"##...", ".#...", "....."}));
  EXPECT_FALSE(editor->Modes().AnyRowOrColumnMode());
  EXPECT_TRUE(editor->Modes().pen);
  EXPECT_EQ(editor->FindCharacter(), fontSet->characters[1].get());
}

TEST_F(EditorFixture, WriteBackPacksIntoTheCharacterOfItsTitle) {
  editor->Grid().Set(4, 2, kBlackPixel);
  editor->WriteBack();
  EXPECT_EQ(Bitmap(), (Bytes{0xC0, 0x40, 0x08}));
  EXPECT_EQ(fontSet->characters[0]->bitmap, test::PatternCell(0x20, 5, 3));
  EXPECT_EQ(fontSet->characters[2]->bitmap, test::PatternCell(0x42, 5, 3));
  EXPECT_TRUE(fontSet->IsModified());
  EXPECT_EQ(fontSetRepaints, 1);
  EXPECT_EQ(editorRepaints, 1);
}

TEST_F(EditorFixture, WriteBackAfterTheCharacterWasDeletedDoesNothing) {
  fontSet->codes.erase(fontSet->codes.begin() + 1);
  fontSet->characters.erase(fontSet->characters.begin() + 1);
  editor->Grid().Set(0, 0, kWhitePixel);
  editor->WriteBack();
  EXPECT_FALSE(fontSet->IsModified());
  EXPECT_EQ(fontSetRepaints, 0);
  EXPECT_EQ(fontSet->characters[1]->bitmap, test::PatternCell(0x42, 5, 3));
  editor->ReleaseCharacter();  // finds nothing to release either
}

TEST_F(EditorFixture, ColonInTheFontSetTitleDoesNotHideTheLabel) {
  fontSet->SetTitle("a:b.DAT");
  CDotforgeEditDoc other(PendingFor(*fontSet->characters[2]));
  EXPECT_EQ(other.GetTitle(), "a:b.DAT : 0042");
  EXPECT_EQ(other.FindCharacter(), fontSet->characters[2].get());
}

TEST_F(EditorFixture, FollowsItsFontSetsNewNameAndKeepsWritingIntoItsCharacter) {
  fontSet->SetTitle("B.DAT");
  EXPECT_TRUE(editor->FollowFontSetTitle());
  EXPECT_EQ(editor->GetTitle(), "B.DAT : 0041");
  EXPECT_FALSE(editor->FollowFontSetTitle());
  // The title is only shown: the character is found through the font set and label.
  editor->SetTitle("shown elsewhere");
  editor->Grid().Set(4, 2, kBlackPixel);
  editor->WriteBack();
  EXPECT_EQ(Bitmap(), (Bytes{0xC0, 0x40, 0x08}));
  EXPECT_EQ(editor->Label(), "0041");
}

TEST_F(EditorFixture, DeleteModesDoNotWriteBackButAddModesDo) {
  editor->ToggleDeleteRow();
  editor->ToggleDeleteRow();
  editor->ToggleDeleteColumn();
  EXPECT_FALSE(fontSet->IsModified());
  EXPECT_TRUE(editor->Modes().deleteColumn);
  EXPECT_FALSE(editor->Modes().deleteRow);
  editor->ToggleAddRow();
  EXPECT_TRUE(fontSet->IsModified());
  EXPECT_TRUE(editor->Modes().addRow);
  // The modes do not clear each other.
  EXPECT_TRUE(editor->Modes().deleteColumn);
  fontSet->SetModifiedFlag(false);
  editor->ToggleAddColumn();
  EXPECT_TRUE(fontSet->IsModified());
  editor->TogglePen();
  EXPECT_FALSE(editor->Modes().pen);
}

TEST_F(EditorFixture, ShiftsAndClearWriteBack) {
  editor->ShiftArea(ShiftDirection::Right);
  EXPECT_EQ(Bitmap(), (Bytes{0x60, 0x20, 0x00}));
  editor->ShiftArea(ShiftDirection::Down);
  EXPECT_EQ(Bitmap(), (Bytes{0x00, 0x60, 0x20}));
  editor->ShiftArea(ShiftDirection::Left);
  editor->ShiftArea(ShiftDirection::Up);
  EXPECT_EQ(Bitmap(), (Bytes{0xC0, 0x40, 0x00}));
  editor->ClearEdit();
  EXPECT_EQ(Bitmap(), (Bytes{0, 0, 0}));
  EXPECT_EQ(fontSetRepaints, 5);
}

TEST_F(EditorFixture, ModeClickActsOnceAndReachesTheFontSetAtTheNextWriteBack) {
  EXPECT_FALSE(editor->ModeClick(0, 0));
  EXPECT_EQ(editorRepaints, 0);

  editor->ToggleDeleteRow();
  EXPECT_TRUE(editor->ModeClick(3, 0));
  EXPECT_EQ(PictureOf(editor->Grid()), (Picture{".#...", ".....", "....."}));
  EXPECT_FALSE(editor->Modes().deleteRow);
  EXPECT_EQ(editorRepaints, 1);
  EXPECT_EQ(Bitmap(), (Bytes{0xC0, 0x40, 0x00}));
  EXPECT_FALSE(editor->ModeClick(3, 0));  // one click only

  editor->WriteBack();  // the button release
  EXPECT_EQ(Bitmap(), (Bytes{0x40, 0x00, 0x00}));
}

TEST_F(EditorFixture, KeepsNoReferenceToTheBitmapItOpenedWith) {
  auto bitmap = std::make_unique<Bytes>(Bytes{0x80, 0x00, 0x00});
  PendingEdit pending = PendingFor(*fontSet->characters[0]);
  pending.bitmap = bitmap.get();
  CDotforgeEditDoc other(pending);
  bitmap.reset();
  other.WriteBack();
  EXPECT_EQ(fontSet->characters[0]->bitmap, (Bytes{0x80, 0x00, 0x00}));
}

TEST_F(EditorFixture, WriteBackUsesTheCharactersOwnSize) {
  // The cell grew while the editor was open: the grid packs into the new size,
  // white where it has no pixel, and is never read past its end.
  fontSet->characters[1]->width = 9;
  fontSet->characters[1]->height = 4;
  editor->WriteBack();
  EXPECT_EQ(Bitmap(), (Bytes{0xC0, 0, 0x40, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace dotforge
