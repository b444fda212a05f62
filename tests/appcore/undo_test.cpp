#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "appcore/application_core.h"
#include "edit/edit_messages.h"
#include "edit/font_transform.h"
#include "framework/scripted_prompt.h"
#include "model/character_operations.h"
#include "model/model_messages.h"
#include "model/native_file.h"
#include "model/open_font_set.h"
#include "model/side_format.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

// Everything a font set holds: its DAT encoding plus what the file does not keep
// (each record's size and label, the count, the id, the cell).
struct SetState {
  Bytes dat;
  std::string fields;
  bool operator==(const SetState&) const = default;
};

SetState StateOf(const CDotforgeImportDoc& doc) {
  ScriptedPrompt quiet;
  SetState state{EncodeNativeFile(doc, quiet).value_or(Bytes{}), {}};
  state.fields = std::to_string(doc.characterCount) + " " + std::to_string(doc.width) + "x" +
                 std::to_string(doc.height) + " id " + std::to_string(doc.fontId) + ":";
  for (const auto& record : doc.characters) {
    state.fields += " " + record->label + "/" + std::to_string(record->width) + "x" + std::to_string(record->height);
  }
  return state;
}

void LayOutCells(CDotforgeImportDoc& doc) {
  for (std::size_t i = 0; i < doc.characters.size(); ++i) {
    const auto left = static_cast<std::int32_t>(i) * 40;
    doc.characters[i]->cellRect = Rect{left, 10, left + 30, 50};
  }
}

std::size_t IndexOfCode(const CDotforgeImportDoc& doc, std::int32_t code) {
  for (std::size_t i = 0; i < doc.codes.size(); ++i) {
    if (doc.codes[i] == code) return i;
  }
  ADD_FAILURE() << "no code " << code;
  return 0;
}

struct UndoTest : ::testing::Test {
  UndoTest() {
    auto set = test::MakeFontSet(12, 12, {0x41, 0x42, 0x43, 0x44});
    set->SetTitle("FONT.DAT");
    fontSet = &core.AddFontSet(std::move(set));
    LayOutCells(*fontSet);
  }

  CDotforgeEditDoc& Edit(std::int32_t code) {
    core.EditCharacter(*fontSet, *fontSet->characters[IndexOfCode(*fontSet, code)]);
    return *core.FindEditor(*fontSet, FormatLabel(code));
  }

  CDotforgeEditDoc& EditAt(std::size_t index) { return Edit(fontSet->codes[index]); }

  // A stroke: a few pixels flipped between press and release.
  static void Stroke(CDotforgeEditDoc& editor, std::int32_t column, std::int32_t row) {
    PixelGrid& grid = editor.Grid();
    for (std::int32_t i = 0; i < 3 && column + i < grid.Width(); ++i) {
      grid.Set(column + i, row, grid.At(column + i, row) == kBlackPixel ? kWhitePixel : kBlackPixel);
    }
    editor.WriteBack();
  }

  void AnswerSaveAs(const std::string& name) {
    prompt.QueueExportDialog(ExportDialogAnswer{(dir / name).string(), kFormatDat + 1, 0, '0', {}, {}});
  }

  // After an undo or redo every open editor of the set shows its character.
  void ExpectEditorsShowTheirCharacters() {
    for (const auto& editor : core.Editors()) {
      const CharacterRecord* record = editor->FindCharacter();
      ASSERT_NE(record, nullptr);
      EXPECT_EQ(record->editorOpen, 1);
      PixelGrid stored;
      UnpackBitmap(record->bitmap, record->width, record->height, stored);
      EXPECT_EQ(editor->Grid().Pixels(), stored.Pixels()) << editor->GetTitle();
    }
  }

  ScriptedPrompt prompt;
  ApplicationCore core{prompt};
  CDotforgeImportDoc* fontSet = nullptr;
  test::TempDir dir;
};

struct Operation {
  const char* name;  // the step name it must give
  std::function<void(UndoTest&)> run;
};

// Every operation that changes the set: its undo gives back the set byte for
// byte, its redo the changed set, again and again.
TEST_F(UndoTest, EveryOperationIsUndoneAndRedoneExactly) {
  const std::vector<Operation> operations = {
      {msg::kStepAddCharacter,
       [](UndoTest& t) {
         t.prompt.QueueCodeEntry("50");
         AddCharacter(*t.fontSet, t.prompt);
       }},
      {msg::kStepDeleteCharacter,
       [](UndoTest& t) { DeleteCharacter(*t.fontSet, t.fontSet->characters[1]->cellRect); }},
      {msg::kStepPasteCharacter,
       [](UndoTest& t) {
         CopyCharacter(*t.fontSet, t.fontSet->characters[0]->cellRect, t.core.Values().copiedCharacter);
         t.fontSet->selected = t.fontSet->characters[2].get();
         PasteCharacter(*t.fontSet, t.core.Values().copiedCharacter, t.prompt);
       }},
      {msg::kStepPasteCharacter,
       [](UndoTest& t) {
         CopyCharacter(*t.fontSet, t.fontSet->characters[1]->cellRect, t.core.Values().copiedCharacter);
         t.fontSet->selected = nullptr;
         t.prompt.QueueCodeEntry("30");
         PasteCharacter(*t.fontSet, t.core.Values().copiedCharacter, t.prompt);
       }},
      {msg::kStepCharacterPosition,
       [](UndoTest& t) {
         t.prompt.QueueCodeEntry("7E");
         MapCharacter(*t.fontSet, t.fontSet->characters[1]->cellRect, t.prompt);
       }},
      {msg::kStepFontProperties,
       [](UndoTest& t) {
         t.prompt.QueueFontProperties(ScriptedPrompt::FontPropertiesEdit{.fontId = "50"});
         t.core.FontProperties(*t.fontSet);
       }},
      {msg::kStepFontProperties,
       [](UndoTest& t) {
         t.prompt.QueueFontProperties(ScriptedPrompt::FontPropertiesEdit{.width = 7, .height = 20, .fontId = "49"});
         t.core.FontProperties(*t.fontSet);
       }},
      {msg::kStepShiftFont, [](UndoTest& t) { ShiftFontSet(*t.fontSet, ShiftDirection::Left); }},
      {msg::kStepRotateFont, [](UndoTest& t) { t.core.RotateFont(*t.fontSet); }},
      {msg::kStepStroke, [](UndoTest& t) { Stroke(t.EditAt(1), 2, 5); }},
      {msg::kStepShift, [](UndoTest& t) { t.EditAt(2).ShiftArea(ShiftDirection::Down); }},
      {msg::kStepClearEdit, [](UndoTest& t) { t.EditAt(0).ClearEdit(); }},
      {msg::kStepAddRow,
       [](UndoTest& t) {
         CDotforgeEditDoc& editor = t.EditAt(1);
         editor.ToggleAddRow();
         editor.ModeClick(3, 4);
         editor.WriteBack();
       }},
      {msg::kStepRowsAndColumns,
       [](UndoTest& t) {
         CDotforgeEditDoc& editor = t.EditAt(4);
         editor.ToggleDeleteRow();
         editor.ToggleDeleteColumn();
         editor.ModeClick(1, 1);
         editor.WriteBack();
       }},
  };
  for (const Operation& operation : operations) {
    SCOPED_TRACE(operation.name);
    const SetState before = StateOf(*fontSet);
    const std::size_t steps = fontSet->history.UndoCount();
    operation.run(*this);
    LayOutCells(*fontSet);
    const SetState after = StateOf(*fontSet);
    ASSERT_NE(after, before);
    ASSERT_EQ(fontSet->history.UndoCount(), steps + 1);
    EXPECT_EQ(fontSet->history.UndoName(), operation.name);

    for (int round = 0; round < 2; ++round) {
      ASSERT_TRUE(core.Undo(*fontSet));
      LayOutCells(*fontSet);
      EXPECT_EQ(StateOf(*fontSet), before);
      EXPECT_EQ(fontSet->history.RedoName(), operation.name);
      ExpectEditorsShowTheirCharacters();
      ASSERT_TRUE(core.Redo(*fontSet));
      LayOutCells(*fontSet);
      EXPECT_EQ(StateOf(*fontSet), after);
      ExpectEditorsShowTheirCharacters();
    }
    EXPECT_NE(fontSet->selected, nullptr);
  }
  // All the way back: the set as it was opened, and not modified.
  const std::size_t steps = fontSet->history.UndoCount();
  for (std::size_t i = 0; i < steps; ++i) ASSERT_TRUE(core.Undo(*fontSet));
  EXPECT_FALSE(fontSet->IsModified());
  EXPECT_EQ(fontSet->codes, (std::vector<std::int32_t>{0x41, 0x42, 0x43, 0x44}));
  for (std::size_t i = 0; i < fontSet->characters.size(); ++i) {
    EXPECT_EQ(fontSet->characters[i]->bitmap, test::PatternCell(fontSet->codes[i], 12, 12));
  }
}

TEST_F(UndoTest, ChangesThatChangeNothingAddNoStep) {
  CDotforgeEditDoc& editor = Edit(0x41);
  editor.WriteBack();  // a click outside the grid
  editor.ToggleAddRow();
  editor.ToggleAddRow();
  // A pasted glyph equal to the target's.
  CopyCharacter(*fontSet, fontSet->characters[1]->cellRect, core.Values().copiedCharacter);
  fontSet->selected = fontSet->characters[1].get();
  PasteCharacter(*fontSet, core.Values().copiedCharacter, prompt);
  // A cancelled Add, Character Position and Font Properties.
  AddCharacter(*fontSet, prompt);
  MapCharacter(*fontSet, fontSet->characters[2]->cellRect, prompt);
  core.FontProperties(*fontSet);
  EXPECT_FALSE(fontSet->history.CanUndo());
  EXPECT_FALSE(core.Undo(*fontSet));
  EXPECT_FALSE(core.Redo(*fontSet));
}

TEST_F(UndoTest, NewChangeAfterUndoDropsTheRedoSteps) {
  CDotforgeEditDoc& editor = Edit(0x41);
  Stroke(editor, 0, 0);
  Stroke(editor, 0, 1);
  const SetState afterFirst = [&] {
    core.Undo(*fontSet);
    return StateOf(*fontSet);
  }();
  EXPECT_TRUE(fontSet->history.CanRedo());
  // The editor shows the undone state, so the next stroke starts from it.
  Stroke(editor, 0, 5);
  EXPECT_FALSE(fontSet->history.CanRedo());
  EXPECT_FALSE(core.Redo(*fontSet));
  core.Undo(*fontSet);
  EXPECT_EQ(StateOf(*fontSet), afterFirst);
}

TEST_F(UndoTest, UndoOfAddClosesTheEditorOfTheAddedCharacter) {
  prompt.QueueCodeEntry("60");
  AddCharacter(*fontSet, prompt);
  CDotforgeEditDoc& added = Edit(0x60);
  Stroke(added, 1, 1);
  CDotforgeEditDoc& other = Edit(0x41);
  Stroke(other, 1, 1);
  ASSERT_EQ(core.Editors().size(), 2u);
  core.Undo(*fontSet);  // the stroke in 0041
  core.Undo(*fontSet);  // the stroke in 0060
  EXPECT_EQ(core.Editors().size(), 2u);
  ExpectEditorsShowTheirCharacters();
  core.Undo(*fontSet);  // the Add
  ASSERT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(core.Editors().front()->Label(), "0041");
  // Redo brings the character back with its own glyph; its editor stays closed.
  core.Redo(*fontSet);
  const CharacterRecord& back = *fontSet->characters[IndexOfCode(*fontSet, 0x60)];
  EXPECT_EQ(back.editorOpen, 0);
  EXPECT_EQ(back.bitmap, Bytes(24, 0));
}

TEST_F(UndoTest, UndoOfDeleteBringsBackTheCharacterOfAnOpenEditor) {
  CDotforgeEditDoc& editor = Edit(0x42);
  Stroke(editor, 4, 4);
  const Bytes drawn = fontSet->characters[1]->bitmap;
  DeleteCharacter(*fontSet, fontSet->characters[1]->cellRect);
  EXPECT_EQ(fontSet->history.UndoName(), msg::kStepDeleteCharacter);
  core.Undo(*fontSet);
  ASSERT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(fontSet->characters[1]->bitmap, drawn);
  EXPECT_EQ(fontSet->selected, fontSet->characters[1].get());
  ExpectEditorsShowTheirCharacters();
  // The editor writes into the character again.
  Stroke(editor, 0, 0);
  EXPECT_NE(fontSet->characters[1]->bitmap, drawn);
}

TEST_F(UndoTest, EditorsOfAnotherCellSizeCloseWhenUndoChangesTheCell) {
  prompt.QueueFontProperties(ScriptedPrompt::FontPropertiesEdit{.width = 16, .height = 8});
  core.FontProperties(*fontSet);
  Stroke(Edit(0x41), 0, 0);
  Edit(0x42);
  core.Undo(*fontSet);
  EXPECT_EQ(core.Editors().size(), 2u);
  core.Undo(*fontSet);  // back to 12 x 12: the 16 x 8 editors close
  EXPECT_TRUE(core.Editors().empty());
  for (const auto& record : fontSet->characters) EXPECT_EQ(record->editorOpen, 0);
  EXPECT_EQ(fontSet->width, 12);
  EXPECT_FALSE(fontSet->IsModified());
}

// A stroke after a font-wide change starts from the changed glyph: the editors
// took it, so their next write-back does not put the old glyph back.
TEST_F(UndoTest, OpenEditorsFollowFontWideChangesAndPaste) {
  CDotforgeEditDoc& editor = Edit(0x41);
  core.RotateFont(*fontSet);
  ExpectEditorsShowTheirCharacters();
  core.ShiftFont(*fontSet, ShiftDirection::Up);
  ExpectEditorsShowTheirCharacters();
  CopyCharacter(*fontSet, fontSet->characters[3]->cellRect, core.Values().copiedCharacter);
  fontSet->selected = fontSet->characters[0].get();
  PasteCharacter(*fontSet, core.Values().copiedCharacter, prompt);
  core.ReloadEditors(*fontSet);
  ExpectEditorsShowTheirCharacters();
  const Bytes pasted = fontSet->characters[0]->bitmap;
  editor.Grid().Set(0, 0, editor.Grid().At(0, 0) == kBlackPixel ? kWhitePixel : kBlackPixel);
  editor.WriteBack();
  EXPECT_EQ(fontSet->characters[0]->bitmap[0] ^ pasted[0], 0x80);
  EXPECT_TRUE(std::equal(pasted.begin() + 1, pasted.end(), fontSet->characters[0]->bitmap.begin() + 1));
  EXPECT_EQ(fontSet->history.UndoCount(), 4u);
}

TEST_F(UndoTest, ModifiedMarkFollowsTheSavedState) {
  CDotforgeEditDoc& editor = Edit(0x41);
  Stroke(editor, 0, 0);
  EXPECT_TRUE(fontSet->IsModified());
  core.Undo(*fontSet);
  EXPECT_FALSE(fontSet->IsModified());
  core.Redo(*fontSet);
  EXPECT_TRUE(fontSet->IsModified());
  Stroke(editor, 0, 1);
  AnswerSaveAs("SAVED.DAT");
  ASSERT_TRUE(core.SaveFontSet(*fontSet));
  EXPECT_FALSE(fontSet->IsModified());
  core.Undo(*fontSet);
  EXPECT_TRUE(fontSet->IsModified());
  core.Undo(*fontSet);
  EXPECT_TRUE(fontSet->IsModified());  // the opened state is no longer the saved one
  core.Redo(*fontSet);
  core.Redo(*fontSet);
  EXPECT_FALSE(fontSet->IsModified());
  // A change after an undo past the save leaves no way back to the saved state.
  core.Undo(*fontSet);
  Stroke(editor, 5, 5);
  core.Undo(*fontSet);
  EXPECT_TRUE(fontSet->IsModified());
}

TEST_F(UndoTest, CapDropsTheOldestSteps) {
  fontSet->history.SetByteCap(4096);
  CDotforgeEditDoc& editor = Edit(0x41);
  for (std::int32_t i = 0; i < 100; ++i) Stroke(editor, i % 10, i % 12);
  EXPECT_LE(fontSet->history.ByteSize(), 4096u);
  const std::size_t kept = fontSet->history.UndoCount();
  EXPECT_GT(kept, 5u);
  EXPECT_LT(kept, 100u);
  const SetState latest = StateOf(*fontSet);
  while (core.Undo(*fontSet)) {
  }
  // The oldest strokes are gone for good: neither the opened glyph nor unmodified.
  EXPECT_NE(fontSet->characters[0]->bitmap, test::PatternCell(0x41, 12, 12));
  EXPECT_TRUE(fontSet->IsModified());
  while (core.Redo(*fontSet)) {
  }
  EXPECT_EQ(StateOf(*fontSet), latest);
}

// A user's session: open a file, draw, delete, undo twice, save, redo, undo
// back to what was saved; the close check then asks nothing.
TEST_F(UndoTest, SessionUndoesBackToTheSavedFile) {
  const auto path = dir / "OPEN.DAT";
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(16, 16, {0x20, 0x21, 0x22}), path, prompt));
  auto opened = std::make_unique<CDotforgeImportDoc>();
  ImportRequest request;
  request.importType = kFormatDat;
  request.fileName = path;
  OpenFontSet(*opened, request, prompt);
  opened->SetTitle("OPEN.DAT");
  CDotforgeImportDoc& set = core.AddFontSet(std::move(opened));
  ASSERT_EQ(set.characters.size(), 3u);
  LayOutCells(set);
  const SetState original = StateOf(set);

  core.EditCharacter(set, *set.characters[0]);
  CDotforgeEditDoc& editor = *core.Editors().back();
  Stroke(editor, 3, 3);
  const SetState drawn = StateOf(set);
  DeleteCharacter(set, set.characters[0]->cellRect);
  EXPECT_EQ(set.history.UndoName(), msg::kStepDeleteCharacter);
  EXPECT_EQ(core.Editors().size(), 1u);

  core.Undo(set);
  EXPECT_EQ(StateOf(set), drawn);
  core.Undo(set);
  EXPECT_EQ(StateOf(set), original);
  ExpectEditorsShowTheirCharacters();
  EXPECT_FALSE(set.IsModified());

  AnswerSaveAs("OPEN.DAT");
  ASSERT_TRUE(core.SaveFontSet(set));
  EXPECT_EQ(test::ReadBytes(path), original.dat);
  core.Redo(set);
  EXPECT_EQ(StateOf(set), drawn);
  EXPECT_TRUE(set.IsModified());
  EXPECT_EQ(set.history.RedoName(), msg::kStepDeleteCharacter);
  core.Undo(set);
  EXPECT_FALSE(set.IsModified());
  ExpectEditorsShowTheirCharacters();

  prompt.Clear();
  EXPECT_TRUE(core.CloseFontSetAfterCheck(set));
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_TRUE(core.Editors().empty());
}

}  // namespace
}  // namespace dotforge
