#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

#include "app/shell/child_frame.h"
#include "app/shell/command_ids.h"
#include "app/table/import_view.h"
#include "app/table/preview_panel.h"
#include "escpos/receipt_pictures.h"
#include "gui/app_test.h"
#include "gui/gui_support.h"
#include "preview/text_preview.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

class PreviewGuiTest : public test::ShownAppTest {
 protected:
  PreviewPanel& Panel() { return app_.Preview(); }

  // Preview toggles the panel, which comes back as the last run left it.
  void ShowPreview() {
    if (!Panel().isVisible()) {
      ASSERT_TRUE(Frame().Execute(cmd::kPreview));
    }
    QApplication::processEvents();
    ASSERT_TRUE(Panel().isVisible());
  }

  // Types `text` into the panel's text box, a line break as the Enter key.
  void TypeText(const QString& text) {
    Panel().TextBox()->clear();
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (i > 0) QTest::keyClick(Panel().TextBox(), Qt::Key_Return);
      QTest::keyClicks(Panel().TextBox(), lines[i]);
    }
    QApplication::processEvents();
  }

  // The picture the panel shows, as 1 for a black pixel.
  std::vector<std::uint8_t> Shown() {
    QApplication::processEvents();
    const QImage& image = Panel().Picture();
    std::vector<std::uint8_t> dots;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) dots.push_back(qGray(image.pixel(x, y)) < 128 ? 1 : 0);
    }
    return dots;
  }

  // What the core draws for the same request.
  static std::vector<std::uint8_t> Drawn(const CDotforgeImportDoc& doc, const PreviewRequest& request) {
    const PreviewPicture picture = MakePreview(doc, request);
    return picture.image ? picture.image->dots : std::vector<std::uint8_t>{};
  }

  QString MenuText(int id) {
    for (QMenu* menu : Frame().Menus(Frame().CurrentMenuBar())) {
      for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->data().toInt() != id) continue;
        emit menu->aboutToShow();
        return (action->isEnabled() ? "" : "(disabled) ") + action->text() + (action->isChecked() ? " [x]" : "");
      }
    }
    return {};
  }
};

TEST_F(PreviewGuiTest, PreviewFollowsTheTextTheZoomAndAGlyphEditedInItsEditor) {
  CDotforgeImportDoc& doc = OpenFontSet(8, 8, {0x41, 0x42, 0x43}, "SHOP.DSB");
  doc.characters[0]->bitmap.assign(8, 0);  // a blank 'A'
  Panel().hide();
  EXPECT_EQ(MenuText(cmd::kPreview), "Preview");
  ASSERT_TRUE(Frame().Execute(cmd::kPreview));
  QApplication::processEvents();
  ASSERT_TRUE(Panel().isVisible());
  EXPECT_EQ(MenuText(cmd::kPreview), "Preview [x]");
  EXPECT_EQ(Frame().dockWidgetArea(&Panel()), Qt::BottomDockWidgetArea);
  EXPECT_EQ(Panel().FontSet(), &doc);
  // A single-byte set offers the single-byte code pages, CP437 first.
  EXPECT_EQ(Panel().EncodingList()->currentText(), "CP437");
  EXPECT_EQ(Panel().EncodingList()->findText("SHIFT_JIS"), -1);

  TypeText("AB?\nCA");
  Panel().ZoomBox()->setValue(3);
  EXPECT_EQ(Shown(), Drawn(doc, {"AB?\nCA", "CP437", 3}));
  EXPECT_EQ(Panel().Picture().size(), QSize(3 * 8 * 3, 2 * 8 * 3));
  EXPECT_EQ(Panel().StatusLine()->text(), "SHOP.DSB: 72 x 48 pixels");
  EXPECT_TRUE(Panel().SaveButton()->isEnabled());
  test::SaveScreenshot(Frame(), "preview_panel");

  // A stroke in the editor of 'A' reaches the preview.
  const std::vector<std::uint8_t> before = Shown();
  ASSERT_TRUE(Frame().Execute(cmd::kEdit));
  QApplication::processEvents();
  CDotforgeEditView* editor = ActiveView<CDotforgeEditView>();
  ASSERT_NE(editor, nullptr);
  // With the editor active the preview still shows its font set.
  EXPECT_EQ(Panel().FontSet(), &doc);
  DragAlongRow(*editor, 1, 0, 0);
  ASSERT_TRUE(doc.characters[0]->Pixel(0, 1));
  const std::vector<std::uint8_t> after = Shown();
  EXPECT_NE(after, before);
  EXPECT_EQ(after, Drawn(doc, {"AB?\nCA", "CP437", 3}));
  // Both 'A's changed: dot (0,1) is pixels (0..2, 3..5) of the first cell and of the second line's second cell.
  const QImage& image = Panel().Picture();
  EXPECT_LT(qGray(image.pixel(1, 4)), 128);
  EXPECT_LT(qGray(image.pixel(24 + 1, 24 + 4)), 128);

  // Undo puts the glyph and the picture back.
  ASSERT_TRUE(Frame().Execute(cmd::kUndo));
  EXPECT_EQ(Shown(), before);

  // Deleting a character in the table shows it as a box.
  Frame().MdiArea()->setActiveSubWindow(app_.WindowsOf(doc).front());
  QApplication::processEvents();
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  const Rect cell = doc.characters[1]->cellRect;  // 'B'
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
  ASSERT_TRUE(Frame().Execute(cmd::kDelete));
  ASSERT_EQ(doc.characters.size(), 2u);
  EXPECT_EQ(Shown(), Drawn(doc, {"AB?\nCA", "CP437", 3}));
  EXPECT_TRUE(qGray(Panel().Picture().pixel(24 + 12, 0)) < 128);  // the box's top edge

  ASSERT_TRUE(Frame().Execute(cmd::kPreview));
  EXPECT_FALSE(Panel().isVisible());
}

TEST_F(PreviewGuiTest, FollowsTheActiveFontSetWithItsOwnEncodingsAndForgetsAClosedOne) {
  CDotforgeImportDoc& single = OpenFontSet(8, 8, {0x41, 0x42}, "LATIN.DSB");
  ShowPreview();
  TypeText("A\\x8140");
  Panel().EncodingList()->setCurrentText("CP858");
  auto kanji = test::MakeFontSet(16, 16, {0x41, 0x8140}, kDoubleByteFont);
  kanji->SetTitle("KANJI.DDB");
  kanji->SelectFirst();
  CDotforgeImportDoc& wide = app_.Core().AddFontSet(std::move(kanji));
  QApplication::processEvents();
  EXPECT_EQ(Panel().FontSet(), &wide);
  // The double-byte list, UTF-16 first.
  EXPECT_EQ(Panel().EncodingList()->currentText(), "UTF-16");
  EXPECT_NE(Panel().EncodingList()->findText("SHIFT_JIS"), -1);
  EXPECT_EQ(Shown(), Drawn(wide, {"A\\x8140", "UTF-16", 2}));
  EXPECT_EQ(Panel().Picture().width(), 2 * 16 * 2);

  // Back to the single-byte set: its code page choice is kept.
  Frame().MdiArea()->setActiveSubWindow(app_.WindowsOf(single).front());
  QApplication::processEvents();
  EXPECT_EQ(Panel().FontSet(), &single);
  EXPECT_EQ(Panel().EncodingList()->currentText(), "CP858");
  EXPECT_EQ(Shown(), Drawn(single, {"A\\x8140", "CP858", 2}));

  // A bad escape is shown in the panel, with nothing to save.
  TypeText("A\\q");
  EXPECT_TRUE(Panel().Picture().isNull());
  EXPECT_FALSE(Panel().SaveButton()->isEnabled());
  EXPECT_TRUE(Panel().StatusLine()->text().startsWith("Bad escape at character 2: \\q."));

  // Closing the shown set leaves the preview on the set that becomes active.
  app_.CloseFontSetWithoutAsking(single);
  QApplication::processEvents();
  EXPECT_NE(Panel().FontSet(), &single);
  app_.CloseFontSetWithoutAsking(wide);
  QApplication::processEvents();
  EXPECT_EQ(Panel().FontSet(), nullptr);
  EXPECT_TRUE(Panel().Picture().isNull());
  EXPECT_EQ(Panel().StatusLine()->text(), "Activate a font set window to preview its characters.");
}

TEST_F(PreviewGuiTest, AReceiptLineInGlyphsDrawnFromTheScreenFont) {
  // 12 x 24 glyphs of the printable ASCII characters, drawn with the screen's font.
  CDotforgeImportDoc& doc = OpenFontSet(12, 24, test::CodeRange(0x20, 0x7E), "RECEIPT.DSB");
  QFont font;
  font.setPixelSize(20);
  font.setStyleStrategy(QFont::NoAntialias);
  for (const auto& record : doc.characters) {
    QImage glyph(12, 24, QImage::Format_Grayscale8);
    glyph.fill(Qt::white);
    QPainter painter(&glyph);
    painter.setFont(font);
    painter.drawText(glyph.rect(), Qt::AlignCenter, QString(QChar(std::stoi(record->label, nullptr, 16))));
    painter.end();
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 12; ++x) record->SetPixel(x, y, qGray(glyph.pixel(x, y)) < 128);
    }
  }
  ShowPreview();
  TypeText("Total     12.50\nThank you! \\x80");
  EXPECT_EQ(Shown(), Drawn(doc, {"Total     12.50\nThank you! \\x80", "CP437", 2}));
  EXPECT_EQ(Panel().Picture().size(), QSize(15 * 12 * 2, 2 * 24 * 2));
  test::SaveScreenshot(Frame(), "preview_receipt");
}

TEST_F(PreviewGuiTest, EditingKeysInTheTextBoxEditTheTextNeverTheFontSet) {
  CDotforgeImportDoc& doc = OpenFontSet(8, 8, {0x41, 0x42}, "SHOP.DSB");
  // A copied character, so that the set's Paste would change it.
  auto* table = ActiveView<CDotforgeImportView>();
  ASSERT_NE(table, nullptr);
  const Rect cell = doc.characters[1]->cellRect;
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
  ASSERT_TRUE(Frame().Execute(cmd::kCopy));
  ASSERT_TRUE(app_.Core().Values().copiedCharacter.has_value());
  ShowPreview();
  // A dialog a font set command would open is closed and counted.
  int dialogs = 0;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&dialogs] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      ++dialogs;
      modal->close();
    }
  });
  closer.start(10);
  QPlainTextEdit* box = Panel().TextBox();
  box->setFocus();
  TypeText("AB");
  const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
      {Qt::Key_A, Qt::ControlModifier}, {Qt::Key_C, Qt::ControlModifier}, {Qt::Key_V, Qt::ControlModifier},
      {Qt::Key_Insert, Qt::NoModifier}, {Qt::Key_Insert, Qt::ShiftModifier}, {Qt::Key_Insert, Qt::ControlModifier},
      {Qt::Key_Delete, Qt::NoModifier}, {Qt::Key_Delete, Qt::ShiftModifier}, {Qt::Key_Backspace, Qt::NoModifier},
      {Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_Y, Qt::ControlModifier}, {Qt::Key_Backspace, Qt::AltModifier},
  };
  for (const auto& [key, modifiers] : keys) {
    QTest::keyClick(box, key, modifiers);
    QApplication::processEvents();
  }
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(doc.characters.size(), 2u);
  EXPECT_FALSE(doc.history.CanUndo());
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(PreviewGuiTest, SaveWritesThePictureShownAndARefusedFileIsReported) {
  CDotforgeImportDoc& doc = OpenFontSet(8, 8, {0x41, 0x42}, "SHOP.DSB");
  ShowPreview();
  TypeText("AB\nBA?");
  Panel().ZoomBox()->setValue(4);
  QApplication::processEvents();
  const test::TempDir dir;
  const std::string path = (dir / "shown").string();

  // The button asks for a name; ".png" is added to one without it.
  QTimer::singleShot(0, [&path] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Save Preview As PNG");
    dialog->selectFile(QString::fromStdString(path));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  QTest::mouseClick(Panel().SaveButton(), Qt::LeftButton);
  std::int32_t width = 0, height = 0;
  const std::vector<std::uint8_t> saved = test::DecodePng(test::ReadBytes(path + ".png"), width, height);
  EXPECT_EQ(width, Panel().Picture().width());
  EXPECT_EQ(height, Panel().Picture().height());
  EXPECT_EQ(saved, Shown());
  EXPECT_EQ(saved, Drawn(doc, {"AB\nBA?", "CP437", 4}));

  // A read-only file is refused with the program's message and left as it was.
  const std::string locked = (dir / "locked.png").string();
  test::WriteBytes(locked, Bytes{'o', 'l', 'd'});
  ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
  QString shown;
  QTimer::singleShot(0, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
  EXPECT_FALSE(Panel().SavePicture(locked));
  EXPECT_EQ(shown, "Unable To Open File");
  EXPECT_EQ(test::ReadBytes(locked), (Bytes{'o', 'l', 'd'}));
}

}  // namespace
}  // namespace dotforge
