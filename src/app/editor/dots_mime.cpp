#include "app/editor/dots_mime.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "edit/dots_transfer.h"

namespace dotforge {
namespace {

QByteArray ToQt(const Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QByteArray PngOf(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

}  // namespace

QImage DotsImage(const PixelGrid& dots) {
  QImage image(dots.Width(), dots.Height(), QImage::Format_Grayscale8);
  for (std::int32_t row = 0; row < dots.Height(); ++row) {
    uchar* line = image.scanLine(row);
    for (std::int32_t column = 0; column < dots.Width(); ++column) {
      line[column] = dots.At(column, row) == kBlackPixel ? 0 : 255;
    }
  }
  return image;
}

QMimeData* DotsMimeData(const PixelGrid& dots) {
  auto* data = new QMimeData;
  data->setData(kDotsMimeType, ToQt(EncodeDots(dots)));
  const QImage image = DotsImage(dots);
  data->setImageData(image);
  data->setData(kPngMimeType, PngOf(image));
  data->setText(QString::fromStdString(DotsTextArt(dots)));
  return data;
}

void CopyDotsToClipboard(const PixelGrid& dots) { QGuiApplication::clipboard()->setMimeData(DotsMimeData(dots)); }

}  // namespace dotforge
