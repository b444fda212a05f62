#include "app/editor/clipboard_dots.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "app/shell/app_messages.h"
#include "app/editor/dots_mime.h"
#include "app/editor/paste_image_dialog.h"
#include "edit/dots_transfer.h"
#include "framework/qt/qt_prompt.h"

namespace dotforge {
namespace {

std::optional<PixelGrid> OwnDots(const QByteArray& bytes, QWidget* parent) {
  std::optional<PixelGrid> dots =
      DecodeDots(ByteView(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
  if (!dots) ShowMessageBox(parent, msg::kPasteDotsDamaged);
  return dots;
}

std::optional<PixelGrid> DotsFromPicture(const QImage& picture, QWidget* parent) {
  if (picture.isNull()) return std::nullopt;
  if (picture.width() > kLargestPastedPictureSide || picture.height() > kLargestPastedPictureSide) {
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
  // Damaged dots of our own never fall back to the picture beside them.
  if (data->hasFormat(kDotsMimeType)) return OwnDots(data->data(kDotsMimeType), parent);
  if (!data->hasImage()) return std::nullopt;
  return DotsFromPicture(qvariant_cast<QImage>(data->imageData()), parent);
}

}  // namespace dotforge
