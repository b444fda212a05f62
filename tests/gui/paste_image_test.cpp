// Dots on the clipboard: the program's own copies, damaged copies, and pictures
// from other programs turned into dots through the "Paste Image" dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <functional>
#include <string>

#include "app/shell/app_messages.h"
#include "app/editor/clipboard_dots.h"
#include "app/editor/dots_mime.h"
#include "app/editor/paste_image_dialog.h"
#include "edit/dots_transfer.h"
#include "edit/grid_pictures.h"
#include "gui/gui_support.h"
#include "platform/bytes.h"

namespace dotforge {
namespace {

// What the dialog's preview shows, sampled at the middle of each enlarged dot.
std::string PreviewPicture(const PasteImageDialog& dialog) {
  const QImage preview = dialog.Preview()->pixmap().toImage();
  const PixelGrid& dots = dialog.Dots();
  const int scale = preview.width() / dots.Width();
  std::string text;
  for (int row = 0; row < dots.Height(); ++row) {
    if (row > 0) text += '/';
    for (int column = 0; column < dots.Width(); ++column) {
      text += qGray(preview.pixel(column * scale + scale / 2, row * scale + scale / 2)) < 128 ? '#' : '.';
    }
  }
  return text;
}

// Closes every message box that comes up with OK and keeps its text.
class MessageBoxTexts {
 public:
  MessageBoxTexts() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      texts_ << box->text();
      box->done(QMessageBox::Ok);
    });
    timer_.start(5);
  }
  const QStringList& Texts() const { return texts_; }

 private:
  QTimer timer_;
  QStringList texts_;
};

// Runs `drive` on the "Paste Image" dialog once it shows; `shown` tells whether it did.
void DriveNextDialog(std::function<void(PasteImageDialog&)> drive, bool& shown) {
  shown = false;
  QTimer::singleShot(0, [drive = std::move(drive), &shown] {
    auto* dialog = qobject_cast<PasteImageDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    shown = true;
    drive(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
}

void PutMime(const QByteArray& dots, const QImage& picture) {
  auto* data = new QMimeData;
  data->setData(kDotsMimeType, dots);
  if (!picture.isNull()) data->setImageData(picture);
  QGuiApplication::clipboard()->setMimeData(data);
}

// 16 x 4: rows 0..2 a gray ramp from black (column 0) to white (column 15, 17
// steps of 255 / 15), row 3 transparent black.
QImage RampPicture() {
  QImage image(16, 4, QImage::Format_ARGB32);
  for (int column = 0; column < 16; ++column) {
    const int gray = column * 17;
    for (int row = 0; row < 3; ++row) image.setPixel(column, row, qRgba(gray, gray, gray, 255));
    image.setPixel(column, 3, qRgba(0, 0, 0, 0));
  }
  return image;
}

std::string RampRows(const std::string& row) { return row + "/" + row + "/" + row + "/................"; }

TEST(ClipboardDots, CopiedDotsComeBackExactlyAndInEveryForm) {
  MessageBoxTexts messages;
  const PixelGrid dots = test::GridFromLine("#.#../.#.##/#####");
  CopyDotsToClipboard(dots);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), "#.#..\n.#.##\n#####\n");
  const QImage png = QImage::fromData(data->data(kPngMimeType), "PNG");
  ASSERT_EQ(png.size(), QSize(5, 3));
  EXPECT_EQ(png.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(png.pixel(1, 0), qRgb(255, 255, 255));
  EXPECT_EQ(png.pixel(4, 1), qRgb(0, 0, 0));
  EXPECT_EQ(png.pixel(4, 0), qRgb(255, 255, 255));
  ASSERT_TRUE(data->hasImage());
  EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32),
            png.convertToFormat(QImage::Format_RGB32));

  // Pasted back without the dialog, dot for dot, although a picture is there too.
  const std::optional<PixelGrid> pasted = DotsFromClipboard(nullptr);
  ASSERT_TRUE(pasted.has_value());
  EXPECT_EQ(test::OneLine(*pasted), "#.#../.#.##/#####");
  EXPECT_EQ(pasted->Pixels(), dots.Pixels());
  EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST(ClipboardDots, DamagedDotsAreRefusedWithAMessage) {
  const Bytes good = EncodeDots(test::GridFromLine("#.#/.#."));
  const auto bytesOf = [](const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  };
  Bytes zeroWidth = good;
  zeroWidth[0] = 0;
  Bytes tooTall;
  PutU32LE(tooTall, 3);
  PutU32LE(tooTall, static_cast<std::uint32_t>(kLargestDotsSide + 1));
  tooTall.resize(tooTall.size() + static_cast<std::size_t>(kLargestDotsSide + 1), 0);
  const QByteArray damaged[] = {
      QByteArray(),                                  // nothing
      bytesOf(good).left(6),                         // header cut short
      bytesOf(good).left(static_cast<qsizetype>(good.size()) - 1),  // last row cut short
      bytesOf(zeroWidth),                            // no width
      bytesOf(tooTall),                              // taller than any block
  };
  // A picture is there as well: damaged dots never fall back to it.
  const QImage picture = RampPicture();
  for (const QByteArray& payload : damaged) {
    MessageBoxTexts messages;
    PutMime(payload, picture);
    bool dialogShown = false;
    DriveNextDialog([](PasteImageDialog&) {}, dialogShown);
    EXPECT_FALSE(DotsFromClipboard(nullptr).has_value()) << payload.toHex().toStdString();
    QApplication::processEvents();
    EXPECT_FALSE(dialogShown) << payload.toHex().toStdString();
    EXPECT_EQ(messages.Texts(), QStringList{msg::kPasteDotsDamaged}) << payload.toHex().toStdString();
  }
}

TEST(ClipboardDots, ClipboardWithoutDotsOrPicturePastesNothing) {
  MessageBoxTexts messages;
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(DotsFromClipboard(nullptr).has_value());
  QGuiApplication::clipboard()->setText("#.#\n");
  EXPECT_FALSE(DotsFromClipboard(nullptr).has_value());
  EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST(PasteImage, ThresholdAndInvertChooseTheDotsAndThePreviewFollows) {
  QGuiApplication::clipboard()->setImage(RampPicture());
  bool shown = false;
  DriveNextDialog(
      [](PasteImageDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Paste Image");
        EXPECT_EQ(dialog.ThresholdField()->value(), 50);
        EXPECT_EQ(dialog.ThresholdSlider()->value(), 50);
        EXPECT_FALSE(dialog.InvertBox()->isChecked());
        QStringList texts;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
        EXPECT_TRUE(texts.contains("16 x 4 dots")) << texts.join('|').toStdString();
        // Gray 119 (column 7) is below half, 136 (column 8) is not; transparent is white.
        EXPECT_EQ(test::OneLine(dialog.Dots()), RampRows("########........"));
        // The preview is enlarged by a whole factor and shows the dots.
        EXPECT_EQ(dialog.Preview()->pixmap().width(), 16 * 16);
        EXPECT_EQ(PreviewPicture(dialog), test::OneLine(dialog.Dots()));

        dialog.ThresholdSlider()->setValue(25);  // 63.75: column 3 (51) black, column 4 (68) white
        EXPECT_EQ(dialog.ThresholdField()->value(), 25);
        EXPECT_EQ(test::OneLine(dialog.Dots()), RampRows("####............"));
        EXPECT_EQ(PreviewPicture(dialog), test::OneLine(dialog.Dots()));

        dialog.ThresholdField()->setValue(75);  // 191.25: column 11 (187) black, column 12 (204) white
        EXPECT_EQ(dialog.ThresholdSlider()->value(), 75);
        EXPECT_EQ(test::OneLine(dialog.Dots()), RampRows("############...."));

        dialog.InvertBox()->setChecked(true);  // inverted, columns 4.. are darker than 191.25
        EXPECT_EQ(test::OneLine(dialog.Dots()), RampRows("....############"));
        EXPECT_EQ(PreviewPicture(dialog), test::OneLine(dialog.Dots()));
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
      },
      shown);
  const std::optional<PixelGrid> dots = DotsFromClipboard(nullptr);
  EXPECT_TRUE(shown);
  ASSERT_TRUE(dots.has_value());
  EXPECT_EQ(test::OneLine(*dots), RampRows("....############"));
}

TEST(PasteImage, CancelPastesNothing) {
  QGuiApplication::clipboard()->setImage(RampPicture());
  bool shown = false;
  DriveNextDialog(
      [](PasteImageDialog& dialog) {
        dialog.ThresholdSlider()->setValue(90);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
      },
      shown);
  EXPECT_FALSE(DotsFromClipboard(nullptr).has_value());
  EXPECT_TRUE(shown);
}

TEST(PasteImage, PictureLargerThanTheLimitIsRefusedWithAMessage) {
  MessageBoxTexts messages;
  bool shown = false;
  QImage tall(1, kLargestPastedPictureSide + 1, QImage::Format_RGB32);
  tall.fill(Qt::black);
  QGuiApplication::clipboard()->setImage(tall);
  DriveNextDialog([](PasteImageDialog&) {}, shown);
  EXPECT_FALSE(DotsFromClipboard(nullptr).has_value());
  QApplication::processEvents();
  EXPECT_FALSE(shown);
  EXPECT_EQ(messages.Texts(), QStringList{msg::kPasteImageTooLarge});

  // At the limit the dialog opens, and its preview shrinks the picture to fit.
  QImage wide(kLargestPastedPictureSide, 2, QImage::Format_RGB32);
  wide.fill(Qt::black);
  QGuiApplication::clipboard()->setImage(wide);
  DriveNextDialog(
      [](PasteImageDialog& dialog) {
        EXPECT_EQ(dialog.Dots().Width(), kLargestPastedPictureSide);
        EXPECT_LE(dialog.Preview()->pixmap().width(), dialog.Preview()->width());
        dialog.accept();
      },
      shown);
  const std::optional<PixelGrid> dots = DotsFromClipboard(nullptr);
  EXPECT_TRUE(shown);
  ASSERT_TRUE(dots.has_value());
  EXPECT_EQ(std::count(dots->Pixels().begin(), dots->Pixels().end() - 1, kBlackPixel), 2 * kLargestPastedPictureSide);
  EXPECT_EQ(messages.Texts().size(), 1);
}

// A gray-scale picture (antialiased letters over a gradient) for people to look at.
TEST(PasteImage, DialogScreenshotOfAGrayScalePicture) {
  QImage picture(64, 32, QImage::Format_Grayscale8);
  QPainter painter(&picture);
  QLinearGradient gradient(0, 0, 64, 0);
  gradient.setColorAt(0, QColor(255, 255, 255));
  gradient.setColorAt(1, QColor(170, 170, 170));
  painter.fillRect(picture.rect(), gradient);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(40, 40, 40));
  QFont font = painter.font();
  font.setPixelSize(26);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(picture.rect(), Qt::AlignCenter, "Ab");
  painter.end();

  PasteImageDialog dialog(picture);
  dialog.show();
  QApplication::processEvents();
  const int blackAtHalf =
      static_cast<int>(std::count(dialog.Dots().Pixels().begin(), dialog.Dots().Pixels().end() - 1, kBlackPixel));
  EXPECT_GT(blackAtHalf, 0);
  EXPECT_EQ(PreviewPicture(dialog), test::OneLine(dialog.Dots()));
  test::SaveScreenshot(dialog, "dialog_paste_image");
  dialog.ThresholdSlider()->setValue(70);
  QApplication::processEvents();
  const int blackAtSeventy =
      static_cast<int>(std::count(dialog.Dots().Pixels().begin(), dialog.Dots().Pixels().end() - 1, kBlackPixel));
  EXPECT_GT(blackAtSeventy, blackAtHalf);
  test::SaveScreenshot(dialog, "dialog_paste_image_threshold_70");
}

}  // namespace
}  // namespace dotforge
