#include "app/clipboard_dots.h"

#include <QBuffer>
#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "app/app_messages.h"
#include "app/paste_image_dialog.h"
#include "framework/qt/qt_prompt.h"

namespace dotforge {
namespace {

constexpr char kBlackDotChar = '1';
constexpr char kWhiteDotChar = '0';
constexpr char kBlackArtChar = '#';
constexpr char kWhiteArtChar = '.';
// Enough digits for kMaxClipboardDotsSide.
constexpr int kMostSideDigits = 4;
constexpr const char* kPngMimeType = "image/png";

bool FitsClipboard(std::int32_t width, std::int32_t height) {
  return width >= 1 && height >= 1 && width <= kMaxClipboardDotsSide && height <= kMaxClipboardDotsSide;
}

// One line per row, each character `black` or `white`.
QByteArray DotRows(const PixelGrid& dots, char black, char white) {
  QByteArray text;
  text.reserve(static_cast<qsizetype>(dots.Width() + 1) * dots.Height());
  for (std::int32_t row = 0; row < dots.Height(); ++row) {
    const std::uint8_t* pixels = dots.Row(row);
    for (std::int32_t column = 0; column < dots.Width(); ++column) {
      text.append(pixels[column] == kBlackPixel ? black : white);
    }
    text.append('\n');
  }
  return text;
}

QByteArray EncodeDots(const PixelGrid& dots) {
  return QByteArray::number(dots.Width()) + ' ' + QByteArray::number(dots.Height()) + '\n' +
         DotRows(dots, kBlackDotChar, kWhiteDotChar);
}

// A decimal side of 1..kMostSideDigits digits at `at`, ended by `end`; `at` moves past `end`.
std::optional<std::int32_t> ReadSide(const QByteArray& data, qsizetype& at, char end) {
  std::int32_t value = 0;
  int digits = 0;
  while (at < data.size() && data[at] >= '0' && data[at] <= '9') {
    if (++digits > kMostSideDigits) return std::nullopt;
    value = value * 10 + (data[at] - '0');
    ++at;
  }
  if (digits == 0 || at >= data.size() || data[at] != end) return std::nullopt;
  ++at;
  return value;
}

std::optional<PixelGrid> DecodeDots(const QByteArray& data) {
  qsizetype at = 0;
  const std::optional<std::int32_t> width = ReadSide(data, at, ' ');
  if (!width) return std::nullopt;
  const std::optional<std::int32_t> height = ReadSide(data, at, '\n');
  if (!height || !FitsClipboard(*width, *height)) return std::nullopt;
  if (data.size() - at != static_cast<qsizetype>(*width + 1) * *height) return std::nullopt;
  PixelGrid dots(*width, *height);
  for (std::int32_t row = 0; row < *height; ++row) {
    std::uint8_t* pixels = dots.Row(row);
    for (std::int32_t column = 0; column < *width; ++column, ++at) {
      if (data[at] == kBlackDotChar) {
        pixels[column] = kBlackPixel;
      } else if (data[at] != kWhiteDotChar) {
        return std::nullopt;
      }
    }
    if (data[at++] != '\n') return std::nullopt;
  }
  return dots;
}

QImage PictureOf(const PixelGrid& dots) {
  QImage image(dots.Width(), dots.Height(), QImage::Format_Mono);
  image.setColor(0, qRgb(255, 255, 255));
  image.setColor(1, qRgb(0, 0, 0));
  for (std::int32_t row = 0; row < dots.Height(); ++row) {
    for (std::int32_t column = 0; column < dots.Width(); ++column) {
      image.setPixel(column, row, dots.At(column, row) == kBlackPixel ? 1 : 0);
    }
  }
  return image;
}

QByteArray PngOf(const QImage& picture) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return png;
}

std::optional<PixelGrid> DotsFromPicture(const QImage& picture, QWidget* parent) {
  if (picture.isNull()) return std::nullopt;
  if (!FitsClipboard(picture.width(), picture.height())) {
    ShowMessageBox(parent, msg::kPasteImageTooLarge);
    return std::nullopt;
  }
  PasteImageDialog dialog(picture, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Dots();
}

}  // namespace

std::optional<PixelGrid> DotsFromClipboard(QWidget* parent) {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return std::nullopt;
  if (data->hasFormat(kDotsMimeType)) {
    std::optional<PixelGrid> dots = DecodeDots(data->data(kDotsMimeType));
    if (!dots) ShowMessageBox(parent, msg::kPasteDotsDamaged);
    return dots;
  }
  if (!data->hasImage()) return std::nullopt;
  return DotsFromPicture(qvariant_cast<QImage>(data->imageData()), parent);
}

void PutDotsOnClipboard(const PixelGrid& dots) {
  if (dots.Width() == 0 || dots.Height() == 0) return;
  auto* data = new QMimeData;
  // Our own paste refuses larger dots, so they travel as the picture only.
  if (FitsClipboard(dots.Width(), dots.Height())) data->setData(kDotsMimeType, EncodeDots(dots));
  const QImage picture = PictureOf(dots);
  // The PNG bytes for programs that read them; the picture itself for Qt's own conversions.
  data->setData(kPngMimeType, PngOf(picture));
  data->setImageData(picture);
  data->setText(QString::fromLatin1(DotRows(dots, kBlackArtChar, kWhiteArtChar)));
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace dotforge
