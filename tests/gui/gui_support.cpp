#include "gui/gui_support.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QMenuBar>
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

QStringList MenuTitles(QMainWindow& window) {
  QStringList titles;
  for (QAction* action : window.menuBar()->actions()) titles << action->text();
  return titles;
}

}  // namespace dotforge::test
