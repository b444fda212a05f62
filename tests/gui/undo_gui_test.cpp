#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

#include "app/command_ids.h"
#include "app/dotforge_app.h"
#include "app/edit_view.h"
#include "app/import_view.h"
#include "app/main_frame.h"
#include "framework/scripted_prompt.h"
#include "model/character_operations.h"
#include "gui/gui_support.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

class UndoGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.Start(StartOptions{false});
    Frame().show();
    Frame().activateWindow();
    QApplication::processEvents();
  }

  CMainFrame& Frame() { return app_.MainFrame(); }

  CDotforgeImportDoc& OpenFontSet() {
    auto fontSet = test::MakeFontSet(8, 4, {0x41, 0x42});
    for (const auto& record : fontSet->characters) record->bitmap.assign(4, 0);
    fontSet->SetTitle("UNDO.DSB");
    fontSet->SelectFirst();
    CDotforgeImportDoc& doc = app_.Core().AddFontSet(std::move(fontSet));
    QApplication::processEvents();
    return doc;
  }

  template <typename View>
  View* ActiveView() {
    QMdiSubWindow* window = Frame().MdiArea()->activeSubWindow();
    return window ? dynamic_cast<View*>(window->widget()) : nullptr;
  }

  // A drag along row 1 from column 0 to 3 in the active editor.
  void StrokeRow(CDotforgeEditView& editor) {
    QWidget* canvas = editor.viewport();
    const int s = editor.CellSize();
    const auto centre = [s](int column, int row) {
      return QPoint(2 * s + column * s + s / 2, 2 * s + row * s + s / 2);
    };
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, centre(0, 1));
    for (int column = 1; column < 4; ++column) {
      QMouseEvent move(QEvent::MouseMove, centre(column, 1), canvas->mapToGlobal(centre(column, 1)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(canvas, &move);
    }
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, centre(3, 1));
  }

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

  CDotforgeApp app_;
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
  QMenu* editMenu = Frame().Menus(MenuBarKind::Editor).back();
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
