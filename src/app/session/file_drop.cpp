#include "app/session/file_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace dotforge {
namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  return paths;
}

}  // namespace

FileDrop::FileDrop(QWidget& target, OpenFiles open) : QObject(&target), open_(std::move(open)) {
  target.setAcceptDrops(true);
  target.installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (LocalFiles(drag->mimeData()).empty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      std::vector<std::string> paths = LocalFiles(drop->mimeData());
      if (paths.empty()) return false;
      drop->acceptProposedAction();
      // The drag source waits for the drop to end: dialogs and messages come after.
      QTimer::singleShot(0, this, [this, paths = std::move(paths)] { open_(paths); });
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace dotforge
