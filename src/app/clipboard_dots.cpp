#include "app/clipboard_dots.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/dots_mime.h"
#include "edit/dots_transfer.h"

namespace dotforge {

std::optional<PixelGrid> DotsFromClipboard(QWidget* /*parent*/) {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasFormat(kDotsMimeType)) return std::nullopt;
  const QByteArray bytes = data->data(kDotsMimeType);
  return DecodeDots(ByteView(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                             static_cast<std::size_t>(bytes.size())));
}

}  // namespace dotforge
