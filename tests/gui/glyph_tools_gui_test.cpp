#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "app/shell/command_ids.h"
#include "app/editor/dots_mime.h"
#include "app/editor/edit_view.h"
#include "app/shell/main_frame.h"
#include "app/editor/paste_image_dialog.h"
#include "gui/app_test.h"
#include "gui/gui_support.h"

namespace dotforge {
namespace {

class GlyphToolsGuiTest : public test::ShownAppTest {
 protected:
  // A font set of blank `width` x `height` characters 0x41 and 0x42 with an
  // editor open on 0x41.
  CDotforgeEditView& OpenEditor(std::int32_t width, std::int32_t height, const std::string& title) {
    CDotforgeImportDoc& doc = OpenFontSet(width, height, {0x41, 0x42}, title);
    for (const auto& record : doc.characters) record->bitmap.assign(CellSize(width, height), 0);
    EXPECT_TRUE(Frame().Execute(cmd::kEdit));
    QApplication::processEvents();
    CDotforgeEditView* editor = ActiveView<CDotforgeEditView>();
    EXPECT_NE(editor, nullptr);
    return *editor;
  }

  static QPoint Centre(const CDotforgeEditView& editor, int column, int row) {
    const int s = editor.CellSize();
    return QPoint(2 * s + column * s + s / 2, 2 * s + row * s + s / 2);
  }

  // A press at one dot, moves through `via` and a release at the last dot.
  static void Drag(CDotforgeEditView& editor, Qt::MouseButton button, QPoint from, std::vector<QPoint> via, QPoint to) {
    QWidget* canvas = editor.viewport();
    QTest::mousePress(canvas, button, Qt::NoModifier, Centre(editor, from.x(), from.y()));
    via.push_back(to);
    for (const QPoint& dot : via) {
      const QPoint at = Centre(editor, dot.x(), dot.y());
      QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, button, Qt::NoModifier);
      QApplication::sendEvent(canvas, &move);
    }
    QTest::mouseRelease(canvas, button, Qt::NoModifier, Centre(editor, to.x(), to.y()));
  }

  static void Click(CDotforgeEditView& editor, Qt::MouseButton button, int column, int row) {
    QTest::mouseClick(editor.viewport(), button, Qt::NoModifier, Centre(editor, column, row));
  }

  // A key as the user types it into the editor window (shortcuts included).
  static void Type(CDotforgeEditView& editor, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&editor, key, modifiers);
    QApplication::processEvents();
  }

  Bytes& Glyph(CDotforgeEditView& editor) { return editor.Document()->FindCharacter()->bitmap; }

  QString UndoName(CDotforgeEditView& editor) {
    return QString::fromStdString(editor.Document()->FontSet().history.UndoName());
  }

  CommandState Query(int id) { return Frame().Route().Query(id); }

  // A picture of the main window with the editor zoomed in and its window enlarged.
  void Screenshot(CDotforgeEditView& editor, const QString& name) {
    for (int i = 0; i < 3; ++i) Frame().Execute(cmd::kZoomIn);
    editor.parentWidget()->resize(editor.FrameSize() + QSize(40, 40));
    Frame().RefreshCommandStates();
    QApplication::processEvents();
    test::SaveScreenshot(Frame(), name);
  }
};

TEST_F(GlyphToolsGuiTest, ToolsAreOneGroupChosenByKeyOrButton) {
  CDotforgeEditView& editor = OpenEditor(8, 4, "TOOLS.DSB");
  const std::vector<int> tools = {cmd::kPenEdit,           cmd::kToolLine,    cmd::kToolRectangle,
                                  cmd::kToolFilledRectangle, cmd::kToolEllipse, cmd::kToolFloodFill,
                                  cmd::kToolSelect};
  const auto checked = [&] {
    std::vector<int> on;
    for (const int id : tools) {
      if (Query(id).check == CommandState::Check::Checked) on.push_back(id);
    }
    return on;
  };
  EXPECT_EQ(checked(), std::vector<int>{cmd::kPenEdit});
  const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
      {Qt::Key_L, Qt::NoModifier}, {Qt::Key_R, Qt::NoModifier}, {Qt::Key_R, Qt::ShiftModifier},
      {Qt::Key_E, Qt::NoModifier}, {Qt::Key_F, Qt::NoModifier}, {Qt::Key_S, Qt::NoModifier},
      {Qt::Key_P, Qt::NoModifier}};
  const std::vector<int> chosen = {cmd::kToolLine,    cmd::kToolRectangle,  cmd::kToolFilledRectangle,
                                   cmd::kToolEllipse, cmd::kToolFloodFill, cmd::kToolSelect,
                                   cmd::kPenEdit};
  for (std::size_t i = 0; i < keys.size(); ++i) {
    Type(editor, keys[i].first, keys[i].second);
    EXPECT_EQ(checked(), std::vector<int>{chosen[i]}) << i;
  }
  // The toolbar shows the same: its Ellipse button checked, the others not.
  Frame().ToolbarAction(cmd::kToolEllipse)->trigger();
  Frame().RefreshCommandStates();
  EXPECT_TRUE(Frame().ToolbarAction(cmd::kToolEllipse)->isChecked());
  EXPECT_FALSE(Frame().ToolbarAction(cmd::kToolLine)->isChecked());
  EXPECT_FALSE(Frame().ToolbarAction(cmd::kPenEdit)->isChecked());
  EXPECT_EQ(editor.Tool(), EditTool::Ellipse);
  QToolBar* glyphBar = Frame().GlyphToolbar();
  ASSERT_NE(glyphBar, nullptr);
  EXPECT_TRUE(glyphBar->isVisible());
  test::SaveScreenshot(*glyphBar, "glyph_toolbar");
  // A cell that is not square: the quarter turns are disabled.
  EXPECT_FALSE(Frame().ToolbarAction(cmd::kRotateLeft)->isEnabled());
  EXPECT_FALSE(Query(cmd::kRotateRight).enabled);
  EXPECT_TRUE(Query(cmd::kFlipHorizontal).enabled);
  EXPECT_FALSE(Query(cmd::kCut).enabled);
  EXPECT_TRUE(Query(cmd::kCopy).enabled);
}

TEST_F(GlyphToolsGuiTest, ALineFollowsTheMouseAndIsOneStepAtTheRelease) {
  CDotforgeEditView& editor = OpenEditor(8, 4, "LINE.DSB");
  Type(editor, Qt::Key_L);
  QWidget* canvas = editor.viewport();
  QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, Centre(editor, 0, 0));
  for (const QPoint dot : {QPoint(3, 3), QPoint(7, 3)}) {
    const QPoint at = Centre(editor, dot.x(), dot.y());
    QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
  }
  // Only the view shows the line while the button is down.
  EXPECT_EQ(Glyph(editor), Bytes(4, 0));
  EXPECT_EQ(editor.Document()->Grid().At(0, 0), kWhitePixel);
  const QImage preview = editor.viewport()->grab().toImage();
  EXPECT_EQ(QColor(preview.pixel(Centre(editor, 7, 3))), QColor(Qt::black));
  EXPECT_EQ(QColor(preview.pixel(Centre(editor, 7, 0))), QColor(Qt::white));
  QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, Centre(editor, 7, 3));
  EXPECT_EQ(Glyph(editor), (Bytes{0xC0, 0x30, 0x0C, 0x03}));
  EXPECT_EQ(UndoName(editor), "Line");

  // Started on a black dot the left button draws white, like the pen; the right
  // button draws the dot's own colour.
  Drag(editor, Qt::LeftButton, {0, 0}, {}, {7, 0});
  EXPECT_EQ(Glyph(editor), (Bytes{0x00, 0x30, 0x0C, 0x03}));
  Drag(editor, Qt::RightButton, {2, 1}, {{5, 1}}, {7, 1});
  EXPECT_EQ(Glyph(editor), (Bytes{0x00, 0x3F, 0x0C, 0x03}));
  EXPECT_EQ(editor.Document()->FontSet().history.UndoCount(), 3u);

  Type(editor, Qt::Key_Z, Qt::ControlModifier);
  Type(editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Glyph(editor), (Bytes{0xC0, 0x30, 0x0C, 0x03}));
  Type(editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Glyph(editor), Bytes(4, 0));
  EXPECT_FALSE(editor.Document()->FontSet().IsModified());
}

TEST_F(GlyphToolsGuiTest, RectanglesEllipseAndFloodFill) {
  CDotforgeEditView& editor = OpenEditor(8, 4, "SHAPES.DSB");
  Type(editor, Qt::Key_R, Qt::ShiftModifier);
  Drag(editor, Qt::LeftButton, {0, 0}, {{3, 2}}, {7, 3});
  EXPECT_EQ(Glyph(editor), Bytes(4, 0xFF));
  EXPECT_EQ(UndoName(editor), "Filled Rectangle");
  Type(editor, Qt::Key_R);
  Drag(editor, Qt::LeftButton, {6, 2}, {}, {1, 1});
  EXPECT_EQ(Glyph(editor), (Bytes{0xFF, 0x81, 0x81, 0xFF}));
  EXPECT_EQ(UndoName(editor), "Rectangle");
  // Escape drops a shape under way: nothing is drawn at the release.
  Type(editor, Qt::Key_E);
  QTest::mousePress(editor.viewport(), Qt::LeftButton, Qt::NoModifier, Centre(editor, 0, 0));
  Type(editor, Qt::Key_Escape);
  QTest::mouseRelease(editor.viewport(), Qt::LeftButton, Qt::NoModifier, Centre(editor, 7, 3));
  EXPECT_EQ(Glyph(editor), (Bytes{0xFF, 0x81, 0x81, 0xFF}));

  Type(editor, Qt::Key_F);
  Click(editor, Qt::RightButton, 0, 0);  // black on black: no change, no step
  EXPECT_EQ(UndoName(editor), "Rectangle");
  Click(editor, Qt::LeftButton, 3, 2);
  EXPECT_EQ(Glyph(editor), Bytes(4, 0xFF));
  EXPECT_EQ(UndoName(editor), "Flood Fill");
  Click(editor, Qt::LeftButton, 5, 0);
  EXPECT_EQ(Glyph(editor), Bytes(4, 0));

  Type(editor, Qt::Key_E);
  Drag(editor, Qt::LeftButton, {7, 3}, {{2, 2}}, {0, 0});
  EXPECT_EQ(Glyph(editor), (Bytes{0x7E, 0x81, 0x81, 0x7E}));
  EXPECT_EQ(UndoName(editor), "Ellipse");
  // The Glyph menu's commands by their shortcuts.
  Type(editor, Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(Glyph(editor), (Bytes{0x81, 0x7E, 0x7E, 0x81}));
  EXPECT_EQ(UndoName(editor), "Invert");
  Type(editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Glyph(editor), (Bytes{0x7E, 0x81, 0x81, 0x7E}));
}

TEST_F(GlyphToolsGuiTest, ASelectionMovesByMouseAndArrowKeysAndEscapeDropsIt) {
  CDotforgeEditView& editor = OpenEditor(8, 4, "SELECT.DSB");
  Glyph(editor) = Bytes{0xC0, 0xC0, 0x00, 0x01};
  editor.Document()->ReloadGrid(*editor.Document()->FindCharacter());
  const Bytes start = Glyph(editor);
  Type(editor, Qt::Key_S);
  Drag(editor, Qt::LeftButton, {1, 1}, {{0, 1}}, {0, 0});
  EXPECT_EQ(editor.Document()->Selection().Area(), (DotRect{0, 0, 2, 2}));
  EXPECT_FALSE(editor.Document()->FontSet().history.CanUndo());
  EXPECT_TRUE(Query(cmd::kCut).enabled);

  Type(editor, Qt::Key_Right);
  Type(editor, Qt::Key_Right);
  Type(editor, Qt::Key_Down);
  EXPECT_EQ(Glyph(editor), (Bytes{0x00, 0x30, 0x30, 0x01}));
  EXPECT_EQ(editor.Document()->FontSet().history.UndoCount(), 3u);
  EXPECT_EQ(UndoName(editor), "Move");
  // A drag inside the selection carries it on, over the dot in the corner.
  Drag(editor, Qt::LeftButton, {3, 2}, {{4, 2}, {5, 3}}, {7, 3});
  EXPECT_EQ(Glyph(editor), (Bytes{0x00, 0x00, 0x03, 0x03}));
  EXPECT_EQ(editor.Document()->FontSet().history.UndoCount(), 4u);
  Screenshot(editor, "glyph_tools_selection");

  // Moved back off the last dot, the dot beneath comes back.
  Type(editor, Qt::Key_Up);
  EXPECT_EQ(Glyph(editor), (Bytes{0x00, 0x03, 0x03, 0x01}));
  Type(editor, Qt::Key_Escape);
  EXPECT_FALSE(editor.Document()->Selection().Active());
  Type(editor, Qt::Key_Left);  // nothing selected: no move
  EXPECT_EQ(Glyph(editor), (Bytes{0x00, 0x03, 0x03, 0x01}));
  EXPECT_EQ(editor.Document()->FontSet().history.UndoCount(), 5u);

  for (int i = 0; i < 5; ++i) Type(editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Glyph(editor), start);
  EXPECT_FALSE(editor.Document()->FontSet().IsModified());
}

TEST_F(GlyphToolsGuiTest, CopyFromOneFontSetPastesClippedIntoAnotherOfAnotherSize) {
  CDotforgeEditView& source = OpenEditor(8, 4, "WIDE.DSB");
  Glyph(source) = Bytes{0x81, 0xFF, 0x81, 0x18};
  source.Document()->ReloadGrid(*source.Document()->FindCharacter());
  Type(source, Qt::Key_C, Qt::ControlModifier);  // no selection: the whole glyph

  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->hasFormat(kDotsMimeType));
  EXPECT_EQ(data->text(), "#......#\n########\n#......#\n...##...\n");
  QImage picture;
  ASSERT_TRUE(picture.loadFromData(data->data(kPngMimeType), "PNG"));
  EXPECT_EQ(picture.size(), QSize(8, 4));
  EXPECT_EQ(QColor(picture.pixel(0, 0)), QColor(Qt::black));
  EXPECT_EQ(QColor(picture.pixel(1, 0)), QColor(Qt::white));

  CDotforgeEditView& target = OpenEditor(6, 6, "SQUARE.DSB");
  ASSERT_NE(&target, &source);
  Glyph(target) = Bytes{0, 0, 0, 0, 0xFC, 0xFC};
  target.Document()->ReloadGrid(*target.Document()->FindCharacter());
  const Bytes before = Glyph(target);
  Type(target, Qt::Key_V, Qt::ControlModifier);
  // At the top-left, cut at the cell's right edge; the rows below stay.
  EXPECT_EQ(Glyph(target), (Bytes{0x80, 0xFC, 0x80, 0x18, 0xFC, 0xFC}));
  EXPECT_EQ(UndoName(target), "Paste");
  EXPECT_EQ(target.Tool(), EditTool::Select);
  EXPECT_EQ(target.Document()->Selection().Area(), (DotRect{0, 0, 8, 4}));
  // The pasted block floats: moved left, its cut-off column comes in.
  Type(target, Qt::Key_Left);
  Type(target, Qt::Key_Left);
  EXPECT_EQ(Glyph(target), (Bytes{0x04, 0xFC, 0x04, 0x60, 0xFC, 0xFC}));
  Screenshot(target, "glyph_tools_paste");
  Type(target, Qt::Key_Escape);
  EXPECT_FALSE(target.Document()->Selection().Active());
  // The source is untouched and its set has no step.
  EXPECT_EQ(Glyph(source), (Bytes{0x81, 0xFF, 0x81, 0x18}));
  EXPECT_FALSE(source.Document()->FontSet().history.CanUndo());

  for (int i = 0; i < 3; ++i) Type(target, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Glyph(target), before);
  EXPECT_FALSE(target.Document()->FontSet().history.CanUndo());
}

// A picture from another program: Paste asks for the threshold, and the dots land
// at the selection's top-left corner as one step.
TEST_F(GlyphToolsGuiTest, APictureFromAnotherProgramIsPastedAtTheSelection) {
  CDotforgeEditView& editor = OpenEditor(8, 4, "PICTURE.DSB");
  Type(editor, Qt::Key_S);
  Drag(editor, Qt::LeftButton, {2, 1}, {}, {4, 2});
  ASSERT_TRUE(editor.Document()->Selection().Active());

  QImage picture(3, 2, QImage::Format_RGB32);
  picture.fill(Qt::black);
  picture.setPixel(1, 0, qRgb(230, 230, 230));
  QGuiApplication::clipboard()->setImage(picture);
  bool asked = false;
  QTimer::singleShot(0, [&asked] {
    if (auto* dialog = qobject_cast<PasteImageDialog*>(QApplication::activeModalWidget())) {
      asked = true;
      dialog->accept();
    }
  });
  Type(editor, Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(asked);
  EXPECT_EQ(Glyph(editor), (Bytes{0x00, 0x28, 0x38, 0x00}));
  EXPECT_EQ(UndoName(editor), "Paste");
  Type(editor, Qt::Key_Escape);
  EXPECT_TRUE(Frame().Execute(cmd::kUndo));
  EXPECT_EQ(Glyph(editor), (Bytes{0, 0, 0, 0}));
}

TEST_F(GlyphToolsGuiTest, CutAndDeleteWhitenTheSelectionAndAnotherToolDropsAPaste) {
  CDotforgeEditView& editor = OpenEditor(8, 4, "CUT.DSB");
  Glyph(editor) = Bytes(4, 0xFF);
  editor.Document()->ReloadGrid(*editor.Document()->FindCharacter());
  Type(editor, Qt::Key_S);
  Drag(editor, Qt::LeftButton, {0, 0}, {}, {3, 1});
  Type(editor, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Glyph(editor), (Bytes{0x0F, 0x0F, 0xFF, 0xFF}));
  EXPECT_EQ(UndoName(editor), "Cut");
  EXPECT_FALSE(Query(cmd::kDelete).enabled);
  Drag(editor, Qt::LeftButton, {7, 3}, {}, {6, 2});
  Type(editor, Qt::Key_Delete);
  EXPECT_EQ(Glyph(editor), (Bytes{0x0F, 0x0F, 0xFC, 0xFC}));
  EXPECT_EQ(UndoName(editor), "Delete");

  // The cut dots pasted over the selection's place, then the pen chosen: the
  // paste stays where it was shown and the pen draws on from there.
  Drag(editor, Qt::LeftButton, {4, 2}, {}, {4, 2});
  Type(editor, Qt::Key_Insert, Qt::ShiftModifier);  // the other Paste key
  EXPECT_EQ(Glyph(editor), (Bytes{0x0F, 0x0F, 0xFF, 0xFF}));
  Type(editor, Qt::Key_P);
  EXPECT_FALSE(editor.Document()->Selection().Active());
  Click(editor, Qt::LeftButton, 0, 3);
  EXPECT_EQ(Glyph(editor), (Bytes{0x0F, 0x0F, 0xFF, 0x7F}));
  EXPECT_EQ(UndoName(editor), "Stroke");
}

}  // namespace
}  // namespace dotforge
