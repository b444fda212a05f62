#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/shell/app_messages.h"
#include "app/dialogs/face_preview_view.h"
#include "app/dialogs/file_dialogs.h"
#include "app/dialogs/small_dialogs.h"
#include "app/dialogs/work_progress.h"
#include "formats/commands/export_command.h"
#include "formats/firmware/firmware_messages.h"
#include "formats/formats_messages.h"
#include "formats/commands/import_command.h"
#include "formats/outline/outline_font_importer.h"
#include "framework/scripted_prompt.h"
#include "gui/gui_support.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using test::ChooseType;
using test::FileNameBox;

QStringList LabelTexts(const QWidget& widget) {
  QStringList texts;
  for (const QLabel* label : widget.findChildren<QLabel*>()) texts << label->text();
  return texts;
}

// Answers the next message box with OK and keeps its text.
void AnswerNextMessageBox(QString& text) {
  QTimer::singleShot(0, [&text] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      text = box->text();
      box->accept();
    }
  });
}

TEST(ImportFileDialog, TypeChangeKeepsTypedSizeAndShowsThePattern) {
  test::TempDir dir;
  const ImportDialogRequest request{"Import Files ", ImportTypeList(), "", dir.Path().string(), 12, 24, 8, {}};
  ImportFileDialog dialog(request);
  dialog.resize(760, 480);
  dialog.show();
  EXPECT_EQ(dialog.directory().absolutePath().toStdString(), dir.Path().string());
  ChooseType(dialog, 3);  // ST10
  dialog.WidthField()->setText("40");
  dialog.HeightField()->setText("7");
  FileNameBox(dialog)->setText("MYFONT.C");
  ChooseType(dialog, 4);  // ST9
  EXPECT_EQ(dialog.WidthField()->text(), "40");
  EXPECT_EQ(dialog.HeightField()->text(), "7");
  EXPECT_EQ(FileNameBox(dialog)->text(), "*.ST9");
  EXPECT_TRUE(dialog.WidthField()->isEnabled());
  ChooseType(dialog, 0);  // DAT: the boxes are disabled, their values stay
  EXPECT_FALSE(dialog.WidthField()->isEnabled());
  EXPECT_EQ(dialog.WidthField()->text(), "40");
  EXPECT_EQ(FileNameBox(dialog)->text(), "*.DAT");
  ChooseType(dialog, 8);  // TrueType
  test::SaveScreenshot(dialog, "dialog_import");
}

constexpr int kDatIndex = 0;
constexpr int kPsfIndex = 11;

// The bitmap font rows are shown for a bitmap type only, offer the last choices,
// and a wrong code subset keeps the dialog open with its message.
TEST(ImportFileDialog, BitmapTypeOffersItsOptionsAndRefusesAWrongSubset) {
  test::TempDir dir;
  test::WriteBytes(dir / "TERMINUS.PSF", Bytes{0x36, 0x04, 0x02, 0x10});
  const ImportDialogRequest request{"Import Files ", ImportTypeList(), "", dir.Path().string(), 0, 0, 8,
                                    BitmapDialogOptions{std::nullopt, "CP437", "20-7E", 0}};
  ImportFileDialog dialog(request);
  dialog.resize(760, 600);
  dialog.show();
  QWidget* rows[] = {dialog.BaselineField(), dialog.EncodingList(), dialog.CodesField(), dialog.FontTypeList()};
  for (QWidget* row : rows) EXPECT_FALSE(row->isVisible());
  EXPECT_TRUE(LabelTexts(dialog).contains(msg::kImportCodesLabel));

  ChooseType(dialog, kPsfIndex);
  for (QWidget* row : rows) EXPECT_TRUE(row->isVisible());
  EXPECT_TRUE(dialog.WidthField()->isEnabled());
  EXPECT_EQ(dialog.WidthField()->text(), "0");
  EXPECT_EQ(dialog.BaselineField()->text(), "");
  EXPECT_EQ(dialog.BaselineField()->placeholderText(), msg::kImportFromTheFont);
  EXPECT_EQ(dialog.EncodingList()->currentText(), "CP437");
  EXPECT_EQ(dialog.EncodingList()->itemText(0), msg::kEncodingUnicode);
  EXPECT_EQ(dialog.EncodingList()->count(), 13);
  EXPECT_EQ(dialog.CodesField()->text(), "20-7E");
  EXPECT_EQ(dialog.FontTypeList()->currentText(), msg::kFontTypeAutomatic);
  EXPECT_EQ(FileNameBox(dialog)->text(), "*.PSF");

  FileNameBox(dialog)->setText("TERMINUS.PSF");
  dialog.WidthField()->setText("8");
  dialog.BaselineField()->setText("20");
  dialog.CodesField()->setText("41-5A, 8G");
  dialog.FontTypeList()->setCurrentIndex(kFontTypeSingleIndex);
  dialog.EncodingList()->setCurrentIndex(dialog.EncodingList()->findText("Shift_JIS"));
  test::SaveScreenshot(dialog, "dialog_import_bitmap");
  QString shown;
  AnswerNextMessageBox(shown);
  dialog.accept();
  EXPECT_EQ(shown.toStdString(), msg::kCodesSyntax);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.Answer());

  // Another type hides the rows and keeps their values.
  ChooseType(dialog, kDatIndex);
  for (QWidget* row : rows) EXPECT_FALSE(row->isVisible());
  ChooseType(dialog, kPsfIndex);
  EXPECT_EQ(dialog.CodesField()->text(), "41-5A, 8G");
  FileNameBox(dialog)->setText("TERMINUS.PSF");
  dialog.CodesField()->setText("41-5A, 82");
  dialog.accept();
  ASSERT_TRUE(dialog.Answer());
  EXPECT_EQ(dialog.Answer()->path, (dir / "TERMINUS.PSF").string());
  EXPECT_EQ(dialog.Answer()->type, kPsfIndex + 1);
  EXPECT_EQ(dialog.Answer()->width, 8);
  EXPECT_EQ(dialog.Answer()->height, 0);
  EXPECT_EQ(dialog.Answer()->bitmap.baseline, 20);
  EXPECT_EQ(dialog.Answer()->bitmap.encoding, "SHIFT_JIS");
  EXPECT_EQ(dialog.Answer()->bitmap.codes, "41-5A,82");
  EXPECT_EQ(dialog.Answer()->bitmap.fontTypeIndex, kFontTypeSingleIndex);
}

// The bitmap options stay in the dialog, hidden, while an outline font is chosen;
// the outline import then takes every code of the face, not the hidden subset.
TEST(ImportFileDialog, OutlineFontTakesNoHiddenBitmapChoices) {
  constexpr int kTrueTypeIndex = 8;
  test::TempDir dir;
  test::WriteBytes(dir / "SANS.TTF", Bytes{0x00, 0x01, 0x00, 0x00});
  const ImportDialogRequest request{"Import Files ", ImportTypeList(), "", dir.Path().string(), 16, 16, 8,
                                    BitmapDialogOptions{20, "CP437", "20-7E", kFontTypeSingleIndex}};
  ImportFileDialog dialog(request);
  dialog.show();
  ChooseType(dialog, kTrueTypeIndex);
  EXPECT_FALSE(dialog.CodesField()->isVisible());
  FileNameBox(dialog)->setText("SANS.TTF");
  dialog.accept();
  ASSERT_TRUE(dialog.Answer());
  EXPECT_EQ(dialog.Answer()->type, kTrueTypeIndex + 1);
  EXPECT_FALSE(dialog.Answer()->bitmap.baseline);
  EXPECT_EQ(dialog.Answer()->bitmap.encoding, "");
  EXPECT_EQ(dialog.Answer()->bitmap.codes, "");
  EXPECT_EQ(dialog.Answer()->bitmap.fontTypeIndex, 0);
}

TEST(ExportFileDialog, WildcardNameFiltersTheListingAndStaysOpen) {
  test::TempDir dir;
  test::WriteBytes(dir / "A.DAT", Bytes{1});
  test::WriteBytes(dir / "B.DDB", Bytes{1});
  test::WriteBytes(dir / "C.DDB", Bytes{1});
  const ExportDialogRequest request{"Export Files ", ExportTypeList(), "LOGO.DSB", 8, '0'};
  ExportFileDialog dialog(request);
  dialog.setDirectory(QString::fromStdString(dir.Path().string()));
  dialog.resize(760, 480);
  dialog.show();
  EXPECT_TRUE(LabelTexts(dialog).contains("Font Download Id :"));

  ChooseType(dialog, 2);  // DDB: the name box holds the pattern
  EXPECT_EQ(FileNameBox(dialog)->text(), "*.DDB");
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.Answer());
  auto* model = dialog.findChild<QFileSystemModel*>();
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(model->nameFilters(), QStringList{"*.DDB"});

  FileNameBox(dialog)->setText("?.DAT");
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(model->nameFilters(), QStringList{"?.DAT"});
  QTest::qWait(200);
  test::SaveScreenshot(dialog, "dialog_export_filtered");

  FileNameBox(dialog)->setText("NEW.DDB");
  dialog.accept();
  ASSERT_TRUE(dialog.Answer());
  EXPECT_EQ(dialog.Answer()->path, (dir / "NEW.DDB").string());
  EXPECT_EQ(dialog.Answer()->type, 3);
}

// The bitmap font types after the eight file formats: their option boxes, a
// baseline outside the cell kept open with a warning, a long name accepted.
TEST(ExportFileDialog, BitmapFontTypesWithBaselineAndCodePage) {
  test::TempDir dir;
  const ExportDialogRequest request{"Export Files ", ExportTypeList(), "KANJI.DDB", 8, '4', 24, 21};
  ExportFileDialog dialog(request);
  dialog.setDirectory(QString::fromStdString(dir.Path().string()));
  dialog.resize(760, 520);
  dialog.show();
  EXPECT_TRUE(LabelTexts(dialog).contains(msg::kBaselineLabel));
  EXPECT_TRUE(LabelTexts(dialog).contains(msg::kCodePageLabel));
  auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
  ASSERT_NE(types, nullptr);
  ASSERT_EQ(types->count(), 14);
  EXPECT_EQ(types->itemText(2), "Files Double Byte Font (*.DDB)");
  EXPECT_EQ(types->itemText(8), "Files BDF (*.BDF)");
  EXPECT_EQ(types->itemText(9), "Files PSF2 (*.PSF)");
  EXPECT_EQ(types->itemText(10), "Files Unifont hex (*.HEX)");
  EXPECT_EQ(types->itemText(13), "All Files (*)");
  EXPECT_FALSE(dialog.BaselineField()->isEnabled());
  EXPECT_EQ(dialog.BaselineField()->text(), "21");

  ChooseType(dialog, 8);  // BDF
  EXPECT_EQ(FileNameBox(dialog)->text(), "*.BDF");
  EXPECT_TRUE(dialog.BaselineField()->isEnabled());
  EXPECT_TRUE(dialog.CodePageField()->isEnabled());
  EXPECT_FALSE(dialog.FontIdField()->isEnabled());
  dialog.BaselineField()->setText("30");
  dialog.CodePageField()->setText(" SHIFT_JIS ");
  FileNameBox(dialog)->setText("kanji-receipt-24.bdf");
  QString warning;
  AnswerNextMessageBox(warning);
  dialog.accept();
  EXPECT_EQ(warning.toStdString(), msg::kBaselineOutsideCell);
  EXPECT_FALSE(dialog.Answer());
  test::SaveScreenshot(dialog, "dialog_export_bdf");

  dialog.BaselineField()->setText("20");
  dialog.accept();
  ASSERT_TRUE(dialog.Answer());
  EXPECT_EQ(dialog.Answer()->type, 9);
  EXPECT_EQ(dialog.Answer()->path, (dir / "kanji-receipt-24.bdf").string());
  EXPECT_EQ(dialog.Answer()->baseline, 20);
  EXPECT_EQ(dialog.Answer()->codePage, "SHIFT_JIS");
}

TEST(ExportFileDialog, Psf2AndHexTakeNoBaseline) {
  const ExportDialogRequest request{"Export Files ", ExportTypeList(), "CONSOLE.PSF", 8, '0', 16, 14};
  ExportFileDialog dialog(request);
  dialog.show();
  EXPECT_FALSE(dialog.BaselineField()->isEnabled());
  EXPECT_TRUE(dialog.CodePageField()->isEnabled());
  ChooseType(dialog, 10);  // Unifont hex
  EXPECT_FALSE(dialog.BaselineField()->isEnabled());
  EXPECT_FALSE(dialog.CodePageField()->isEnabled());
  ChooseType(dialog, 9);  // PSF2
  dialog.BaselineField()->setText("99");
  FileNameBox(dialog)->setText("/tmp/console-font.psf");
  dialog.accept();
  ASSERT_TRUE(dialog.Answer());
  EXPECT_EQ(dialog.Answer()->type, 10);
  EXPECT_FALSE(dialog.Answer()->baseline);
  EXPECT_EQ(dialog.Answer()->codePage, "");
}

// The C array type shows its layout rows, starting as the last export left
// them; the answer carries what they show, and a long name is taken.
TEST(ExportFileDialog, CArrayTypeShowsItsLayoutRows) {
  test::TempDir dir;
  ExportDialogRequest request{"Export Files ", ExportTypeList(), "OLED.DAT", 8, '0', 16, 14};
  request.carray = CArrayDialogOptions{false, true, false, true};
  ExportFileDialog dialog(request);
  dialog.setDirectory(QString::fromStdString(dir.Path().string()));
  dialog.resize(760, 600);
  dialog.show();
  EXPECT_FALSE(dialog.LayoutList()->isVisible());
  EXPECT_FALSE(dialog.ArtBox()->isVisible());
  ChooseType(dialog, 12);  // C arrays, after the GFX font
  EXPECT_EQ(FileNameBox(dialog)->text(), "*.H");
  for (QWidget* row : {static_cast<QWidget*>(dialog.LayoutList()), static_cast<QWidget*>(dialog.BitOrderList()),
                       static_cast<QWidget*>(dialog.InvertBox()), static_cast<QWidget*>(dialog.ArtBox())}) {
    EXPECT_TRUE(row->isVisible());
  }
  EXPECT_TRUE(LabelTexts(dialog).contains(msg::kLayoutLabel));
  EXPECT_EQ(dialog.BitOrderList()->currentText(), msg::kBitOrderLsb);
  EXPECT_TRUE(dialog.ArtBox()->isChecked());
  EXPECT_FALSE(dialog.BaselineField()->isEnabled());
  dialog.LayoutList()->setCurrentIndex(1);
  dialog.InvertBox()->setChecked(true);
  test::SaveScreenshot(dialog, "dialog_export_carray");
  ChooseType(dialog, 11);  // GFX: its baseline, no layout rows
  EXPECT_TRUE(dialog.BaselineField()->isEnabled());
  EXPECT_FALSE(dialog.LayoutList()->isVisible());
  ChooseType(dialog, 12);
  FileNameBox(dialog)->setText("oled-display-font.h");
  dialog.accept();
  ASSERT_TRUE(dialog.Answer());
  EXPECT_EQ(dialog.Answer()->type, 13);
  EXPECT_EQ(dialog.Answer()->carray, (CArrayDialogOptions{true, true, true, true}));
}

TEST(FontFacesDialog, CaptionsAndNothingPreselected) {
  const FontFacesRequest request{{"DejaVu Sans - Book", "DejaVu Sans - Bold"},
                                 {{"unicode encoding"}, {"unicode encoding", "apple roman encoding"}},
                                 {},
                                 {}};
  FontFacesDialog dialog(request);
  dialog.show();
  EXPECT_TRUE(LabelTexts(dialog).contains("Available font faces"));
  EXPECT_TRUE(LabelTexts(dialog).contains("Available characters mapping"));
  const QList<QListWidget*> lists = dialog.findChildren<QListWidget*>();
  ASSERT_EQ(lists.size(), 2);
  QListWidget* faces = lists[0];
  QListWidget* maps = lists[1];
  EXPECT_TRUE(faces->selectedItems().isEmpty());
  EXPECT_EQ(maps->count(), 2) << "the maps of the last face until a face is chosen";
  EXPECT_TRUE(maps->selectedItems().isEmpty());
  test::SaveScreenshot(dialog, "dialog_font_faces");

  QString shown;
  AnswerNextMessageBox(shown);
  dialog.accept();
  EXPECT_EQ(shown.toStdString(), msg::kSelectFontFace);
  EXPECT_TRUE(dialog.isVisible());

  faces->setCurrentRow(0);
  EXPECT_EQ(maps->count(), 1);
  EXPECT_TRUE(maps->selectedItems().isEmpty());
  AnswerNextMessageBox(shown);
  dialog.accept();
  EXPECT_EQ(shown.toStdString(), msg::kSelectCharmap);
  EXPECT_TRUE(dialog.isVisible());

  maps->setCurrentRow(0);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Answer().face, 0);
  EXPECT_EQ(dialog.Answer().charmap, 0);
}

// The keep-codes controls with a real face: the preview follows the fields,
// names the defaults, and OK refuses numbers that are not integers or out of range.
TEST(FontFacesDialog, KeepCodesControlsAndLivePreview) {
  const std::string sans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  if (!std::filesystem::exists(sans)) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  ScriptedPrompt prompt;
  OutlineFontImporter importer(24, 24);
  ASSERT_TRUE(importer.OpenFontFile(sans, prompt));
  const FontFacesRequest request = importer.FacesDialogContents();
  FontFacesDialog dialog(request);
  dialog.show();
  QListWidget* faces = dialog.findChildren<QListWidget*>()[0];
  QListWidget* maps = dialog.findChildren<QListWidget*>()[1];
  EXPECT_FALSE(dialog.KeepCodesBox()->isChecked());
  EXPECT_EQ(dialog.KeepCodesBox()->title().toStdString(), msg::kFacesKeepCodes);
  EXPECT_EQ(dialog.EncodingField()->count(), static_cast<int>(ImportEncodings().size()));
  EXPECT_EQ(dialog.EncodingField()->itemText(0).toStdString(), msg::kEncodingUnicode);

  faces->setCurrentRow(0);
  dialog.KeepCodesBox()->setChecked(true);
  EXPECT_FALSE(maps->isEnabled()) << "the Unicode map gives the codes";
  const FacePreview& preview = dialog.PreviewView()->Preview();
  EXPECT_TRUE(preview.problem.empty()) << preview.problem;
  ASSERT_EQ(preview.cells.size(), 5u);
  EXPECT_EQ(dialog.PixelSizeField()->placeholderText().toStdString(), std::string(msg::kFacesDefault) + "20");
  EXPECT_EQ(dialog.BaselineField()->placeholderText().toStdString(), std::string(msg::kFacesDefault) + "19");
  QTest::qWait(100);
  EXPECT_GE(dialog.PreviewView()->width(), dialog.PreviewView()->sizeHint().width()) << "every sample shows";
  EXPECT_GE(dialog.PreviewView()->height(), dialog.PreviewView()->sizeHint().height());
  test::SaveScreenshot(dialog, "dialog_font_faces_keep_codes");

  // The fields change the preview as they are typed.
  const std::vector<std::uint8_t> before = preview.cells[0].dots;
  dialog.BaselineField()->setText("12");
  EXPECT_EQ(dialog.PreviewView()->Preview().baseline, 12);
  EXPECT_NE(dialog.PreviewView()->Preview().cells[0].dots, before);
  dialog.EncodingField()->setCurrentIndex(1);  // CP437
  EXPECT_EQ(dialog.PreviewView()->Preview().cells[0].label, "0048");

  QString shown;
  dialog.PixelSizeField()->setText("big");
  AnswerNextMessageBox(shown);
  dialog.accept();
  EXPECT_EQ(shown.toStdString(), kEnterIntegerMessage);
  EXPECT_TRUE(dialog.isVisible());
  dialog.PixelSizeField()->setText("600");
  EXPECT_EQ(dialog.PreviewView()->Preview().problem, msg::kPixelSizeRange);
  AnswerNextMessageBox(shown);
  dialog.accept();
  EXPECT_EQ(shown.toStdString(), msg::kPixelSizeRange);
  EXPECT_TRUE(dialog.isVisible());

  dialog.PixelSizeField()->setText("18");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const FontFacesAnswer answer = dialog.Answer();
  EXPECT_TRUE(answer.keepCodes);
  EXPECT_EQ(answer.encoding, "CP437");
  EXPECT_EQ(answer.pixelSize, 18);
  EXPECT_EQ(answer.baseline, 12);
  EXPECT_EQ(answer.face, 0);
}

TEST(FontFacesDialog, ShiftJisPreviewScreenshot) {
  const std::string noto = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";
  if (!std::filesystem::exists(noto)) GTEST_SKIP() << "fonts-noto-cjk is not installed";
  ScriptedPrompt prompt;
  OutlineFontImporter importer(24, 24);
  ASSERT_TRUE(importer.OpenFontFile(noto, prompt));
  const FontFacesRequest request = importer.FacesDialogContents();
  FontFacesDialog dialog(request);
  dialog.show();
  dialog.findChildren<QListWidget*>()[0]->setCurrentRow(0);
  dialog.KeepCodesBox()->setChecked(true);
  dialog.EncodingField()->setCurrentIndex(dialog.EncodingField()->findText("Shift_JIS"));
  const FacePreview& preview = dialog.PreviewView()->Preview();
  ASSERT_EQ(preview.cells.size(), 5u);
  EXPECT_EQ(preview.cells[2].label, "82A0");
  QTest::qWait(100);
  test::SaveScreenshot(dialog, "dialog_font_faces_shift_jis");
}

TEST(WorkProgress, WaitCursorThenADialogWhoseCancelStopsTheWork) {
  {
    WorkProgress progress("Rendering the characters of the font file...", nullptr);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_TRUE(progress.Report(0, 1000));
    EXPECT_FALSE(progress.Dialog().isVisible()) << "short work shows no dialog";
    QTest::qWait(700);
    EXPECT_TRUE(progress.Report(100, 1000));
    ASSERT_TRUE(progress.Dialog().isVisible());
    test::SaveScreenshot(progress.Dialog(), "dialog_render_progress");
    auto* cancel = progress.Dialog().findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    EXPECT_FALSE(progress.Report(200, 1000));
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace dotforge
