#include "gui/gui_support.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
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

void ChooseType(QFileDialog& dialog, int index) {
  auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
  if (!types) return;
  types->setCurrentIndex(index);
  emit types->activated(index);
  emit types->textActivated(types->itemText(index));
}

QLineEdit* FileNameBox(QFileDialog& dialog) { return dialog.findChild<QLineEdit*>("fileNameEdit"); }

}  // namespace dotforge::test
