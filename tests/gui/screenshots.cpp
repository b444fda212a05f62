#include "gui/screenshots.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace dotforge::test {

QString SaveScreenshot(QWidget& widget, const QString& name) {
  const QString folder = QString::fromUtf8(DOTFORGE_SCREENSHOT_DIR);
  QDir().mkpath(folder);
  const QString path = folder + "/" + name + ".png";
  widget.grab().save(path);
  return path;
}

}  // namespace dotforge::test
