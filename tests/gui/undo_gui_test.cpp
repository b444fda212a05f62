#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

#include "app/shell/command_ids.h"
#include "app/shell/dotforge_app.h"
#include "app/editor/edit_view.h"
#include "app/table/import_view.h"
#include "app/shell/main_frame.h"
#include "framework/scripted_prompt.h"
#include "model/character_operations.h"
#include "gui/app_test.h"
#include "gui/gui_support.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

class UndoGuiTest : public test::ShownAppTest {
 protected:
  // Two blank 8 x 4 characters.
  CDotforgeImportDoc& OpenFontSet() {
    CDotforgeImportDoc& doc = AppTest::OpenFontSet(8, 4, {0x41, 0x42}, "UNDO.DSB");
    for (const auto& record : doc.characters) record->bitmap.assign(4, 0);
    return doc;
  }

  // A drag along row 1 from column 0 to 3 in the active editor.
  void StrokeRow(CDotforgeEditView& editor) { DragAlongRow(editor, 1, 0, 3); }

  // The text of `id` in the current menu bar, as the user sees it on opening the menu.
  QString MenuText(int id) {
    for (QMenu* menu : Frame().Menus(Frame().CurrentMenuBar())) {
      for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->data().toInt() != id) continue;
        emit menu->aboutToShow();
        return action->isEnabled() ? action->text() : "(disabled) " + action->text();
      }
    }
    return {};
  }

};

TEST_F(UndoGuiTest, CtrlZTakesBackAStrokeAndTheTableFollows) {
  CDotforgeImportDoc& fontSet = OpenFontSet();
  EXPECT_EQ(MenuText(cmd::kUndo), "(disabled) &Undo\tCtrl+Z");
  ASSERT_TRUE(Frame().Execute(cmd::kEdit));
  QApplication::processEvents();
  CDotforgeEditView* editor = ActiveView<CDotforgeEditView>();
  ASSERT_NE(editor, nullptr);
  StrokeRow(*editor);
  EXPECT_EQ(fontSet.characters[0]->bitmap, (Bytes{0x00, 0xF0, 0x00, 0x00}));
  EXPECT_EQ(MenuText(cmd::kUndo), "&Undo Stroke\tCtrl+Z");
  EXPECT_EQ(MenuText(cmd::kRedo), "(disabled) &Redo\tCtrl+Y");
  Frame().RefreshCommandStates();
  EXPECT_TRUE(Frame().ToolbarAction(cmd::kUndo)->isEnabled());
  test::SaveScreenshot(Frame(), "undo_editor_after_stroke");
  QMenu* editMenu = Frame().Menus(MenuBarKind::Editor)[4];
  ASSERT_EQ(editMenu->title(), "&Edit");
  editMenu->popup(Frame().mapToGlobal(QPoint(200, 20)));
  QApplication::processEvents();
  test::SaveScreenshot(*editMenu, "undo_edit_menu");
  editMenu->hide();

  QTest::keyClick(editor->viewport(), Qt::Key_Z, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(fontSet.characters[0]->bitmap, Bytes(4, 0));
  EXPECT_FALSE(fontSet.IsModified());
  // The editor's grid is back too: every pixel white.
  for (int column = 0; column < 4; ++column) EXPECT_EQ(editor->Document()->Grid().At(column, 1), kWhitePixel);
  EXPECT_EQ(MenuText(cmd::kRedo), "&Redo Stroke\tCtrl+Y");

  QTest::keyClick(editor->viewport(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QApplication::processEvents();
  EXPECT_EQ(fontSet.characters[0]->bitmap, (Bytes{0x00, 0xF0, 0x00, 0x00}));
  EXPECT_TRUE(fontSet.IsModified());
  EXPECT_EQ(editor->Document()->Grid().At(0, 1), kBlackPixel);
}

TEST_F(UndoGuiTest, UndoInTheTableUpdatesAnOpenEditorAndClosesOneWhoseCharacterGoes) {
  CDotforgeImportDoc& fontSet = OpenFontSet();
  CDotforgeImportView* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  ASSERT_TRUE(Frame().Execute(cmd::kEdit));
  QApplication::processEvents();
  CDotforgeEditView* editor = ActiveView<CDotforgeEditView>();
  ASSERT_NE(editor, nullptr);
  StrokeRow(*editor);

  // Back in the table: the font-wide shift moves the stroke down a row; undo there
  // puts it back in the editor as well.
  Frame().MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(table->parentWidget()));
  QApplication::processEvents();
  ASSERT_EQ(ActiveView<CDotforgeImportView>(), table);
  ASSERT_TRUE(Frame().Execute(cmd::kShiftDown));
  EXPECT_EQ(fontSet.characters[0]->bitmap, (Bytes{0x00, 0x00, 0xF0, 0x00}));
  EXPECT_EQ(MenuText(cmd::kUndo), "&Undo Shift Font\tCtrl+Z");
  ASSERT_TRUE(Frame().Execute(cmd::kUndo));
  EXPECT_EQ(fontSet.characters[0]->bitmap, (Bytes{0x00, 0xF0, 0x00, 0x00}));
  EXPECT_EQ(editor->Document()->Grid().At(0, 1), kBlackPixel);
  EXPECT_EQ(editor->Document()->Grid().At(0, 2), kWhitePixel);

  ASSERT_TRUE(Frame().Execute(cmd::kUndo));  // the stroke
  EXPECT_EQ(fontSet.characters[0]->bitmap, Bytes(4, 0));
  EXPECT_EQ(editor->Document()->Grid().At(0, 1), kWhitePixel);
  EXPECT_FALSE(Frame().Route().Query(cmd::kUndo).enabled);
  EXPECT_TRUE(Frame().Route().Query(cmd::kRedo).enabled);

  // A character added and opened in an editor: undoing the Add closes that editor.
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("50");
  AddCharacter(fontSet, prompt);
  app_.Core().EditCharacter(fontSet, *fontSet.characters[2]);
  QApplication::processEvents();
  ASSERT_EQ(app_.Core().Editors().size(), 2u);
  test::SaveScreenshot(Frame(), "undo_table_and_editors");
  EXPECT_EQ(MenuText(cmd::kUndo), "&Undo Add Character\tCtrl+Z");
  ASSERT_TRUE(Frame().Execute(cmd::kUndo));
  QTest::qWait(20);
  ASSERT_EQ(app_.Core().Editors().size(), 1u);
  EXPECT_EQ(fontSet.characters.size(), 2u);
  EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 2);
}

}  // namespace
}  // namespace dotforge
