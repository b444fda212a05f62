#include <gtest/gtest.h>

#include <algorithm>
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

// Runs each operation in turn: it must add one step of its name, whose undo
// gives back the set byte for byte and whose redo the changed set, twice over.
// With `selectionKept`, the table's selected character survives each of them.
void RunEach(UndoTest& t, const std::vector<Operation>& operations, bool selectionKept) {
  for (const Operation& operation : operations) {
    SCOPED_TRACE(operation.name);
    const SetState before = StateOf(*t.fontSet);
    const std::size_t steps = t.fontSet->history.UndoCount();
    operation.run(t);
    LayOutCells(*t.fontSet);
    const SetState after = StateOf(*t.fontSet);
    ASSERT_NE(after, before);
    ASSERT_EQ(t.fontSet->history.UndoCount(), steps + 1);
    EXPECT_EQ(t.fontSet->history.UndoName(), operation.name);

    for (int round = 0; round < 2; ++round) {
      ASSERT_TRUE(t.core.Undo(*t.fontSet));
      LayOutCells(*t.fontSet);
      EXPECT_EQ(StateOf(*t.fontSet), before);
      EXPECT_EQ(t.fontSet->history.RedoName(), operation.name);
      t.ExpectEditorsShowTheirCharacters();
      ASSERT_TRUE(t.core.Redo(*t.fontSet));
      LayOutCells(*t.fontSet);
      EXPECT_EQ(StateOf(*t.fontSet), after);
      t.ExpectEditorsShowTheirCharacters();
    }
    if (selectionKept) {
      EXPECT_NE(t.fontSet->selected, nullptr);
    }
  }
}

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
  RunEach(*this, operations, true);
  // All the way back: the set as it was opened, and not modified.
  const std::size_t steps = fontSet->history.UndoCount();
  for (std::size_t i = 0; i < steps; ++i) ASSERT_TRUE(core.Undo(*fontSet));
  EXPECT_FALSE(fontSet->IsModified());
  EXPECT_EQ(fontSet->codes, (std::vector<std::int32_t>{0x41, 0x42, 0x43, 0x44}));
  for (std::size_t i = 0; i < fontSet->characters.size(); ++i) {
    EXPECT_EQ(fontSet->characters[i]->bitmap, test::PatternCell(fontSet->codes[i], 12, 12));
  }
}

// The editor's tools and whole-glyph commands on a square cell.
TEST_F(UndoTest, EveryGlyphToolIsUndoneAndRedoneExactly) {
  const std::vector<Operation> operations = {
      {msg::kStepFlipHorizontal, [](UndoTest& t) { t.EditAt(0).Transform(GlyphTransform::FlipHorizontal); }},
      {msg::kStepFlipVertical, [](UndoTest& t) { t.EditAt(1).Transform(GlyphTransform::FlipVertical); }},
      {msg::kStepInvert, [](UndoTest& t) { t.EditAt(2).Transform(GlyphTransform::Invert); }},
      {msg::kStepRotateLeft, [](UndoTest& t) { t.EditAt(3).Transform(GlyphTransform::RotateLeft); }},
      {msg::kStepRotateRight, [](UndoTest& t) { t.EditAt(0).Transform(GlyphTransform::RotateRight); }},
      {msg::kStepLine, [](UndoTest& t) { t.EditAt(1).DrawShape(ShapeKind::Line, {-2, 0}, {11, 9}, kBlackPixel); }},
      {msg::kStepRectangle,
       [](UndoTest& t) { t.EditAt(2).DrawShape(ShapeKind::Rectangle, {1, 1}, {10, 8}, kWhitePixel); }},
      {msg::kStepFilledRectangle,
       [](UndoTest& t) { t.EditAt(3).DrawShape(ShapeKind::FilledRectangle, {3, 3}, {5, 20}, kBlackPixel); }},
      {msg::kStepEllipse,
       [](UndoTest& t) { t.EditAt(0).DrawShape(ShapeKind::Ellipse, {0, 0}, {11, 11}, kBlackPixel); }},
      {msg::kStepFloodFill,
       [](UndoTest& t) {
         CDotforgeEditDoc& editor = t.EditAt(1);
         const bool white = editor.Grid().At(6, 6) == kWhitePixel;
         editor.Fill({6, 6}, white ? kBlackPixel : kWhitePixel);
       }},
      {msg::kStepMove,
       [](UndoTest& t) {
         CDotforgeEditDoc& editor = t.EditAt(2);
         editor.Select(RectBetween({0, 0}, {5, 5}));
         editor.MoveSelectionTo({3, 4});
         editor.MoveSelectionTo({6, 7});
         editor.FinishMove();
       }},
      {msg::kStepMove,
       [](UndoTest& t) {
         CDotforgeEditDoc& editor = t.EditAt(3);
         editor.Select(RectBetween({2, 2}, {8, 8}));
         editor.MoveSelectionBy(-1, 0);
       }},
      {msg::kStepCut,
       [](UndoTest& t) {
         CDotforgeEditDoc& editor = t.EditAt(0);
         editor.Select(RectBetween({4, 0}, {11, 11}));
         EXPECT_EQ(editor.CutSelection().Width(), 8);
       }},
      {msg::kStepDelete,
       [](UndoTest& t) {
         CDotforgeEditDoc& editor = t.EditAt(1);
         editor.Select(RectBetween({0, 6}, {11, 11}));
         editor.DeleteSelection();
       }},
      {msg::kStepPaste,
       [](UndoTest& t) {
         PixelGrid block(20, 3);  // wider than the cell: clipped at it
         for (std::int32_t column = 0; column < 20; column += 2) block.Set(column, 1, kBlackPixel);
         t.EditAt(2).Paste(block);
       }},
  };
  RunEach(*this, operations, false);
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

// Delete closes the character's editor; undo brings the character back without
// it, and the user opens it again, draws and saves.
TEST_F(UndoTest, DeleteClosesTheEditorAndUndoBringsBackOnlyTheCharacter) {
  CDotforgeEditDoc& editor = Edit(0x42);
  Stroke(editor, 4, 4);
  Stroke(Edit(0x41), 0, 0);
  const Bytes drawn = fontSet->characters[1]->bitmap;
  core.DeleteCharacter(*fontSet, fontSet->characters[1]->cellRect);
  EXPECT_EQ(fontSet->history.UndoName(), msg::kStepDeleteCharacter);
  ASSERT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(core.Editors().front()->Label(), "0041");
  EXPECT_EQ(core.FindEditor(*fontSet, "0042"), nullptr);

  core.Undo(*fontSet);
  ASSERT_EQ(fontSet->characters[1]->label, "0042");
  EXPECT_EQ(fontSet->characters[1]->bitmap, drawn);
  EXPECT_EQ(fontSet->characters[1]->editorOpen, 0);
  EXPECT_EQ(core.Editors().size(), 1u);
  ExpectEditorsShowTheirCharacters();
  core.Redo(*fontSet);
  core.Undo(*fontSet);
  EXPECT_EQ(core.Editors().size(), 1u);

  // Opened again: a new editor with the drawn glyph, whose strokes are steps again.
  CDotforgeEditDoc& again = Edit(0x42);
  EXPECT_EQ(core.Editors().size(), 2u);
  ExpectEditorsShowTheirCharacters();
  Stroke(again, 0, 11);
  EXPECT_NE(fontSet->characters[1]->bitmap, drawn);
  EXPECT_EQ(fontSet->history.UndoName(), msg::kStepStroke);
  const SetState edited = StateOf(*fontSet);
  AnswerSaveAs("AFTER.DAT");
  ASSERT_TRUE(core.SaveFontSet(*fontSet));
  EXPECT_EQ(test::ReadBytes(dir / "AFTER.DAT"), edited.dat);
  EXPECT_FALSE(fontSet->IsModified());
}

// A character deleted while open and added again under its code starts blank:
// no editor of the old glyph is left to write into it or to be brought forward.
TEST_F(UndoTest, CharacterAddedAgainAfterDeleteGetsItsOwnEditor) {
  Stroke(Edit(0x43), 2, 2);
  core.DeleteCharacter(*fontSet, fontSet->characters[2]->cellRect);
  prompt.QueueCodeEntry("43");
  AddCharacter(*fontSet, prompt);
  ASSERT_EQ(fontSet->characters[2]->label, "0043");
  EXPECT_EQ(fontSet->characters[2]->bitmap, Bytes(24, 0));
  CDotforgeEditDoc& fresh = Edit(0x43);
  ASSERT_EQ(core.Editors().size(), 1u);
  ExpectEditorsShowTheirCharacters();
  Stroke(fresh, 5, 5);
  EXPECT_EQ(fontSet->characters[2]->bitmap[10], 0x07);
  EXPECT_EQ(std::count(fontSet->characters[2]->bitmap.begin(), fontSet->characters[2]->bitmap.end(), 0), 23);
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
  core.DeleteCharacter(set, set.characters[0]->cellRect);
  EXPECT_EQ(set.history.UndoName(), msg::kStepDeleteCharacter);
  EXPECT_TRUE(core.Editors().empty());

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


// A selection moved dot by dot, cut, pasted back and moved again, then the whole
// chain undone step by step: each step gives back the set byte for byte.
TEST_F(UndoTest, SelectionStepsUndoOneAtATime) {
  CDotforgeEditDoc& editor = Edit(0x42);
  std::vector<SetState> states{StateOf(*fontSet)};
  const std::size_t first = fontSet->history.UndoCount();
  editor.Select(RectBetween({2, 2}, {6, 5}));
  EXPECT_EQ(fontSet->history.UndoCount(), first);  // marking changes no dots
  for (int press = 0; press < 3; ++press) {
    editor.MoveSelectionBy(1, 0);
    states.push_back(StateOf(*fontSet));
  }
  EXPECT_TRUE(editor.Selection().Floating());
  const PixelGrid cut = editor.CutSelection();
  states.push_back(StateOf(*fontSet));
  EXPECT_FALSE(editor.Selection().Active());
  editor.Paste(cut);  // no selection: at the top-left
  states.push_back(StateOf(*fontSet));
  EXPECT_EQ(editor.Selection().Area(), (DotRect{0, 0, 5, 4}));
  editor.MoveSelectionBy(0, 1);
  states.push_back(StateOf(*fontSet));
  editor.DropSelection();
  ASSERT_EQ(fontSet->history.UndoCount(), first + states.size() - 1);
  for (std::size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(core.Undo(*fontSet));
    EXPECT_EQ(StateOf(*fontSet), states[i - 1]) << i;
    EXPECT_FALSE(editor.Selection().Active());
    ExpectEditorsShowTheirCharacters();
  }
  // Redo all: the set as after the last move, and the editor draws on from it.
  while (core.Redo(*fontSet)) {
  }
  EXPECT_EQ(StateOf(*fontSet), states.back());
  ExpectEditorsShowTheirCharacters();
}

// A pasted block still floating when the set is saved: the file holds what the
// editor shows. Moved on, closed and opened again, the editor shows the moved
// block, and undo back to the save leaves the set equal to the file.
TEST_F(UndoTest, AFloatingPasteIsSavedAsShownAndSurvivesTheEditorClosing) {
  CDotforgeEditDoc& editor = Edit(0x43);
  PixelGrid block(16, 2);  // wider than the 12-dot cell
  for (std::int32_t column = 0; column < 16; ++column) block.Set(column, column % 2, kBlackPixel);
  editor.Paste(block);
  ASSERT_TRUE(editor.Selection().Floating());
  AnswerSaveAs("FLOAT.DAT");
  ASSERT_TRUE(core.SaveFontSet(*fontSet));
  const SetState saved = StateOf(*fontSet);
  EXPECT_EQ(test::ReadBytes(dir / "FLOAT.DAT"), saved.dat);
  PixelGrid shown;
  UnpackBitmap(fontSet->characters[2]->bitmap, 12, 12, shown);
  EXPECT_EQ(shown.Pixels(), editor.Grid().Pixels());

  editor.MoveSelectionBy(-3, 5);  // the cut-off columns come in, the rows beneath come back
  const Bytes moved = fontSet->characters[2]->bitmap;
  EXPECT_NE(moved, test::PatternCell(0x43, 12, 12));
  core.CloseEditor(editor);
  CDotforgeEditDoc& again = Edit(0x43);
  EXPECT_FALSE(again.Selection().Active());
  Bytes packed;
  PackBitmap(again.Grid(), 12, 12, packed);
  EXPECT_EQ(packed, moved);

  ASSERT_TRUE(core.Undo(*fontSet));
  EXPECT_EQ(StateOf(*fontSet), saved);
  EXPECT_FALSE(fontSet->IsModified());
  ExpectEditorsShowTheirCharacters();
  ASSERT_TRUE(core.Undo(*fontSet));  // the paste
  for (std::size_t i = 0; i < fontSet->characters.size(); ++i) {
    EXPECT_EQ(fontSet->characters[i]->bitmap, test::PatternCell(fontSet->codes[i], 12, 12));
  }
}

TEST_F(UndoTest, ToolsThatChangeNoDotsAddNoStep) {
  CDotforgeEditDoc& editor = Edit(0x41);
  editor.Grid() = PixelGrid(12, 12);
  editor.WriteBack();
  const std::size_t steps = fontSet->history.UndoCount();
  editor.Fill({3, 3}, kWhitePixel);
  editor.DrawShape(ShapeKind::Line, {-5, -5}, {-1, 20}, kBlackPixel);
  editor.Select(RectBetween({0, 0}, {3, 3}));
  editor.MoveSelectionBy(2, 2);  // white dots over white dots
  editor.DeleteSelection();
  editor.Select(RectBetween({40, 40}, {50, 50}));  // beside the cell: nothing selected
  EXPECT_FALSE(editor.Selection().Active());
  editor.DeleteSelection();
  EXPECT_EQ(fontSet->history.UndoCount(), steps);
}

TEST_F(UndoTest, QuarterTurnsNeedASquareCell) {
  auto wide = test::MakeFontSet(10, 6, {0x41});
  wide->SetTitle("WIDE.DAT");
  CDotforgeImportDoc& set = core.AddFontSet(std::move(wide));
  LayOutCells(set);
  core.EditCharacter(set, *set.characters[0]);
  CDotforgeEditDoc& editor = *core.FindEditor(set, FormatLabel(0x41));
  const Bytes before = set.characters[0]->bitmap;
  EXPECT_FALSE(editor.CanTransform(GlyphTransform::RotateLeft));
  EXPECT_FALSE(editor.CanTransform(GlyphTransform::RotateRight));
  EXPECT_TRUE(editor.CanTransform(GlyphTransform::FlipVertical));
  editor.Transform(GlyphTransform::RotateLeft);
  editor.Transform(GlyphTransform::RotateRight);
  EXPECT_EQ(set.characters[0]->bitmap, before);
  EXPECT_FALSE(set.history.CanUndo());
  EXPECT_EQ(editor.Grid().Width(), 10);
}

}  // namespace
}  // namespace dotforge
