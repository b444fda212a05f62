#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <utility>

#include "appcore/application_core.h"
#include "framework/scripted_prompt.h"
#include "model/model_messages.h"
#include "model/side_format.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using Texts = std::vector<std::string>;

struct ApplicationCoreTest : ::testing::Test {
  CDotforgeImportDoc& Open(std::int32_t width, std::int32_t height, std::vector<std::int32_t> codes,
                           const std::string& title = "FONT.DSB") {
    auto fontSet = test::MakeFontSet(width, height, codes);
    fontSet->SetTitle(title);
    return core.AddFontSet(std::move(fontSet));
  }

  CDotforgeEditDoc& Edit(CDotforgeImportDoc& fontSet, std::size_t index) {
    core.EditCharacter(fontSet, *fontSet.characters[index]);
    return *core.Editors().back();
  }

  ScriptedPrompt prompt;
  ApplicationCore core{prompt};
};

// What the windows of the documents would show: the titles they were told of.
struct RecordedWindows : DocumentWindows {
  void DocumentOpened(CDocument& document) override { titles[&document] = document.GetTitle(); }
  void DocumentActivated(CDocument&) override {}
  void DocumentClosing(CDocument& document) override { titles.erase(&document); }
  void DocumentRetitled(CDocument& document) override { titles[&document] = document.GetTitle(); }
  std::map<const CDocument*, std::string> titles;
};

// A user's session: font sets saved into a folder of its own, the windows recorded.
struct SessionTest : ApplicationCoreTest {
  SessionTest() { core.SetDocumentWindows(&windows); }
  ~SessionTest() override { core.SetDocumentWindows(nullptr); }

  void AnswerSaveAs(const std::string& name, int format = kFormatDat) {
    prompt.QueueExportDialog(ExportDialogAnswer{(dir / name).string(), format + 1, 0, '0', {}, {}});
  }

  // A stroke in the editor: one pixel flipped to black, then the button release.
  static void Stroke(CDotforgeEditDoc& editor, std::int32_t column, std::int32_t row) {
    editor.Grid().Set(column, row, kBlackPixel);
    editor.WriteBack();
  }

  test::TempDir dir;
  RecordedWindows windows;
};

TEST_F(SessionTest, SaveUnderAnotherNameKeepsOneEditorPerCharacter) {
  CDotforgeImportDoc& fontSet = Open(8, 2, {0x41, 0x42}, "A.DSB");
  fontSet.characters[0]->bitmap.assign(2, 0);
  CDotforgeEditDoc& editor = Edit(fontSet, 0);
  Stroke(editor, 0, 0);

  AnswerSaveAs("B.DAT");
  ASSERT_TRUE(core.SaveFontSet(fontSet));
  EXPECT_EQ(fontSet.GetTitle(), "B.DAT");
  EXPECT_EQ(editor.GetTitle(), "B.DAT : 0041");
  EXPECT_EQ(windows.titles[&editor], "B.DAT : 0041");
  EXPECT_EQ(windows.titles[&fontSet], "B.DAT");

  // Double-clicking the character again brings its one editor to the front.
  core.EditCharacter(fontSet, *fontSet.characters[0]);
  ASSERT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(core.ActiveDocument(), &editor);

  // Editing goes on into the same character of the renamed set.
  Stroke(editor, 7, 1);
  EXPECT_EQ(fontSet.characters[0]->bitmap, (Bytes{0x80, 0x01}));
  EXPECT_TRUE(fontSet.IsModified());

  // Closing the editor releases the character; the next Edit opens a fresh one.
  core.CloseEditor(editor);
  EXPECT_EQ(fontSet.characters[0]->editorOpen, 0);
  CDotforgeEditDoc& reopened = Edit(fontSet, 0);
  EXPECT_EQ(reopened.GetTitle(), "B.DAT : 0041");
  EXPECT_EQ(core.Editors().size(), 1u);
}

TEST_F(SessionTest, ExitCancelledAfterNoClosesNothing) {
  CDotforgeImportDoc& first = Open(8, 2, {0x41}, "ONE.DSB");
  CDotforgeImportDoc& second = Open(8, 2, {0x41}, "TWO.DSB");
  CDotforgeEditDoc& editor = Edit(first, 0);
  Stroke(editor, 3, 1);
  second.SetModifiedFlag();
  const Bytes edited = first.characters[0]->bitmap;

  prompt.QueueAnswers({Answer::No, Answer::Cancel});
  EXPECT_FALSE(core.CloseAllFontSets());
  EXPECT_EQ(prompt.Texts(), (Texts{"Save changes to ONE.DSB?", "Save changes to TWO.DSB?"}));
  ASSERT_EQ(core.FontSets().size(), 2u);
  EXPECT_EQ(core.Values().openFontSetCount, 2);
  EXPECT_TRUE(first.IsModified());
  EXPECT_EQ(first.characters[0]->bitmap, edited);
  ASSERT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(first.characters[0]->editorOpen, 1);
  EXPECT_EQ(windows.titles.size(), 3u);

  // The next Exit asks again, and No for both closes everything.
  prompt.Clear();
  prompt.QueueAnswers({Answer::No, Answer::No});
  EXPECT_TRUE(core.CloseAllFontSets());
  EXPECT_EQ(prompt.Texts(), (Texts{"Save changes to ONE.DSB?", "Save changes to TWO.DSB?"}));
  EXPECT_TRUE(core.FontSets().empty());
  EXPECT_TRUE(core.Editors().empty());
  EXPECT_EQ(core.Values().openFontSetCount, 0);
  EXPECT_TRUE(windows.titles.empty());
}

TEST_F(SessionTest, ExitCancelledAfterYesKeepsTheSavedSetOpenUnderItsNewName) {
  CDotforgeImportDoc& first = Open(8, 2, {0x41}, "ONE.DSB");
  CDotforgeImportDoc& second = Open(8, 2, {0x41}, "TWO.DSB");
  CDotforgeEditDoc& editor = Edit(first, 0);
  Stroke(editor, 0, 0);
  second.SetModifiedFlag();

  prompt.QueueAnswers({Answer::Yes, Answer::Cancel});
  AnswerSaveAs("SAVED.DAT");
  EXPECT_FALSE(core.CloseAllFontSets());
  EXPECT_TRUE(std::filesystem::exists(dir / "SAVED.DAT"));
  ASSERT_EQ(core.FontSets().size(), 2u);
  EXPECT_FALSE(first.IsModified());
  EXPECT_TRUE(second.IsModified());
  EXPECT_EQ(editor.GetTitle(), "SAVED.DAT : 0041");
  EXPECT_EQ(windows.titles[&editor], "SAVED.DAT : 0041");

  // Saved: the next Exit asks only about the other set.
  prompt.Clear();
  prompt.QueueAnswers({Answer::No});
  EXPECT_TRUE(core.CloseAllFontSets());
  EXPECT_EQ(prompt.Texts(), (Texts{"Save changes to TWO.DSB?"}));
  EXPECT_TRUE(core.FontSets().empty());
}

// A prompt during whose first question something else happens, as the desktop's
// event loop runs timers while a message box is open.
struct PromptWithEvents : ScriptedPrompt {
  Answer Ask(std::string_view text, Buttons buttons) override {
    if (duringQuestion) std::exchange(duringQuestion, nullptr)();
    return ScriptedPrompt::Ask(text, buttons);
  }
  std::function<void()> duringQuestion;
};

TEST(ExitTest, SetClosedWhileAQuestionIsOpenIsNotAskedAbout) {
  PromptWithEvents prompt;
  ApplicationCore core(prompt);
  CDotforgeImportDoc& first = core.AddFontSet(test::MakeFontSet(8, 2, {0x41}));
  CDotforgeImportDoc& emptied = core.AddFontSet(test::MakeFontSet(8, 2, {0x41}));
  first.SetTitle("ONE.DSB");
  first.SetModifiedFlag();
  emptied.SetModifiedFlag();
  // The table's timer closes a set whose last character was deleted.
  prompt.duringQuestion = [&core, &emptied] { core.CloseFontSet(emptied); };
  prompt.QueueAnswers({Answer::No});
  EXPECT_TRUE(core.CloseAllFontSets());
  EXPECT_EQ(prompt.Texts(), (Texts{"Save changes to ONE.DSB?"}));
  EXPECT_TRUE(core.FontSets().empty());
}

TEST_F(SessionTest, CloseCheckWhoseSaveFailsKeepsTheSetAndItsEditors) {
  CDotforgeImportDoc& fontSet = Open(8, 2, {0x41}, "ONE.DSB");
  Stroke(Edit(fontSet, 0), 1, 1);
  prompt.QueueAnswers({Answer::Yes});
  prompt.QueueExportDialog(std::nullopt);  // the save dialog is cancelled
  EXPECT_FALSE(core.CloseFontSetAfterCheck(fontSet));
  EXPECT_EQ(core.FontSets().size(), 1u);
  EXPECT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(core.Editors()[0]->GetTitle(), "ONE.DSB : 0041");
}

TEST_F(ApplicationCoreTest, NewFontCreatesAndCountsTheFontSet) {
  prompt.QueueNewFont(ScriptedPrompt::NewFontEdit{.fileName = "ab12", .width = 12, .height = 24});
  CDotforgeImportDoc* fontSet = core.NewFont();
  ASSERT_NE(fontSet, nullptr);
  EXPECT_EQ(fontSet->GetTitle(), "AB12.DSB");
  EXPECT_EQ(fontSet->characters.size(), 224u);
  EXPECT_EQ(fontSet->characters[0]->bitmap.size(), 48u);
  EXPECT_EQ(fontSet->fontId, '0');
  EXPECT_EQ(core.Values().openFontSetCount, 1);
  EXPECT_EQ(core.Values().newFontRequest.name, "ab12.DSB");
  EXPECT_EQ(core.ActiveDocument(), fontSet);
  EXPECT_EQ(core.FontSets().size(), 1u);
}

TEST_F(ApplicationCoreTest, CancelledNewFontCreatesNothing) {
  prompt.QueueNewFont(std::nullopt);
  EXPECT_EQ(core.NewFont(), nullptr);
  EXPECT_EQ(core.Values().openFontSetCount, 0);
  EXPECT_TRUE(core.FontSets().empty());
}

TEST_F(ApplicationCoreTest, EditOpensOneEditorPerCharacter) {
  CDotforgeImportDoc& fontSet = Open(8, 2, {0x41, 0x42});
  CDotforgeEditDoc& editor = Edit(fontSet, 0);
  EXPECT_EQ(editor.GetTitle(), "FONT.DSB : 0041");
  EXPECT_EQ(fontSet.characters[0]->editorOpen, 1);
  EXPECT_EQ(core.ActiveDocument(), &editor);
  EXPECT_EQ(core.Values().pendingEdit.bitmap, nullptr);

  Edit(fontSet, 1);
  EXPECT_EQ(core.Editors().size(), 2u);
  core.EditCharacter(fontSet, *fontSet.characters[0]);
  EXPECT_EQ(core.Editors().size(), 2u);
  EXPECT_EQ(core.ActiveDocument(), &editor);
}

TEST_F(ApplicationCoreTest, ActivationTellsFontSetsOfTheSameTitleApart) {
  CDotforgeImportDoc& first = Open(8, 2, {0x41});
  CDotforgeImportDoc& second = Open(8, 2, {0x41});
  CDotforgeEditDoc& firstEditor = Edit(first, 0);
  CDotforgeEditDoc& secondEditor = Edit(second, 0);
  EXPECT_NE(&firstEditor, &secondEditor);
  EXPECT_EQ(core.FindEditor(first, "0041"), &firstEditor);
  EXPECT_EQ(core.FindEditor(second, "0041"), &secondEditor);
  EXPECT_EQ(core.FindEditor(first, "0042"), nullptr);
  core.EditCharacter(first, *first.characters[0]);
  EXPECT_EQ(core.ActiveDocument(), &firstEditor);
  EXPECT_EQ(core.Editors().size(), 2u);
}

TEST_F(ApplicationCoreTest, StaleEditorFlagOpensANewEditor) {
  CDotforgeImportDoc& fontSet = Open(8, 2, {0x41});
  fontSet.characters[0]->editorOpen = 1;
  core.EditCharacter(fontSet, *fontSet.characters[0]);
  EXPECT_EQ(core.Editors().size(), 1u);
}

TEST_F(ApplicationCoreTest, ClosingAnEditorReleasesItsCharacter) {
  CDotforgeImportDoc& fontSet = Open(8, 2, {0x41});
  CDotforgeEditDoc& editor = Edit(fontSet, 0);
  core.CloseEditor(editor);
  EXPECT_TRUE(core.Editors().empty());
  EXPECT_EQ(fontSet.characters[0]->editorOpen, 0);
  EXPECT_EQ(core.ActiveDocument(), nullptr);
  EXPECT_FALSE(fontSet.IsModified());  // nothing is written back at close
}

TEST_F(ApplicationCoreTest, ClosingAFontSetClosesOnlyItsEditors) {
  CDotforgeImportDoc& kept = Open(8, 2, {0x41}, "KEEP.DSB");
  CDotforgeImportDoc& closed = Open(8, 2, {0x41, 0x42}, "GONE.DSB");
  Edit(kept, 0);
  Edit(closed, 0);
  Edit(closed, 1);
  core.CloseFontSet(closed);
  ASSERT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(&core.Editors()[0]->FontSet(), &kept);
  EXPECT_EQ(core.FontSets().size(), 1u);
  EXPECT_EQ(core.Values().openFontSetCount, 1);
}

TEST_F(ApplicationCoreTest, CloseEditorsOfFontSetTakesThoseWhoseSetIsClosing) {
  CDotforgeImportDoc& first = Open(8, 2, {0x41});
  CDotforgeImportDoc& second = Open(8, 2, {0x41});
  Edit(first, 0);
  Edit(second, 0);
  second.closing = 1;
  core.CloseEditorsOfFontSet();
  ASSERT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(&core.Editors()[0]->FontSet(), &first);
  EXPECT_EQ(second.characters[0]->editorOpen, 0);
  EXPECT_EQ(first.characters[0]->editorOpen, 1);
}

TEST_F(ApplicationCoreTest, EditorOfADeletedCharacterWritesNothing) {
  CDotforgeImportDoc& fontSet = Open(8, 2, {0x41, 0x42});
  fontSet.characters[0]->cellRect = Rect{0, 0, 10, 10};
  CDotforgeEditDoc& editor = Edit(fontSet, 0);
  DeleteCharacter(fontSet, Rect{0, 0, 10, 10});
  fontSet.SetModifiedFlag(false);
  editor.ClearEdit();
  EXPECT_FALSE(fontSet.IsModified());
  EXPECT_EQ(fontSet.characters[0]->bitmap, test::PatternCell(0x42, 8, 2));
  core.CloseEditor(editor);
}

TEST_F(ApplicationCoreTest, CopiedGlyphSurvivesItsFontSet) {
  CDotforgeImportDoc& source = Open(8, 2, {0x41}, "A.DSB");
  CDotforgeImportDoc& target = Open(8, 2, {0x50}, "B.DSB");
  source.characters[0]->cellRect = Rect{0, 0, 10, 10};
  CopyCharacter(source, Rect{0, 0, 10, 10}, core.Values().copiedCharacter);
  core.CloseFontSet(source);
  target.selected = target.characters[0].get();
  PasteCharacter(target, core.Values().copiedCharacter, prompt);
  EXPECT_EQ(target.characters[0]->bitmap, test::PatternCell(0x41, 8, 2));
}

TEST_F(ApplicationCoreTest, FontPropertiesChangingOnlyTheIdLeavesTheSetUnmodified) {
  CDotforgeImportDoc& fontSet = Open(8, 2, {0x41});
  CDotforgeEditDoc& editor = Edit(fontSet, 0);
  int editorRepaints = 0;
  editor.AddUpdateListener([&editorRepaints] { ++editorRepaints; });
  prompt.QueueFontProperties(ScriptedPrompt::FontPropertiesEdit{.fontId = "51"});
  core.FontProperties(fontSet);
  EXPECT_EQ(fontSet.fontId, '3');
  EXPECT_FALSE(fontSet.IsModified());
  EXPECT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(editorRepaints, 1);
  ASSERT_EQ(prompt.OpenedFontProperties().size(), 1u);
  EXPECT_EQ(prompt.OpenedFontProperties()[0].fontId, "48");
  EXPECT_EQ(prompt.OpenedFontProperties()[0].characterCount, 1);
}

TEST_F(ApplicationCoreTest, FontPropertiesNewSizeClosesTheSetsEditorsFirst) {
  CDotforgeImportDoc& fontSet = Open(16, 24, {0x41});
  CDotforgeImportDoc& other = Open(16, 24, {0x41}, "OTHER.DSB");
  Edit(fontSet, 0);
  Edit(other, 0);
  prompt.QueueFontProperties(ScriptedPrompt::FontPropertiesEdit{.width = 24, .height = 16});
  core.FontProperties(fontSet);
  EXPECT_EQ(fontSet.width, 24);
  EXPECT_EQ(fontSet.characters[0]->bitmap.size(), 48u);
  EXPECT_EQ(fontSet.characters[0]->editorOpen, 0);
  EXPECT_TRUE(fontSet.IsModified());
  ASSERT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(&core.Editors()[0]->FontSet(), &other);
}

TEST_F(ApplicationCoreTest, FontPropertiesZeroWidthKeepsTheSizeButTheNewId) {
  CDotforgeImportDoc& fontSet = Open(16, 24, {0x41});
  Edit(fontSet, 0);
  prompt.QueueFontProperties(ScriptedPrompt::FontPropertiesEdit{.width = 0, .fontId = "50"});
  core.FontProperties(fontSet);
  EXPECT_EQ(prompt.Texts(), (Texts{"Font Properties", msg::kWidthHeightZero}));
  EXPECT_EQ(fontSet.width, 16);
  EXPECT_EQ(fontSet.fontId, '2');
  EXPECT_FALSE(fontSet.IsModified());
  EXPECT_EQ(core.Editors().size(), 1u);
}

TEST_F(ApplicationCoreTest, RotateClosesEditorsOnlyWhenTheirCellTurns) {
  CDotforgeImportDoc& square = Open(8, 8, {0x41});
  CDotforgeImportDoc& tall = Open(8, 16, {0x41}, "TALL.DSB");
  Edit(square, 0);
  Edit(tall, 0);
  core.RotateFont(square);
  EXPECT_EQ(core.Editors().size(), 2u);
  core.RotateFont(tall);
  ASSERT_EQ(core.Editors().size(), 1u);
  EXPECT_EQ(&core.Editors()[0]->FontSet(), &square);
  EXPECT_EQ(tall.width, 16);
  EXPECT_EQ(tall.characters[0]->editorOpen, 0);
}

}  // namespace
}  // namespace dotforge
