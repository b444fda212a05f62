// Sessions as a user runs them in the desktop program: open, edit, save under
// another name, edit again, print, exit and cancel.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>

#include "app/shell/child_frame.h"
#include "app/shell/command_ids.h"
#include "app/shell/dotforge_app.h"
#include "app/editor/edit_view.h"
#include "app/dialogs/font_dialogs.h"
#include "app/table/import_view.h"
#include "app/shell/main_frame.h"
#include "edit/table_layout.h"
#include "framework/scripted_prompt.h"
#include "model/native_file.h"
#include "model/open_font_set.h"
#include "model/side_format.h"
#include "gui/app_test.h"
#include "gui/gui_support.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

// Answers the message boxes that come up, in order, with the given buttons, and
// keeps their texts.
class MessageBoxAnswers {
 public:
  explicit MessageBoxAnswers(std::deque<QMessageBox::StandardButton> buttons) : buttons_(std::move(buttons)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerShownBox(); });
    timer_.start(5);
  }
  const QStringList& Texts() const { return texts_; }
  bool AllAnswered() const { return buttons_.empty(); }

 private:
  void AnswerShownBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || buttons_.empty()) return;
    texts_ << box->text();
    const QMessageBox::StandardButton button = buttons_.front();
    buttons_.pop_front();
    box->button(button)->click();
  }

  std::deque<QMessageBox::StandardButton> buttons_;
  QStringList texts_;
  QTimer timer_;
};

// Answers the next file dialog by choosing `path`.
void ChooseFileInNextDialog(const std::string& path) {
  QTimer::singleShot(0, [path] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(QString::fromStdString(path));
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

// A pixel of the label's ink; the hair-thin outline of a printed cell is lighter.
bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 160; }
bool Drawn(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 250; }

// Width of the ink inside `area`, from its leftmost to its rightmost dark pixel.
int InkWidth(const QImage& image, const QRect& area) {
  int left = area.right() + 1;
  int right = area.left() - 1;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (!Dark(image, x, y)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  return right >= left ? right - left + 1 : 0;
}

// The bounding box of everything drawn on the image.
QRect DrawnBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (Drawn(image, x, y)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

class UserSessionTest : public test::AppTest {
 protected:
  QMdiSubWindow* WindowOf(const CDocument& document) {
    const std::vector<CChildFrame*> windows = app_.WindowsOf(document);
    return windows.empty() ? nullptr : windows.front();
  }

  void DoubleClickCharacter(CDotforgeImportDoc& fontSet, std::size_t index) {
    Frame().MdiArea()->setActiveSubWindow(WindowOf(fontSet));
    auto* table = ActiveView<CDotforgeImportView>();
    ASSERT_NE(table, nullptr);
    table->viewport()->repaint();
    const Rect& cell = fontSet.characters[index]->cellRect;
    const QPoint inside = QPoint(cell.left + 5, cell.top + 25) - table->ScrollPosition();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    QApplication::processEvents();
  }

  // A click on a grid cell of the active editor: press and release.
  void ClickPixel(std::int32_t column, std::int32_t row) {
    auto* editor = ActiveView<CDotforgeEditView>();
    ASSERT_NE(editor, nullptr);
    const int s = editor->CellSize();
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(2 * s + column * s + s / 2, 2 * s + row * s + s / 2));
  }

  QString MainTitle() { return Frame().windowTitle(); }
};

TEST_F(UserSessionTest, SaveUnderAnotherNameThenEditAgainKeepsOneEditor) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 4, {0x41, 0x42}, "A.DSB");
  fontSet.characters[0]->bitmap.assign(4, 0);
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - A.DSB");
  DoubleClickCharacter(fontSet, 0);
  ASSERT_NE(ActiveView<CDotforgeEditView>(), nullptr);
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - A.DSB : 0041");
  ClickPixel(0, 0);

  // Save under another name from the font set window.
  Frame().MdiArea()->setActiveSubWindow(WindowOf(fontSet));
  test::TempDir dir;
  ChooseFileInNextDialog((dir / "B.DAT").string());
  ASSERT_TRUE(Frame().Execute(cmd::kSave));
  ASSERT_TRUE(std::filesystem::exists(dir / "B.DAT"));
  EXPECT_EQ(fontSet.GetTitle(), "B.DAT");
  EXPECT_EQ(WindowOf(fontSet)->windowTitle(), "B.DAT");
  ASSERT_EQ(app_.Core().Editors().size(), 1u);
  CDotforgeEditDoc& editor = *app_.Core().Editors().front();
  EXPECT_EQ(WindowOf(editor)->windowTitle(), "B.DAT : 0041");
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - B.DAT");

  // The same character again: its one editor comes to the front.
  DoubleClickCharacter(fontSet, 0);
  EXPECT_EQ(app_.Core().Editors().size(), 1u);
  EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 2);
  ASSERT_EQ(ActiveView<CDotforgeEditView>()->Document(), &editor);
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - B.DAT : 0041");
  ClickPixel(7, 3);
  EXPECT_EQ(fontSet.characters[0]->bitmap, (Bytes{0x80, 0x00, 0x00, 0x01}));

  // Closing the editor releases the character; the title follows the table again.
  WindowOf(editor)->close();
  QTest::qWait(20);
  EXPECT_EQ(fontSet.characters[0]->editorOpen, 0);
  EXPECT_TRUE(app_.Core().Editors().empty());
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - B.DAT");

  app_.CloseFontSetWithoutAsking(fontSet);
  QTest::qWait(20);
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3");
}

// Delete and Backspace in the table close the editor of the character they
// take; undo brings the character back without a window, and it is opened,
// drawn and saved again.
TEST_F(UserSessionTest, DeleteClosesTheEditorThenUndoEditAgainAndSave) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 4, {0x41, 0x42, 0x43}, "DEL.DSB");
  for (const auto& record : fontSet.characters) record->bitmap.assign(4, 0);
  DoubleClickCharacter(fontSet, 1);
  ClickPixel(0, 0);
  ASSERT_EQ(fontSet.characters[1]->bitmap, (Bytes{0x80, 0x00, 0x00, 0x00}));

  Frame().MdiArea()->setActiveSubWindow(WindowOf(fontSet));
  ASSERT_EQ(fontSet.selected, fontSet.characters[1].get());
  ASSERT_TRUE(Frame().Execute(cmd::kDelete));
  QTest::qWait(20);
  EXPECT_TRUE(app_.Core().Editors().empty());
  EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 1);
  ASSERT_EQ(fontSet.characters.size(), 2u);
  EXPECT_EQ(fontSet.selected, fontSet.characters[1].get());

  ASSERT_TRUE(Frame().Execute(cmd::kUndo));
  QTest::qWait(20);
  ASSERT_EQ(fontSet.characters.size(), 3u);
  EXPECT_EQ(fontSet.characters[1]->bitmap, (Bytes{0x80, 0x00, 0x00, 0x00}));
  EXPECT_EQ(fontSet.characters[1]->editorOpen, 0);
  EXPECT_TRUE(app_.Core().Editors().empty());
  EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 1);

  // Opened again: a new window with the glyph as it was; a click draws into it.
  DoubleClickCharacter(fontSet, 1);
  ASSERT_EQ(app_.Core().Editors().size(), 1u);
  EXPECT_EQ(ActiveView<CDotforgeEditView>()->Document()->Grid().At(0, 0), kBlackPixel);
  ClickPixel(7, 3);
  EXPECT_EQ(fontSet.characters[1]->bitmap, (Bytes{0x80, 0x00, 0x00, 0x01}));

  // Backspace on the following character takes this one, and its window with it.
  Frame().MdiArea()->setActiveSubWindow(WindowOf(fontSet));
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  fontSet.selected = fontSet.characters[2].get();
  QTest::keyClick(table->viewport(), Qt::Key_Backspace);
  QTest::qWait(20);
  EXPECT_TRUE(app_.Core().Editors().empty());
  EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 1);
  ASSERT_TRUE(Frame().Execute(cmd::kUndo));
  QTest::qWait(20);
  EXPECT_EQ(fontSet.characters[1]->bitmap, (Bytes{0x80, 0x00, 0x00, 0x01}));
  EXPECT_TRUE(app_.Core().Editors().empty());

  // Saved in its own format under another name; the file holds the drawn glyph.
  test::TempDir dir;
  ChooseFileInNextDialog((dir / "SAVED.DSB").string());
  ASSERT_TRUE(Frame().Execute(cmd::kSave));
  EXPECT_FALSE(fontSet.IsModified());
  auto saved = std::make_unique<CDotforgeImportDoc>();
  ImportRequest request;
  request.importType = kFormatDsb;
  request.fileName = dir / "SAVED.DSB";
  ScriptedPrompt quiet;
  dotforge::OpenFontSet(*saved, request, quiet);
  const auto glyph = std::find_if(saved->characters.begin(), saved->characters.end(),
                                  [](const auto& record) { return record->label == "0042"; });
  ASSERT_NE(glyph, saved->characters.end());
  EXPECT_EQ((*glyph)->bitmap, (Bytes{0x80, 0x00, 0x00, 0x01}));
}

// Character Position leaves a character open in an editor alone, also when the
// keys moved the selection onto it after a click on another character.
TEST_F(UserSessionTest, CharacterPositionKeepsTheCodeOfACharacterOpenInAnEditor) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 4, {0x41, 0x42, 0x43}, "MAP.DSB");
  for (const auto& record : fontSet.characters) record->bitmap.assign(4, 0);
  DoubleClickCharacter(fontSet, 1);
  ASSERT_EQ(app_.Core().Editors().size(), 1u);
  CDotforgeEditDoc& editor = *app_.Core().Editors().front();

  Frame().MdiArea()->setActiveSubWindow(WindowOf(fontSet));
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  const Rect& first = fontSet.characters[0]->cellRect;
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(first.left + 5, first.top + 25) - table->ScrollPosition());
  QTest::keyClick(table->viewport(), Qt::Key_Right);
  ASSERT_EQ(fontSet.selected, fontSet.characters[1].get());

  int dialogs = 0;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&dialogs] {
    // A refusal would come in a message box: closed, so that a fault fails the test rather than hangs it.
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->done(QMessageBox::Ok);
    auto* dialog = qobject_cast<CodeEntryDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    ++dialogs;
    dialog->CodeField()->setText("50");
    dialog->accept();
  });
  answer.start(5);
  ASSERT_TRUE(Frame().Execute(cmd::kCharacterPosition));
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(fontSet.codes, (std::vector<std::int32_t>{0x41, 0x42, 0x43}));

  // The editor still draws into its character.
  Frame().MdiArea()->setActiveSubWindow(WindowOf(editor));
  ClickPixel(0, 0);
  EXPECT_EQ(fontSet.characters[1]->bitmap, (Bytes{0x80, 0x00, 0x00, 0x00}));

  // A selected character without an editor moves as before.
  Frame().MdiArea()->setActiveSubWindow(WindowOf(fontSet));
  QTest::keyClick(table->viewport(), Qt::Key_Right);
  ASSERT_EQ(fontSet.selected, fontSet.characters[2].get());
  ASSERT_TRUE(Frame().Execute(cmd::kCharacterPosition));
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(fontSet.codes, (std::vector<std::int32_t>{0x41, 0x42, 0x50}));
}

TEST_F(UserSessionTest, DoubleClickBetweenCellsOpensNoEditor) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 8, {0x41, 0x42});
  DoubleClickCharacter(fontSet, 1);
  ASSERT_EQ(app_.Core().Editors().size(), 1u);
  WindowOf(*app_.Core().Editors().front())->close();
  QTest::qWait(20);
  Frame().MdiArea()->setActiveSubWindow(WindowOf(fontSet));
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  // In the gap between the first two cells, after the second one was last hit.
  const Rect& first = fontSet.characters[0]->cellRect;
  const QPoint gap(first.right + kTableGap / 2, first.top + 25);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, gap);
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, gap);
  QApplication::processEvents();
  EXPECT_TRUE(app_.Core().Editors().empty());
  EXPECT_EQ(fontSet.selected, fontSet.characters[1].get());
}

TEST_F(UserSessionTest, MainTitleFollowsTheActiveFontSet) {
  CDotforgeImportDoc& first = OpenFontSet(8, 8, {0x41}, "ONE.DSB");
  CDotforgeImportDoc& second = OpenFontSet(8, 8, {0x41}, "TWO.DSB");
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - TWO.DSB");
  Frame().MdiArea()->setActiveSubWindow(WindowOf(first));
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - ONE.DSB");
  app_.CloseFontSetWithoutAsking(first);
  QTest::qWait(20);
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - TWO.DSB");
  app_.CloseFontSetWithoutAsking(second);
  QTest::qWait(20);
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3");
}

TEST_F(UserSessionTest, MainTitleFollowsAMaximisedWindow) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 8, {0x41}, "A.DSB");
  // Maximised, the window's title stands in brackets, as the windowing system shows it.
  WindowOf(fontSet)->showMaximized();
  QApplication::processEvents();
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - [A.DSB]");
  test::TempDir dir;
  ChooseFileInNextDialog((dir / "B.DAT").string());
  ASSERT_TRUE(Frame().Execute(cmd::kSave));
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - [B.DAT]");
  WindowOf(fontSet)->showNormal();
  QApplication::processEvents();
  EXPECT_EQ(MainTitle(), "Dotforge V2.1.3 - B.DAT");
}

TEST_F(UserSessionTest, CloseBoxCancelledAfterNoKeepsEveryWindow) {
  CDotforgeImportDoc& first = OpenFontSet(8, 4, {0x41}, "ONE.DSB");
  CDotforgeImportDoc& second = OpenFontSet(8, 4, {0x41}, "TWO.DSB");
  DoubleClickCharacter(first, 0);
  ClickPixel(2, 2);
  second.SetModifiedFlag();
  const Bytes edited = first.characters[0]->bitmap;
  {
    MessageBoxAnswers answers({QMessageBox::No, QMessageBox::Cancel});
    Frame().close();
    EXPECT_TRUE(answers.AllAnswered());
    EXPECT_EQ(answers.Texts(), (QStringList{"Save changes to ONE.DSB?", "Save changes to TWO.DSB?"}));
  }
  QTest::qWait(20);
  EXPECT_TRUE(Frame().isVisible());
  ASSERT_EQ(app_.Core().FontSets().size(), 2u);
  EXPECT_TRUE(first.IsModified());
  EXPECT_EQ(first.characters[0]->bitmap, edited);
  EXPECT_EQ(app_.Core().Editors().size(), 1u);
  EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 3);

  // Exit from the menu: the same checks; No for both closes everything.
  {
    MessageBoxAnswers answers({QMessageBox::No, QMessageBox::No});
    Frame().Execute(cmd::kExit);
    EXPECT_TRUE(answers.AllAnswered());
  }
  QTest::qWait(20);
  EXPECT_TRUE(app_.Core().FontSets().empty());
  EXPECT_FALSE(Frame().isVisible());
}

TEST_F(UserSessionTest, ReferenceLineFarOutsideTheGridIsNotDrawnInIt) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 8, {0x41, 0x42});
  fontSet.characters[0]->bitmap.assign(8, 0);
  fontSet.characters[1]->bitmap.assign(8, 0);
  const auto redInsideGrid = [this] {
    auto* editor = ActiveView<CDotforgeEditView>();
    EXPECT_NE(editor, nullptr);
    if (!editor) return -1;
    // Room for the whole grid: the window's own size leaves part of it scrolled away.
    Frame().MdiArea()->activeSubWindow()->resize(300, 300);
    const QImage image = editor->viewport()->grab().toImage();
    const int s = editor->CellSize();
    int red = 0;
    for (int y = 2 * s + 2; y < 10 * s - 2; ++y) {
      for (int x = 2 * s + 2; x < 10 * s - 2; ++x) {
        const QColor colour = image.pixelColor(x, y);
        if (colour.red() > 200 && colour.green() < 80 && colour.blue() < 80) ++red;
      }
    }
    return red;
  };
  app_.ReferenceLines() = {3, 4, true};
  DoubleClickCharacter(fontSet, 0);
  EXPECT_GT(redInsideGrid(), 0);

  app_.ReferenceLines() = {1000000000, -1000000000, true};
  DoubleClickCharacter(fontSet, 1);
  EXPECT_EQ(redInsideGrid(), 0);
  test::SaveScreenshot(Frame(), "editor_reference_lines_outside");
}

TEST_F(UserSessionTest, PrintedLabelsKeepTheirSizeInTheCell) {
  CDotforgeImportDoc& fontSet = OpenFontSet(12, 24, {0x41});
  fontSet.characters[0]->bitmap.assign(48, 0);
  fontSet.selected = nullptr;  // no red frame around the cell
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);

  // On screen: the label's width against the cell's.
  const QImage screen = table->viewport()->grab().toImage();
  const TableGeometry geometry = TableGeometryFor(12, 24, false);
  const QRect screenBand(kTableMargin + 2, kTableMargin + 1, geometry.cellWidth - 4, kLabelBand - 2);
  const double screenShare = 1.0 * InkWidth(screen, screenBand) / geometry.cellWidth;
  ASSERT_GT(screenShare, 0.2);

  // On paper, rendered back from the PDF the printer wrote.
  test::TempDir dir;
  const QString pdf = QString::fromStdString((dir / "table.pdf").string());
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  table->PrintTable(printer);
  const QString png = QString::fromStdString((dir / "page").string());
  QProcess render;
  // The top left corner of the first page, where the table starts, at 300 dots per inch.
  render.start("pdftoppm", {"-r", "300", "-x", "0", "-y", "0", "-W", "1000", "-H", "1000", "-gray", "-png",
                            "-singlefile", "-f", "1", "-l", "1", pdf, png});
  ASSERT_TRUE(render.waitForFinished(30000)) << "pdftoppm (poppler-utils) is needed";
  ASSERT_EQ(render.exitCode(), 0);
  const QImage page(png + ".png");
  ASSERT_FALSE(page.isNull());

  // The one cell is the box around all that is drawn; its label band is the top
  // 18 of its canvas pixels.
  const QRect cell = DrawnBox(page);
  ASSERT_FALSE(cell.isEmpty());
  const double scale = 1.0 * cell.width() / geometry.cellWidth;
  const int edge = static_cast<int>(2 * scale) + 1;
  const QRect paperBand(cell.left() + edge, cell.top() + edge, cell.width() - 2 * edge,
                        static_cast<int>((kLabelBand - 1) * scale) - edge);
  // The box has the cell's shape: it is the outline, not the label alone.
  ASSERT_NEAR(1.0 * cell.height() / cell.width(), 1.0 * geometry.cellHeight / geometry.cellWidth, 0.1);
  const double paperShare = 1.0 * InkWidth(page, paperBand) / cell.width();
  EXPECT_NEAR(paperShare, screenShare, 0.3 * screenShare)
      << "label on paper " << paperShare << " of the cell, on screen " << screenShare;
}

TEST_F(UserSessionTest, WindowsOpenWithRoomForTheirContentInsideTheMainWindow) {
  CDotforgeImportDoc& ascii = OpenFontSet(12, 24, test::CodeRange(0x20, 0xFF));
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  const TableGeometry geometry = TableGeometryFor(12, 24, false);
  // Sixteen cells across and four rows down are in view.
  EXPECT_GE(table->viewport()->width(), kCellsPerRow * geometry.pitchX);
  EXPECT_GE(table->viewport()->height(), 4 * geometry.pitchY);
  const QRect area = Frame().MdiArea()->viewport()->rect();
  EXPECT_TRUE(area.contains(Frame().MdiArea()->activeSubWindow()->geometry()));

  // A font too wide for the main window gets a window as large as the window allows.
  OpenFontSet(64, 64, test::CodeRange(0x20, 0x7F), "WIDE.DSB");
  const QRect wide = Frame().MdiArea()->activeSubWindow()->geometry();
  EXPECT_TRUE(area.contains(wide));
  EXPECT_EQ(wide.width(), area.width());

  // An editor opened from it is placed where all of it shows.
  DoubleClickCharacter(ascii, 33);
  ASSERT_NE(ActiveView<CDotforgeEditView>(), nullptr);
  EXPECT_TRUE(area.contains(Frame().MdiArea()->activeSubWindow()->geometry()));
  test::SaveScreenshot(Frame(), "main_window_font_set_and_editor");
}

TEST_F(UserSessionTest, NavigationKeysWithNoCurrentCharacterDoNothing) {
  CDotforgeImportDoc& fontSet = OpenFontSet(8, 8, test::CodeRange(0x100, 0x100 + 399));
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  fontSet.selected = nullptr;
  for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_Down, Qt::Key_End, Qt::Key_Right, Qt::Key_PageDown}) {
    QTest::keyClick(table, key);
  }
  EXPECT_EQ(table->verticalScrollBar()->value(), 0);
  EXPECT_EQ(table->horizontalScrollBar()->value(), 0);
  EXPECT_EQ(fontSet.selected, nullptr);

  // With a current character the same keys move it and scroll along.
  fontSet.SelectFirst();
  QTest::keyClick(table, Qt::Key_PageDown);
  EXPECT_EQ(fontSet.IndexOf(fontSet.selected), std::optional<std::size_t>(160));
  EXPECT_GT(table->verticalScrollBar()->value(), 0);
}

// Runs `open`, then `answer` on the first modal dialog it brings up (looked for
// until one shows, as a dialog may be drawn before it counts as modal); its title.
QString WithNextDialog(const std::function<void()>& open, const std::function<void(QDialog&)>& answer) {
  QString title;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&poll, &title, &answer] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    poll.stop();
    title = dialog->windowTitle();
    answer(*dialog);
  });
  poll.start(5);
  open();
  return title;
}

void Cancel(QDialog& dialog) { dialog.reject(); }

// One file, one window: a set saved under another name is that file from then
// on, a link is the file it points to, and Ctrl+S in an editor saves its set.
class OneFileOneWindowTest : public test::ShownAppTest {};

TEST_F(OneFileOneWindowTest, SaveAsThenOpenBothNamesAndALinkThenSaveFromAnEditor) {
  test::TempDir dir;
  const auto path = [&dir](const char* name) { return (dir / name).string(); };
  ScriptedPrompt quiet;
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(8, 4, {0x41, 0x42}), path("R1.DAT"), quiet));
  std::filesystem::create_symlink(path("R1.DAT"), path("LINK.DAT"));
  app_.OpenFiles({path("R1.DAT")});
  ASSERT_EQ(app_.Core().FontSets().size(), 1u);
  CDotforgeImportDoc& fontSet = *app_.Core().FontSets().front();
  ChooseFileInNextDialog(path("R2.DAT"));
  ASSERT_TRUE(Frame().Execute(cmd::kSave));
  {
    MessageBoxAnswers answers({QMessageBox::Ok, QMessageBox::Ok});
    app_.OpenFiles({path("R2.DAT"), path("R1.DAT"), path("LINK.DAT")});
    EXPECT_EQ(answers.Texts(), (QStringList{"R2.DAT is already opened", "LINK.DAT is already opened"}));
  }
  ASSERT_EQ(app_.Core().FontSets().size(), 2u);

  // Drawn in an editor of R2.DAT; the keys of the File menu work there, Ctrl+S on R2.DAT.
  app_.Core().EditCharacter(fontSet, *fontSet.characters[0]);
  QApplication::processEvents();
  CDotforgeEditView* editor = ActiveView<CDotforgeEditView>();
  ASSERT_NE(editor, nullptr);
  DragAlongRow(*editor, 1, 0, 3);
  // The offscreen platform leaves the main window inactive after a dialog; a desktop activates it again.
  const auto press = [this, editor](Qt::Key key) {
    return [this, editor, key] {
      Frame().activateWindow();
      QApplication::processEvents();
      QTest::keyClick(editor->viewport(), key, Qt::ControlModifier);
    };
  };
  EXPECT_EQ(WithNextDialog(press(Qt::Key_N), Cancel), "New Font");
  EXPECT_EQ(WithNextDialog(press(Qt::Key_O), Cancel), "Import Files ");
  MessageBoxAnswers replace({QMessageBox::Yes});
  WithNextDialog(press(Qt::Key_S), [&path](QDialog& dialog) {
    static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(path("R2.DAT")));
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  EXPECT_FALSE(fontSet.IsModified());
  ImportRequest request;
  request.importType = kFormatDat;
  request.fileName = path("R2.DAT");
  auto saved = std::make_unique<CDotforgeImportDoc>();
  dotforge::OpenFontSet(*saved, request, quiet);
  ASSERT_EQ(saved->characters.size(), 2u);
  EXPECT_NE(saved->characters[0]->bitmap, test::PatternCell(0x41, 8, 4));
  EXPECT_EQ(saved->characters[0]->bitmap, fontSet.characters[0]->bitmap);

  // A set from a TrueType file is not saved as DAT under the TrueType file's name.
  AppTest::OpenFontSet(8, 4, {0x41}, "DV.ttf");
  QString proposed;
  WithNextDialog([this] { Frame().Execute(cmd::kSave); }, [&proposed](QDialog& dialog) {
    proposed = test::FileNameBox(static_cast<QFileDialog&>(dialog))->text();
    dialog.reject();
  });
  EXPECT_EQ(proposed, "DV.DAT");
}

// A TrueType font named on the command line opens the dialog on its type.
TEST_F(OneFileOneWindowTest, ScreenshotOfTheOpenDialogOnATrueTypeFont) {
  test::TempDir dir;
  for (const char* name : {"DejaVuSans.ttf", "R1.DAT"}) std::ofstream(dir / name) << "x";
  QStringList filters;
  WithNextDialog([&] { app_.OpenFiles({(dir / "DejaVuSans.ttf").string()}); }, [&filters](QDialog& dialog) {
    auto& files = static_cast<QFileDialog&>(dialog);
    filters = QStringList{files.selectedNameFilter(), files.nameFilters().back()};
    QTest::qWait(200);  // the folder's listing comes from a thread
    test::SaveScreenshot(dialog, "dialog_open_truetype");
    dialog.reject();
  });
  EXPECT_EQ(filters, (QStringList{"Files TrueType (*.TTF *.OTF *.TTC)", "All Files (*)"}));
}

}  // namespace
}  // namespace dotforge
