#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include "app/shell/child_frame.h"
#include "app/shell/command_ids.h"
#include "app/shell/dotforge_app.h"
#include "app/editor/edit_view.h"
#include "app/table/import_view.h"
#include "app/shell/main_frame.h"
#include "edit/table_layout.h"
#include "gui/app_test.h"
#include "gui/gui_support.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

// Answers the next message box with `button` and records its text.
void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
  QTimer::singleShot(0, [button, text] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    if (text) *text = box->text();
    box->button(button)->click();
  });
}

class ViewsTest : public test::AppTest {
 protected:
  CDotforgeEditView* OpenEditorOfSelected() {
    EXPECT_TRUE(Frame().Execute(cmd::kEdit));
    QApplication::processEvents();
    return ActiveView<CDotforgeEditView>();
  }
};

TEST_F(ViewsTest, MenuBarFollowsTheActiveWindow) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 8, {0x41, 0x42});
  EXPECT_EQ(Frame().CurrentMenuBar(), MenuBarKind::FontSet);
  EXPECT_EQ(test::MenuTitles(Frame()), (QStringList{"&File", "F&ont", "&Download", "&View", "&Window", "&Help", "&Edit"}));
  EXPECT_TRUE(Frame().Route().Query(cmd::kFontProperties).enabled);
  EXPECT_TRUE(Frame().Route().Query(cmd::kSave).enabled);
  EXPECT_FALSE(Frame().Route().Query(cmd::kZoomIn).enabled);

  ASSERT_NE(OpenEditorOfSelected(), nullptr);
  EXPECT_EQ(Frame().CurrentMenuBar(), MenuBarKind::Editor);
  EXPECT_EQ(test::MenuTitles(Frame()), (QStringList{"&Shift", "&Add", "&Delete", "Windows", "&Edit", "&Glyph", "&Tools"}));
  EXPECT_FALSE(Frame().Route().Query(cmd::kFontProperties).enabled);
  EXPECT_FALSE(Frame().Route().Query(cmd::kRotate).enabled);
  EXPECT_TRUE(Frame().Route().Query(cmd::kZoomIn).enabled);

  app_.CloseFontSetWithoutAsking(fontSet);
  QTest::qWait(20);
  EXPECT_EQ(Frame().CurrentMenuBar(), MenuBarKind::NoDocument);
  EXPECT_TRUE(app_.Core().Editors().empty());
}

TEST_F(ViewsTest, StrokeWithTheMouseWritesBackIntoTheFontSet) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 4, {0x41});
  fontSet.characters[0]->bitmap.assign(4, 0);
  CDotforgeEditView* editor = OpenEditorOfSelected();
  ASSERT_NE(editor, nullptr);
  DragAlongRow(*editor, 1, 0, 3);
  EXPECT_EQ(fontSet.characters[0]->bitmap, (Bytes{0x00, 0xF0, 0x00, 0x00}));
  EXPECT_TRUE(fontSet.IsModified());

  // A press on a black pixel erases along the drag.
  DragAlongRow(*editor, 1, 1, 1);
  EXPECT_EQ(fontSet.characters[0]->bitmap[1], 0xB0);
}

TEST_F(ViewsTest, ModeClickAndZoomSteps) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 3, {0x41});
  fontSet.characters[0]->bitmap = {0xFF, 0x81, 0x18};
  CDotforgeEditView* editor = OpenEditorOfSelected();
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(Frame().Execute(cmd::kDeleteRow));
  EXPECT_EQ(Frame().Route().Query(cmd::kDeleteRow).check, CommandState::Check::Checked);
  const int s = editor->CellSize();
  QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(2 * s + 3, 2 * s + s + 3));
  EXPECT_EQ(fontSet.characters[0]->bitmap, (Bytes{0xFF, 0x18, 0x00}));
  EXPECT_EQ(Frame().Route().Query(cmd::kDeleteRow).check, CommandState::Check::Unchecked);

  std::vector<int> sizes;
  for (int i = 0; i < 8; ++i) {
    Frame().Execute(cmd::kZoomIn);
    sizes.push_back(editor->CellSize());
  }
  EXPECT_EQ(sizes, (std::vector<int>{12, 14, 16, 19, 22, 26, 30, 30}));
  sizes.clear();
  for (int i = 0; i < 9; ++i) {
    Frame().Execute(cmd::kZoomOut);
    sizes.push_back(editor->CellSize());
  }
  EXPECT_EQ(sizes, (std::vector<int>{25, 20, 16, 13, 10, 8, 6, 5, 5}));
}

TEST_F(ViewsTest, EditorWindowIsSizedByItsGrid) {
  OpenFontSet(8, 16, {0x41});
  CDotforgeEditView* editor = OpenEditorOfSelected();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(Frame().MdiArea()->activeSubWindow()->size(), QSize(140, 220));
}

TEST_F(ViewsTest, KeysMoveTheCurrentCharacter) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 8, test::CodeRange(0x20, 0x20 + 199));
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  const auto index = [&fontSet] { return *fontSet.IndexOf(fontSet.selected); };
  QTest::keyClick(table, Qt::Key_Up);
  EXPECT_EQ(index(), 0u);
  QTest::keyClick(table, Qt::Key_Right);
  QTest::keyClick(table, Qt::Key_Down);
  EXPECT_EQ(index(), 17u);
  fontSet.selected = fontSet.characters[40].get();  // 159 follow: Page Down does nothing
  QTest::keyClick(table, Qt::Key_PageDown);
  EXPECT_EQ(index(), 40u);
  fontSet.selected = fontSet.characters[39].get();
  QTest::keyClick(table, Qt::Key_PageDown);
  EXPECT_EQ(index(), 199u);
  fontSet.selected = fontSet.characters[190].get();
  QTest::keyClick(table, Qt::Key_Down);
  EXPECT_EQ(index(), 199u);
  QTest::keyClick(table, Qt::Key_Home);
  EXPECT_EQ(index(), 0u);
}

TEST_F(ViewsTest, DoubleClickOnAnOpenCharacterActivatesItsEditor) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 8, {0x41, 0x42});
  auto* table = ActiveView<CDotforgeImportView>();
  OpenEditorOfSelected();
  ASSERT_EQ(app_.Core().Editors().size(), 1u);
  Frame().MdiArea()->setActiveSubWindow(app_.WindowsOf(fontSet).front());
  table->viewport()->repaint();
  const Rect& cell = fontSet.characters[0]->cellRect;
  const QPoint inside(cell.left + 5, cell.top + 25);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, inside);
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, inside);
  EXPECT_EQ(app_.Core().Editors().size(), 1u);
  EXPECT_NE(ActiveView<CDotforgeEditView>(), nullptr);
}

TEST_F(ViewsTest, DeletingTheLastCharacterClosesTheWindow) {
  OpenFontSet(8, 8, {0x41});
  ASSERT_TRUE(Frame().Execute(cmd::kDelete));
  QTest::qWait(50);
  EXPECT_TRUE(app_.Core().FontSets().empty());
  EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
}

TEST_F(ViewsTest, CloseAsksBeforeDiscardingChanges) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 8, {0x41});
  fontSet.SetModifiedFlag();
  QString question;
  AnswerNextMessageBox(QMessageBox::Cancel, &question);
  EXPECT_FALSE(app_.CloseFontSetAfterCheck(fontSet));
  EXPECT_EQ(question, "Save changes to TEST.DSB?");
  EXPECT_EQ(app_.Core().FontSets().size(), 1u);
  AnswerNextMessageBox(QMessageBox::No);
  EXPECT_TRUE(app_.CloseFontSetAfterCheck(fontSet));
  EXPECT_TRUE(app_.Core().FontSets().empty());
  EXPECT_EQ(app_.Core().Values().openFontSetCount, 0);
}

TEST_F(ViewsTest, Screenshots) {
  CDotforgeImportDoc& fontSet = OpenFontSet(12, 24, test::CodeRange(0x41, 0x41 + 40));
  for (auto& record : fontSet.characters) {
    record->bitmap.assign(48, 0);
    for (int row = 2; row < 22; ++row) record->SetPixel(row % 12, row, true);
    for (int column = 1; column < 11; ++column) record->SetPixel(column, 12, true);
  }
  fontSet.selected = fontSet.characters[3].get();
  Frame().MdiArea()->activeSubWindow()->resize(760, 420);
  test::SaveScreenshot(Frame(), "font_set_window");
  app_.ReferenceLines() = {12, 6, true};
  OpenEditorOfSelected();
  test::SaveScreenshot(Frame(), "editor_window");
}

}  // namespace
}  // namespace dotforge

namespace dotforge {
namespace {

TEST_F(ViewsTest, PrintsTheTableToPdf) {
  OpenFontSet(12, 24, test::CodeRange(0x100, 0x100 + 599));
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  test::TempDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString((dir / "table.pdf").string()));
  table->PrintTable(printer);
  const Bytes pdf = test::ReadBytes(dir / "table.pdf");
  ASSERT_GT(pdf.size(), 1000u);
  const std::string text(pdf.begin(), pdf.end());
  EXPECT_EQ(text.rfind("%PDF", 0), 0u);
  // 600 characters of 12 x 24 take 38 rows of cells: more than one page.
  std::size_t pages = 0;
  for (std::size_t at = text.find("/Type /Page"); at != std::string::npos; at = text.find("/Type /Page", at + 1)) {
    if (text.compare(at, 12, "/Type /Pages") != 0) ++pages;
  }
  EXPECT_GE(pages, 2u);
}

}  // namespace
}  // namespace dotforge

namespace dotforge {
namespace {

TEST_F(ViewsTest, EveryCellFollowsAListChangeEvenOffScreen) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 8, test::CodeRange(0x100, 0x100 + 299));
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  table->viewport()->repaint();
  // Deleting the first character moves every other one, most of them off screen.
  ASSERT_TRUE(Frame().Execute(cmd::kDelete));
  table->viewport()->repaint();
  const TableGeometry geometry = TableGeometryFor(8, 8, false);
  ASSERT_EQ(fontSet.characters.size(), 299u);
  for (std::size_t i = 0; i < fontSet.characters.size(); ++i) {
    ASSERT_EQ(fontSet.characters[i]->cellRect, TableCell(geometry, i)) << i;
  }
  EXPECT_EQ(table->SelectionRect(), TableCell(geometry, 0));
}

}  // namespace
}  // namespace dotforge
